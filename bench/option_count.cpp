// Reading and writing a book whose memo has very many options (attributes): the time must
// grow as n log n at most, not as n² (100,000 options once took 90 s to read).
#include "book/book.h"

#include <benchmark/benchmark.h>
#include <QTemporaryDir>

namespace {

// A book of one memo with n options, some names repeated in other letter case.
void MakeBook(TBook& book, const QString& path, int n) {
  book.SetPath(path);
  TOptionList options;
  for (int i = 0; i < n; ++i) options.AddLine(QStringLiteral("%1%2=値 %3").arg(i % 7 ? "Opt" : "OPT").arg(i).arg(i));
  book.AddMemo(QStringLiteral("メモの本文 text"), 0, &options);
}

void BM_ReadOptions(benchmark::State& state) {
  QTemporaryDir dir;
  TBook written;
  MakeBook(written, dir.filePath(QStringLiteral("many.vopa")), int(state.range(0)));
  written.Save();
  for (auto _ : state) {
    TBook book;
    book.SetPath(written.GetPath());
    book.Load();
    benchmark::DoNotOptimize(book.MemoAt(0)->Options.Count());
  }
  state.SetComplexityN(state.range(0));
}

void BM_WriteOptions(benchmark::State& state) {
  QTemporaryDir dir;
  TBook book;
  MakeBook(book, dir.filePath(QStringLiteral("many.vopa")), int(state.range(0)));
  for (auto _ : state) book.Save();
  state.SetComplexityN(state.range(0));
}

}  // namespace

BENCHMARK(BM_ReadOptions)->RangeMultiplier(4)->Range(1 << 10, 1 << 17)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_WriteOptions)->RangeMultiplier(4)->Range(1 << 10, 1 << 17)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK_MAIN();
