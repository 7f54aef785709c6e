#include "book/trash_book.h"
#include "book/book_host.h"
#include "book/date_text.h"

#include <gtest/gtest.h>

namespace {

TEST(TrashBookTest, NewIsAnOrdinaryNewBookOfTypeTrash) {
  TTrashBook trash;
  trash.New();
  EXPECT_EQ(trash.Options.Lines[0], "Type=Trash");
  EXPECT_EQ(trash.Options.NameAt(1), "CreateDateTime");
  EXPECT_EQ(trash.Options.NameAt(2), "Creator");
  EXPECT_EQ(trash.Count(), 1);
}

TEST(TrashBookTest, ArrivingMemoIsStampedAndMarkedTransferred) {
  TBook book;
  book.AddMemo("first", 0);
  book.AddMemo("second", 1);
  TTrashBook trash;
  trash.AddMemo("older", 0);
  book.Modified = trash.Modified = false;
  const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
  EXPECT_EQ(trash.AcceptMemo(book.TakeMemo(1), 0), 0);
  const QDateTime after = QDateTime::currentDateTime().addSecs(1);
  TSMemo* arrived = trash.MemoAt(0);
  EXPECT_EQ(arrived->Text, "second");
  EXPECT_EQ(arrived->GetOption(kOptTransfered), "True");
  EXPECT_EQ(arrived->Options.NameAt(1), kOptTrashDateTime);
  const auto stamp = ParseDateTimeText(arrived->GetOption(kOptTrashDateTime));
  ASSERT_TRUE(stamp);
  EXPECT_GE(*stamp, before);
  EXPECT_LE(*stamp, after);
  EXPECT_TRUE(book.Modified);
  EXPECT_TRUE(trash.Modified);
}

struct TRecordingHost : TBookHost {
  static QString Name(TBookKind kind) { return kind == TBookKind::Book ? "book" : "trash"; }
  void BookEntered(TBookKind kind) override { Calls << "entered " + Name(kind); }
  void BookLeft(TBookKind kind) override { Calls << "left " + Name(kind); }
  QStringList Calls;
};

TEST(TrashBookTest, ActivateAndDeactivateTellTheHostTheKindOfBookAndChangeNothing) {
  TBook book;
  TTrashBook trash;
  const std::pair<TBook*, QStringList> cases[] = {{&book, {"entered book", "left book"}},
                                                  {&trash, {"entered trash", "left trash"}}};
  for (const auto& [shown, calls] : cases) {
    TRecordingHost host;
    shown->Activate(host);
    shown->Deactivate(host);
    EXPECT_EQ(host.Calls, calls);
    EXPECT_FALSE(shown->Modified);
  }
}

const QDateTime kNow(QDate(2024, 3, 10), QTime(12, 30, 0));

struct TPurgeCase {
  const char* Name;
  QString Stamp;
  bool AutoCleanup;
  int Days;
  bool Kept;
};

const TPurgeCase kPurgeCases[] = {
    {"ExactlyNDaysStays", DateTimeText(kNow.addDays(-7)), true, 7, true},
    {"NDaysAndOneMinuteGoes", DateTimeText(kNow.addDays(-7).addSecs(-60)), true, 7, false},
    {"SixDaysTwentyThreeHoursStays", DateTimeText(kNow.addDays(-7).addSecs(3600)), true, 7, true},
    {"PurgeOffKeepsEverything", DateTimeText(kNow.addDays(-400)), false, 7, true},
    {"ZeroDaysPurgesAnythingEarlier", DateTimeText(kNow.addSecs(-1)), true, 0, false},
    {"ZeroDaysKeepsThisMoment", DateTimeText(kNow), true, 0, true},
    {"MidnightStampWithoutTime", "2024/03/02", true, 7, false},
    {"NoLeadingZeros", "2024/3/3 12:30:00", true, 7, true},
};

class PurgeTest : public testing::TestWithParam<TPurgeCase> {};

TEST_P(PurgeTest, KeepsOrDeletes) {
  const TPurgeCase& c = GetParam();
  TTrashBook trash;
  TOptionList options;
  options.Set(kOptTrashDateTime, c.Stamp);
  trash.AddMemo("memo", 0, &options);
  PurgeTrash(trash, c.AutoCleanup, c.Days, kNow);
  EXPECT_EQ(trash.Count(), c.Kept ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, PurgeTest, testing::ValuesIn(kPurgeCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(PurgeTrashTest, MissingOrUnreadableDatesAreStampedAndKept) {
  TTrashBook trash;
  for (const QString stamp : {"", "yesterday", "2024/13/40 25:00:00"}) {
    TOptionList options;
    options.Set(kOptTrashDateTime, stamp);
    trash.AddMemo(stamp, trash.Count(), &options);
  }
  trash.Modified = false;
  PurgeTrash(trash, true, 0, kNow);
  ASSERT_EQ(trash.Count(), 3);
  for (const auto& memo : trash.Memos) EXPECT_EQ(memo->GetOption(kOptTrashDateTime), "2024/03/10 12:30:00");
  EXPECT_TRUE(trash.Modified);
}

TEST(DateTextTest, WritesTimeExceptAtMidnightAndReadsLooseForms) {
  EXPECT_EQ(DateTimeText(QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5))), "2024/01/02 3:04:05");
  EXPECT_EQ(DateTimeText(QDateTime(QDate(2024, 1, 2), QTime(0, 0))), "2024/01/02");
  const QDateTime expected(QDate(2024, 1, 2), QTime(3, 4, 5));
  for (const char* text : {"2024/01/02 3:04:05", "2024/1/2 03:04:05", " 2024/1/2 3:4:5 "})
    EXPECT_EQ(ParseDateTimeText(text), expected) << text;
  EXPECT_EQ(ParseDateTimeText("2024/1/2"), QDateTime(QDate(2024, 1, 2), QTime(0, 0)));
  for (const char* text : {"", "2024-01-02", "2024/02/30", "2024/01/02 24:00:00", "2024/01/02 3"})
    EXPECT_FALSE(ParseDateTimeText(text)) << text;
}

}  // namespace
