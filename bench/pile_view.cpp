// Pile view on realistic books: the path from showing a book until its first paint, until
// every paper is measured, the longest event-loop gap meanwhile, resizes, one keystroke,
// memory per memo, and one memo of a single very long line.
#include "view/pile_view.h"
#include "book/book.h"
#include "view/pile_paper.h"
#include "view/view_host.h"

#include "event_loop_probes.h"
#include "realistic_memos.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QVBoxLayout>

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>

namespace {

constexpr int kWidth = 760;  // the pile's part of a 1000-pixel-wide window
constexpr int kHeight = 700;

// The window side of the pile view, as far as showing and typing need it.
class TBenchHost : public TViewHost {
 public:
  explicit TBenchHost(int memoCount, const QString& text = QString()) {
    if (text.isEmpty())
      FillRealisticBook(Book, memoCount);
    else
      for (int i = 0; i < memoCount; ++i) Book.AddMemo(text, i);
    auto* layout = new QVBoxLayout(&Window);
    layout->setContentsMargins(0, 0, 0, 0);
    View = std::make_unique<TPileView>(*this, &Window);
    layout->addWidget(View->ScrollBox());
    Window.resize(kWidth, kHeight);
    // The view builds its papers when shown, not when the book becomes current.
    Cursor->SetBook(&Book);
    FollowCurrentBook(*this);
  }
  ~TBenchHost() override { View.reset(); }

  TCurrentBook& Current() const override { return *Cursor; }
  TView* GetCurrentView() const override { return View.get(); }
  const TVopaPrm& Prm() const override { return Params; }
  QMenu* PopupMemo() const override { return nullptr; }

  // What start-up does: the book becomes current (its first memo too) while the window
  // is still hidden, then the window is shown at its real size and painted.
  void ShowAndPaint() {
    TFirstPaintProbe probe(&Window);
    View->Activate();
    SelectMemoAt(0);
    Window.show();
    probe.WaitForPaint();
  }
  void WaitUntilMeasured() {
    RunEventLoopUntil([this] { return View->MeasuringDone(); });
  }

  TVopaPrm Params;
  TBook Book;
  std::unique_ptr<TCurrentBook> Cursor = std::make_unique<TCurrentBook>();
  QWidget Window;
  std::unique_ptr<TPileView> View;
};

void DeleteLater() { QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return 0;
}

// Runs first, while no freed memory can be reused for the papers.
void BM_MemoryPerMemo(benchmark::State& state) {
  const int memos = int(state.range(0));
  for (auto _ : state) {
    TBenchHost host(memos);
    const long before = ResidentKiB();
    host.ShowAndPaint();
    host.WaitUntilMeasured();
    state.counters["KiB_per_memo"] = double(ResidentKiB() - before) / memos;
  }
  DeleteLater();
}
BENCHMARK(BM_MemoryPerMemo)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

// Showing a book until its first paint (arg 1: until every paper is measured as well).
// The counter gap_ms is the longest event-loop gap after the first paint.
void BM_ShowBook(benchmark::State& state) {
  const int memos = int(state.range(0));
  const bool untilMeasured = state.range(1) != 0;
  double longestGap = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto host = std::make_unique<TBenchHost>(memos);
    state.ResumeTiming();
    host->ShowAndPaint();
    if (untilMeasured) {
      TGapMeter gaps;
      gaps.Start();
      host->WaitUntilMeasured();
      longestGap = qMax(longestGap, gaps.Stop());
    }
    state.PauseTiming();
    host.reset();
    DeleteLater();
    state.ResumeTiming();
  }
  if (untilMeasured) state.counters["gap_ms"] = longestGap;
}
BENCHMARK(BM_ShowBook)
    ->ArgsProduct({{1000, 10000}, {0, 1}})
    ->ArgNames({"memos", "measured"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

// A real width change (the splitter or the window): until the papers in sight are painted
// again, and then until every paper follows (gap_ms: the longest event-loop gap meanwhile).
void BM_ResizeWidth(benchmark::State& state) {
  TBenchHost host(int(state.range(0)));
  host.ShowAndPaint();
  host.WaitUntilMeasured();
  int width = kWidth;
  double longestGap = 0;
  for (auto _ : state) {
    width = width == kWidth ? kWidth - 150 : kWidth;
    TFirstPaintProbe probe(&host.Window);
    TGapMeter gaps;
    gaps.Start();
    host.Window.resize(width, kHeight);
    probe.WaitForPaint();
    host.WaitUntilMeasured();
    longestGap = qMax(longestGap, gaps.Stop());
  }
  state.counters["gap_ms"] = longestGap;
}
BENCHMARK(BM_ResizeWidth)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(4);

// The relayout a window resize or a splitter move sends, when the width stayed the same.
void BM_RelayoutSameWidth(benchmark::State& state) {
  TBenchHost host(10000);
  host.ShowAndPaint();
  host.WaitUntilMeasured();
  for (auto _ : state) host.View->Notify(TViewNotify::vnRelayout);
}
BENCHMARK(BM_RelayoutSameWidth)->Unit(benchmark::kMillisecond);

void TypeKey(QWidget* editor, int key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(editor, &press);
  QApplication::sendEvent(editor, &release);
}

// One character typed at the end of the last memo of a 10,000-memo book: the key event
// until the memo holds the text and the paper is re-measured (alternating with Backspace,
// so the memo keeps its size). With paint: until the window has been repainted as well.
void BM_KeystrokeInLastMemo(benchmark::State& state) {
  const bool paint = state.range(0) != 0;
  TBenchHost host(10000);
  host.ShowAndPaint();
  host.WaitUntilMeasured();
  host.SelectMemoAt(host.Book.Count() - 1);
  host.View->Notify(TViewNotify::vnShowCurrent);
  auto& paper = dynamic_cast<TSimplePilePaper&>(*host.View->Papers.back());
  QWidget* editor = paper.Editor();
  paper.SetCaretToEnd();
  QApplication::processEvents();
  TypeKey(editor, Qt::Key_A, QStringLiteral("a"));
  if (!host.Book.MemoAt(host.Book.Count() - 1)->Text.endsWith('a'))
    state.SkipWithError("typing did not reach the memo");
  TypeKey(editor, Qt::Key_Backspace, QString());
  bool add = true;
  for (auto _ : state) {
    if (add)
      TypeKey(editor, Qt::Key_A, QStringLiteral("a"));
    else
      TypeKey(editor, Qt::Key_Backspace, QString());
    if (paint) QApplication::processEvents();
    add = !add;
  }
}
BENCHMARK(BM_KeystrokeInLastMemo)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// One memo of a single line of that many characters, Japanese and English mixed:
// shown until painted, then resized (arg 1) until painted again.
QString LongLine(int length) {
  QString line;
  line.reserve(length);
  for (int i = 0; line.size() < length; ++i) line += RealisticMemoText(i).replace(QStringLiteral("\r\n"), " ");
  line.truncate(length);
  return line;
}

void BM_LongLineMemo(benchmark::State& state) {
  const QString text = LongLine(int(state.range(0)));
  const bool resize = state.range(1) != 0;
  std::unique_ptr<TBenchHost> shown;
  if (resize) {
    shown = std::make_unique<TBenchHost>(1, text);
    shown->ShowAndPaint();
    shown->WaitUntilMeasured();
  }
  int width = kWidth;
  for (auto _ : state) {
    if (resize) {
      width = width == kWidth ? kWidth - 150 : kWidth;
      TFirstPaintProbe probe(&shown->Window);
      shown->Window.resize(width, kHeight);
      probe.WaitForPaint();
      continue;
    }
    state.PauseTiming();
    auto host = std::make_unique<TBenchHost>(1, text);
    state.ResumeTiming();
    host->ShowAndPaint();
    state.PauseTiming();
    host.reset();
    DeleteLater();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_LongLineMemo)
    ->ArgsProduct({{200000, 1000000}, {0, 1}})
    ->ArgNames({"chars", "resize"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
