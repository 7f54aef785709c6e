#include "fuzz_support.h"

#include "book/book.h"
#include "book/xml_text_codec.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// What the writer keeps of an option list; "SaveVirsion" is the writer's own.
QStringList Shown(const TOptionList& options) {
  QStringList shown;
  TOptionNames names;
  for (int i = 0; i < options.Count(); ++i) {
    const QString name = options.NameAt(i);
    if (!IsXmlName(name) || !names.Add(name) || name.compare(QStringLiteral("SaveVirsion"), Qt::CaseInsensitive) == 0)
      continue;
    // An attribute with an empty value sets nothing when it is read.
    if (!options.ValueAt(i).isEmpty()) shown.append(name + u'=' + options.ValueAt(i));
  }
  return shown;
}

// Where two texts part, for the report of a failed check.
void RequireSameText(const QString& read, const QString& back, const char* what) {
  if (read == back) return;
  qsizetype at = 0;
  while (at < read.size() && at < back.size() && read[at] == back[at]) ++at;
  std::fprintf(stderr, "texts of %lld and %lld characters part at %lld:\n", qlonglong(read.size()),
               qlonglong(back.size()), qlonglong(at));
  for (const QString* text : {&read, &back}) {
    for (const QChar c : text->mid(std::max<qsizetype>(0, at - 4), 12)) std::fprintf(stderr, " %04X", c.unicode());
    std::fprintf(stderr, "\n");
  }
  Require(false, what);
}

}  // namespace

QString FuzzDir() {
  static QTemporaryDir dir;
  return dir.path() + u'/';
}

QString WriteInput(const char* name, const uint8_t* data, size_t size) {
  const QString path = FuzzDir() + QString::fromLatin1(name);
  QFile file(path);
  Require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "input written");
  Require(file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size), "input written");
  return path;
}

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "check failed: %s\n", what);
  std::abort();
}

void RequireRoundTrip(TBook& book) {
  book.SetPath(FuzzDir() + QStringLiteral("saved.vopa"));
  book.Save();
  TBook again;
  again.SetPath(book.GetPath());
  Require(again.Load(), "saved book loads");
  Require(again.LoadedForm == TBookForm::Xml, "saved book is the XML form");
  Require(Shown(again.Options) == Shown(book.Options), "book options come back");
  int read = 0;
  for (const auto& memo : book.Memos) {
    if (memo->Text.isEmpty()) continue;  // memos without text are not written
    Require(read < again.Count(), "every memo with text comes back");
    const TSMemo& back = *again.MemoAt(read++);
    RequireSameText(memo->Text, back.Text, "memo text comes back");
    Require(Shown(back.Options) == Shown(memo->Options), "memo options come back");
  }
  Require(read == again.Count(), "no memo comes back that was not there");
}
