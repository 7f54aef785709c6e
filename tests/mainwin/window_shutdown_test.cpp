// What the window's shut-down leaves on disk.
#include "window_fixture.h"

#include "book/book.h"
#include "book/date_text.h"
#include "book/file_manager.h"
#include "book/memo.h"
#include "book/trash_book.h"
#include "test_support.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>

namespace {

TEST_F(WindowTest, ShutdownPurgesExpiredTrashMemosAndSavesTheTrash) {
  Open({QStringLiteral("a")});
  TTrashBook& trash = *Form->GetTrashBook();
  const QDateTime now = QDateTime::currentDateTime();
  TOptionList old;
  old.Set(kOptTrashDateTime, DateTimeText(now.addDays(-8)));
  trash.AddMemo(QStringLiteral("expired"), 0, &old);
  TOptionList recent;
  recent.Set(kOptTrashDateTime, DateTimeText(now.addDays(-1)));
  trash.AddMemo(QStringLiteral("recent"), 0, &recent);
  const QString trashPath = trash.GetPath();
  Form.reset();
  const QByteArray saved = ReadBytes(trashPath);
  EXPECT_TRUE(saved.contains("recent"));
  EXPECT_FALSE(saved.contains("expired"));
}

TEST_F(WindowTest, ABookThatCannotBeSavedAtShutdownIsRescued) {
  Open({QStringLiteral("keep me")});
  Enter(0, 7);
  QTest::keyClicks(FocusedEditor(), " too");
  // The book's folder is gone: neither the book nor a file beside it can be written.
  ASSERT_TRUE(QDir(Home.filePath(QStringLiteral("Books"))).removeRecursively());
  Form.reset();
  const QStringList rescued = QDir(Home.path()).entryList({QStringLiteral("Test (rescued *).vopa")});
  ASSERT_EQ(rescued.size(), 1);
  TBook book;
  book.SetPath(Home.filePath(rescued.first()));
  ASSERT_TRUE(book.Load());
  ASSERT_EQ(book.Count(), 1);
  EXPECT_EQ(book.MemoAt(0)->Text, QStringLiteral("keep me too"));
}

// The program's exit code says so when a book could neither be saved nor rescued.
TEST_F(WindowTest, ABookNeitherSavedNorRescuedIsReportedAsLost) {
  Open({QStringLiteral("keep me")});
  Enter(0, 7);
  QTest::keyClicks(FocusedEditor(), " too");
  ASSERT_TRUE(QDir(Home.filePath(QStringLiteral("Books"))).removeRecursively());
  {
    TFileSizeLimit full(16);  // the rescue file beside the program cannot be written either
    Form->Shutdown();
  }
  EXPECT_TRUE(Form->HaveBooksBeenLost());
}

// A pass still writing ends before the shut-down saves, and what it could not write is rescued.
TEST_F(WindowTest, AShutdownDuringASaveLosesNothing) {
  struct TCase {
    const char* Name;
    bool FolderGone;
  };
  for (const TCase& test : {TCase{"typing during the write", false}, TCase{"a failing write", true}}) {
    SCOPED_TRACE(test.Name);
    Open({QStringLiteral("keep me")});
    Enter(0, 7);
    Type(" too");
    const QString path = Book().GetPath();
    if (test.FolderGone) {
      ASSERT_TRUE(QDir(Home.filePath(QStringLiteral("Books"))).removeRecursively());
    }
    Press(Qt::Key_S, Qt::ControlModifier);
    // Straight to the editor: the pass must not end in an event loop before the shut-down.
    QTest::keyClicks(FocusedEditor(), "!");
    Form.reset();
    QString written = path;
    if (test.FolderGone) {
      const QStringList rescued = QDir(Home.path()).entryList({QStringLiteral("Test (rescued *).vopa")});
      ASSERT_EQ(rescued.size(), 1);
      written = Home.filePath(rescued.first());
    }
    EXPECT_TRUE(ReadBytes(written).contains("<text>keep me too!</text>")) << written.toStdString();
    if (test.FolderGone) QFile::remove(written);
  }
}

// A close can come between a timer tick and the idle moment it armed: the book saved by the
// shut-down stays as it was saved.
TEST_F(WindowTest, AnAutosavePassArmedBeforeShutdownDoesNothingAfterIt) {
  Open({QStringLiteral("keep me")});
  Enter(0, 7);
  QTest::keyClicks(FocusedEditor(), " too");
  const QString path = Book().GetPath();
  Form->Timer1Timer();
  Form->Shutdown();
  const QByteArray saved = ReadBytes(path);
  EXPECT_TRUE(saved.contains("keep me too")) << saved.constData();
  QApplication::processEvents();
  EXPECT_EQ(ReadBytes(path), saved);
}

}  // namespace
