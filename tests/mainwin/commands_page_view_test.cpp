#include "commands_window.h"

#include "view/colors.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QWheelEvent>

class PageViewCommands : public TWindowTest {
 protected:
  // One wheel notch over widget; Shift is held as a real key, the way the dispatcher reads it.
  void Wheel(QWidget* widget, bool up, bool shift = false) {
    if (shift) QTest::keyPress(widget, Qt::Key_Shift);
    const QPointF at(widget->width() / 2, widget->height() / 2);
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, up ? 120 : -120), Qt::NoButton,
                      shift ? Qt::ShiftModifier : Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
    if (shift) QTest::keyRelease(widget, Qt::Key_Shift, Qt::ShiftModifier);
  }
  QWidget* MemoList() const { return Child<QWidget>("QumColListBox1"); }
};

TEST_F(PageViewCommands, UpAndDownMoveTheCaretButNeverTheMemo) {
  Fill({"A", "a\r\nb\r\nc", "C"}, 1);
  ShowPage();
  QPlainTextEdit* editor = PageEditor();
  editor->setFocus();
  editor->moveCursor(QTextCursor::Start);
  for (int press = 0; press < 5; ++press) Key(Qt::Key_Down);
  EXPECT_EQ(Form->CurrentMemoIndex(), 1);
  EXPECT_EQ(editor->textCursor().blockNumber(), 3);
  for (int press = 0; press < 5; ++press) Key(Qt::Key_Up);
  EXPECT_EQ(Form->CurrentMemoIndex(), 1);
  EXPECT_EQ(editor->textCursor().blockNumber(), 0);
}

TEST_F(PageViewCommands, WheelScrollsAFocusedEditorElseGoesToAnotherMemo) {
  QStringList lines;
  for (int line = 0; line < 80; ++line) lines << QStringLiteral("line %1").arg(line);
  Fill({"A", lines.join("\r\n"), "C", "D"}, 1);
  ShowPage();
  QPlainTextEdit* editor = PageEditor();
  editor->setFocus();
  QScrollBar* bar = editor->verticalScrollBar();
  ASSERT_EQ(bar->value(), 0);
  Wheel(editor->viewport(), false);
  EXPECT_EQ(bar->value(), 3);
  Wheel(editor->viewport(), true);
  EXPECT_EQ(bar->value(), 0);
  EXPECT_EQ(Form->CurrentMemoIndex(), 1);

  MemoList()->setFocus();
  struct TStep {
    bool Up, Shift;
    int Current;
  };
  for (const TStep& step : {TStep{false, false, 2}, TStep{true, false, 1}, TStep{false, true, 3}, TStep{true, true, 0}}) {
    Wheel(editor->viewport(), step.Up, step.Shift);
    EXPECT_EQ(Form->CurrentMemoIndex(), step.Current) << step.Up << step.Shift;
  }
}

TEST_F(PageViewCommands, TypingIntoAnEmptyBookCreatesAMemoAtTheTop) {
  Fill({}, -1);
  ShowPage();
  QPlainTextEdit* editor = PageEditor();
  Click(editor->viewport());
  QTest::keyClicks(editor, "x");
  ASSERT_EQ(Texts(Book()), QStringList({"x"}));
  EXPECT_EQ(Form->CurrentMemoIndex(), 0);
  EXPECT_EQ(editor->textCursor().position(), 1);
  QTest::keyClicks(editor, "y");
  EXPECT_EQ(Texts(Book()), QStringList({"xy"}));
}

TEST_F(PageViewCommands, AnotherMemoTakesTheFocusAwayAndANewMemoGetsIt) {
  Fill({"A", "B"}, 0);
  ShowPage();
  QPlainTextEdit* editor = PageEditor();
  editor->setFocus();
  Key(Qt::Key_Down, Qt::AltModifier);
  EXPECT_EQ(Form->CurrentMemoIndex(), 1);
  EXPECT_FALSE(editor->hasFocus());
  Key(Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(Texts(Book()), QStringList({"", "A", "B"}));
  EXPECT_EQ(Form->CurrentMemoIndex(), 0);
  EXPECT_TRUE(editor->hasFocus());
}

TEST_F(PageViewCommands, SplitAndJoinDoNothing) {
  Fill({"A", "first\r\nsecond"}, 1);
  ShowPage();
  PageEditor()->setFocus();
  PageEditor()->moveCursor(QTextCursor::Start);
  EXPECT_FALSE(Action("acDevide")->isEnabled());
  EXPECT_FALSE(Action("acJoint")->isEnabled());
  Key(Qt::Key_Return, Qt::ControlModifier);
  Key(Qt::Key_J, Qt::ControlModifier);
  EXPECT_EQ(Texts(Book()), QStringList({"A", "first\r\nsecond"}));
  EXPECT_EQ(Form->CurrentMemoIndex(), 1);
}

TEST_F(PageViewCommands, SwitchingViewsKeepsTheCurrentMemoMarked) {
  Fill({"A", "B", "C"}, 1);
  ShowPage();
  EXPECT_EQ(PageEditor()->toPlainText().trimmed(), "B");
  EXPECT_TRUE(PageEditor()->isVisible());
  EXPECT_EQ(Form->CurrentMemoIndex(), 1);
  Click(Child<QAbstractButton>("miniPageBtn"));
  ASSERT_EQ(Form->CurrentView, Form->PileView.get());
  EXPECT_FALSE(PageEditor()->isVisible());
  EXPECT_EQ(Form->CurrentMemoIndex(), 1);
  const QColor active = ToQColor(Form->Prm.ActivePaperColors.BackColor);
  EXPECT_EQ(PileEditor(1)->palette().color(QPalette::Base), active);
  EXPECT_NE(PileEditor(0)->palette().color(QPalette::Base), active);
}

TEST_F(PageViewCommands, ABookWithoutRememberedMemoShowsItsFirstMemoOnlyInThePageView) {
  for (const bool page : {false, true}) {
    SCOPED_TRACE(page ? "page view" : "pile view");
    Fill({"A", "B"}, 0);
    TBook* book = &Book();
    Key(Qt::Key_Delete, Qt::ControlModifier);  // a memo moved in makes the trash forget its current memo
    if (page) ShowPage();
    Action("acOpenTrash")->trigger();
    EXPECT_EQ(Form->CurrentMemoIndex(), page ? 0 : -1);
    Click(Child<QAbstractButton>("miniPageBtn"));
    Form->SetCurrentBook(book);
  }
}
