#include "book/text_trim.h"

namespace {

bool IsBlank(QChar c) { return c.unicode() <= 32; }

}  // namespace

QString TrimControls(const QString& text) {
  qsizetype first = 0;
  qsizetype end = text.size();
  while (first < end && IsBlank(text[first])) ++first;
  while (end > first && IsBlank(text[end - 1])) --end;
  return first == 0 && end == text.size() ? text : text.mid(first, end - first);
}

QString TrimMemoText(const QString& text) {
  qsizetype end = text.size();
  while (end > 0 && IsBlank(text[end - 1])) --end;
  qsizetype lineStart = 0;
  for (qsizetype i = 0; i < end && IsBlank(text[i]); ++i)
    if (text[i] == QLatin1Char('\r') || text[i] == QLatin1Char('\n')) lineStart = i + 1;
  return lineStart == 0 && end == text.size() ? text : text.mid(lineStart, end - lineStart);
}
