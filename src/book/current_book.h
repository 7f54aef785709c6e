#pragma once

#include "book/book.h"

#include <QObject>
#include <QString>

#include <memory>

// The current book and memo, and the one place their rules live. Whoever shows them (the views,
// the memo list) follows the signals; nobody changes the current memo or the book's memo list
// behind its back.
class TCurrentBook : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;

  TBook* Book() const { return CurrentBook; }
  TSMemo* Memo() const { return CurrentMemo; }
  // Index of the current memo in the current book, -1 when there is none.
  int MemoIndex() const;

  // The book left remembers its current memo; the new book's remembered memo becomes current.
  void SetBook(TBook* book);
  // A memo moved in from another book loses its "Transfered" mark the first time it becomes current.
  void SetMemo(TSMemo* memo);
  // -1 makes no memo current; an index past the end selects the last memo.
  void SelectMemoAt(int index);
  // Leaves the current memo and enters it again, as a newly shown view needs.
  void EnterAgain();

  // Adds a memo to the current book; returns the index used, -1 when there is no book or it refuses.
  int InsertMemo(const QString& text, int index, const TOptionList* options);
  // Deletes the memo at index; a current memo stops being current first.
  void RemoveMemo(int index);
  // Moves a memo within the book; returns its new index, -1 when nothing moved.
  int MoveMemo(int from, int to);
  // Takes the memo at index out of the book for another book; a current memo stops being current
  // first, so whoever shows it hands its text over while it is still in the book.
  std::unique_ptr<TSMemo> TakeMemo(int index);
  // Takes in a memo from another book at index (see TBook::AcceptMemo); returns the index used.
  int AcceptMemo(std::unique_ptr<TSMemo> memo, int index);

 signals:
  // Another book became current (none: null); the previous one is left.
  void BookChanged(TBook* left);
  // The current memo is about to change; index is still the current memo's.
  void MemoLeaving(int index);
  // The current memo changed; index is the new current memo's (-1: none).
  void MemoEntered(int index);
  void MemoInserted(int index);
  void MemoRemoved(int index);
  void MemoMoved(int from, int to);

 private:
  TBook* CurrentBook = nullptr;
  TSMemo* CurrentMemo = nullptr;
};
