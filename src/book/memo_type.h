#pragma once

#include <QString>

// Memo type numbers; 0 in a call means "read it from the memo's Type option".
using TMemoTypeNo = int;
inline constexpr TMemoTypeNo kMemoTypeFromMemo = 0;
inline constexpr TMemoTypeNo kTextMemo = 2;
inline constexpr TMemoTypeNo kAAMemo = 3;

// The "Type" option values the program writes.
inline const QString kTypeTextMemo = QStringLiteral("Memo");
inline const QString kTypeAAMemo = QStringLiteral("AA");

// "AA" is an ASCII-art memo; "Memo", "" and anything else a text memo.
inline TMemoTypeNo MemoTypeOf(const QString& typeText) { return typeText == kTypeAAMemo ? kAAMemo : kTextMemo; }

// The list title of a memo of this type without a "Title" option; empty for text memos.
QString DefaultTitleOf(TMemoTypeNo memoType);
