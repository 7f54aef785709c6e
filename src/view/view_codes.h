#pragma once

#include "book/memo_type.h"

// Notification kinds the window and the papers send to a view's MemoChanged.
enum class TViewNotify : quint8 {
  vnInserted,
  vnDeleted,
  vnMoved,
  vnLeave,
  vnEnter,
  vnShowCurrent,
  vnRelayout,
  vnShowCaret,
};

// Commands a view sends to one of its papers.
enum TPaperCommand {
  pcLeave = 3,
  pcEnter = 4,
  pcRelayout = 10,
  pcFocus = 11,
  pcUnfocus = 12,
  pcScrollDown = 15,
  pcScrollUp = 16,
};
