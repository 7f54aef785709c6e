#pragma once

// What a user notices of the event loop: when the window first shows memo text, and
// the longest time the loop left a ping unanswered.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPlainTextEdit>
#include <QTimer>

// Runs the event loop until done() holds, at most timeoutMs, sleeping while nothing happens.
// processEvents with a time limit never sleeps: the spinning would take the core that the
// program's worker threads need, and the figures would be the bench's, not the program's.
template <typename Done>
void RunEventLoopUntil(const Done& done, int timeoutMs = 600000) {
  QElapsedTimer clock;
  clock.start();
  QTimer wake;  // looks at the clock now and then, should nothing else happen
  wake.start(50);
  while (!done() && clock.elapsed() < timeoutMs) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// Notes the first paint of a memo editor's text area inside the watched window.
class TFirstPaintProbe : public QObject {
 public:
  explicit TFirstPaintProbe(const QWidget* window = nullptr) : Window(window) { qApp->installEventFilter(this); }
  ~TFirstPaintProbe() override { qApp->removeEventFilter(this); }
  void Watch(const QWidget* window) { Window = window; }
  bool Painted = false;

  // Runs the event loop until the first paint, at most timeoutMs.
  void WaitForPaint(int timeoutMs = 600000) {
    RunEventLoopUntil([this] { return Painted; }, timeoutMs);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (Painted || event->type() != QEvent::Paint) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && qobject_cast<QPlainTextEdit*>(widget->parentWidget()) && (!Window || widget->window() == Window))
      Painted = true;
    return false;
  }

 private:
  const QWidget* Window;
};

// Pings the event loop every millisecond and keeps the longest time between two answers.
class TGapMeter {
 public:
  TGapMeter() {
    Ping.setTimerType(Qt::PreciseTimer);
    Ping.setInterval(1);
    QObject::connect(&Ping, &QTimer::timeout, [this] {
      LongestMs = qMax(LongestMs, Clock.nsecsElapsed() / 1e6);
      Clock.restart();
    });
  }
  void Start() {
    LongestMs = 0;
    Clock.start();
    Ping.start();
  }
  double Stop() {
    Ping.stop();
    return qMax(LongestMs, Clock.nsecsElapsed() / 1e6);
  }

 private:
  QTimer Ping;
  QElapsedTimer Clock;
  double LongestMs = 0;
};
