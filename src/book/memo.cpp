#include "book/memo.h"

#include "book/book.h"
#include "book/memo_type.h"
#include "book/text_trim.h"

void TSMemo::SetOption(const QString& name, const QString& value) {
  if (GetOption(name) == value) return;
  Options.Set(name, value);
  Touch();
}

void TSMemo::SetText(const QString& text) {
  const QString trimmed = TrimMemoText(text);
  if (trimmed == Text) return;
  Text = trimmed;
  Touch();
}

void TSMemo::Touch() {
  if (Book) Book->SetModified();
}

QString MemoTitle(const TSMemo& memo) {
  const QString title = memo.GetOption(kOptTitle);
  if (!title.isEmpty()) return title;
  const QString typeTitle = DefaultTitleOf(MemoTypeOf(memo.GetOption(kOptType)));
  if (!typeTitle.isEmpty()) return typeTitle;
  const QString firstLine = memo.Text.left(memo.Text.indexOf(QLatin1Char('\r')));
  // An indented first line is titled without its indentation.
  qsizetype indent = 0;
  while (indent < firstLine.size() && (firstLine[indent].unicode() <= 32 || firstLine[indent].isSpace())) ++indent;
  if (indent < firstLine.size()) return firstLine.mid(indent);
  if (!firstLine.isEmpty()) return firstLine;
  return QStringLiteral("新規メモ");
}

QString DefaultTitleOf(TMemoTypeNo memoType) { return memoType == kAAMemo ? QStringLiteral("(´･ω･`)ﾑﾀﾞｲ") : QString(); }
