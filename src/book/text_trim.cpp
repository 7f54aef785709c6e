#include "book/text_trim.h"

QString TrimControls(const QString& text) {
  qsizetype first = 0;
  qsizetype end = text.size();
  while (first < end && text[first].unicode() <= 32) ++first;
  while (end > first && text[end - 1].unicode() <= 32) --end;
  return first == 0 && end == text.size() ? text : text.mid(first, end - first);
}
