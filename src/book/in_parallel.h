#pragma once

#include <algorithm>
#include <cstddef>
#include <future>
#include <thread>
#include <vector>

// Runs work(begin, end) over [0, count), cut into one contiguous range per core, the first
// range on the calling thread; returns when every range is done. A range gets at least
// minPerRange items, so small jobs stay on one thread. An exception thrown by any range
// reaches the caller, after all ranges have ended.
template <typename Work>
void InParallel(std::size_t count, std::size_t minPerRange, const Work& work) {
  const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
  const std::size_t ranges = std::clamp<std::size_t>(count / std::max<std::size_t>(minPerRange, 1), 1, cores);
  const auto start = [count, ranges](std::size_t range) { return count * range / ranges; };
  std::vector<std::future<void>> others;
  others.reserve(ranges - 1);
  for (std::size_t range = 1; range < ranges; ++range)
    others.push_back(std::async(std::launch::async, [&work, &start, range] { work(start(range), start(range + 1)); }));
  // Should this range throw, the futures still wait for theirs as they go.
  work(start(0), start(1));
  for (std::future<void>& other : others) other.get();
}
