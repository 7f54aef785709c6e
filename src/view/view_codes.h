#pragma once

#include <QString>

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

// Memo type numbers; 0 in a call means "read it from the memo's Type option".
using TMemoTypeNo = int;
inline constexpr TMemoTypeNo kMemoTypeFromMemo = 0;
inline constexpr TMemoTypeNo kTextMemo = 2;
inline constexpr TMemoTypeNo kAAMemo = 3;

// "AA" is an ASCII-art memo; "Memo", "" and anything else a text memo.
inline TMemoTypeNo MemoTypeOf(const QString& typeText) { return typeText == QLatin1String("AA") ? kAAMemo : kTextMemo; }
