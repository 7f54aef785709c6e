// Start-up as the user waits for it: the real main window built on a data directory whose
// start-up book holds 10,000 or 100,000 realistic memos, shown at its real size, until
// the first paint of the memo text (arg 1: until every paper of the pile is measured).
// Counters: gap_ms, the longest event-loop gap after the first paint; typed, whether a
// key typed right after the first paint reached a memo.
#include "mainwin/main_window.h"
#include "view/pile_view.h"

#include "event_loop_probes.h"
#include "realistic_memos.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

// One data directory per book size, written once for all runs.
const QString& DataHome(int memos) {
  static std::map<int, std::unique_ptr<QTemporaryDir>> homes;
  static std::map<int, QString> paths;
  if (!homes.count(memos)) {
    homes[memos] = std::make_unique<QTemporaryDir>();
    paths[memos] = homes[memos]->path() + QLatin1Char('/');
    WriteRealisticBook(paths[memos], memos);
  }
  return paths[memos];
}

bool TypeIntoCurrentMemo(TForm1& form) {
  QWidget* focus = form.focusWidget();
  if (!focus || !form.GetCurrent().Memo()) return false;
  const QString before = form.GetCurrent().Memo()->Text;
  QTest::keyClick(focus, Qt::Key_X);
  return form.GetCurrent().Memo() && form.GetCurrent().Memo()->Text != before;
}

void BM_Startup(benchmark::State& state) {
  const int memos = int(state.range(0));
  const bool untilMeasured = state.range(1) != 0;
  const QString home = DataHome(memos);
  double longestGap = 0;
  bool typed = true;
  for (auto _ : state) {
    TFirstPaintProbe probe;
    auto form = std::make_unique<TForm1>(home);
    probe.Watch(form.get());
    form->resize(1000, 700);
    form->show();
    probe.WaitForPaint();
    if (untilMeasured) {
      auto& pile = static_cast<TPileView&>(*form->GetPileView());
      TGapMeter gaps;
      gaps.Start();
      RunEventLoopUntil([&pile] { return pile.MeasuringDone(); });
      longestGap = qMax(longestGap, gaps.Stop());
    }
    state.PauseTiming();
    if (!untilMeasured) typed = typed && TypeIntoCurrentMemo(*form);
    // The typed key is not kept: the book stays as generated for the next run.
    if (form->GetCurrent().Book()) form->GetCurrent().Book()->Modified = false;
    form.reset();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QFile::remove(home + QStringLiteral("vopamemo.ini"));
    state.ResumeTiming();
  }
  if (untilMeasured)
    state.counters["gap_ms"] = longestGap;
  else
    state.counters["typed"] = typed ? 1 : 0;
}
BENCHMARK(BM_Startup)
    ->ArgsProduct({{10000, 100000}, {0, 1}})
    ->ArgNames({"memos", "measured"})
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
