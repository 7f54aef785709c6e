#include "window_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

namespace {

// Answers the next modal input box: types answer and presses OK, or presses Cancel.
void AnswerInputBox(std::optional<QString> answer, QString* captionSeen, QString* promptSeen) {
  QTimer::singleShot(0, [=] {
    auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    *captionSeen = box->windowTitle();
    *promptSeen = box->labelText();
    auto* buttons = box->findChild<QDialogButtonBox*>();
    if (answer) {
      auto* field = box->findChild<QLineEdit*>();
      field->selectAll();
      QTest::keyClick(field, Qt::Key_Backspace);
      QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, *answer, Qt::NoModifier);
      QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
    } else {
      QTest::mouseClick(buttons->button(QDialogButtonBox::Cancel), Qt::LeftButton);
    }
  });
}

}  // namespace

using EditCommands = WindowTest;

TEST_F(EditCommands, TitleDialogChangesOnlyWhatTheUserChanged) {
  struct TCase {
    const char* Name;
    QString OldTitle;  // the "Title" option before
    std::optional<QString> Answer;
    QString NewTitle;
    bool Modified;
  };
  const TCase cases[] = {
      {"cancel", "名前", std::nullopt, "名前", false},
      {"unchanged derived title", "", "first line", "", false},
      {"unchanged own title", "名前", "名前", "名前", false},
      {"new title", "", "新しい名前", "新しい名前", true},
      {"empty answer", "名前", "", "", true},
  };
  Open({});
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Fill({"first line\r\nsecond"}, 0);
    Form->GetCurrent().Memo()->SetOption(kOptTitle, c.OldTitle);
    Book().Modified = false;
    QString caption, prompt;
    AnswerInputBox(c.Answer, &caption, &prompt);
    Action("acChangeMemoTitle")->trigger();
    EXPECT_EQ(caption, "メモタイトル変更");
    EXPECT_EQ(prompt, "メモのタイトルを入力してください。");
    EXPECT_EQ(Form->GetCurrent().Memo()->GetOption(kOptTitle), c.NewTitle);
    EXPECT_EQ(Form->GetCurrent().Memo()->Options.Count() > 0, !c.NewTitle.isEmpty());
    EXPECT_EQ(Book().Modified, c.Modified);
  }
}

TEST_F(EditCommands, CopyTakesTheSelectionElseTheWholeMemo) {
  Open({"one two\r\nthree", "other"}, 0);
  QPlainTextEdit* editor = PileEditor(0);
  editor->setFocus();
  QTextCursor cursor = editor->textCursor();
  cursor.setPosition(4);
  cursor.setPosition(11, QTextCursor::KeepAnchor);
  editor->setTextCursor(cursor);
  Press(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "two\nthr");

  List().setFocus();
  Press(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "one two\nthree");
}

TEST_F(EditCommands, PasteAsNewMemoPutsClipboardTextOnTop) {
  Open({"old"}, 0);
  QApplication::clipboard()->setText(" pasted\nas is ");
  Press(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Texts(Book()), QStringList({" pasted\r\nas is ", "old"}));
  EXPECT_EQ(CurrentIndex(), 0);

  QApplication::clipboard()->clear();
  Press(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Book().Count(), 2);
}

// The pasted memo goes to the top of the pile; the pile follows it there.
TEST_F(EditCommands, PasteAsNewMemoBringsTheNewMemoIntoSight) {
  QStringList texts;
  for (int i = 0; i < 30; ++i) texts << QStringLiteral("memo %1\r\nsecond line\r\nthird line").arg(i);
  Open(texts, -1, QSize(500, 400));
  Enter(0, 0);
  Press(Qt::Key_Down, Qt::AltModifier | Qt::ShiftModifier);
  ASSERT_GT(ScrollPos(), 0);
  QApplication::clipboard()->setText(QStringLiteral("pasted"));
  Press(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_EQ(CurrentIndex(), 0);
  EXPECT_EQ(ScrollPos(), 0);
}

TEST_F(EditCommands, DateTimeCutAndPasteWorkOnTheFocusedEditor) {
  Open({"abc"}, 0);
  QPlainTextEdit* editor = PileEditor(0);
  editor->setFocus();
  editor->moveCursor(QTextCursor::Start);
  Press(Qt::Key_Semicolon, Qt::ControlModifier);
  EXPECT_TRUE(QRegularExpression("^\\d{4}/\\d{2}/\\d{2}abc$").match(Form->GetCurrent().Memo()->Text).hasMatch())
      << Form->GetCurrent().Memo()->Text.toStdString();
  editor->moveCursor(QTextCursor::Start);
  Press(Qt::Key_Colon, Qt::ControlModifier);
  EXPECT_TRUE(QRegularExpression("^\\d{1,2}:\\d{2}:\\d{2}\\d{4}/").match(Form->GetCurrent().Memo()->Text).hasMatch())
      << Form->GetCurrent().Memo()->Text.toStdString();

  // Cut and paste through their menu entries: the selection goes to the clipboard and back.
  editor->selectAll();
  Action("EditCut1Item")->trigger();
  EXPECT_EQ(Form->GetCurrent().Memo()->Text, "");
  Action("EditPaste1Item")->trigger();
  Action("EditPaste1Item")->trigger();
  EXPECT_EQ(Form->GetCurrent().Memo()->Text.count("abc"), 2);

  // Without an edit control in focus the stamps change nothing.
  List().setFocus();
  const QString before = Form->GetCurrent().Memo()->Text;
  Press(Qt::Key_Semicolon, Qt::ControlModifier);
  EXPECT_EQ(Form->GetCurrent().Memo()->Text, before);
}
