#include "mainwin/main_window.h"

#include "book/book.h"
#include "book/memo.h"
#include "book/trash_book.h"
#include "mainwin/memo_list_box.h"
#include "view/pile_view.h"
#include "view/view.h"

#include <QLabel>
#include <QScrollBar>
#include <climits>

void TForm1::UpdateState(TUpdateKind kind) {
  using enum TUpdateKind;
  switch (kind) {
    case ukBegin:
      ++UpdateLock;
      break;
    case ukEnd:
      // An end after a flush has nothing left to end.
      if (UpdateLock > 0) --UpdateLock;
      break;
    case ukFlush:
      UpdateLock = 0;
      break;
    case ukCurrentChanged:
      CurrentChanged = true;
      break;
    case ukListChanged:
      ListChanged = true;
      break;
  }
  if (UpdateLock > 0) return;
  if (ListChanged) {
    QumColListBox1->SetCount(CurrentBook ? CurrentBook->Count() : 0);
    QumColListBox1->SetItemIndex(CurrentMemoIndex());
    RepaintMemoList();
  } else if (CurrentChanged) {
    QumColListBox1->SetItemIndex(CurrentMemoIndex());
  }
  ListChanged = false;
  CurrentChanged = false;
  UpdateLock = 0;
}

int TForm1::CurrentMemoIndex() const { return CurrentBook && CurrentMemo ? CurrentBook->IndexOf(CurrentMemo) : -1; }

void TForm1::SetCurrentMemo(TSMemo* memo) {
  if (memo == CurrentMemo) return;
  if (CurrentView) CurrentView->MemoChanged(TViewNotify::vnLeave, CurrentMemoIndex(), -1);
  CurrentMemo = memo;
  // A memo moved in from another book loses its mark the first time it becomes current.
  if (memo) memo->SetOption(kOptTransfered, QString());
  if (CurrentView) CurrentView->MemoChanged(TViewNotify::vnEnter, CurrentMemoIndex(), -1);
  UpdateState(TUpdateKind::ukCurrentChanged);
  UpdateActions();
}

void TForm1::SelectMemoAt(int index) {
  TSMemo* memo = nullptr;
  if (index >= 0 && CurrentBook && CurrentBook->Count() > 0)
    memo = CurrentBook->MemoAt(qMin(index, CurrentBook->Count() - 1));
  SetCurrentMemo(memo);
}

void TForm1::SetCurrentBook(TBook* book) {
  if (book == CurrentBook) return;
  {
    TUpdateGuard update(*this);
    if (CurrentBook) {
      CurrentBook->LastMemo = CurrentMemo;
      SetCurrentMemo(nullptr);
      CurrentBook->Deactivate(*this);
    }
    if (CurrentView) CurrentView->SetBook(book);
    CurrentBook = book;
    if (book) {
      if (book != TrashBook.get()) Prm.LastBook = book->GetPath();
      book->Activate(*this);
      SetCurrentMemo(book->LastMemo);
      // A book shown with no memo current would swallow the first keys typed into it.
      if (!CurrentMemo) SelectMemoAt(0);
      UpdateState(TUpdateKind::ukListChanged);
      QumColListBox1->setEnabled(true);
      Panel5->setText(book->GetTitle());
      ShowBookInFolders(book);
    } else {
      QumColListBox1->SetCount(0);
      QumColListBox1->setEnabled(false);
      Panel5->clear();
    }
  }
  ShowCaption();
  // Some actions depend on the book itself (the page view is refused in the trash), even
  // when no memo becomes current.
  UpdateActions();
  ShowCurrentInPile();
}

void TForm1::SetCurrentView(TView* view) {
  if (view == CurrentView) return;
  if (CurrentView) CurrentView->Deactivate();
  CurrentView = view;
  if (view) view->Activate();
  TSMemo* memo = CurrentMemo;
  SetCurrentMemo(nullptr);
  SetCurrentMemo(memo);
  ShowCurrentInPile();
  UpdateActions();
  // Whatever switched the view (a button, a menu), typing goes on in the current memo.
  if (CurrentView) CurrentView->SetPaperFocus(true);
}

void TForm1::ShowCurrentInPile() {
  if (!CurrentView || CurrentView != PileView.get()) return;
  auto* pile = static_cast<TPileView*>(PileView.get());
  if (CurrentMemo)
    pile->Notify(TViewNotify::vnShowCurrent);
  else
    pile->ScrollBox()->verticalScrollBar()->setValue(0);
  pile->Control->update();
}

int TForm1::InsertMemo(const QString& text, int index, const TOptionList* options) {
  if (!CurrentBook) return -1;
  const int used = CurrentBook->AddMemo(text, index, options);
  if (used < 0) return used;
  if (CurrentView) CurrentView->MemoChanged(TViewNotify::vnInserted, used, -1);
  UpdateState(TUpdateKind::ukListChanged);
  return used;
}

void TForm1::RemoveMemo(int index) {
  if (!CurrentBook || index < 0 || index >= CurrentBook->Count()) return;
  if (index == CurrentMemoIndex()) SetCurrentMemo(nullptr);
  CurrentBook->DeleteMemo(index);
  if (CurrentView) CurrentView->MemoChanged(TViewNotify::vnDeleted, index, -1);
  UpdateState(TUpdateKind::ukListChanged);
}

void TForm1::ShowCaption() {
  // The task bar tells which book is open.
  setWindowTitle(CurrentBook ? CurrentBook->GetTitle() + QStringLiteral(" - ") + Prm.WindowCaption : Prm.WindowCaption);
}
