#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the event loop, so that a
// logout or a kill runs the same orderly shut-down as closing the window.
class TSignalWatcher : public QObject {
  Q_OBJECT
 public:
  explicit TSignalWatcher(QObject* parent = nullptr);
  ~TSignalWatcher() override;

 signals:
  void TerminationRequested(int signalNumber);

 private:
  void ReadSignal();
  QSocketNotifier* Notifier = nullptr;
};
