#pragma once

#include "book/memo.h"
#include "book/option_list.h"
#include "book/persistent.h"

#include <QtGlobal>
#include <memory>
#include <vector>

class TBookHost;

// How a book's file was read by its last Load.
enum class TBookForm : quint8 {
  Xml,          // the XML form, as this program writes it
  EarlierForm,  // the earlier line-oriented form
  PlainText,    // no book at all: a new book holding the text
  Repaired,     // a damaged XML form, read up to the damage (see LoadNote)
};

// An ordered, owning list of memos stored as one ".vopa" file; index 0 is the top.
class TBook : public TQumFile {
 public:
  TBook() = default;
  TBook(const TBook&) = delete;
  TBook& operator=(const TBook&) = delete;

  bool Save() override;
  bool Load() override;
  void New() override;

  // Called when the book becomes / stops being the current book; tells the host which kind of book
  // it shows or stops showing.
  virtual void Activate(TBookHost& host);
  virtual void Deactivate(TBookHost& host);
  // Takes in a memo moved from another book at index (0 or more, past the end appends);
  // returns the index used.
  virtual int AcceptMemo(std::unique_ptr<TSMemo> memo, int index);
  // Hands the memo at index over to the caller; the book no longer holds or remembers it.
  std::unique_ptr<TSMemo> TakeMemo(int index);

  int AddMemo(const QString& text, int index, const TOptionList* options = nullptr);
  void DeleteMemo(int index);
  int MoveMemo(int from, int to);

  int Count() const { return int(Memos.size()); }
  TSMemo* MemoAt(int index) const {
    Q_ASSERT(index >= 0 && index < Count());
    return Memos[size_t(index)].get();
  }
  int IndexOf(const TSMemo* memo) const;

  std::vector<std::unique_ptr<TSMemo>> Memos;
  TOptionList Options;
  TSMemo* LastMemo = nullptr;
  TBookForm LoadedForm = TBookForm::Xml;
};
