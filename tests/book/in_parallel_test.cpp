#include "book/in_parallel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace {

TEST(InParallel, EveryItemIsWorkedOnOnce) {
  for (const std::size_t count : {0u, 1u, 7u, 100u, 1000u, 100001u}) {
    SCOPED_TRACE(count);
    std::vector<std::atomic<int>> seen(count);
    InParallel(count, 10, [&seen](std::size_t begin, std::size_t end) {
      ASSERT_LE(begin, end);
      for (std::size_t i = begin; i < end; ++i) ++seen[i];
    });
    for (std::size_t i = 0; i < count; ++i) ASSERT_EQ(seen[i], 1) << i;
  }
}

TEST(InParallel, AnExceptionOfAnyRangeReachesTheCaller) {
  std::atomic<std::size_t> done = 0;
  EXPECT_THROW(InParallel(10000, 1,
                          [&done](std::size_t begin, std::size_t end) {
                            done += end - begin;
                            if (end == 10000) throw std::runtime_error("last range");
                          }),
               std::runtime_error);
  EXPECT_EQ(done, 10000u);  // the other ranges ran to their end first
}

}  // namespace
