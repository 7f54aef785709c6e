#include "app/ini_file.h"

#include "book/code_page.h"
#include "book/vopa_error.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

class IniFileTest : public testing::Test {
 protected:
  QString Write(const QByteArray& bytes) {
    WriteBytes(Path, bytes);
    return Path;
  }
  QTemporaryDir Dir;
  QString Path = Dir.filePath(QStringLiteral("vopamemo.ini"));
};

TEST_F(IniFileTest, MissingFileReadsDefaultsAndWritingCreatesIt) {
  TIniFile ini(Path);
  EXPECT_EQ(ini.ReadInteger("Color", "Paper", 7), 7);
  EXPECT_EQ(ini.ReadString("Startup", "Book", "none"), "none");
  EXPECT_FALSE(ini.ValueExists("Startup", "Book"));
  ini.WriteInteger("Color", "Paper", -16777211);
  ini.WriteBool("Startup", "SpecificBook", true);
  ini.UpdateFile();
  EXPECT_EQ(ReadBytes(Path), "[Color]\r\nPaper=-16777211\r\n\r\n[Startup]\r\nSpecificBook=1\r\n");
}

TEST_F(IniFileTest, AnUnreadableFileIsKeptAsideBeforeTheNewOneIsWritten) {
  // A directory in the file's place stands for a file that exists but cannot be read.
  ASSERT_TRUE(QDir().mkpath(Path));
  WriteBytes(Path + QStringLiteral("/inside"), "kept");
  TIniFile ini(Path);
  EXPECT_EQ(ini.ReadInteger("Color", "Paper", 7), 7);
  ini.WriteInteger("Color", "Paper", 1);
  ini.UpdateFile();
  EXPECT_EQ(ReadBytes(Path), "[Color]\r\nPaper=1\r\n");
  EXPECT_EQ(ReadBytes(Path + QStringLiteral(".unreadable/inside")), "kept");
  ini.UpdateFile();  // only the first write moves anything aside
  EXPECT_FALSE(QFileInfo::exists(Path + QStringLiteral(".unreadable2")));
}

TEST_F(IniFileTest, IntegersReadDecimalAndBothHexFormsElseTheDefault) {
  const struct {
    const char* Text;
    qint64 Expected;
  } cases[] = {
      {"12", 12},
      {"-16777211", -16777211},
      {" 42 ", 42},
      {"0x00FF00", 0x00FF00},
      {"0XFF000005", 0xFF000005},
      {"$ff", 255},
      {"$1FFFFFFF", 0x1FFFFFFF},
      {"abc", -1},
      {"", -1},
      {"12abc", -1},
      {"1.5", -1},
      {"0x", -1},
      {"$", -1},
      {"$-1", -1},
      {"0x0x5", -1},
      {"0xFG", -1},
  };
  QByteArray bytes("[Values]\r\n");
  for (qsizetype i = 0; i < qsizetype(std::size(cases)); ++i)
    bytes += "k" + QByteArray::number(i) + "=" + cases[i].Text + "\r\n";
  TIniFile ini(Write(bytes));
  for (qsizetype i = 0; i < qsizetype(std::size(cases)); ++i)
    EXPECT_EQ(ini.ReadInteger("Values", "k" + QString::number(i), -1), cases[i].Expected) << cases[i].Text;
}

TEST_F(IniFileTest, BooleansReadAnyNonZeroIntegerAndWriteOneOrZero) {
  TIniFile ini(Write("[B]\r\nTwo=2\r\nZero=0\r\nMinus=-1\r\nWord=yes\r\n"));
  EXPECT_TRUE(ini.ReadBool("B", "Two", false));
  EXPECT_FALSE(ini.ReadBool("B", "Zero", true));
  EXPECT_TRUE(ini.ReadBool("B", "Minus", false));
  EXPECT_TRUE(ini.ReadBool("B", "Word", true));
  EXPECT_FALSE(ini.ReadBool("B", "Word", false));
  ini.WriteBool("B", "Two", true);
  ini.WriteBool("B", "Zero", false);
  ini.UpdateFile();
  EXPECT_EQ(ReadBytes(Path), "[B]\r\nTwo=1\r\nZero=0\r\nMinus=-1\r\nWord=yes\r\n");
}

TEST_F(IniFileTest, SectionsAndKeysMatchIgnoringAsciiCaseOnly) {
  // Full-width letters are different names: only ASCII folds.
  TIniFile ini(Write(EncodeCp932OrUtf8(QStringLiteral("[COLOR]\r\npaper=5\r\n[Ｗｉｄｅ]\r\nＫ=1\r\n"))));
  EXPECT_EQ(ini.ReadInteger("Color", "Paper", 0), 5);
  EXPECT_EQ(ini.ReadInteger("ｗｉｄｅ", "Ｋ", 0), 0);
  EXPECT_EQ(ini.ReadInteger("Ｗｉｄｅ", "ｋ", 0), 0);
  EXPECT_EQ(ini.ReadInteger("Ｗｉｄｅ", "Ｋ", 0), 1);
  ini.WriteInteger("color", "PAPER", 7);  // the line keeps its own spelling
  ini.UpdateFile();
  EXPECT_EQ(TIniFile(Path).ReadInteger("Color", "paper", 0), 7);
  EXPECT_TRUE(ReadBytes(Path).startsWith("[COLOR]\r\npaper=7\r\n"));
}

TEST_F(IniFileTest, UntouchedLinesSurviveAWriteByteForByte) {
  // Comments, blank lines, unknown sections and keys, odd spacing, a Shift-JIS value,
  // and 0x8790, the second byte form of "≒" that a decode and encode would turn into 0x81E0.
  const QByteArray before =
      "; settings\r\n"
      "\r\n"
      "[Color]\r\n"
      "  Paper = 0x00FF00\r\n"
      "Unknown=keep me\r\n"
      "; end of colours\r\n"
      "\r\n"
      "[Mine]\r\n"
      "Name=\x83\x81\x83\x82 \x87\x90\r\n"
      "[Parameters]\r\n"
      "TabLength=8\r\n"
      "\r\n";
  TIniFile ini(Write(before));
  EXPECT_EQ(ini.ReadInteger("Color", "Paper", 0), 0x00FF00);
  EXPECT_EQ(ini.ReadString("Mine", "Name", ""), QStringLiteral("メモ ≒"));
  ini.WriteInteger("Parameters", "TabLength", 8);  // same value: line untouched
  ini.WriteInteger("Color", "PaperFont", -16777208);
  ini.WriteString("Parameters", "WindowCaption", QStringLiteral("ヴォパメモ"));
  ini.UpdateFile();
  // The new keys end their sections; every other byte stays where it was.
  QByteArray expected = before;
  expected.replace("Unknown=keep me\r\n", "Unknown=keep me\r\nPaperFont=-16777208\r\n");
  expected.replace("TabLength=8\r\n", "TabLength=8\r\nWindowCaption=\x83\x94\x83\x48\x83\x70\x83\x81\x83\x82\r\n");
  EXPECT_EQ(ReadBytes(Path), expected);
}

TEST_F(IniFileTest, ReadsLfAndCrLineEndingsAndWritesCrLf) {
  TIniFile ini(Write("[A]\nx=1\r[B]\r\ny=2"));
  EXPECT_EQ(ini.ReadInteger("A", "x", 0), 1);
  EXPECT_EQ(ini.ReadInteger("B", "y", 0), 2);
  ini.UpdateFile();
  EXPECT_EQ(ReadBytes(Path), "[A]\r\nx=1\r\n[B]\r\ny=2\r\n");
}

TEST_F(IniFileTest, DeleteKeyRemovesOnlyThatLine) {
  TIniFile ini(Write("[Parameters]\r\nDropTextBook=/a.vopa\r\nTabLength=8\r\n"));
  ini.DeleteKey("parameters", "droptextbook");
  ini.DeleteKey("Parameters", "Missing");
  EXPECT_FALSE(ini.ValueExists("Parameters", "DropTextBook"));
  ini.UpdateFile();
  EXPECT_EQ(ReadBytes(Path), "[Parameters]\r\nTabLength=8\r\n");
}

TEST_F(IniFileTest, BytesThatAreNoUtf8StayAsTheyWereInUntouchedLines) {
  const QByteArray bad = "Junk=\xFF\xFE\xC3(\r\n";
  TIniFile ini(Write("\xEF\xBB\xBF[Mine]\r\n" + bad + "Name=\xE6\x97\xA5\r\n"));
  ini.WriteString("Startup", "Book", QStringLiteral("日本"));
  ini.UpdateFile();
  EXPECT_EQ(ReadBytes(Path), "\xEF\xBB\xBF[Mine]\r\n" + bad + "Name=\xE6\x97\xA5\r\n\r\n[Startup]\r\nBook=" +
                                 QStringLiteral("日本").toUtf8() + "\r\n");
}

// A settings file that is no regular file, or absurdly large, is never read (a FIFO would
// block the start, a device never end): defaults, the reason, and the file kept aside.
TEST_F(IniFileTest, OnlyARegularFileOfSaneSizeIsRead) {
  ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), Path));
  TIniFile ini(Path);
  EXPECT_TRUE(ini.ReadFailure().contains(QStringLiteral("通常のファイルではありません")))
      << ini.ReadFailure().toStdString();
  EXPECT_EQ(ini.ReadInteger("Color", "Paper", 7), 7);
  ini.UpdateFile();
  EXPECT_EQ(ini.KeptAsideAs(), Path + QStringLiteral(".unreadable"));
  EXPECT_EQ(QFileInfo(ini.KeptAsideAs()).symLinkTarget(), QStringLiteral("/dev/zero"));
  EXPECT_TRUE(QFileInfo(Path).isFile());
}

TEST_F(IniFileTest, TextOutsideCodePage932SwitchesTheFileToUtf8) {
  TIniFile ini(Write("[Mine]\r\nName=\x83\x81\x83\x82\r\n"));
  ini.WriteString("Startup", "Book", QStringLiteral("/books/😀.vopa"));
  ini.UpdateFile();
  EXPECT_EQ(ReadBytes(Path),
            QByteArray("\xEF\xBB\xBF") +
                QStringLiteral("[Mine]\r\nName=メモ\r\n\r\n[Startup]\r\nBook=/books/😀.vopa\r\n").toUtf8());
  TIniFile again(Path);
  EXPECT_EQ(again.ReadString("Startup", "Book", ""), QStringLiteral("/books/😀.vopa"));
  EXPECT_EQ(again.ReadString("Mine", "Name", ""), QStringLiteral("メモ"));
}

TEST_F(IniFileTest, FailedWriteThrowsAndNamesTheFile) {
  TIniFile ini(Dir.filePath(QStringLiteral("missing/dir/vopamemo.ini")));
  ini.WriteInteger("A", "b", 1);
  try {
    ini.UpdateFile();
    FAIL() << "no error";
  } catch (const EVopaError& error) {
    EXPECT_TRUE(error.Message.contains(QStringLiteral("missing/dir/vopamemo.ini"))) << error.what();
  }
}

TEST_F(IniFileTest, WriteErrorAtTheEndKeepsThePreviousFile) {
  Write("[A]\r\nb=1\r\n");
  TIniFile ini(Path);
  ini.WriteString("A", "long", QString(4096, QLatin1Char('x')));
  {
    TFileSizeLimit limit(1024);
    EXPECT_THROW(ini.UpdateFile(), EVopaError);
  }
  EXPECT_EQ(ReadBytes(Path), "[A]\r\nb=1\r\n");
}

}  // namespace
