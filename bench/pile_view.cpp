// Pile view: showing big books, one keystroke in the last memo, memory per memo.
#include "view/pile_view.h"
#include "book/book.h"
#include "view/pile_paper.h"
#include "view/view_host.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QVBoxLayout>

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>

namespace {

// The window side of the pile view, as far as showing and typing need it.
class TBenchHost : public TViewHost {
 public:
  explicit TBenchHost(int memoCount) {
    const QString text = QString("日本語のメモ、英語も少し mixed with English words. ").repeated(5).left(200);
    for (int i = 0; i < memoCount; ++i) Book.AddMemo(text, i);
    auto* layout = new QVBoxLayout(&Window);
    layout->setContentsMargins(0, 0, 0, 0);
    View = std::make_unique<TPileView>(*this, &Window);
    layout->addWidget(View->ScrollBox());
    Window.resize(500, 700);
    Window.show();
    QApplication::processEvents();
  }
  ~TBenchHost() override { View.reset(); }

  TSMemo* GetCurrentMemo() const override { return Current; }
  void SetCurrentMemo(TSMemo* memo) override {
    if (memo == Current) return;
    View->MemoChanged(TViewNotify::vnLeave, GetCurrentIndex(), -1);
    Current = memo;
    View->MemoChanged(TViewNotify::vnEnter, GetCurrentIndex(), -1);
  }
  int GetCurrentIndex() const override { return Current ? Book.IndexOf(Current) : -1; }
  void SelectMemoAt(int index) override {
    SetCurrentMemo(index < 0 ? nullptr : Book.MemoAt(qMin(index, Book.Count() - 1)));
  }
  TBook* GetCurrentBook() const override { return const_cast<TBook*>(&Book); }
  TView* GetCurrentView() const override { return View.get(); }
  int InsertMemo(const QString&, int, const TOptionList*) override { return -1; }
  void RemoveMemo(int) override {}
  const TVopaPrm& Prm() const override { return Params; }
  QMenu* PopupMemo() const override { return nullptr; }

  // Makes the view current: it builds one paper per memo and is painted once.
  void Show() {
    View->Activate();
    QApplication::processEvents();
  }

  TVopaPrm Params;
  TBook Book;
  QWidget Window;
  std::unique_ptr<TPileView> View;
  TSMemo* Current = nullptr;
};

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
    host.Show();
    state.counters["KiB_per_memo"] = double(ResidentKiB() - before) / memos;
  }
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
BENCHMARK(BM_MemoryPerMemo)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ShowBook(benchmark::State& state) {
  const int memos = int(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    auto host = std::make_unique<TBenchHost>(memos);
    state.ResumeTiming();
    host->Show();
    state.PauseTiming();
    host.reset();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ShowBook)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(5);

// The relayout a window resize or a splitter move sends, when the width stayed the same.
void BM_RelayoutSameWidth(benchmark::State& state) {
  TBenchHost host(2000);
  host.Show();
  for (auto _ : state) host.View->Notify(TViewNotify::vnRelayout);
}
BENCHMARK(BM_RelayoutSameWidth)->Unit(benchmark::kMillisecond);

void TypeKey(QWidget* editor, int key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(editor, &press);
  QApplication::sendEvent(editor, &release);
}

// One character typed at the end of the last memo of a 2,000-memo book: the key event
// until the memo holds the text and the paper is re-measured (alternating with Backspace,
// so the memo keeps its size). With paint: until the window has been repainted as well.
void BM_KeystrokeInLastMemo(benchmark::State& state) {
  const bool paint = state.range(0) != 0;
  TBenchHost host(2000);
  host.Show();
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

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
