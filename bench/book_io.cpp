// Save and load of a 10,000-memo book against the floor of pugixml and a plain write.
#include "book/book.h"

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <QFile>
#include <QTemporaryDir>
#include <pugixml.hpp>

namespace {

constexpr int kMemoCount = 10000;

// About 1 KB of UTF-8 per memo: Japanese and ASCII lines with CR LF, a few escapes.
QString MemoText(int index) {
  static const QString lines[] = {
      QStringLiteral("今日の打ち合わせメモ：来週の予定を確認すること。"),
      QStringLiteral("TODO: check the build on Debian 12 & run the tests <all of them>."),
      QStringLiteral("ヴォパメモは小さなメモ帳です。書いたものは自動で保存されます。"),
      QStringLiteral("The quick brown fox jumps over the lazy dog, again and again."),
      QStringLiteral("\t字下げされた行と「かぎかっこ」、それから数字 1234567890。"),
  };
  QString text = QStringLiteral("メモ %1\r\n").arg(index);
  for (int line = 0; text.toUtf8().size() < 1000; ++line) text += lines[(index + line) % 5] + QStringLiteral("\r\n");
  return text;
}

struct TFixture {
  TFixture() {
    Book.SetPath(Dir.filePath(QStringLiteral("bench.vopa")));
    Book.New();
    for (int i = 0; i < kMemoCount; ++i) {
      TOptionList options;
      if (i % 3 == 0) options.Set(QStringLiteral("Title"), QStringLiteral("題名 %1").arg(i));
      Book.AddMemo(MemoText(i), Book.Count(), &options);
    }
    Book.Save();
    QFile file(Book.GetPath());
    file.open(QIODevice::ReadOnly);
    Bytes = file.readAll();
  }
  QTemporaryDir Dir;
  TBook Book;
  QByteArray Bytes;
};

TFixture& Fixture() {
  static TFixture fixture;
  return fixture;
}

void BM_SaveBook(benchmark::State& state) {
  TFixture& f = Fixture();
  for (auto _ : state) f.Book.Save();
  state.SetBytesProcessed(state.iterations() * f.Bytes.size());
}

void BM_FloorWrite(benchmark::State& state) {
  TFixture& f = Fixture();
  const QString path = f.Dir.filePath(QStringLiteral("floor.vopa"));
  for (auto _ : state) {
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(f.Bytes);
  }
  state.SetBytesProcessed(state.iterations() * f.Bytes.size());
}

void BM_LoadBook(benchmark::State& state) {
  TFixture& f = Fixture();
  for (auto _ : state) {
    TBook book;
    book.SetPath(f.Book.GetPath());
    benchmark::DoNotOptimize(book.Load());
  }
  state.SetBytesProcessed(state.iterations() * f.Bytes.size());
  // Heap in use by one loaded book (glibc's allocator statistics), against the file size.
  const size_t before = mallinfo2().uordblks;
  {
    TBook book;
    book.SetPath(f.Book.GetPath());
    book.Load();
    const double heap = double(mallinfo2().uordblks - before);
    state.counters["heap_MB"] = heap / 1e6;
    state.counters["file_MB"] = double(f.Bytes.size()) / 1e6;
    state.counters["heap_per_file"] = heap / double(f.Bytes.size());
  }
}

void BM_FloorParse(benchmark::State& state) {
  TFixture& f = Fixture();
  for (auto _ : state) {
    QFile file(f.Book.GetPath());
    file.open(QIODevice::ReadOnly);
    QByteArray bytes = file.readAll();
    pugi::xml_document document;
    benchmark::DoNotOptimize(document.load_buffer_inplace(bytes.data(), size_t(bytes.size())));
  }
  state.SetBytesProcessed(state.iterations() * f.Bytes.size());
}

}  // namespace

BENCHMARK(BM_SaveBook)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloorWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadBook)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloorParse)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
