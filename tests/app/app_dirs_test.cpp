#include "app/app_dirs.h"

#include "app/ini_file.h"
#include "book/vopa_error.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

class AppDirsTest : public testing::Test {
 protected:
  TAppDirs Resolve(const QByteArray& iniText) {
    WriteBytes(Root + "vopamemo.ini", iniText);
    TIniFile ini(Root + "vopamemo.ini");
    TAppDirs dirs;
    dirs.ExeDir = Root;
    ResolveBookDirs(ini, dirs);
    return dirs;
  }
  QTemporaryDir Dir;
  QString Root = Dir.path() + u'/';
};

TEST_F(AppDirsTest, DefaultsAreCreatedBesideTheExecutable) {
  const TAppDirs dirs = Resolve(QByteArray());
  EXPECT_EQ(dirs.BookDir, Root + "Books/");
  EXPECT_EQ(dirs.ExtraDir, Root + "Extra/");
  EXPECT_TRUE(QFileInfo(dirs.BookDir).isDir());
  EXPECT_TRUE(QFileInfo(dirs.ExtraDir).isDir());
}

TEST_F(AppDirsTest, SettingsPathsAreNormalisedWithATrailingSeparator) {
  QDir().mkpath(Root + "data");
  const TAppDirs dirs = Resolve("[Path]\r\nBookDir=" + Root.toUtf8() + "data\\Memo\\\r\nExtraDir=Spare\r\n");
  EXPECT_EQ(dirs.BookDir, Root + "data/Memo/");
  // A relative setting is taken from the program's directory, not from wherever it was started.
  EXPECT_EQ(dirs.ExtraDir, Root + "Spare/");
  EXPECT_TRUE(QFileInfo(dirs.BookDir).isDir());
  EXPECT_TRUE(QFileInfo(dirs.ExtraDir).isDir());
}

TEST_F(AppDirsTest, ADirectoryThatCannotBeCreatedIsAnErrorNamingIt) {
  WriteBytes(Root + "file", "x");
  for (const QString& bad : {Root + "missing/Books/", Root + "file/Books/", Root + "file"}) {
    try {
      Resolve("[Path]\r\nExtraDir=" + bad.toUtf8() + "\r\n");
      ADD_FAILURE() << "no error for " << bad.toStdString();
    } catch (const EVopaError& error) {
      EXPECT_TRUE(error.Message.contains(QDir::cleanPath(bad))) << error.what();
    }
  }
}

TEST_F(AppDirsTest, DataHomeIsTheWritableExecutableDirElseThePerUserDir) {
  EXPECT_EQ(DataHomeFor(Dir.path()), Root);
  const QByteArray savedDataHome = qgetenv("XDG_DATA_HOME");
  qputenv("XDG_DATA_HOME", (Root + "share").toUtf8());
  const QString home = DataHomeFor(Root + "no-such-dir");
  savedDataHome.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", savedDataHome);
  EXPECT_TRUE(home.startsWith(Root + "share/")) << home.toStdString();
  EXPECT_TRUE(home.endsWith(u'/'));
  EXPECT_TRUE(QFileInfo(home).isDir());
}

TEST_F(AppDirsTest, FirstBookIsFoundDepthFirstOwnFilesBeforeSubfolders) {
  const struct {
    QStringList Files;
    QString Skip;
    QString Expected;
  } cases[] = {
      {{"a/first.vopa", "z.vopa", "notes.txt"}, "", "z.vopa"},    {{"b.vopa", "a.vopa"}, "", "a.vopa"},
      {{"a/deep/x.vopa", "b/y.vopa"}, "", "a/deep/x.vopa"},       {{"a/one.vopa", "b/two.vopa"}, "a/", "b/two.vopa"},
      {{"old.vopa", "sub/new.vopa"}, "old.vopa", "sub/new.vopa"}, {{"x.vopa.bak", "empty/"}, "", ""},
  };
  for (const auto& c : cases) {
    QTemporaryDir books;
    const QString dir = books.path() + u'/';
    for (const QString& file : c.Files)
      file.endsWith(u'/') ? void(QDir().mkpath(dir + file)) : WriteBytes(dir + file, "x");
    const QString skip = c.Skip.isEmpty() ? QString() : dir + c.Skip;
    const QString expected = c.Expected.isEmpty() ? QString() : dir + c.Expected;
    EXPECT_EQ(FindFirstBook(dir, skip), expected) << c.Files.join(u' ').toStdString();
  }
}

TEST_F(AppDirsTest, FolderLinkedIntoItselfDoesNotLoopForever) {
  QDir().mkpath(Root + "Books/a");
  QFile::link(Root + "Books", Root + "Books/a/loop");
  EXPECT_EQ(FindFirstBook(Root + "Books/", QString()), QString());
}

// A book tree reaching into /proc, /sys or /dev (a "BookDir" of "/" would) must not walk
// them: /proc's links lead into other processes' files, /dev holds endless ones.
TEST_F(AppDirsTest, SystemFoldersAreNoPartOfTheBookTree) {
  if (!QFileInfo(QStringLiteral("/dev/shm")).isWritable()) GTEST_SKIP() << "no /dev/shm";
  const QString other = QStringLiteral("/dev/shm/vopa-walk-%1").arg(QCoreApplication::applicationPid());
  WriteBytes(Root + "Books/z/found.vopa", "");
  WriteBytes(other + "/a.vopa", "");
  QFile::link(other, Root + "Books/a");
  QFile::link(QStringLiteral("/proc"), Root + "Books/b");
  QFile::link(QStringLiteral("/sys"), Root + "Books/c");
  EXPECT_EQ(FindFirstBook(Root + "Books/", QString()), Root + "Books/z/found.vopa");
  QDir(other).removeRecursively();
}

}  // namespace
