#include "book/book.h"
#include "book/code_page.h"
#include "book/memo_type.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct TMemoCase {
  const char* Name;
  QString InitialText;
  QStringList InitialOptions;
  std::function<void(TSMemo&)> Act;
  QString Title;
  QString Text;
  bool Modified;
};

const QString kAaTitle = QString::fromUtf16(u"\u0028\u00B4\uFF65\u03C9\uFF65\u0060\u0029\uFF91\uFF80\uFF9E\uFF72");

const TMemoCase kMemoCases[] = {
    {"EmptyMemoIsNewMemo", "", {}, [](TSMemo&) {}, QStringLiteral("新規メモ"), "", false},
    {"SetTextTrimsAndTitlesWithUnindentedFirstLine",
     "",
     {},
     [](TSMemo& m) { m.SetText(QStringLiteral(" \t\r\n  first line\r\nsecond \x01\r\n ")); },
     "first line",
     "  first line\r\nsecond",
     true},
    {"SetTextKeepsTheIndentationOfTheFirstLine",
     "",
     {},
     [](TSMemo& m) { m.SetText(QStringLiteral("\r\n \t\r\n\t\u3000 lead\r\n  next \t\r\n\r\n")); },
     "lead",
     QStringLiteral("\t\u3000 lead\r\n  next"),
     true},
    {"IndentedTitleLosesItsIndentation", "\tTitle\r\nbody", {}, [](TSMemo&) {}, "Title", "\tTitle\r\nbody", false},
    {"SetTextWithSameTrimmedTextKeepsBookClean",
     "same",
     {},
     [](TSMemo& m) { m.SetText(QStringLiteral("\r\nsame \r\n")); },
     "same",
     "same",
     false},
    {"AsciiArtWithoutTitleHasFixedTitle", "line", {"Type=AA"}, [](TSMemo&) {}, kAaTitle, "line", false},
    {"TitleOptionWinsOverAsciiArt", "line", {"Type=AA", "Title=Mine"}, [](TSMemo&) {}, "Mine", "line", false},
    {"EmptyTitleRemovesLineAndFallsBack",
     "text line\r\nmore",
     {"Title=Old"},
     [](TSMemo& m) {
       m.SetOption(kOptTitle, QString());
       EXPECT_TRUE(m.Options.Lines.isEmpty());
     },
     "text line",
     "text line\r\nmore",
     true},
    {"SettingTheSameValueKeepsBookClean",
     "x",
     {"Title=Same"},
     [](TSMemo& m) { m.SetOption(kOptTitle, "Same"); },
     "Same",
     "x",
     false},
    {"LowerCaseLookupFindsOption",
     "x",
     {"Title=Found"},
     [](TSMemo& m) {
       EXPECT_EQ(m.GetOption("title"), "Found");
       m.SetOption("TITLE", "Changed");
       EXPECT_EQ(m.Options.Lines, QStringList{"Title=Changed"});
     },
     "Changed",
     "x",
     true},
    {"MissingOptionReadsEmpty",
     "x",
     {"Type=Memo"},
     [](TSMemo& m) { EXPECT_EQ(m.GetOption("Imported"), ""); },
     "x",
     "x",
     false},
    {"WhitespaceOnlyFirstLineStillTitles", "  \r\nsecond", {}, [](TSMemo&) {}, "  ", "  \r\nsecond", false},
};

class MemoTest : public testing::TestWithParam<TMemoCase> {};

TEST_P(MemoTest, TitleTextAndModified) {
  const TMemoCase& c = GetParam();
  TBook book;
  TOptionList options;
  options.Lines = c.InitialOptions;
  TSMemo& memo = *book.MemoAt(book.AddMemo(c.InitialText, 0, &options));
  book.Modified = false;
  c.Act(memo);
  EXPECT_EQ(MemoTitle(memo), c.Title);
  EXPECT_EQ(memo.Text, c.Text);
  EXPECT_EQ(book.Modified, c.Modified);
}

INSTANTIATE_TEST_SUITE_P(Cases, MemoTest, testing::ValuesIn(kMemoCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(OptionListTest, SetReplacesInPlaceAppendsAndDeletes) {
  TOptionList options;
  EXPECT_TRUE(options.Set("Type", "Memo"));
  EXPECT_TRUE(options.Set("Title", "T"));
  EXPECT_TRUE(options.Set("type", "AA"));
  EXPECT_FALSE(options.Set("Type", "AA"));
  EXPECT_FALSE(options.Set("Missing", ""));
  EXPECT_EQ(options.Lines, (QStringList{"Type=AA", "Title=T"}));
  EXPECT_TRUE(options.Set("TYPE", ""));
  EXPECT_EQ(options.Lines, QStringList{"Title=T"});
  options.AddLine("no separator");
  EXPECT_EQ(options.NameAt(1), "");
  EXPECT_EQ(options.Get("no separator"), "");
  EXPECT_EQ(options.ValueAt(0), "T");
}

}  // namespace

TEST(DefaultTitleTest, AsciiArtHasItsFixedTitleOthersNone) {
  const QString title = DefaultTitleOf(kAAMemo);
  EXPECT_EQ(title.size(), 11);
  EXPECT_EQ(EncodeCp932(title), QByteArray::fromHex("28814CA583D6A56029D1C0DEB2"));
  EXPECT_EQ(DefaultTitleOf(kTextMemo), QString());
}
