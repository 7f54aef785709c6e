#pragma once

#include <QSet>
#include <QStringList>
#include <QVarLengthArray>

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

// Names met so far, ignoring case, so that of options with the same name the first
// wins everywhere, as Get shows it. A memo has few options and is looked through; a
// hash takes over for many, so n names cost O(n) and never O(n²).
class TOptionNames {
 public:
  // False when the name was met before.
  bool Add(const QString& name);

 private:
  static constexpr qsizetype kFew = 16;
  QVarLengthArray<QString, kFew> Few;
  QSet<QString> Many;
};
