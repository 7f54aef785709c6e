// Save and load of a 10,000-memo book against the floor of pugixml and a plain write,
// and the longest event-loop gap while a 100,000-memo book is saved after one edit.
#include "book/book.h"
#include "book/file_manager.h"

#include "event_loop_probes.h"
#include "realistic_memos.h"

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <QFile>
#include <QTemporaryDir>
#include <pugixml.hpp>

namespace {

constexpr int kMemoCount = 10000;

struct TFixture {
  TFixture() {
    Book.SetPath(Dir.filePath(QStringLiteral("bench.vopa")));
    Book.New();
    for (int i = 0; i < kMemoCount; ++i) {
      TOptionList options;
      if (i % 3 == 0) options.Set(QStringLiteral("Title"), QStringLiteral("題名 %1").arg(i));
      Book.AddMemo(RealisticMemoText(i), Book.Count(), &options);
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

// One memo edited, then the book saved as the autosave does (a snapshot here, the write on
// the saver's worker), while the loop is pinged until the pass has ended.
void BM_SaveGap(benchmark::State& state) {
  QTemporaryDir dir;
  TQumFileManager manager([] { return std::make_unique<TBook>(); });
  TBook& book = *manager.NewFile(dir.filePath(QStringLiteral("big.vopa")));
  FillRealisticBook(book, int(state.range(0)));
  bool saved = false;
  QObject::connect(&manager.Saver, &TBookSaver::Finished, [&saved](const QStringList& failures) {
    if (!failures.isEmpty()) qFatal("%s", qPrintable(failures.join(u'\n')));
    saved = true;
  });
  double longestGap = 0;
  int edit = 0;
  for (auto _ : state) {
    book.MemoAt(1)->SetText(RealisticMemoText(++edit + kMemoCount));
    TGapMeter gaps;
    gaps.Start();
    saved = false;
    QTimer::singleShot(0, [&manager] { manager.StartSavingAll({}); });
    RunEventLoopUntil([&saved] { return saved; });
    longestGap = qMax(longestGap, gaps.Stop());
  }
  state.counters["gap_ms"] = longestGap;
}

}  // namespace

BENCHMARK(BM_SaveGap)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SaveBook)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloorWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadBook)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloorParse)->Unit(benchmark::kMillisecond);
int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
