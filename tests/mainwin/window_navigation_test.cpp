// Keys and the wheel on the real window reach the memo dispatcher whichever control has the focus.
#include "window_fixture.h"

#include "book/book.h"
#include "view/pile_view.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QScrollBar>

namespace {

const QStringList kThreeMemos = {QStringLiteral("one\r\ntwo"), QStringLiteral("three"), QStringLiteral("four\r\nfive")};

struct NavigationCase {
  const char* Name;
  int Memo, Caret;
  Qt::Key Key;
  int ExpectedMemo, ExpectedCaret;
};

class NavigationTest : public WindowTest, public ::testing::WithParamInterface<NavigationCase> {};

// Editor text is the memo text plus a line break: "one\ntwo\n" is 8 characters.
const NavigationCase kNavigation[] = {
    {"DownInsideMemoMovesALine", 0, 1, Qt::Key_Down, 0, 5},
    {"DownOnLastLineGoesToTheEnd", 0, 5, Qt::Key_Down, 0, 8},
    {"DownAtTheEndEntersNextMemoAtItsStart", 0, 8, Qt::Key_Down, 1, 0},
    {"UpInsideMemoMovesALine", 2, 6, Qt::Key_Up, 2, 1},
    {"UpOnFirstLineGoesToTheStart", 1, 3, Qt::Key_Up, 1, 0},
    {"UpAtTheStartEntersMemoAboveAtItsEnd", 1, 0, Qt::Key_Up, 0, 8},
};

TEST_P(NavigationTest, ArrowKeysInTheFocusedEditor) {
  const NavigationCase& c = GetParam();
  Open(kThreeMemos);
  Enter(c.Memo, c.Caret);
  ASSERT_NE(FocusedEditor(), nullptr);
  Press(c.Key);
  EXPECT_EQ(CurrentIndex(), c.ExpectedMemo);
  EXPECT_EQ(Caret(), c.ExpectedCaret);
  EXPECT_EQ(Book().Count(), 3);
}

INSTANTIATE_TEST_SUITE_P(Window, NavigationTest, ::testing::ValuesIn(kNavigation),
                         [](const auto& info) { return std::string(info.param.Name); });

QStringList ManyMemos(int count) {
  QStringList texts;
  for (int i = 0; i < count; ++i) texts << QStringLiteral("memo %1\r\nsecond line\r\nthird line").arg(i);
  return texts;
}

TEST_F(WindowTest, UpAtTheFirstMemoAndDownAtTheLastScrollBy70Pixels) {
  Open(ManyMemos(30), -1, QSize(500, 400));
  Enter(0, 0);
  SetScrollPos(100);
  Press(Qt::Key_Up);
  EXPECT_EQ(CurrentIndex(), 0);
  EXPECT_EQ(ScrollPos(), 30);
  Press(Qt::Key_Up);
  EXPECT_EQ(ScrollPos(), 0);

  const int last = Book().Count() - 1;
  Enter(last, MemoText(last).size() + 2);
  const int maximum = Pile().ScrollBox()->verticalScrollBar()->maximum();
  SetScrollPos(maximum - 100);
  Press(Qt::Key_Down);
  EXPECT_EQ(CurrentIndex(), last);
  EXPECT_EQ(ScrollPos(), maximum - 30);
  Press(Qt::Key_Down);
  EXPECT_EQ(ScrollPos(), maximum);
}

// Keys that jump far inside one tall memo bring the pile along to the caret.
TEST_F(WindowTest, CaretJumpsInsideATallMemoKeepTheCaretInSight) {
  QStringList lines;
  for (int i = 0; i < 80; ++i) lines << QStringLiteral("line %1").arg(i);
  Open({lines.join(QStringLiteral("\r\n")), QStringLiteral("below")}, -1, QSize(500, 400));
  Enter(0, 0);
  ASSERT_EQ(ScrollPos(), 0);
  Press(Qt::Key_End, Qt::ControlModifier);
  QPlainTextEdit* editor = PileEditor(0);
  const auto caretInSight = [&] {
    const int y = editor->mapTo(Pile().ScrollBox()->viewport(), editor->cursorRect().topLeft()).y();
    return y >= 0 && y + editor->cursorRect().height() <= Pile().ScrollBox()->viewport()->height();
  };
  EXPECT_GT(ScrollPos(), 0);
  EXPECT_TRUE(caretInSight());
  Press(Qt::Key_Home, Qt::ControlModifier);
  EXPECT_TRUE(caretInSight());
}

TEST_F(WindowTest, ArrowKeysInAnEmptyBookScrollAndChangeNothing) {
  Open({});
  Form->setFocus();
  Press(Qt::Key_Down);
  Press(Qt::Key_Up);
  EXPECT_EQ(Book().Count(), 0);
  EXPECT_EQ(CurrentIndex(), -1);
  EXPECT_EQ(ScrollPos(), 0);
}

TEST_F(WindowTest, ArrowKeysWorkWhileTheMemoListHasTheFocus) {
  Open(kThreeMemos);
  Enter(1, 0);
  List().setFocus();
  Press(Qt::Key_Up);
  EXPECT_EQ(CurrentIndex(), 0);
}

struct StepCase {
  const char* Name;
  Qt::Key Key;
  Qt::KeyboardModifiers Modifiers;
  int From, Expected;
};

class StepTest : public WindowTest, public ::testing::WithParamInterface<StepCase> {};

const StepCase kSteps[] = {
    {"AltDownNext", Qt::Key_Down, Qt::AltModifier, 1, 2},
    {"AltDownStaysOnLast", Qt::Key_Down, Qt::AltModifier, 2, 2},
    {"AltUpPrevious", Qt::Key_Up, Qt::AltModifier, 1, 0},
    {"AltUpStaysOnFirst", Qt::Key_Up, Qt::AltModifier, 0, 0},
    {"ShiftAltDownLast", Qt::Key_Down, Qt::AltModifier | Qt::ShiftModifier, 0, 2},
    {"ShiftAltUpFirst", Qt::Key_Up, Qt::AltModifier | Qt::ShiftModifier, 2, 0},
};

TEST_P(StepTest, PreviousNextFirstLast) {
  const StepCase& c = GetParam();
  Open(kThreeMemos);
  Enter(c.From, 0);
  Press(c.Key, c.Modifiers);
  EXPECT_EQ(CurrentIndex(), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(Window, StepTest, ::testing::ValuesIn(kSteps),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(WindowTest, WheelStepsMemosAndWithCtrlMovesTheMemo) {
  Open(kThreeMemos);
  Enter(1, 0);
  Wheel(-1);
  EXPECT_EQ(CurrentIndex(), 2);
  Wheel(1, Qt::ShiftModifier);
  EXPECT_EQ(CurrentIndex(), 0);
  Wheel(-1, Qt::ControlModifier);
  EXPECT_EQ(CurrentIndex(), 1);
  EXPECT_EQ(MemoText(1), QStringLiteral("one\r\ntwo"));
  Wheel(1, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(CurrentIndex(), 0);
  Wheel(-1, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(CurrentIndex(), 2);
  EXPECT_EQ(MemoText(2), QStringLiteral("one\r\ntwo"));
}

TEST_F(WindowTest, WheelWithoutCurrentMemoSelectsTheMemoInSight) {
  Open(kThreeMemos);
  Form->GetCurrent().SelectMemoAt(-1);
  Wheel(-1);
  EXPECT_EQ(CurrentIndex(), 0);
}

}  // namespace

// Before the papers out of sight are measured, jumps to the last memo and back land on the
// right paper with its caret in sight.
TEST_F(WindowTest, JumpsLandOnTheRightPaperBeforeMeasuringEnds) {
  QStringList texts;
  for (int i = 0; i < 400; ++i)
    texts << QStringLiteral("メモ %1 with a line that wraps in a narrow window, 日本語の文章も少し\r\nsecond").arg(i);
  Open(texts, 0, QSize(500, 400));
  Pile().HoldMeasuring(true);
  Form->resize(520, 400);  // every paper out of sight is estimated again at the new width
  ASSERT_FALSE(Pile().MeasuringDone());
  const auto caretInSight = [&] {
    QPlainTextEdit* editor = PileEditor(CurrentIndex());
    const int y = editor->mapTo(Pile().ScrollBox()->viewport(), editor->cursorRect().topLeft()).y();
    return y >= 0 && y + editor->cursorRect().height() <= Pile().ScrollBox()->viewport()->height();
  };

  Press(Qt::Key_Down, Qt::ShiftModifier | Qt::AltModifier);
  EXPECT_EQ(CurrentIndex(), 399);
  EXPECT_TRUE(caretInSight());
  Press(Qt::Key_Home, Qt::ControlModifier);
  EXPECT_TRUE(caretInSight());

  List().setFocus();
  Press(Qt::Key_Home);
  EXPECT_EQ(CurrentIndex(), 0);
  EXPECT_TRUE(caretInSight());
  Press(Qt::Key_End);
  EXPECT_EQ(CurrentIndex(), 399);
  EXPECT_TRUE(caretInSight());
  Pile().HoldMeasuring(false);
}
