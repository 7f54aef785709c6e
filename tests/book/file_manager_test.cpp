#include "book/file_manager.h"
#include "book/book.h"
#include "book/vopa_error.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

// A book that counts its saves and can be told to fail them.
class TProbeBook : public TBook {
 public:
  bool Save() override {
    ++Saves;
    if (Journal) *Journal << GetTitle();
    if (Fail) throw EVopaError("disk full");
    return TBook::Save();
  }
  int Saves = 0;
  bool Fail = false;
  QStringList* Journal = nullptr;
};

class FileManagerTest : public testing::Test {
 protected:
  QString PathOf(const QString& name) const { return Dir.filePath(name); }
  TProbeBook* Open(const QString& name) { return static_cast<TProbeBook*>(Manager.OpenFile(PathOf(name))); }
  TProbeBook* Create(const QString& name) { return static_cast<TProbeBook*>(Manager.NewFile(PathOf(name))); }
  // Creates both files, lets the manager forget them and opens them again, first then second.
  std::pair<TProbeBook*, TProbeBook*> CreatedAndReopened(const QString& first, const QString& second) {
    Create(first);
    Create(second);
    Manager.Files.clear();
    return {Open(first), Open(second)};
  }

  QTemporaryDir Dir;
  TQumFileManager Manager{[] { return std::make_unique<TProbeBook>(); }};
};

TEST_F(FileManagerTest, NewFileWritesAtOnceAndGoesToTheFront) {
  TProbeBook* first = Create("a.vopa");
  TProbeBook* second = Create("b.vopa");
  EXPECT_TRUE(QFileInfo::exists(PathOf("a.vopa")));
  EXPECT_EQ(first->Saves, 1);
  EXPECT_FALSE(first->Modified);
  EXPECT_EQ(Manager.Files.front().get(), second);
  EXPECT_EQ(Manager.FindFile(PathOf("a.vopa")), first);
}

TEST_F(FileManagerTest, NewFileOnAnExistingFileThrowsAndCreatesNothing) {
  WriteBytes(PathOf("taken.vopa"), "keep");
  EXPECT_THROW(Create("taken.vopa"), EVopaError);
  EXPECT_TRUE(Manager.Files.empty());
  EXPECT_EQ(ReadBytes(PathOf("taken.vopa")), "keep");
}

TEST_F(FileManagerTest, OpeningTheSamePathTwiceGivesTheSameObjectInPlace) {
  const auto [a, b] = CreatedAndReopened("a.vopa", "b.vopa");
  EXPECT_EQ(Open("a.vopa"), a);
  ASSERT_EQ(Manager.Files.size(), 2u);
  EXPECT_EQ(Manager.Files.front().get(), b);
  EXPECT_EQ(Open("missing.vopa"), nullptr);
}

TEST_F(FileManagerTest, PathsDifferingInCaseAreDifferentObjects) {
  const auto [upper, lower] = CreatedAndReopened("Book.vopa", "book.vopa");
  EXPECT_NE(upper, lower);
  EXPECT_EQ(Manager.FindFile(PathOf("BOOK.vopa")), nullptr);
}

// Paths differing in case are different files, so a move follows exact paths only.
TEST_F(FileManagerTest, ReplacePathFollowsAMovedFolderOrFileExactly) {
  TProbeBook* inside = Create("x");
  TProbeBook* otherCase = Create("y");
  TProbeBook* deeper = Create("z");
  TProbeBook* longerName = Create("w");
  inside->SetPath("/books/Old/inner/old/a.vopa");
  otherCase->SetPath("/books/OLD/b.vopa");
  deeper->SetPath("/x/books/Old/c.vopa");
  longerName->SetPath("/books/a.vopa2");
  Manager.ReplacePath("/books/Old/", "/books/New/");
  Manager.ReplacePath("/books/a.vopa", "/books/moved.vopa");
  EXPECT_EQ(inside->GetPath(), "/books/New/inner/old/a.vopa");
  EXPECT_EQ(inside->Dir, "/books/New/inner/old/");
  EXPECT_EQ(otherCase->GetPath(), "/books/OLD/b.vopa");
  EXPECT_EQ(deeper->GetPath(), "/x/books/Old/c.vopa");
  EXPECT_EQ(longerName->GetPath(), "/books/a.vopa2");

  Manager.ReplacePath("/books/OLD/b.vopa", "/books/b.vopa");
  EXPECT_EQ(otherCase->GetPath(), "/books/b.vopa");
}

TEST_F(FileManagerTest, RemoveFileSavesAModifiedBookThenDeletesIt) {
  TProbeBook* book = Create("gone.vopa");
  book->MemoAt(0)->SetText("last words");
  QStringList journal;
  book->Journal = &journal;
  Manager.RemoveFile(book);
  EXPECT_EQ(journal, QStringList{"gone"});
  EXPECT_FALSE(QFileInfo::exists(PathOf("gone.vopa")));
  EXPECT_TRUE(Manager.Files.empty());
}

TEST_F(FileManagerTest, CloseFileThatCannotBeSavedStaysOpen) {
  TProbeBook* book = Create("stuck.vopa");
  book->SetModified();
  book->Fail = true;
  EXPECT_THROW(Manager.CloseFile(book), EVopaError);
  ASSERT_EQ(Manager.Files.size(), 1u);
  EXPECT_TRUE(book->Modified);
}

TEST_F(FileManagerTest, CloseAllReportsFailuresLastFirstAndFreesEverything) {
  TProbeBook* failing = Create("failing.vopa");
  TProbeBook* fine = Create("fine.vopa");
  failing->SetModified();
  failing->Fail = true;
  fine->MemoAt(0)->SetText("saved");
  QStringList reports;
  Manager.CloseAll([&](TBook& book, const QString& error) { reports << book.GetTitle() + ": " + error; });
  EXPECT_EQ(reports, QStringList{"failing: disk full"});
  EXPECT_TRUE(Manager.Files.empty());
  EXPECT_TRUE(ReadBytes(PathOf("fine.vopa")).contains("saved"));
}

TEST_F(FileManagerTest, DestructorSwallowsSaveFailures) {
  auto manager = std::make_unique<TQumFileManager>([] { return std::make_unique<TProbeBook>(); });
  auto* book = static_cast<TProbeBook*>(manager->NewFile(PathOf("late.vopa")));
  book->SetModified();
  book->Fail = true;
  EXPECT_NO_THROW(manager.reset());
}

TEST_F(FileManagerTest, RenameKeepsDirAndExtensionAndRefusesExistingTargets) {
  TProbeBook* book = Create("old.vopa");
  Create("taken.vopa");
  EXPECT_FALSE(book->Rename("taken"));
  EXPECT_EQ(book->FileName, "old.vopa");
  EXPECT_TRUE(book->Rename("new"));
  EXPECT_EQ(book->GetPath(), PathOf("new.vopa"));
  EXPECT_TRUE(QFileInfo::exists(PathOf("new.vopa")));
  EXPECT_FALSE(QFileInfo::exists(PathOf("old.vopa")));
}

}  // namespace
