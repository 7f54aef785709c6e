// Damaged and unusual book files: what is read, what is kept aside, and that nothing is lost.
#include "book/book.h"
#include "book/vopa_error.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

const QByteArray kHead = "<?xml version=\"1.0\"?>\r\n<VopaMemoBook Type=\"Book\" SaveVirsion=\"1.7.0.31\">\r\n";
const QByteArray kFirst = "  <Memo Title=\"一\">\r\n    <text>最初のメモ</text>\r\n  </Memo>\r\n";
const QByteArray kSecond =
    "  <Memo Title=\"二\" Transfered=\"True\">\r\n    <text>二番目のメモ</text>\r\n  </Memo>\r\n";
const QByteArray kTail = "</VopaMemoBook>\r\n";

class BookDamageTest : public testing::Test {
 protected:
  QString PathOf(const QString& name) const { return Dir.filePath(name); }

  std::unique_ptr<TBook> Load(const QString& name, const QByteArray& bytes) {
    WriteBytes(PathOf(name), bytes);
    auto book = std::make_unique<TBook>();
    book->SetPath(PathOf(name));
    EXPECT_TRUE(book->LoadClean());
    return book;
  }

  QTemporaryDir Dir;
};

struct TDamage {
  const char* Name;
  QByteArray Bytes;
  QStringList Texts;  // of the memos recovered
};

TEST_F(BookDamageTest, DamagedBookIsCopiedAsideAndReadUpToTheDamage) {
  const QByteArray whole = kHead + kFirst + kSecond + kTail;
  QByteArray badByte = whole;
  badByte.replace("二番目", "二\xFF番目");
  QByteArray nul = whole;
  nul.replace("最初", QByteArray("最\0初", 7));
  const TDamage cases[] = {
      {"cut inside the second text",
       whole.left(whole.indexOf("のメモ</text>\r\n  </Memo>\r\n</Vopa")),
       {"最初のメモ", "二番目"}},
      {"cut after the first memo", kHead + kFirst, {"最初のメモ"}},
      {"cut in the root tag", kHead.left(40), {}},
      {"invalid UTF-8 byte", badByte, {"最初のメモ", "二\uFFFD番目のメモ"}},
      {"NUL byte", nul, {"最\uFFFD初のメモ", "二番目のメモ"}},
      {"stray < inside a text", kHead + kFirst + "  <Memo><text>a < b</text></Memo>\r\n" + kTail, {"最初のメモ", "a "}},
  };
  for (const TDamage& c : cases) {
    SCOPED_TRACE(c.Name);
    const QString name = QStringLiteral("book.vopa");
    QFile::remove(PathOf(name + ".damaged"));
    const auto book = Load(name, c.Bytes);
    EXPECT_EQ(book->LoadedForm, TBookForm::Repaired);
    QStringList texts;
    for (int i = 0; i < book->Count(); ++i) texts << book->MemoAt(i)->Text;
    EXPECT_EQ(texts, c.Texts);
    if (book->Count() >= 1) {
      EXPECT_EQ(book->MemoAt(0)->Options.Get("Title"), "一");
    }
    if (book->Count() >= 2 && c.Texts[1].startsWith(u'二')) {
      EXPECT_EQ(book->MemoAt(1)->Options.Get("Transfered"), "True");
    }
    EXPECT_EQ(ReadBytes(PathOf(name + ".damaged")), c.Bytes);
    EXPECT_EQ(ReadBytes(PathOf(name)), c.Bytes) << "reading writes nothing over the original";
    EXPECT_TRUE(book->LoadNote.contains(PathOf(name + ".damaged"))) << book->LoadNote.toStdString();
    EXPECT_TRUE(book->LoadNote.contains(QStringLiteral("%1 件").arg(c.Texts.size())));
    EXPECT_TRUE(book->Modified) << "the repaired form is saved at the next chance";
  }
}

TEST_F(BookDamageTest, EveryDamagedReadKeepsItsOwnCopyAndSavingRepairsTheFile) {
  const QByteArray cut = kHead + kFirst + "  <Memo";
  auto first = Load("b.vopa", cut);
  auto second = Load("b.vopa", cut);
  EXPECT_EQ(ReadBytes(PathOf("b.vopa.damaged")), cut);
  EXPECT_EQ(ReadBytes(PathOf("b.vopa.damaged2")), cut);
  second->Save();
  const auto reread = Load("b.vopa", ReadBytes(PathOf("b.vopa")));
  EXPECT_EQ(reread->LoadedForm, TBookForm::Xml);
  ASSERT_EQ(reread->Count(), 1);
  EXPECT_EQ(reread->MemoAt(0)->Text, "最初のメモ");
  EXPECT_FALSE(QFileInfo::exists(PathOf("b.vopa.damaged3")));
}

TEST_F(BookDamageTest, DamagedBookThatCannotBeCopiedAsideIsNotOpened) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  const QString dir = PathOf("locked");
  WriteBytes(dir + "/b.vopa", kHead + kFirst);
  ASSERT_EQ(::chmod(QFile::encodeName(dir).constData(), 0555), 0);
  TBook book;
  book.SetPath(dir + "/b.vopa");
  EXPECT_THROW(book.Load(), EVopaError);
  ::chmod(QFile::encodeName(dir).constData(), 0755);
  EXPECT_EQ(ReadBytes(dir + "/b.vopa"), kHead + kFirst);
}

TEST_F(BookDamageTest, PlainTextAndEarlierFormsAreNoDamage) {
  const struct {
    QByteArray Bytes;
    TBookForm Form;
  } cases[] = {
      {"just a note\r\nwith <tags> and \xFF bytes", TBookForm::PlainText},
      {"<VopaMemoBook>\r\n<Memo>\r\n<MemoText>\r\nold\r\n</MemoText>\r\n</Memo>\r\n</VopaMemoBook>\r\n",
       TBookForm::EarlierForm},
      {"<VopaMemoBookX attr=\"1\">", TBookForm::PlainText},
      {"<?xml version=\"1.0\"?>\r\n<Notes><a>unclosed", TBookForm::PlainText},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Bytes.constData());
    const auto book = Load("plain.vopa", c.Bytes);
    EXPECT_EQ(book->LoadedForm, c.Form);
    EXPECT_TRUE(book->LoadNote.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(PathOf("plain.vopa.damaged")));
  }
}

// Text that is not what this program writes is still read whole: nothing after a comment,
// CDATA section, processing instruction, inner element or reference is dropped.
TEST_F(BookDamageTest, WholeCharacterContentOfTextIsRead) {
  const struct {
    const char* Text;
    QString Expected;
  } cases[] = {
      {"a<!-- note -->b", "ab"},
      {"a<![CDATA[<&>]]>b", "a<&>b"},
      {"a<?pi data?>b", "ab"},
      {"a<b>bold</b>c<i/>d", "aboldcd"},
      {"a&#0;b&#x1;c&#9;d", QString::fromUtf16(u"a\0b\u0001c\td", 7)},
      {"&lt;&amp;&gt;&quot;&apos;&#x65E5;&#26412;", "<&>\"'日本"},
      {"keep &unknown; &#xD800; &#1114112; & alone", "keep &unknown; &#xD800; &#1114112; & alone"},
      {"line<!--x-->\nbreak\r", "line\r\nbreak\r\n"},
      {"<!-- only markup --><?pi?><b/>", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text);
    const auto book = Load("t.vopa", kHead + "<Memo><text>" + c.Text + "</text></Memo>" + kTail);
    ASSERT_EQ(book->Count(), 1);
    EXPECT_EQ(book->MemoAt(0)->Text, c.Expected);
    EXPECT_EQ(book->LoadedForm, TBookForm::Xml);
  }
}

TEST_F(BookDamageTest, ReferencesInAttributesCutNothing) {
  const auto book = Load("a.vopa", kHead + "<Memo Title=\"a&#0;b&#9;c&amp;d\"><text>t</text></Memo>" + kTail);
  ASSERT_EQ(book->Count(), 1);
  EXPECT_EQ(book->MemoAt(0)->Options.Get("Title"), QString::fromUtf16(u"a\0b\tc&d", 7));
  // Saved and read again, the value stays the same.
  book->Save();
  const auto reread = Load("a.vopa", ReadBytes(PathOf("a.vopa")));
  EXPECT_EQ(reread->MemoAt(0)->Options.Get("Title"), book->MemoAt(0)->Options.Get("Title"));
}

// Of options with the same name (ignoring case) the first is shown, and the first is saved.
TEST_F(BookDamageTest, FirstOfDuplicatedOptionsWinsWhenShownAndWhenSaved) {
  const QByteArray earlier =
      "<VopaMemoBook>\r\n<BookHeader>\r\nCustom=first\r\ncustom=second\r\n</BookHeader>\r\n<Memo>\r\n<MemoHeader>\r\n"
      "Title=first\r\nTitle=second\r\nTITLE=third\r\n</MemoHeader>\r\n<MemoText>\r\ntext\r\n</MemoText>\r\n</Memo>\r\n"
      "</VopaMemoBook>\r\n";
  const QByteArray xml = kHead.left(kHead.size() - 3) +
                         " custom=\"later\">\r\n<Memo Title=\"first\" title=\"second\">"
                         "<text>text</text></Memo>" +
                         kTail;
  for (const QByteArray& bytes : {earlier, xml}) {
    const auto book = Load("dup.vopa", bytes);
    ASSERT_EQ(book->Count(), 1);
    EXPECT_EQ(book->MemoAt(0)->Options.Get("Title"), "first");
    book->Save();
    const auto reread = Load("dup.vopa", ReadBytes(PathOf("dup.vopa")));
    EXPECT_EQ(reread->MemoAt(0)->Options.Get("Title"), "first");
    EXPECT_EQ(reread->Options.Get("Custom"), book->Options.Get("Custom"));
    EXPECT_EQ(reread->MemoAt(0)->Options.Count(), 1);
  }
}

// Files that are no regular files, or too large, are refused with the reason and never read.
TEST_F(BookDamageTest, OnlyRegularFilesOfSaneSizeAreRead) {
  ASSERT_EQ(::mkfifo(QFile::encodeName(PathOf("fifo.vopa")).constData(), 0600), 0);
  ASSERT_TRUE(QFile::link("/dev/zero", PathOf("zero.vopa")));
  QDir(Dir.path()).mkdir("dir.vopa");
  {
    QFile sparse(PathOf("huge.vopa"));
    ASSERT_TRUE(sparse.open(QIODevice::WriteOnly));
    ASSERT_TRUE(sparse.resize((qint64(1) << 30) + 1));
  }
  const struct {
    const char* Name;
    const char* Reason;
  } cases[] = {{"fifo.vopa", "通常のファイルではありません"},
               {"zero.vopa", "通常のファイルではありません"},
               {"dir.vopa", "フォルダです"},
               {"huge.vopa", "大きすぎます"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TBook book;
    book.SetPath(PathOf(c.Name));
    try {
      book.Load();
      ADD_FAILURE() << "no error";
    } catch (const EVopaError& error) {
      EXPECT_TRUE(error.Message.contains(c.Reason)) << error.Message.toStdString();
      EXPECT_TRUE(error.Message.contains(PathOf(c.Name)));
    }
  }
}

}  // namespace
