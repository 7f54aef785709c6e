#pragma once

#include <QtGlobal>

// One-byte memo command codes passed by reference from the dispatcher to the
// current view, which may carry a command out (mcDone/mcNone) or change it.
enum TMemoCommand : quint8 {
  mcNone = 0,
  mcDone = 1,
  mcUp = 2,
  mcDown = 3,
  mcWheelUp = 4,
  mcWheelDown = 5,
  mcEscape = 7,
  mcNewMemo = 8,
  mcJoin = 11,
  mcDivide = 12,
  mcInsertNew = 14,
  mcFirst = 17,
  mcPrevious = 18,
  mcNext = 19,
  mcLast = 20,
  mcNoMemo = 21,
  mcMoveTop = 22,
  mcMoveUp = 23,
  mcMoveDown = 24,
  mcMoveBottom = 25,
};

// True when a view has dealt with the command and the window must do nothing more.
inline bool IsConsumed(TMemoCommand code) { return code == mcNone || code == mcDone; }
