#pragma once

#include <QPoint>
#include <QTimer>

// Fires when the pointer has rested in one place for Interval while a drag holds the button.
// The owner reports every pointer move of the drag, so nothing is read from the system.
class TMouseStayTimer : public QTimer {
  Q_OBJECT
 public:
  explicit TMouseStayTimer(QObject* owner);

  // A move onto a place worth waiting on: the same place keeps the wait, another restarts it.
  void Kick(QPoint pos);
  // Any move of the drag.
  void Track(QPoint pos) { LastPos = pos; }
  // The drag ended.
  void Release();

  bool Once = true;

 signals:
  void Stayed(QPoint pos);

 private:
  void Elapsed();

  QPoint StayPos;
  QPoint LastPos;
  // A rest at StayPos is being waited for or has fired.
  bool Held = false;
};
