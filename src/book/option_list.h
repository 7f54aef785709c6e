#pragma once

#include <QStringList>

// Name=Value lines of a memo or a book. Names are looked up ignoring case,
// a missing name reads as "", and setting "" deletes the line.
class TOptionList {
 public:
  QString Get(const QString& name) const;
  // Replaces the value in place or appends a line; "" deletes. True when the list changed.
  bool Set(const QString& name, const QString& value);
  // Appends a raw line as it was read from a file.
  void AddLine(const QString& line) { Lines.append(line); }
  int Count() const { return Lines.size(); }
  QString NameAt(int index) const;
  QString ValueAt(int index) const;
  bool operator==(const TOptionList&) const = default;

  QStringList Lines;

 private:
  int IndexOf(const QString& name) const;
};
