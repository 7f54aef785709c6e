#pragma once

#include "book/option_list.h"

#include <QString>

class TBook;

// One memo: its book (not owned), its options and its text with CR LF line breaks.
class TSMemo {
 public:
  explicit TSMemo(TBook* book) : Book(book) {}

  QString GetOption(const QString& name) const { return Options.Get(name); }
  // Sets (or deletes, for "") an option; touches the memo only when the value changes.
  void SetOption(const QString& name, const QString& value);
  // Takes over edited text trimmed as TrimMemoText does (the first line keeps its
  // indentation); touches only on change.
  void SetText(const QString& text);
  // Marks the book modified.
  void Touch();

  TBook* Book;
  TOptionList Options;
  QString Text;
};

// The title shown for a memo in the list and wherever a memo is named.
QString MemoTitle(const TSMemo& memo);

// Memo option names.
inline const QString kOptType = QStringLiteral("Type");
inline const QString kOptTitle = QStringLiteral("Title");
inline const QString kOptTrashDateTime = QStringLiteral("TrashDateTime");
inline const QString kOptTransfered = QStringLiteral("Transfered");
inline const QString kOptImported = QStringLiteral("Imported");
