#include "book/current_book.h"
#include "book/book.h"

#include <gtest/gtest.h>
#include <QStringList>

namespace {

// A book of "a", "b", "c" made current, with every signal of the current book written down in order.
class CurrentBookTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* text : {"a", "b", "c"}) Book.AddMemo(text, Book.Count());
    Current.SetBook(&Book);
    Book.Modified = false;
    QObject::connect(&Current, &TCurrentBook::BookChanged, [this](TBook*) { Log << "book"; });
    QObject::connect(&Current, &TCurrentBook::MemoLeaving, [this](int i) { Log << QString("leave %1").arg(i); });
    QObject::connect(&Current, &TCurrentBook::MemoEntered, [this](int i) { Log << QString("enter %1").arg(i); });
    QObject::connect(&Current, &TCurrentBook::MemoInserted, [this](int i) { Log << QString("insert %1").arg(i); });
    QObject::connect(&Current, &TCurrentBook::MemoRemoved, [this](int i) { Log << QString("remove %1").arg(i); });
    QObject::connect(&Current, &TCurrentBook::MemoMoved,
                     [this](int from, int to) { Log << QString("move %1 %2").arg(from).arg(to); });
  }

  TBook Book;
  TCurrentBook Current;
  QStringList Log;
};

TEST_F(CurrentBookTest, SelectingLeavesBeforeAndEntersAfterTheChange) {
  Current.SelectMemoAt(1);
  Current.SelectMemoAt(1);
  Current.SelectMemoAt(99);
  Current.SelectMemoAt(-1);
  EXPECT_EQ(Log, (QStringList{"leave -1", "enter 1", "leave 1", "enter 2", "leave 2", "enter -1"}));
  EXPECT_EQ(Current.Memo(), nullptr);
}

TEST_F(CurrentBookTest, EnteringAMovedInMemoClearsItsMarkOnlyThen) {
  Book.MemoAt(2)->Options.Set(kOptTransfered, "True");
  Current.SelectMemoAt(0);
  EXPECT_FALSE(Book.Modified);
  Current.SelectMemoAt(2);
  EXPECT_EQ(Book.MemoAt(2)->GetOption(kOptTransfered), "");
  EXPECT_TRUE(Book.Modified);
}

TEST_F(CurrentBookTest, RemovingTheCurrentMemoLeavesItWhileItIsStillInTheBook) {
  Current.SelectMemoAt(1);
  Log.clear();
  TSMemo* leaving = nullptr;
  QObject::connect(&Current, &TCurrentBook::MemoLeaving, [&](int i) { leaving = Book.MemoAt(i); });
  TSMemo* removed = Book.MemoAt(1);
  Current.RemoveMemo(1);
  EXPECT_EQ(leaving, removed);
  EXPECT_EQ(Log, (QStringList{"leave 1", "enter -1", "remove 1"}));
  EXPECT_EQ(Book.Count(), 2);
}

TEST_F(CurrentBookTest, TakenMemoLeavesTheBookAndSignalsOnce) {
  Current.SelectMemoAt(2);
  Log.clear();
  TSMemo* held = Book.MemoAt(2);
  std::unique_ptr<TSMemo> taken = Current.TakeMemo(2);
  EXPECT_EQ(taken.get(), held);
  EXPECT_EQ(Log, (QStringList{"leave 2", "enter -1", "remove 2"}));
  EXPECT_EQ(Book.Count(), 2);
}

TEST_F(CurrentBookTest, AcceptedMemoArrivesMarkedAndSignalled) {
  TBook other;
  other.AddMemo("moved", 0);
  EXPECT_EQ(Current.AcceptMemo(other.TakeMemo(0), 1), 1);
  EXPECT_EQ(Book.MemoAt(1)->Text, "moved");
  EXPECT_EQ(Book.MemoAt(1)->GetOption(kOptTransfered), "True");
  EXPECT_EQ(Log, (QStringList{"insert 1"}));
}

TEST_F(CurrentBookTest, ListChangesOutOfRangeChangeNothingAndSayNothing) {
  EXPECT_EQ(Current.TakeMemo(3), nullptr);
  EXPECT_EQ(Current.TakeMemo(-1), nullptr);
  Current.RemoveMemo(3);
  EXPECT_EQ(Current.MoveMemo(5, 0), -1);
  EXPECT_EQ(Current.InsertMemo("x", -1, nullptr), -1);
  EXPECT_TRUE(Log.isEmpty());
  EXPECT_EQ(Book.Count(), 3);
  EXPECT_FALSE(Book.Modified);
}

TEST_F(CurrentBookTest, InsertAndMoveSayWhereTheMemoWent) {
  EXPECT_EQ(Current.InsertMemo("x", 99, nullptr), 3);
  EXPECT_EQ(Current.MoveMemo(0, 99), 3);
  EXPECT_EQ(Log, (QStringList{"insert 3", "move 0 3"}));
}

TEST_F(CurrentBookTest, EachBookRemembersItsMemoAcrossAChange) {
  TBook other;
  other.AddMemo("o", 0);
  Current.SelectMemoAt(1);
  Log.clear();
  Current.SetBook(&other);
  EXPECT_EQ(Book.LastMemo, Book.MemoAt(1));
  EXPECT_EQ(Current.Memo(), nullptr);
  Current.SelectMemoAt(0);
  Current.SetBook(&Book);
  EXPECT_EQ(Current.Memo(), Book.MemoAt(1));
  EXPECT_EQ(other.LastMemo, other.MemoAt(0));
  EXPECT_EQ(Log, (QStringList{"leave 1", "enter -1", "book", "leave -1", "enter 0", "leave 0", "enter -1", "book",
                              "leave -1", "enter 1"}));
}

TEST_F(CurrentBookTest, WithoutABookNothingIsCurrentAndNothingIsAdded) {
  Current.SetBook(nullptr);
  Current.SelectMemoAt(0);
  EXPECT_EQ(Current.Memo(), nullptr);
  EXPECT_EQ(Current.MemoIndex(), -1);
  EXPECT_EQ(Current.InsertMemo("x", 0, nullptr), -1);
}

}  // namespace
