// New, move, split and join through their keys on the real window.
#include "window_fixture.h"

#include "book/book.h"
#include "book/memo.h"

#include <QAction>

namespace {

struct SplitCase {
  const char* Name;
  const char* Text;
  int Caret;
  const char* Head;
  const char* Rest;
};

class SplitTest : public WindowTest, public ::testing::WithParamInterface<SplitCase> {};

const SplitCase kSplits[] = {
    {"AtTheStartMovesEverythingDown", "alpha beta", 0, "", "alpha beta"},
    {"InTheMiddle", "alpha beta", 5, "alpha", "beta"},
    {"AtTheEndLeavesAnEmptyMemo", "alpha beta", 10, "alpha beta", ""},
    {"AtALineStartKeepsBothIndentations", "\tlead\r\n  next", 6, "\tlead", "  next"},
};

TEST_P(SplitTest, CtrlEnterSplitsAtTheCaret) {
  const SplitCase& c = GetParam();
  Open({QString::fromUtf8(c.Text), QStringLiteral("last")});
  Enter(0, c.Caret);
  Press(Qt::Key_Return, Qt::ControlModifier);
  ASSERT_EQ(Book().Count(), 3);
  EXPECT_EQ(MemoText(0), QString::fromUtf8(c.Head));
  EXPECT_EQ(MemoText(1), QString::fromUtf8(c.Rest));
  EXPECT_EQ(MemoText(2), QStringLiteral("last"));
  EXPECT_EQ(CurrentIndex(), 1);
  EXPECT_EQ(Caret(), 0);
}

INSTANTIATE_TEST_SUITE_P(Window, SplitTest, ::testing::ValuesIn(kSplits),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(WindowTest, CtrlJJoinsToTheMemoAboveWithTheCaretAtTheJoin) {
  Open({QStringLiteral("B  \t "), QStringLiteral("A")});
  Enter(1, 0);
  Press(Qt::Key_J, Qt::ControlModifier);
  ASSERT_EQ(Book().Count(), 1);
  EXPECT_EQ(MemoText(0), QStringLiteral("B\r\nA"));
  EXPECT_EQ(CurrentIndex(), 0);
  EXPECT_EQ(Caret(), 2);
}

// Undo in a paper never reaches back across a command that moved text between memos:
// every character stays in the book exactly once.
TEST_F(WindowTest, CtrlZAfterAJoinKeepsBothTexts) {
  Open({QStringLiteral("upper"), QStringLiteral("lower")});
  Enter(0, 5);
  QTest::keyClicks(FocusedEditor(), "1");
  Enter(1, 0);
  Press(Qt::Key_J, Qt::ControlModifier);
  ASSERT_EQ(Book().Count(), 1);
  Press(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(MemoText(0), QStringLiteral("upper1\r\nlower"));
}

TEST_F(WindowTest, CtrlZTwiceAfterASplitKeepsEveryCharacterOnce) {
  Open({QStringLiteral("alpha beta")});
  Enter(0, 10);
  QTest::keyClicks(FocusedEditor(), "!");
  Enter(0, 5);
  Press(Qt::Key_Return, Qt::ControlModifier);
  ASSERT_EQ(Book().Count(), 2);
  for (int index : {0, 1}) {
    Enter(index, 0);
    Press(Qt::Key_Z, Qt::ControlModifier);
    Press(Qt::Key_Z, Qt::ControlModifier);
  }
  EXPECT_EQ(Texts(Book()), QStringList({QStringLiteral("alpha"), QStringLiteral("beta!")}));
}

// Indentation typed at the start of a memo survives the save and the next start.
TEST_F(WindowTest, LeadingTabsAndSpacesOfTheFirstLineAreKept) {
  Open({});
  Press(Qt::Key_N, Qt::ControlModifier);
  Press(Qt::Key_Tab);
  Type("leadtab");
  Press(Qt::Key_N, Qt::ControlModifier);
  Type("   three spaces ");
  Press(Qt::Key_Return);
  Press(Qt::Key_S, Qt::ControlModifier);
  WaitForSaves();
  TBook reread;
  reread.SetPath(Book().GetPath());
  ASSERT_TRUE(reread.Load());
  EXPECT_EQ(Texts(reread), QStringList({QStringLiteral("   three spaces"), QStringLiteral("\tleadtab")}));
  EXPECT_EQ(MemoTitle(*reread.MemoAt(1)), QStringLiteral("leadtab"));
}

TEST_F(WindowTest, JoinInTheFirstMemoIsDisabledAndChangesNothing) {
  Open({QStringLiteral("first"), QStringLiteral("second")});
  Enter(0, 0);
  EXPECT_FALSE(Form->GetActions().acJoint->isEnabled());
  Form->DoMemoCommand(mcJoin);
  EXPECT_EQ(Book().Count(), 2);
  EXPECT_EQ(MemoText(0), QStringLiteral("first"));
}

TEST_F(WindowTest, CtrlNPutsAFocusedEmptyMemoOnTop) {
  Open({QStringLiteral("old")});
  Enter(0, 3);
  Press(Qt::Key_N, Qt::ControlModifier);
  ASSERT_EQ(Book().Count(), 2);
  EXPECT_EQ(MemoText(0), QString());
  EXPECT_EQ(CurrentIndex(), 0);
  ASSERT_NE(FocusedEditor(), nullptr);
  QTest::keyClicks(FocusedEditor(), "typed");
  EXPECT_EQ(MemoText(0), QStringLiteral("typed"));
  EXPECT_TRUE(Book().Modified);
}

// The memo menu of the list leaves the keyboard in the list; a new memo still takes it.
TEST_F(WindowTest, CtrlNFromTheMemoListFocusesTheNewMemo) {
  Open({QStringLiteral("old")}, 0);
  QWidget* rows = List().viewport();
  QTest::mousePress(rows, Qt::RightButton, {}, QPoint(20, 2));
  QTest::mouseRelease(rows, Qt::RightButton, {}, QPoint(20, rows->height() - 2));
  List().setFocus();
  Press(Qt::Key_N, Qt::ControlModifier);
  ASSERT_EQ(Book().Count(), 2);
  ASSERT_EQ(FocusedEditor(), PileEditor(0));
  QTest::keyClicks(FocusedEditor(), "typed");
  EXPECT_EQ(MemoText(0), QStringLiteral("typed"));
}

TEST_F(WindowTest, MoveKeysFollowTheEnabledRules) {
  Open({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
  Enter(0, 0);
  EXPECT_FALSE(Form->GetActions().acMoveUp->isEnabled());
  EXPECT_TRUE(Form->GetActions().acMoveDown->isEnabled());
  Press(Qt::Key_Up, Qt::ControlModifier);                      // disabled: nothing moves
  Press(Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);  // to the top where it is
  EXPECT_EQ(MemoText(0), QStringLiteral("a"));
  Press(Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(MemoText(1), QStringLiteral("a"));
  EXPECT_EQ(CurrentIndex(), 1);
  Press(Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(MemoText(2), QStringLiteral("a"));
  EXPECT_EQ(CurrentIndex(), 2);
  EXPECT_TRUE(Form->GetActions().acMoveUp->isEnabled());
  EXPECT_FALSE(Form->GetActions().acMoveDown->isEnabled());
  Press(Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(MemoText(0), QStringLiteral("a"));
  EXPECT_EQ(CurrentIndex(), 0);
  EXPECT_EQ(Form->GetCurrent().Memo()->Text, QStringLiteral("a"));
}

TEST_F(WindowTest, ActionsWithoutACurrentMemoAreDisabled) {
  Open({QStringLiteral("a"), QStringLiteral("b")});
  Form->GetCurrent().SelectMemoAt(-1);
  for (QAction* action : {Form->GetActions().acTrashMemo, Form->GetActions().acMoveUp, Form->GetActions().acMoveDown,
                          Form->GetActions().acDevide, Form->GetActions().acJoint})
    EXPECT_FALSE(action->isEnabled()) << qPrintable(action->objectName());
}

TEST_F(WindowTest, CtrlSSavesEveryModifiedBookNow) {
  Open({QStringLiteral("a")});
  Enter(0, 1);
  QTest::keyClicks(FocusedEditor(), "bc");
  Press(Qt::Key_S, Qt::ControlModifier);
  WaitForSaves();
  EXPECT_FALSE(Book().Modified);
  TBook reread;
  reread.SetPath(Book().GetPath());
  ASSERT_TRUE(reread.Load());
  EXPECT_EQ(reread.MemoAt(0)->Text, QStringLiteral("abc"));
}

}  // namespace
