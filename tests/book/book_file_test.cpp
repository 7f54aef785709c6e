#include "book/book.h"
#include "book/vopa_error.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>

namespace {

class BookFileTest : public testing::Test {
 protected:
  QString PathOf(const QString& name) const { return Dir.filePath(name); }

  // Loads path into a fresh book; the book is clean afterwards.
  std::unique_ptr<TBook> Loaded(const QString& path) const {
    auto book = std::make_unique<TBook>();
    book->SetPath(path);
    EXPECT_TRUE(book->LoadClean());
    return book;
  }

  std::unique_ptr<TBook> RoundTrip(TBook& book) const {
    book.SetPath(PathOf("round.vopa"));
    book.Save();
    return Loaded(book.GetPath());
  }

  // Writes bytes to a file called name and loads it.
  std::unique_ptr<TBook> LoadedFrom(const QString& name, const QByteArray& bytes) const {
    WriteBytes(PathOf(name), bytes);
    return Loaded(PathOf(name));
  }

  QTemporaryDir Dir;
};

TEST_F(BookFileTest, WrittenBookHasTheExactLayout) {
  TBook book;
  book.Options.Lines = QStringList{"Type=Book", "CreateDateTime=2024/01/02 3:04:05", "Creator=tester"};
  TOptionList greeting;
  greeting.Lines = QStringList{"Title=Greeting", "Transfered=True"};
  book.AddMemo("first line\r\nsecond & <third> \"q\"\r\n\tindented", 0, &greeting);
  book.AddMemo("", 1);
  TOptionList art;
  art.Lines = QStringList{"Type=AA"};
  book.AddMemo("x", 2, &art);
  book.SetPath(PathOf("layout.vopa"));
  EXPECT_TRUE(book.Save());
  EXPECT_EQ(ReadBytes(book.GetPath()), ReadBytes(FixturePath("book_layout.vopa")));
}

TEST_F(BookFileTest, FixtureReadsBackWithVersionAndCrLf) {
  const auto book = Loaded(FixturePath("book_layout.vopa"));
  EXPECT_EQ(book->Options.Get("SaveVirsion"), "1.7.0.31");
  ASSERT_EQ(book->Count(), 2);
  EXPECT_EQ(book->MemoAt(0)->Text, "first line\r\nsecond & <third> \"q\"\r\n\tindented");
  EXPECT_EQ(book->MemoAt(0)->Options.Lines, (QStringList{"Title=Greeting", "Transfered=True"}));
  EXPECT_FALSE(book->Modified);
}

// A big book is read on several threads: every memo keeps its own text, options and place.
TEST_F(BookFileTest, BigBookReadsBackInOrder) {
  TBook book;
  constexpr int kMemos = 5000;
  for (int i = 0; i < kMemos; ++i) {
    TOptionList options;
    options.Lines = QStringList{QStringLiteral("Title=題名%1").arg(i)};
    if (i % 3 == 0) options.Lines.append(QStringLiteral("Type=AA"));
    book.AddMemo(QStringLiteral("メモ %1\r\nline & <%2>\r\n\t二行目").arg(i).arg(i * 7), i, &options);
  }
  const auto read = RoundTrip(book);
  ASSERT_EQ(read->Count(), kMemos);
  for (int i = 0; i < kMemos; ++i) {
    ASSERT_EQ(read->MemoAt(i)->Text, book.MemoAt(i)->Text) << i;
    ASSERT_EQ(read->MemoAt(i)->Options.Lines, book.MemoAt(i)->Options.Lines) << i;
    ASSERT_EQ(read->MemoAt(i)->Book, read.get());
  }
}

TEST_F(BookFileTest, TrickyTextsAndOptionValuesReadBackExactly) {
  const QString texts[] = {
      "<&> ]]> \"'",
      "a\r\nb\r\n",
      "\ttab\fform\x01\x1b\x1f end\x7f",
      QString(QChar(0)) + "nul",
      "lone\rcr",
      "lone\nlf then\r\ncrlf",
      "\r\n\r\nleading breaks",
      "\r\r\n",
      "   ",
      QString::fromUtf16(u"pictures \u2400 \u240D \u241F and escape \u2420\u2420 stay"),
      QString::fromUtf16(u"日本語と\U0001F600 emoji"),
      QString::fromUtf16(u"\uFEFF\uFEFFmarks <\uFEFF stay, after an escape too"),
  };
  TBook book;
  for (const QString& text : texts) {
    TOptionList options;
    options.Lines = QStringList{"Title=" + text.simplified() + "\x01\t\"<", "Custom=&amp;"};
    book.AddMemo(text, book.Count(), &options);
  }
  const auto read = RoundTrip(book);
  ASSERT_EQ(read->Count(), book.Count());
  for (int i = 0; i < book.Count(); ++i) {
    EXPECT_EQ(read->MemoAt(i)->Text, book.MemoAt(i)->Text) << i;
    EXPECT_EQ(read->MemoAt(i)->Options, book.MemoAt(i)->Options) << i;
  }
}

TEST_F(BookFileTest, EmptyMemosAreNotWrittenAndVersionKeepsItsPlace) {
  TBook book;
  book.Options.Lines = QStringList{"SaveVirsion=1.0.0.0", "Type=Book"};
  book.AddMemo("", 0);
  const auto read = RoundTrip(book);
  EXPECT_EQ(read->Count(), 0);
  EXPECT_EQ(read->Options.Lines, (QStringList{"SaveVirsion=1.7.0.31", "Type=Book"}));
}

// Every line break in the file is one line break of the text, whatever its kind, as after
// XML end-of-line handling; mixed breaks in a hand-edited file all become CR LF.
TEST_F(BookFileTest, OtherLineBreaksBecomeCrLf) {
  const auto book = LoadedFrom("lf.vopa",
                               "<?xml version=\"1.0\"?>\n<VopaMemoBook><Memo><text>a\nb\nc</text></Memo>"
                               "<Memo><text>a\rb</text></Memo><Memo><text>a\r\nb\nc\rd\n\r</text></Memo>"
                               "<Memo><text>a\r\r\nb</text></Memo></VopaMemoBook>");
  ASSERT_EQ(book->Count(), 4);
  EXPECT_EQ(book->MemoAt(0)->Text, "a\r\nb\r\nc");
  EXPECT_EQ(book->MemoAt(1)->Text, "a\r\nb");
  EXPECT_EQ(book->MemoAt(2)->Text, "a\r\nb\r\nc\r\nd\r\n\r\n");
  EXPECT_EQ(book->MemoAt(3)->Text, "a\r\n\r\nb");
}

TEST_F(BookFileTest, UnknownRootAttributesSurviveAndOtherElementsAreDropped) {
  auto book =
      LoadedFrom("extra.vopa",
                 "\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<VopaMemoBook Type=\"Book\" Custom=\"kept\" Empty=\"\">\r\n"
                 "  <BookHeader Lost=\"yes\"/>\r\n  <Memo Imported=\"True\"><text>t</text><Other/></Memo>\r\n"
                 "  <Memo Title=\"no text\"/>\r\n</VopaMemoBook>\r\n");
  EXPECT_EQ(book->Options.Lines, (QStringList{"Type=Book", "Custom=kept"}));
  ASSERT_EQ(book->Count(), 2);
  EXPECT_EQ(book->MemoAt(1)->Text, "");
  book->Save();
  const QByteArray written = ReadBytes(book->GetPath());
  EXPECT_TRUE(written.contains("<VopaMemoBook Type=\"Book\" Custom=\"kept\" SaveVirsion=\"1.7.0.31\">"));
  EXPECT_TRUE(written.contains("<Memo Imported=\"True\">"));
  EXPECT_FALSE(written.contains("BookHeader"));
  EXPECT_FALSE(written.contains("Other"));
}

TEST_F(BookFileTest, MemoOptionWithInvalidNameIsSkippedNotFatal) {
  TBook book;
  book.Options.Lines = QStringList{"bad name=1", "Type=Book"};
  TOptionList options;
  options.Lines = QStringList{"Title=kept", "1st=x", "with space=y", "=z", "no separator", "Type=AA"};
  book.AddMemo("text", 0, &options);
  book.SetPath(PathOf("names.vopa"));
  EXPECT_TRUE(book.SaveIfModified());
  EXPECT_FALSE(book.Modified);
  const auto read = Loaded(book.GetPath());
  EXPECT_EQ(read->Options.Lines, (QStringList{"Type=Book", "SaveVirsion=1.7.0.31"}));
  EXPECT_EQ(read->MemoAt(0)->Options.Lines, (QStringList{"Title=kept", "Type=AA"}));
}

TEST_F(BookFileTest, EarlierFormInCodePage932) {
  const auto book = Loaded(FixturePath("earlier_form_cp932.vopa"));
  EXPECT_EQ(book->Options.Lines, (QStringList{"Type=Book", "Creator=旧ユーザー", ""}));
  ASSERT_EQ(book->Count(), 2);
  EXPECT_EQ(book->MemoAt(0)->Options.Lines, (QStringList{"Title=古いメモ", "Transfered=True"}));
  EXPECT_EQ(book->MemoAt(0)->Text, "日本語のa<bテキスト\r\n二行目");
  EXPECT_EQ(book->MemoAt(1)->Text, "<<tag>>");
}

TEST_F(BookFileTest, EarlierFormThatIsWellFormedXmlKeepsItsTexts) {
  const auto book =
      LoadedFrom("ascii.vopa",
                 "<VopaMemoBook>\r\n<BookHeader>\r\nType=Book\r\n</BookHeader>\r\n<Memo>\r\n<MemoHeader>\r\n"
                 "Title=Old\r\n</MemoHeader>\r\n<MemoText>\r\nhello\r\nworld\r\n</MemoText>\r\n</Memo>\r\n"
                 "</VopaMemoBook>\r\n");
  EXPECT_EQ(book->Options.Lines, QStringList{"Type=Book"});
  ASSERT_EQ(book->Count(), 1);
  EXPECT_EQ(book->MemoAt(0)->Options.Lines, QStringList{"Title=Old"});
  EXPECT_EQ(book->MemoAt(0)->Text, "hello\r\nworld");
}

TEST_F(BookFileTest, PlainTextBecomesAnEmptyMemoAndTheWholeText) {
  const struct {
    QByteArray Bytes;
    QString Text;
  } cases[] = {
      {"one\ntwo & <three>\n", "one\r\ntwo & <three>\r\n"},
      {"last line without break", "last line without break\r\n"},
      {"\x93\xfa\x96\x7b\r\n\r\nend", "日本\r\n\r\nend\r\n"},  // code page 932
      {"日本語\rUTF-8", "日本語\r\nUTF-8\r\n"},
      {"", ""},
      // Tags in text that is not well-formed XML: pugixml would take these for another root.
      {"hello <b>x</b>", "hello <b>x</b>\r\n"},
      {"<b>note</b> and more", "<b>note</b> and more\r\n"},
      {"<a>x</a>\n<b>y</b>", "<a>x</a>\r\n<b>y</b>\r\n"},
      {"<b>x & y</b>", "<b>x & y</b>\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Bytes.constData());
    const auto book = LoadedFrom("plain.txt", c.Bytes);
    EXPECT_EQ(book->Options.Get("Type"), "Book");
    ASSERT_EQ(book->Count(), 2);
    EXPECT_EQ(book->MemoAt(0)->Text, "");
    EXPECT_EQ(book->LastMemo, book->MemoAt(0));
    EXPECT_EQ(book->MemoAt(1)->Text, c.Text);
  }
}

TEST_F(BookFileTest, AnotherRootIsAnErrorAndChangesNothing) {
  WriteBytes(PathOf("other.vopa"), "<?xml version=\"1.0\"?><Other Type=\"x\"><Memo><text>t</text></Memo></Other>");
  TBook book;
  book.SetPath(PathOf("other.vopa"));
  EXPECT_THROW(book.Load(), EVopaError);
  EXPECT_TRUE(book.Options.Lines.isEmpty());
  EXPECT_EQ(book.Count(), 0);
}

TEST_F(BookFileTest, MissingFileCannotBeLoaded) {
  TBook book;
  book.SetPath(PathOf("missing.vopa"));
  EXPECT_FALSE(book.Load());
}

TEST_F(BookFileTest, FailedSaveKeepsPreviousFileAndModified) {
  TBook book;
  book.SetPath(PathOf("full.vopa"));
  book.AddMemo("small", 0);
  book.Save();
  const QByteArray previous = ReadBytes(book.GetPath());
  book.AddMemo(QString(4096, QLatin1Char('x')), 1);
  {
    TFileSizeLimit limit(1024);
    EXPECT_THROW(book.SaveIfModified(), EVopaError);
  }
  EXPECT_TRUE(book.Modified);
  EXPECT_EQ(ReadBytes(book.GetPath()), previous);
  EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files), QStringList{"full.vopa"}) << "no temporary file is left";

  book.SetPath(PathOf("no such dir/book.vopa"));
  EXPECT_THROW(book.SaveIfModified(), EVopaError);
  EXPECT_TRUE(book.Modified);
}

}  // namespace
