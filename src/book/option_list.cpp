#include "book/option_list.h"

namespace {

// A line without "=" has no name, as the option lines have always been read.
qsizetype SeparatorOf(const QString& line) { return line.indexOf(QLatin1Char('=')); }

}  // namespace

QString TOptionList::NameAt(int index) const {
  const QString& line = Lines[index];
  const qsizetype separator = SeparatorOf(line);
  return separator < 0 ? QString() : line.left(separator);
}

QString TOptionList::ValueAt(int index) const {
  const QString& line = Lines[index];
  const qsizetype separator = SeparatorOf(line);
  return separator < 0 ? QString() : line.mid(separator + 1);
}

int TOptionList::IndexOf(const QString& name) const {
  for (int i = 0; i < Lines.size(); ++i) {
    const QString& line = Lines[i];
    const qsizetype separator = SeparatorOf(line);
    if (separator >= 0 && QStringView(line).left(separator).compare(name, Qt::CaseInsensitive) == 0) return i;
  }
  return -1;
}

QString TOptionList::Get(const QString& name) const {
  const int index = IndexOf(name);
  return index < 0 ? QString() : ValueAt(index);
}

bool TOptionList::Set(const QString& name, const QString& value) {
  const int index = IndexOf(name);
  if (value.isEmpty()) {
    if (index < 0) return false;
    Lines.removeAt(index);
    return true;
  }
  if (index < 0) {
    Lines.append(name + QLatin1Char('=') + value);
    return true;
  }
  // The stored name keeps its letter case; only the value is replaced.
  const QString line = NameAt(index) + QLatin1Char('=') + value;
  if (Lines[index] == line) return false;
  Lines[index] = line;
  return true;
}

bool TOptionNames::Add(const QString& name) {
  if (Many.isEmpty()) {
    for (const QString& seen : Few)
      if (seen.compare(name, Qt::CaseInsensitive) == 0) return false;
    if (Few.size() < kFew) {
      Few.append(name);
      return true;
    }
    for (const QString& seen : Few) Many.insert(seen.toCaseFolded());
  }
  const qsizetype before = Many.size();
  Many.insert(name.toCaseFolded());
  return Many.size() != before;
}
