#include "book/book.h"
#include "book/date_text.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A book of the memos "a", "b", "c", clean.
std::unique_ptr<TBook> Abc() {
  auto book = std::make_unique<TBook>();
  for (const char* text : {"a", "b", "c"}) book->AddMemo(text, book->Count());
  book->Modified = false;
  return book;
}

QStringList Texts(const TBook& book) {
  QStringList texts;
  for (const auto& memo : book.Memos) texts << memo->Text;
  return texts;
}

struct TBookCase {
  const char* Name;
  std::function<int(TBook&)> Act;
  int Result;
  QStringList Texts;
  bool Modified;
};

const TBookCase kBookCases[] = {
    {"AddPastEndAppends", [](TBook& b) { return b.AddMemo("d", 99); }, 3, {"a", "b", "c", "d"}, true},
    {"AddAtTopKeepsTextUntrimmed", [](TBook& b) { return b.AddMemo(" d\r\n", 0); }, 0, {" d\r\n", "a", "b", "c"}, true},
    {"AddAtMinusOneAddsNothing", [](TBook& b) { return b.AddMemo("d", -1); }, -1, {"a", "b", "c"}, false},
    {"DeleteMiddle",
     [](TBook& b) {
       b.DeleteMemo(1);
       return 0;
     },
     0,
     {"a", "c"},
     true},
    {"MoveFirstPastEndGoesLast", [](TBook& b) { return b.MoveMemo(0, 1000); }, 2, {"b", "c", "a"}, true},
    {"MoveLastToTop", [](TBook& b) { return b.MoveMemo(2, 0); }, 0, {"c", "a", "b"}, true},
    {"MoveFromPastEndFails", [](TBook& b) { return b.MoveMemo(5, 0); }, -1, {"a", "b", "c"}, false},
    {"MoveToNegativeFails", [](TBook& b) { return b.MoveMemo(0, -1); }, -1, {"a", "b", "c"}, false},
};

class BookListTest : public testing::TestWithParam<TBookCase> {};

TEST_P(BookListTest, ResultOrderAndModified) {
  const TBookCase& c = GetParam();
  auto book = Abc();
  EXPECT_EQ(c.Act(*book), c.Result);
  EXPECT_EQ(Texts(*book), c.Texts);
  EXPECT_EQ(book->Modified, c.Modified);
  for (const auto& memo : book->Memos) EXPECT_EQ(memo->Book, book.get());
}

INSTANTIATE_TEST_SUITE_P(Cases, BookListTest, testing::ValuesIn(kBookCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(BookTest, TakenAndAcceptedMemoIsTheSameObjectMarkingBothBooks) {
  auto source = Abc();
  auto target = Abc();
  TSMemo* moved = source->MemoAt(1);
  source->LastMemo = moved;
  target->LastMemo = target->MemoAt(0);
  EXPECT_EQ(target->AcceptMemo(source->TakeMemo(1), 10), 3);
  EXPECT_EQ(target->MemoAt(3), moved);
  EXPECT_EQ(moved->Book, target.get());
  EXPECT_EQ(moved->GetOption(kOptTransfered), "True");
  EXPECT_EQ(Texts(*source), (QStringList{"a", "c"}));
  EXPECT_TRUE(source->Modified);
  EXPECT_TRUE(target->Modified);
  EXPECT_EQ(target->LastMemo, nullptr);
  EXPECT_EQ(source->LastMemo, nullptr) << "the source must not remember a memo it no longer holds";
}

TEST(BookTest, TakenMemoBelongsToTheCallerAlone) {
  auto book = Abc();
  TSMemo* held = book->MemoAt(1);
  book->LastMemo = held;
  std::unique_ptr<TSMemo> taken = book->TakeMemo(1);
  EXPECT_EQ(taken.get(), held);
  EXPECT_EQ(taken->Book, nullptr);
  EXPECT_EQ(Texts(*book), (QStringList{"a", "c"}));
  EXPECT_EQ(book->LastMemo, nullptr);
  EXPECT_TRUE(book->Modified);
  // Until it is accepted elsewhere, a change of the taken memo marks no book.
  book->Modified = false;
  taken->SetText("changed");
  EXPECT_FALSE(book->Modified);
}

TEST(BookTest, DeletingTheRememberedMemoForgetsIt) {
  auto book = Abc();
  book->LastMemo = book->MemoAt(0);
  book->DeleteMemo(0);
  EXPECT_EQ(book->LastMemo, nullptr);
}

TEST(BookTest, NewHasTypeDateCreatorAndOneEmptyRememberedMemo) {
  const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
  TBook book;
  book.New();
  ASSERT_EQ(book.Options.Count(), 3);
  EXPECT_EQ(book.Options.Lines[0], "Type=Book");
  EXPECT_EQ(book.Options.NameAt(1), "CreateDateTime");
  const auto created = ParseDateTimeText(book.Options.ValueAt(1));
  ASSERT_TRUE(created);
  EXPECT_GE(*created, before);
  EXPECT_EQ(book.Options.NameAt(2), "Creator");
  EXPECT_FALSE(book.Options.ValueAt(2).isEmpty());
  EXPECT_LE(book.Options.ValueAt(2).size(), 255);
  ASSERT_EQ(book.Count(), 1);
  EXPECT_EQ(book.MemoAt(0)->Text, "");
  EXPECT_EQ(book.LastMemo, book.MemoAt(0));
}

TEST(BookTest, PathSplitTitleAndRename) {
  TBook book;
  book.SetPath("/a/b/Book1.vopa//");
  EXPECT_EQ(book.Dir, "/a/b/");
  EXPECT_EQ(book.FileName, "Book1.vopa");
  EXPECT_EQ(book.GetTitle(), "Book1");
  book.SetPath("plain.name.vopa");
  EXPECT_EQ(book.Dir, "");
  EXPECT_EQ(book.GetTitle(), "plain.name");
  book.SetPath("");
  EXPECT_EQ(book.GetPath(), "");
}

}  // namespace
