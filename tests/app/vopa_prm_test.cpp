#include "app/vopa_prm.h"

#include "app/ini_file.h"
#include "book/code_page.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

namespace {

bool AnyFont(const QString&) { return true; }
bool OnlyIpaGothic(const QString& family) { return family == QStringLiteral("IPAGothic"); }

class SettingsTest : public testing::Test {
 protected:
  // Reads the file as the program does at start-up.
  void Read(bool (*fonts)(const QString&) = AnyFont) {
    Ini = std::make_unique<TIniFile>(Path);
    ReadSettings(*Ini, Prm, Headers, Bounds, fonts);
  }
  void Write(const QString& currentBook) { WriteSettings(*Ini, Prm, Headers, Bounds, currentBook); }
  QString Text() const { return DecodeCp932OrUtf8(ReadBytes(Path)); }

  QTemporaryDir Dir;
  QString Path = Dir.filePath(QStringLiteral("vopamemo.ini"));
  std::unique_ptr<TIniFile> Ini;
  TVopaPrm Prm;
  THeaderColors Headers;
  TWindowBounds Bounds;
};

TEST_F(SettingsTest, EmptyFileGivesEveryDefault) {
  // Start from values unlike the defaults so that every field must be read.
  Prm = TVopaPrm{{1, 2, 3}, false, true, {1, 2, 3}, "x", true, 1, true,      false,     "x", "x", true, 1,
                 "x",       1,     "x",  1,         "x", "x",  1, {1, 2, 3}, {1, 2, 3}, 1,   9,   "x"};
  Headers = {1, 2, 3};
  Bounds = {1, 2, 3, 4, 5};
  Read();
  const QString font = QStringLiteral("ＭＳ Ｐゴシック");
  const TVopaPrm expected{{clWindowText, 11197951, clNone},
                          true,
                          false,
                          {clWindowText, clWindow, clNone},
                          QStringLiteral("ヴォパメモ"),
                          false,
                          10,
                          false,
                          true,
                          QString(),
                          font,
                          false,
                          8,
                          font,
                          10,
                          font,
                          12,
                          font,
                          QString(),
                          7,
                          {clWindowText, 0xEEFFFF, clNone},
                          {0xFF0000, 0xAAFFFF, clNone},
                          17,
                          1,
                          QString()};
  EXPECT_EQ(Prm.TransferedPaperColors, expected.TransferedPaperColors);
  EXPECT_EQ(Prm.PaperColors, expected.PaperColors);
  EXPECT_EQ(Prm.PagePaperColors, expected.PagePaperColors);
  EXPECT_EQ(Prm.ActivePaperColors, expected.ActivePaperColors);
  EXPECT_EQ(std::tie(Prm.TaskBarIcon, Prm.ShowingFront, Prm.TaskTrayIcon, Prm.DropTextToSpecificBook, Prm.AutoCleanup,
                     Prm.SpecificBook),
            std::tie(expected.TaskBarIcon, expected.ShowingFront, expected.TaskTrayIcon,
                     expected.DropTextToSpecificBook, expected.AutoCleanup, expected.SpecificBook));
  EXPECT_EQ(std::tie(Prm.ListFontSize, Prm.TabLength, Prm.PileFontSize, Prm.PageFontSize, Prm.DayAutoCleanup,
                     Prm.ItemHeight, Prm.ItemOffset),
            std::tie(expected.ListFontSize, expected.TabLength, expected.PileFontSize, expected.PageFontSize,
                     expected.DayAutoCleanup, expected.ItemHeight, expected.ItemOffset));
  EXPECT_EQ(QStringList({Prm.WindowCaption, Prm.DropTextBook, Prm.ListFontName, Prm.PileFontName, Prm.PageFontName,
                         Prm.AAFontName, Prm.StartupBook, Prm.LastBook}),
            QStringList({expected.WindowCaption, expected.DropTextBook, expected.ListFontName, expected.PileFontName,
                         expected.PageFontName, expected.AAFontName, expected.StartupBook, expected.LastBook}));
  EXPECT_EQ(std::tie(Headers.MemoHeaderColor, Headers.BookHeaderColor, Headers.ExtraHeaderColor),
            std::make_tuple(TColor(15780518), TColor(12639424), TColor(14737663)));
  EXPECT_EQ(std::tie(Bounds.Left, Bounds.Top, Bounds.Width, Bounds.Height, Bounds.ListWidth),
            std::make_tuple(100, 100, 400, 500, 100));
}

TEST_F(SettingsTest, FirstWriteOfANewInstallationHasTheFixedLayout) {
  Read();
  Write(QStringLiteral("/home/user/Books/Book1.vopa"));
  EXPECT_EQ(ReadBytes(Path), ReadBytes(FixturePath(QStringLiteral("settings_first_write.ini"))));
}

TEST_F(SettingsTest, WrittenSettingsReadBackUnchanged) {
  Read();
  Prm.PaperColors = {0x123456, 0xFF000010, clNone};
  Prm.ActivePaperColors = {0x00FF00, 0xFFFFFFFF, clNone};
  Prm.WindowCaption = QStringLiteral("メモ帳 = 2");
  Prm.PileFontName = QStringLiteral("IPAGothic");
  Prm.DayAutoCleanup = 30;
  Prm.AutoCleanup = false;
  Prm.TaskTrayIcon = true;
  Prm.DropTextToSpecificBook = true;
  Prm.DropTextBook = QStringLiteral("/books/受信.vopa");
  Headers.ExtraHeaderColor = 0xFF000005;
  Bounds = {-20, 30, 640, 480, 150};
  Write(QStringLiteral("/books/今日.vopa"));
  const TVopaPrm written = Prm;
  const THeaderColors writtenHeaders = Headers;
  const TWindowBounds writtenBounds = Bounds;
  Prm = TVopaPrm();
  Read();
  EXPECT_EQ(Prm.PaperColors, written.PaperColors);
  EXPECT_EQ(Prm.ActivePaperColors, written.ActivePaperColors);
  EXPECT_EQ(std::tie(Prm.WindowCaption, Prm.PileFontName, Prm.DropTextBook, Prm.StartupBook),
            std::tie(written.WindowCaption, written.PileFontName, written.DropTextBook, written.StartupBook));
  EXPECT_EQ(
      std::tie(Prm.DayAutoCleanup, Prm.AutoCleanup, Prm.TaskTrayIcon, Prm.DropTextToSpecificBook),
      std::tie(written.DayAutoCleanup, written.AutoCleanup, written.TaskTrayIcon, written.DropTextToSpecificBook));
  EXPECT_EQ(Headers.ExtraHeaderColor, writtenHeaders.ExtraHeaderColor);
  EXPECT_EQ(std::tie(Bounds.Left, Bounds.Top, Bounds.Width, Bounds.Height, Bounds.ListWidth),
            std::tie(writtenBounds.Left, writtenBounds.Top, writtenBounds.Width, writtenBounds.Height,
                     writtenBounds.ListWidth));
}

TEST_F(SettingsTest, HexColoursAndForeignValuesAreRead) {
  WriteBytes(Path, EncodeCp932OrUtf8(QStringLiteral(
                       "[color]\r\npaper=0x00FF00\r\nPaperFont=$FF\r\nPagePaper=green\r\n"
                       "[Parameters]\r\nPileFontName=Arial\r\nPageFontName=IPAGothic\r\nPileFontSize=big\r\n"
                       "[Startup]\r\nBook=C:\\Memo\\Books\\a.vopa\r\n")));
  Read(OnlyIpaGothic);
  EXPECT_EQ(Prm.PaperColors, (TColorSet{0xFF, 0x00FF00, clNone}));
  EXPECT_EQ(Prm.PagePaperColors.BackColor, TColor(0xEEFFFF));
  EXPECT_EQ(Prm.PileFontName, QStringLiteral("ＭＳ Ｐゴシック"));
  EXPECT_EQ(Prm.PageFontName, QStringLiteral("IPAGothic"));
  EXPECT_EQ(Prm.PileFontSize, 10);
  EXPECT_EQ(Prm.StartupBook, QStringLiteral("C:/Memo/Books/a.vopa"));
}

TEST_F(SettingsTest, DropTextBookExistsOnlyWhileItsOptionIsOn) {
  WriteBytes(Path, "[Parameters]\r\nDropTextToSpecificBook=1\r\nDropTextBook=/books/drop.vopa\r\n");
  Read();
  Write(QStringLiteral("/books/a.vopa"));
  EXPECT_TRUE(Text().contains(QStringLiteral("DropTextBook=/books/drop.vopa\r\n")));
  Prm.DropTextToSpecificBook = false;
  Write(QStringLiteral("/books/a.vopa"));
  EXPECT_FALSE(Text().contains(QStringLiteral("DropTextBook=")));
  EXPECT_TRUE(Text().contains(QStringLiteral("DropTextToSpecificBook=0\r\n")));
}

TEST_F(SettingsTest, StartupBookFollowsSpecificBookAndTheCurrentBook) {
  const struct {
    bool SpecificBook;
    const char* CurrentBook;
    const char* ExpectedBook;
    bool ExpectedSpecific;
  } cases[] = {
      {true, "/books/other.vopa", "/books/fixed.vopa", true},
      {false, "/books/other.vopa", "/books/other.vopa", false},
      {true, "", "", false},
      {false, "", "", false},
  };
  for (const auto& c : cases) {
    WriteBytes(Path, QByteArray("[Startup]\r\nSpecificBook=") + (c.SpecificBook ? "1" : "0") +
                         "\r\nBook=/books/fixed.vopa\r\n");
    Read();
    Write(QString::fromUtf8(c.CurrentBook));
    Read();
    EXPECT_EQ(Prm.StartupBook, QString::fromUtf8(c.ExpectedBook)) << c.SpecificBook << c.CurrentBook;
    EXPECT_EQ(Prm.SpecificBook, c.ExpectedSpecific) << c.SpecificBook << c.CurrentBook;
  }
}

TEST_F(SettingsTest, EntriesTheProgramDoesNotWriteSurvive) {
  const QString before = QStringLiteral(
      "; ユーザーのメモ\r\n[Path]\r\nBookDir=/data/本/\r\n\r\n[Mine]\r\nKey=値\r\n\r\n[Color]\r\nOld=1\r\n");
  WriteBytes(Path, EncodeCp932OrUtf8(before));
  Read();
  Write(QStringLiteral("/books/a.vopa"));
  const QString after = Text();
  EXPECT_TRUE(after.startsWith(QStringLiteral(
      "; "
      "ユーザーのメモ\r\n[Path]\r\nBookDir=/data/本/\r\n\r\n[Mine]\r\nKey=値\r\n\r\n[Color]\r\nOld=1\r\nMemoHeader=")))
      << after.toStdString();
  EXPECT_FALSE(after.contains(QStringLiteral("ExtraDir")));
}

}  // namespace
