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
    QumColListBox1->SetCount(Current.Book() ? Current.Book()->Count() : 0);
    QumColListBox1->SetItemIndex(Current.MemoIndex());
    RepaintMemoList();
  } else if (CurrentChanged) {
    QumColListBox1->SetItemIndex(Current.MemoIndex());
  }
  ListChanged = false;
  CurrentChanged = false;
  UpdateLock = 0;
}

void TForm1::ConnectCurrentBook() {
  // The view first: the list and the actions show what the view shows.
  ::FollowCurrentBook(*ViewHost);
  connect(&Current, &TCurrentBook::BookChanged, this, [this](TBook* left) {
    if (left) left->Deactivate(*this);
    if (TBook* entered = Current.Book()) entered->Activate(*this);
  });
  connect(&Current, &TCurrentBook::MemoEntered, this, [this] {
    UpdateState(TUpdateKind::ukCurrentChanged);
    UpdateActions();
  });
  const auto listChanged = [this] { UpdateState(TUpdateKind::ukListChanged); };
  connect(&Current, &TCurrentBook::MemoInserted, this, listChanged);
  connect(&Current, &TCurrentBook::MemoRemoved, this, listChanged);
  connect(&Current, &TCurrentBook::MemoMoved, this, listChanged);
}

void TForm1::SetCurrentBook(TBook* book) {
  if (book == Current.Book()) return;
  {
    TUpdateGuard update(*this);
    Current.SetBook(book);
    if (book) {
      if (book != TrashBook.get()) Prm.LastBook = book->GetPath();
      // A book shown with no memo current would swallow the first keys typed into it.
      if (!Current.Memo()) Current.SelectMemoAt(0);
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
  Current.EnterAgain();
  ShowCurrentInPile();
  UpdateActions();
  // Whatever switched the view (a button, a menu), typing goes on in the current memo.
  if (CurrentView) CurrentView->SetPaperFocus(true);
}

void TForm1::ShowCurrentInPile() {
  if (!CurrentView || CurrentView != PileView.get()) return;
  auto* pile = static_cast<TPileView*>(PileView.get());
  if (Current.Memo())
    pile->Notify(TViewNotify::vnShowCurrent);
  else
    pile->ScrollBox()->verticalScrollBar()->setValue(0);
  pile->Control->update();
}

void TForm1::ShowCaption() {
  // The task bar tells which book is open.
  setWindowTitle(Current.Book() ? Current.Book()->GetTitle() + QStringLiteral(" - ") + Prm.WindowCaption
                                : Prm.WindowCaption);
}
