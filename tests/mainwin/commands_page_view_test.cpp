#include "window_fixture.h"

#include "view/colors.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>

using PageViewCommands = WindowTest;

TEST_F(PageViewCommands, UpAndDownMoveTheCaretButNeverTheMemo) {
  Open({"A", "a\r\nb\r\nc", "C"}, 1);
  ShowPage();
  QPlainTextEdit* editor = PageEditor();
  // The window's actions take the keys whether the page or the memo list has the focus.
  QSignalSpy ups(Action("acUp"), &QAction::triggered);
  QSignalSpy downs(Action("acDown"), &QAction::triggered);
  for (QWidget* focus : {static_cast<QWidget*>(editor), static_cast<QWidget*>(&List())}) {
    SCOPED_TRACE(focus->objectName().toStdString());
    focus->setFocus();
    editor->moveCursor(QTextCursor::Start);
    ups.clear();
    downs.clear();
    for (int press = 0; press < 5; ++press) Press(Qt::Key_Down);
    EXPECT_EQ(downs.count(), 5);
    EXPECT_EQ(CurrentIndex(), 1);
    EXPECT_EQ(editor->textCursor().blockNumber(), 3);
    for (int press = 0; press < 5; ++press) Press(Qt::Key_Up);
    EXPECT_EQ(ups.count(), 5);
    EXPECT_EQ(CurrentIndex(), 1);
    EXPECT_EQ(editor->textCursor().blockNumber(), 0);
    EXPECT_TRUE(focus->hasFocus());
  }
}

TEST_F(PageViewCommands, WheelScrollsAFocusedEditorElseGoesToAnotherMemo) {
  QStringList lines;
  for (int line = 0; line < 80; ++line) lines << QStringLiteral("line %1").arg(line);
  Open({"A", lines.join("\r\n"), "C", "D"}, 1);
  ShowPage();
  QPlainTextEdit* editor = PageEditor();
  editor->setFocus();
  QScrollBar* bar = editor->verticalScrollBar();
  ASSERT_EQ(bar->value(), 0);
  Wheel(-1, Qt::NoModifier, editor->viewport());
  EXPECT_EQ(bar->value(), 3);
  Wheel(1, Qt::NoModifier, editor->viewport());
  EXPECT_EQ(bar->value(), 0);
  EXPECT_EQ(CurrentIndex(), 1);

  List().setFocus();
  struct TStep {
    int Notches;
    Qt::KeyboardModifiers Modifiers;
    int Current;
  };
  for (const TStep& step : {TStep{-1, Qt::NoModifier, 2}, TStep{1, Qt::NoModifier, 1}, TStep{-1, Qt::ShiftModifier, 3},
                            TStep{1, Qt::ShiftModifier, 0}}) {
    Wheel(step.Notches, step.Modifiers, editor->viewport());
    EXPECT_EQ(CurrentIndex(), step.Current) << step.Notches << " " << step.Modifiers.toInt();
  }
}

// Disabled until the page paper judges the middle button by the wheel event that led to the
// command: it asks QGuiApplication::mouseButtons(), which knows only of presses it has seen.
TEST_F(PageViewCommands, WheelWithTheMiddleButtonHeldGoesToAnotherMemoOverAFocusedEditor) {
  QStringList lines;
  for (int line = 0; line < 80; ++line) lines << QStringLiteral("line %1").arg(line);
  Open({"A", lines.join("\r\n"), "C"}, 1);
  ShowPage();
  QPlainTextEdit* editor = PageEditor();
  editor->setFocus();
  Wheel(-1, Qt::NoModifier, editor->viewport(), Qt::MiddleButton);
  EXPECT_EQ(CurrentIndex(), 2);
  Wheel(1, Qt::NoModifier, editor->viewport(), Qt::MiddleButton);
  EXPECT_EQ(CurrentIndex(), 1);
  EXPECT_EQ(editor->verticalScrollBar()->value(), 0);
}

TEST_F(PageViewCommands, TypingIntoAnEmptyBookCreatesAMemoAtTheTop) {
  Open({});
  ShowPage();
  QPlainTextEdit* editor = PageEditor();
  Click(editor->viewport());
  QTest::keyClicks(editor, "x");
  ASSERT_EQ(Texts(Book()), QStringList({"x"}));
  EXPECT_EQ(CurrentIndex(), 0);
  EXPECT_EQ(editor->textCursor().position(), 1);
  QTest::keyClicks(editor, "y");
  EXPECT_EQ(Texts(Book()), QStringList({"xy"}));
}

TEST_F(PageViewCommands, AnotherMemoTakesTheFocusAwayAndANewMemoGetsIt) {
  Open({"A", "B"}, 0);
  ShowPage();
  QPlainTextEdit* editor = PageEditor();
  editor->setFocus();
  Press(Qt::Key_Down, Qt::AltModifier);
  EXPECT_EQ(CurrentIndex(), 1);
  EXPECT_FALSE(editor->hasFocus());
  Press(Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(Texts(Book()), QStringList({"", "A", "B"}));
  EXPECT_EQ(CurrentIndex(), 0);
  EXPECT_TRUE(editor->hasFocus());
}

TEST_F(PageViewCommands, SplitAndJoinDoNothing) {
  Open({"A", "first\r\nsecond"}, 1);
  ShowPage();
  PageEditor()->setFocus();
  PageEditor()->moveCursor(QTextCursor::Start);
  EXPECT_FALSE(Action("acDevide")->isEnabled());
  EXPECT_FALSE(Action("acJoint")->isEnabled());
  Press(Qt::Key_Return, Qt::ControlModifier);
  Press(Qt::Key_J, Qt::ControlModifier);
  EXPECT_EQ(Texts(Book()), QStringList({"A", "first\r\nsecond"}));
  EXPECT_EQ(CurrentIndex(), 1);
}

TEST_F(PageViewCommands, SwitchingViewsKeepsTheCurrentMemoMarked) {
  Open({"A", "B", "C"}, 1);
  ShowPage();
  EXPECT_EQ(PageEditor()->toPlainText().trimmed(), "B");
  EXPECT_TRUE(PageEditor()->isVisible());
  EXPECT_EQ(CurrentIndex(), 1);
  Click(Child<QAbstractButton>("miniPageBtn"));
  ASSERT_EQ(Form->GetCurrentView(), Form->GetPileView());
  EXPECT_FALSE(PageEditor()->isVisible());
  EXPECT_EQ(CurrentIndex(), 1);
  const QColor active = ToQColor(Form->GetPrm().ActivePaperColors.BackColor);
  EXPECT_EQ(PileEditor(1)->palette().color(QPalette::Base), active);
  EXPECT_NE(PileEditor(0)->palette().color(QPalette::Base), active);
}

// Shown without a memo current, a book would swallow the first keys typed into it.
TEST_F(PageViewCommands, ABookWithoutRememberedMemoShowsItsFirstMemoInEitherView) {
  Open({});
  for (const bool page : {false, true}) {
    SCOPED_TRACE(page ? "page view" : "pile view");
    Fill({"A", "B"}, 0);
    TBook* book = &Book();
    Press(Qt::Key_Delete, Qt::ControlModifier);  // a memo moved in makes the trash forget its current memo
    if (page) ShowPage();
    Action("acOpenTrash")->trigger();
    EXPECT_EQ(CurrentIndex(), 0);
    Click(Child<QAbstractButton>("miniPageBtn"));
    Form->SetCurrentBook(book);
  }
}
