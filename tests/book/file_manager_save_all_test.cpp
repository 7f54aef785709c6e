// Saving every open book on the saver's worker while the books go on changing.
#include "book/book.h"
#include "book/book_file_writer.h"
#include "book/file_manager.h"
#include "book/vopa_error.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>

namespace {

class FileManagerSaveAll : public testing::Test {
 protected:
  FileManagerSaveAll() {
    QObject::connect(&Manager.Saver, &TBookSaver::Finished, &Listener,
                     [this](const QStringList& failures) { Failures.append(failures); });
  }
  TBook* Create(const QString& name, const QString& text) {
    TBook* book = Manager.NewFile(Home.filePath(name));
    book->MemoAt(0)->SetText(text);
    return book;
  }
  // One pass over every open book, waited for; its failures.
  QStringList SaveAll() {
    Failures.clear();
    EXPECT_TRUE(Manager.StartSavingAll({}));
    Manager.WaitForSaves();
    return Failures;
  }
  QByteArray Bytes(const TBook* book) const { return ReadBytes(book->GetPath()); }

  QTemporaryDir Home;
  TQumFileManager Manager{[] { return std::make_unique<TBook>(); }};
  QObject Listener;
  QStringList Failures;
};

TEST_F(FileManagerSaveAll, AFailingBookDoesNotKeepTheOthersFromTheDisk) {
  QDir().mkpath(Home.filePath(QStringLiteral("gone")));
  TBook* kept = Create(QStringLiteral("Kept.vopa"), QStringLiteral("written"));
  TBook* lost = Create(QStringLiteral("gone/Lost.vopa"), QStringLiteral("cannot be written"));
  // Newest first: the failing book is tried before the other one.
  ASSERT_EQ(Manager.Files.front().get(), lost);
  ASSERT_TRUE(QDir(Home.filePath(QStringLiteral("gone"))).removeRecursively());

  const QStringList failures = SaveAll();
  ASSERT_EQ(failures.size(), 1);
  EXPECT_TRUE(failures.first().contains(lost->GetPath()));
  EXPECT_TRUE(lost->Modified);
  EXPECT_FALSE(kept->Modified);
  EXPECT_TRUE(Bytes(kept).contains("<text>written</text>"));
}

TEST_F(FileManagerSaveAll, OnlyModifiedBooksAreWritten) {
  TBook* changed = Create(QStringLiteral("changed.vopa"), QStringLiteral("typed"));
  TBook* untouched = Create(QStringLiteral("untouched.vopa"), QStringLiteral("as saved"));
  ASSERT_TRUE(SaveAll().isEmpty());
  changed->MemoAt(0)->SetText(QStringLiteral("typed again"));
  ASSERT_TRUE(QFile::remove(untouched->GetPath()));
  EXPECT_TRUE(SaveAll().isEmpty());
  EXPECT_FALSE(changed->Modified);
  EXPECT_TRUE(Bytes(changed).contains("<text>typed again</text>"));
  EXPECT_FALSE(QFile::exists(untouched->GetPath()));
}

TEST_F(FileManagerSaveAll, AnEditDuringTheWriteIsKeptForTheNextPass) {
  TBook* book = Create(QStringLiteral("Book.vopa"), QStringLiteral("before"));
  ASSERT_TRUE(Manager.StartSavingAll({}));
  book->MemoAt(0)->SetText(QStringLiteral("during"));
  book->AddMemo(QStringLiteral("added"), 1);
  EXPECT_FALSE(Manager.StartSavingAll({})) << "one pass at a time";
  Manager.WaitForSaves();
  EXPECT_TRUE(Bytes(book).contains("<text>before</text>")) << "the pass writes what it started from";
  EXPECT_FALSE(Bytes(book).contains("added"));
  EXPECT_TRUE(book->Modified);

  EXPECT_TRUE(SaveAll().isEmpty());
  EXPECT_TRUE(Bytes(book).contains("<text>during</text>"));
  EXPECT_TRUE(Bytes(book).contains("<text>added</text>"));
  EXPECT_FALSE(book->Modified);
}

TEST_F(FileManagerSaveAll, AFailedWriteKeepsThePreviousFileAndTheBookModified) {
  TBook* book = Create(QStringLiteral("Book.vopa"), QStringLiteral("saved before"));
  ASSERT_TRUE(SaveAll().isEmpty());
  const QByteArray before = Bytes(book);
  book->MemoAt(0)->SetText(QString(2000, u'字'));
  QStringList failures;
  {
    TFileSizeLimit full(before.size() + 100);
    failures = SaveAll();
  }
  ASSERT_EQ(failures.size(), 1);
  EXPECT_EQ(failures.first(), SaveFailureText(book->GetPath(), EFBIG, QString())) << "told as before";
  EXPECT_EQ(Bytes(book), before);
  EXPECT_TRUE(book->Modified);
}

// Whatever frees or moves a book first lets its write end, so a failure is not lost with it.
TEST_F(FileManagerSaveAll, ClosingABookDuringItsFailingWriteStillReportsTheFailure) {
  QDir().mkpath(Home.filePath(QStringLiteral("gone")));
  TBook* book = Create(QStringLiteral("gone/Book.vopa"), QStringLiteral("typed"));
  ASSERT_TRUE(QDir(Home.filePath(QStringLiteral("gone"))).removeRecursively());
  ASSERT_TRUE(Manager.StartSavingAll({}));
  EXPECT_THROW(Manager.CloseFile(book), EVopaError);
  EXPECT_EQ(Manager.FindFile(book->GetPath()), book) << "a book that could not be saved stays open";
  EXPECT_TRUE(book->Modified);
}

}  // namespace
