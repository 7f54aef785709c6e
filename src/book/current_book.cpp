#include "book/current_book.h"

#include "book/book.h"
#include "book/memo.h"

int TCurrentBook::MemoIndex() const { return CurrentBook && CurrentMemo ? CurrentBook->IndexOf(CurrentMemo) : -1; }

void TCurrentBook::SetBook(TBook* book) {
  if (book == CurrentBook) return;
  TBook* left = CurrentBook;
  if (left) {
    left->LastMemo = CurrentMemo;
    SetMemo(nullptr);
  }
  CurrentBook = book;
  emit BookChanged(left);
  if (book) SetMemo(book->LastMemo);
}

void TCurrentBook::SetMemo(TSMemo* memo) {
  if (memo == CurrentMemo) return;
  Q_ASSERT(!memo || (CurrentBook && memo->Book == CurrentBook));
  emit MemoLeaving(MemoIndex());
  CurrentMemo = memo;
  if (memo) memo->SetOption(kOptTransfered, QString());
  emit MemoEntered(MemoIndex());
}

void TCurrentBook::SelectMemoAt(int index) {
  TSMemo* memo = nullptr;
  if (index >= 0 && CurrentBook && CurrentBook->Count() > 0)
    memo = CurrentBook->MemoAt(qMin(index, CurrentBook->Count() - 1));
  SetMemo(memo);
}

void TCurrentBook::EnterAgain() {
  TSMemo* memo = CurrentMemo;
  SetMemo(nullptr);
  SetMemo(memo);
}

int TCurrentBook::InsertMemo(const QString& text, int index, const TOptionList* options) {
  if (!CurrentBook) return -1;
  const int used = CurrentBook->AddMemo(text, index, options);
  if (used >= 0) emit MemoInserted(used);
  return used;
}

void TCurrentBook::RemoveMemo(int index) {
  if (!CurrentBook || index < 0 || index >= CurrentBook->Count()) return;
  if (index == MemoIndex()) SetMemo(nullptr);
  // The memo lives until the views have let go of its paper.
  const std::unique_ptr<TSMemo> removed = CurrentBook->TakeMemo(index);
  emit MemoRemoved(index);
}

int TCurrentBook::MoveMemo(int from, int to) {
  if (!CurrentBook) return -1;
  const int moved = CurrentBook->MoveMemo(from, to);
  if (moved >= 0) emit MemoMoved(from, moved);
  return moved;
}

std::unique_ptr<TSMemo> TCurrentBook::TakeMemo(int index) {
  if (!CurrentBook || index < 0 || index >= CurrentBook->Count()) return nullptr;
  if (index == MemoIndex()) SetMemo(nullptr);
  std::unique_ptr<TSMemo> memo = CurrentBook->TakeMemo(index);
  emit MemoRemoved(index);
  return memo;
}

int TCurrentBook::AcceptMemo(std::unique_ptr<TSMemo> memo, int index) {
  Q_ASSERT(CurrentBook);
  const int used = CurrentBook->AcceptMemo(std::move(memo), index);
  emit MemoInserted(used);
  return used;
}
