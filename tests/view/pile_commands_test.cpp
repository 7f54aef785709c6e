#include "case_name.h"
#include "test_view_host.h"

#include <QScrollBar>
#include <QTest>
#include <QTextCursor>

#include <gtest/gtest.h>

#include <climits>

namespace {

constexpr int kAny = INT_MIN;

// Memo 0 "one/two", memo 1 "three/four", then enough memos to scroll.
QStringList NavigationBook() {
  QStringList texts{"one\r\ntwo", "three\r\nfour"};
  for (int i = 2; i < 30; ++i) texts << QStringLiteral("memo %1").arg(i);
  return texts;
}

struct TNavigationCase {
  const char* name;
  int memo;  // current memo before, -1 for none
  int caret;
  int scrollFromEnd;  // scroll position before, counted from the end when >= 0
  TMemoCommand code;
  int expectMemo;
  int expectCaret;
  int expectScrollDelta;  // kAny when the view may scroll to the caret
};

void PrintTo(const TNavigationCase& c, std::ostream* os) { *os << c.name; }

const TNavigationCase kNavigation[] = {
    {"UpInsideMemo", 1, 11, kAny, mcUp, 1, 6, kAny},
    {"UpOnFirstLineGoesToStart", 1, 3, kAny, mcUp, 1, 0, kAny},
    {"UpAtStartGoesToEndOfMemoAbove", 1, 0, kAny, mcUp, 0, 8, kAny},
    {"UpAtStartOfFirstMemoScrolls", 0, 0, kAny, mcUp, 0, 0, -70},
    {"DownInsideMemo", 0, 0, kAny, mcDown, 0, 4, kAny},
    {"DownOnLastTextLineGoesToEnd", 0, 5, kAny, mcDown, 0, 8, kAny},
    {"DownAtEndGoesToStartOfMemoBelow", 0, 8, kAny, mcDown, 1, 0, kAny},
    {"DownAtEndOfLastMemoScrolls", 29, 8, 100, mcDown, 29, 8, 70},
    {"UpWithoutCurrentMemoScrolls", -1, 0, kAny, mcUp, -1, 0, -70},
    {"DownWithoutCurrentMemoScrolls", -1, 0, kAny, mcDown, -1, 0, 70},
};

class PileNavigationTest : public ::testing::TestWithParam<TNavigationCase> {};

TEST_P(PileNavigationTest, MovesCaretAndMemoOrScrolls) {
  const TNavigationCase& c = GetParam();
  TTestViewHost host(TViewKind::Pile);
  host.ShowBook(NavigationBook());
  host.SelectMemoAt(c.memo);
  if (c.memo >= 0) host.PaperAt(c.memo).SetCaret(c.caret);
  const int maximum = host.PileView->ScrollBox()->verticalScrollBar()->maximum();
  host.SetScrollPos(c.scrollFromEnd == kAny ? 150 : maximum - c.scrollFromEnd);
  const int before = host.ScrollPos();

  host.Dispatch(c.code);

  ASSERT_EQ(host.GetCurrentIndex(), c.expectMemo);
  if (c.expectMemo >= 0) {
    EXPECT_EQ(host.EditorAt(c.expectMemo).textCursor().position(), c.expectCaret);
  }
  if (c.expectScrollDelta != kAny) {
    EXPECT_EQ(host.ScrollPos() - before, c.expectScrollDelta);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, PileNavigationTest, ::testing::ValuesIn(kNavigation), TCaseName());

TEST(PileNavigationEmptyBookTest, UpAndDownChangeNothing) {
  TTestViewHost host(TViewKind::Pile);
  host.ShowBook({});
  for (TMemoCommand code : {mcUp, mcDown, mcNext}) {
    host.Dispatch(code);
    EXPECT_EQ(host.GetCurrentMemo(), nullptr);
    EXPECT_EQ(host.ScrollPos(), 0);
  }
}

TEST(PileNoCurrentMemoTest, NextSelectsFirstVisibleMemo) {
  TTestViewHost host(TViewKind::Pile);
  host.ShowBook(NavigationBook());
  const TPaper& third = *host.PileView->Papers[3];
  host.SetScrollPos(third.Top + 1);
  host.Dispatch(mcNext);
  EXPECT_EQ(host.GetCurrentIndex(), 3);
}

struct TSplitCase {
  const char* name;
  int caret;
  QString head;
  QString rest;
};

void PrintTo(const TSplitCase& c, std::ostream* os) { *os << c.name; }

class PileSplitTest : public ::testing::TestWithParam<TSplitCase> {};

TEST_P(PileSplitTest, SplitsAtCaretAndEntersNewMemo) {
  const TSplitCase& c = GetParam();
  TTestViewHost host(TViewKind::Pile);
  host.ShowBook({"alpha beta", "other"});
  host.SelectMemoAt(0);
  host.PaperAt(0).SetCaret(c.caret);

  host.Dispatch(mcDivide);

  ASSERT_EQ(host.Book.Count(), 3);
  EXPECT_EQ(host.Book.MemoAt(0)->Text, c.head);
  EXPECT_EQ(host.Book.MemoAt(1)->Text, c.rest);
  EXPECT_EQ(host.Book.MemoAt(2)->Text, "other");
  EXPECT_EQ(host.GetCurrentIndex(), 1);
  EXPECT_EQ(host.EditorAt(1).textCursor().position(), 0);
  EXPECT_EQ(host.EditorAt(0).toPlainText(), c.head.isEmpty() ? QString() : c.head + "\n");
}

INSTANTIATE_TEST_SUITE_P(Table, PileSplitTest,
                         ::testing::Values(TSplitCase{"AtStart", 0, "", "alpha beta"},
                                           TSplitCase{"InMiddle", 6, "alpha", "beta"},
                                           TSplitCase{"AtEnd", 10, "alpha beta", ""}),
                         TCaseName());

TEST(PileJoinTest, JoinsToMemoAboveWithCaretAtJoinPoint) {
  TTestViewHost host(TViewKind::Pile);
  host.ShowBook({"", "A"});
  host.SelectMemoAt(0);
  QTest::keyClicks(&host.EditorAt(0), "B   ");
  ASSERT_EQ(host.Book.MemoAt(0)->Text, "B");
  host.SelectMemoAt(1);

  host.Dispatch(mcJoin);

  ASSERT_EQ(host.Book.Count(), 1);
  EXPECT_EQ(host.Book.MemoAt(0)->Text, "B\r\nA");
  EXPECT_EQ(host.GetCurrentIndex(), 0);
  EXPECT_EQ(host.EditorAt(0).toPlainText(), "B\nA\n");
  EXPECT_EQ(host.EditorAt(0).textCursor().position(), 2);
}

TEST(PileJoinTest, JoinInFirstMemoDoesNothing) {
  TTestViewHost host(TViewKind::Pile);
  host.ShowBook({"first", "second"});
  host.SelectMemoAt(0);
  host.Book.Modified = false;

  host.Dispatch(mcJoin);

  ASSERT_EQ(host.Book.Count(), 2);
  EXPECT_EQ(host.Book.MemoAt(0)->Text, "first");
  EXPECT_FALSE(host.Book.Modified);
}

}  // namespace
