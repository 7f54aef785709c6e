#include "mainwin/main_window.h"

#include "book/book.h"
#include "book/memo.h"
#include "book/trash_book.h"
#include "view/view.h"

#include <QAction>
#include <QApplication>
#include <climits>

namespace {

// Wheel and previous/next become first/last while Shift is held; a new memo is inserted.
TMemoCommand Remapped(TMemoCommand code, bool shiftHeld) {
  switch (code) {
    case mcWheelUp:
    case mcPrevious:
      return shiftHeld ? mcFirst : mcPrevious;
    case mcWheelDown:
    case mcNext:
      return shiftHeld ? mcLast : mcNext;
    case mcNewMemo:
      return mcInsertNew;
    default:
      return code;
  }
}

int MoveTarget(TMemoCommand code, int index) {
  switch (code) {
    case mcMoveTop:
      return 0;
    case mcMoveUp:
      return index - 1;
    case mcMoveDown:
      return index + 1;
    default:
      return INT_MAX;
  }
}

}  // namespace

void TForm1::DoMemoCommand(TMemoCommand code) {
  // From start-up to shut-down a book is always current; only the shut-down leaves none.
  Q_ASSERT(Current.Book());
  TUpdateGuard update(*this);
  if (CurrentView) CurrentView->BeforeCommand(code);
  if (IsConsumed(code)) return;
  code = Remapped(code, ShiftHeld());
  const int index = Current.MemoIndex();
  switch (code) {
    case mcInsertNew:
      if (Current.InsertMemo(QString(), 0, nullptr) >= 0) Current.SelectMemoAt(0);
      break;
    case mcFirst:
      Current.SelectMemoAt(0);
      break;
    case mcPrevious:
      if (index > 0) Current.SelectMemoAt(index - 1);
      break;
    case mcNext:
      Current.SelectMemoAt(index + 1);
      break;
    case mcLast:
      Current.SelectMemoAt(INT_MAX);
      break;
    case mcNoMemo:
      Current.SetMemo(nullptr);
      break;
    case mcMoveTop:
    case mcMoveUp:
    case mcMoveDown:
    case mcMoveBottom:
      Current.MoveMemo(index, MoveTarget(code, index));
      break;
    default:
      break;
  }
  if (CurrentView) CurrentView->AfterCommand(code);
  // The list shows the command's result now, even inside an update someone else holds.
  UpdateState(TUpdateKind::ukFlush);
  UpdateActions();
}

bool TForm1::ShiftHeld() const {
  return (InputModifiers | QApplication::keyboardModifiers()).testFlag(Qt::ShiftModifier);
}

Qt::MouseButtons TForm1::HeldButtons() const { return InputButtons | QApplication::mouseButtons(); }

void TForm1::UpdateActions() {
  const int index = Current.MemoIndex();
  const bool haveMemo = Current.Book() && Current.Memo();
  const bool inPile = CurrentView && CurrentView == PileView.get();
  const bool textMemo = Current.Memo() && Current.Memo()->GetOption(kOptType) != QLatin1String("AA");
  Actions.acTrashMemo->setEnabled(haveMemo);
  Actions.acMoveUp->setEnabled(Current.Book() && index > 0);
  Actions.acMoveDown->setEnabled(haveMemo && index < Current.Book()->Count() - 1);
  Actions.acDevide->setEnabled(haveMemo && inPile && textMemo);
  Actions.acJoint->setEnabled(Current.Book() && index > 0 && inPile && textMemo);
  Actions.acChangetoPageView->setEnabled(Current.Book() != TrashBook.get());
  // Nothing to write without a book.
  Actions.acSaveAsText->setEnabled(Current.Book() != nullptr);
}
