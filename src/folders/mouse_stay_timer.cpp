#include "folders/mouse_stay_timer.h"

namespace {

constexpr int kStayInterval = 1200;

}  // namespace

TMouseStayTimer::TMouseStayTimer(QObject* owner) : QTimer(owner) {
  setInterval(kStayInterval);
  connect(this, &QTimer::timeout, this, &TMouseStayTimer::Elapsed);
}

void TMouseStayTimer::Kick(QPoint pos) {
  LastPos = pos;
  // Resting on: the wait already runs, or this rest has had its turn.
  if (Held && pos == StayPos) return;
  StayPos = pos;
  Held = true;
  start();
}

void TMouseStayTimer::Release() {
  Held = false;
  stop();
}

void TMouseStayTimer::Elapsed() {
  if (!Held || LastPos != StayPos) {
    // The pointer moved on: coming back to this place is a new rest.
    Release();
    return;
  }
  if (Once) stop();
  emit Stayed(StayPos);
}
