#include "mainwin/main_window.h"

#include "book/book.h"
#include "book/memo.h"
#include "book/memo_type.h"
#include "book/text_trim.h"
#include "book/trash_book.h"
#include "mainwin/memo_list_box.h"
#include "view/paper_text.h"
#include "view/view.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>

namespace {

// The same date and time forms as the dates in book files.
const QString kShortDateFormat = QStringLiteral("yyyy/MM/dd");
const QString kLongTimeFormat = QStringLiteral("H:mm:ss");

// The edit control with the keyboard focus: a memo editor or a one-line field.
struct TFocusedEdit {
  QPlainTextEdit* Memo = qobject_cast<QPlainTextEdit*>(QApplication::focusWidget());
  QLineEdit* Line = qobject_cast<QLineEdit*>(QApplication::focusWidget());

  bool Exists() const { return Memo || Line; }
  bool HasSelection() const { return Memo ? Memo->textCursor().hasSelection() : Line && Line->hasSelectedText(); }
  void Copy() const { Memo ? Memo->copy() : Line->copy(); }
  void Cut() const { Memo ? Memo->cut() : Line->cut(); }
  void Paste() const { Memo ? Memo->paste() : Line->paste(); }
  // Replaces the selection, or inserts at the caret.
  void Insert(const QString& text) const { Memo ? Memo->insertPlainText(text) : Line->insert(text); }
};

void InsertNow(const QString& format, bool date) {
  const TFocusedEdit edit;
  if (!edit.Exists()) return;
  const QDateTime now = QDateTime::currentDateTime();
  edit.Insert(date ? now.date().toString(format) : now.time().toString(format));
}

}  // namespace

void TForm1::ConnectDirectCommands() {
  connect(Actions.acTrashMemo, &QAction::triggered, this, &TForm1::acTrashMemoExecute);
  connect(Actions.acChangeMemoTitle, &QAction::triggered, this, &TForm1::acChangeMemoTitleExecute);
  connect(Actions.acCopy, &QAction::triggered, this, &TForm1::acCopyExecute);
  connect(Actions.acPastAsNewMemo, &QAction::triggered, this, &TForm1::acPastAsNewMemoExecute);
  connect(Actions.EditCut1, &QAction::triggered, this, [] {
    if (const TFocusedEdit edit; edit.Exists()) edit.Cut();
  });
  connect(Actions.EditPaste1, &QAction::triggered, this, [] {
    if (const TFocusedEdit edit; edit.Exists()) edit.Paste();
  });
  connect(Actions.acInputDate, &QAction::triggered, this, [] { InsertNow(kShortDateFormat, true); });
  connect(Actions.acInputTime, &QAction::triggered, this, [] { InsertNow(kLongTimeFormat, false); });
  connect(Actions.acEnAA, &QAction::triggered, this, &TForm1::acEnAAExecute);
  connect(Actions.FileExit1, &QAction::triggered, this, &QWidget::close);
  connect(Actions.acOpenTrash, &QAction::triggered, this, [this] { SetCurrentBook(TrashBook.get()); });
}

void TForm1::acTrashMemoExecute() {
  // The action is enabled only while a memo is current.
  Q_ASSERT(Current.Book() && Current.Memo());
  if (Current.Book() == TrashBook.get())
    DeleteCurrentMemo();
  else
    MoveCurrentMemoTo(TrashBook.get());
}

void TForm1::DeleteCurrentMemo() {
  const int index = Current.MemoIndex();
  if (index < 0) return;
  TUpdateGuard update(*this);
  Current.RemoveMemo(index);
  Current.SelectMemoAt(index);
}

void TForm1::MoveCurrentMemoTo(TBook* target) {
  const int index = Current.MemoIndex();
  if (!target || target == Current.Book() || index < 0) return;
  TUpdateGuard update(*this);
  target->AcceptMemo(Current.TakeMemo(index), 0);
  Current.SelectMemoAt(index);
}

void TForm1::acChangeMemoTitleExecute() {
  if (!Current.Memo()) return;
  const QString old = MemoTitle(*Current.Memo());
  bool accepted = false;
  const QString title =
      QInputDialog::getText(this, QStringLiteral("メモタイトル変更"),
                            QStringLiteral("メモのタイトルを入力してください。"), QLineEdit::Normal, old, &accepted);
  // An empty title removes the option, so the list falls back to the memo's own title.
  if (accepted && title != old) Current.Memo()->SetOption(kOptTitle, title);
  RepaintMemoList();
}

void TForm1::acCopyExecute() {
  if (const TFocusedEdit edit; edit.HasSelection())
    edit.Copy();
  else if (Current.Memo())
    QApplication::clipboard()->setText(ToEditorText(Current.Memo()->Text));
}

void TForm1::acPastAsNewMemoExecute() {
  const QString text = QApplication::clipboard()->text();
  if (text.isEmpty()) return;
  const int index = Current.InsertMemo(ToMemoText(text), 0, nullptr);
  if (index < 0) return;
  Current.SelectMemoAt(index);
  // The new memo is at the top; the pile may be scrolled far from it.
  ShowCurrentInPile();
}

void TForm1::acEnAAExecute() {
  TSMemo* memo = Current.Memo();
  if (!memo) return;
  if (memo->GetOption(kOptType) == kTypeAAMemo)
    SetMemoType(memo, kTypeTextMemo);
  else if (!TrimControls(memo->Text.trimmed()).isEmpty())
    SetMemoType(memo, kTypeAAMemo);  // a blank memo has no picture to show
}

void TForm1::SetMemoType(TSMemo* memo, const QString& typeText) {
  if (memo->GetOption(kOptType) == typeText) return;
  memo->SetOption(kOptType, typeText);
  if (CurrentView) CurrentView->MemoTypeChanged(memo, MemoTypeOf(typeText));
  RepaintMemoList();
  UpdateActions();
}

void TForm1::EmptyTrash() {
  // The panel is shown only with the trash, but never empty another book by mistake.
  if (!Current.Book() || Current.Book() != TrashBook.get() || Current.Book()->Count() == 0) return;
  // Nothing comes back from here: ask first, with No for a hasty Enter.
  const QString question = QStringLiteral("ごみ箱の %1 件のメモを完全に削除しますか？").arg(Current.Book()->Count());
  if (QMessageBox::question(this, Prm.WindowCaption, question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) !=
      QMessageBox::Yes)
    return;
  TUpdateGuard update(*this);
  for (int index = Current.Book()->Count() - 1; index >= 0; --index) Current.RemoveMemo(index);
}
