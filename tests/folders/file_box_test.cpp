#include "folders/sort_file.h"
#include "test_support.h"
#include "tree_box_fixture.h"

#include <QDir>
#include <QFile>

namespace {

using FileBoxTest = TreeBoxTest;

TEST_F(FileBoxTest, LocateOpensTheClosedFoldersOnTheWayAndMarksTheBook) {
  Show({"Outer/Inner/deep.vopa", "top.vopa"});
  const QString path = Folder.Root() + "Outer/Inner/deep.vopa";
  ASSERT_TRUE(Box.Locate(path));
  EXPECT_EQ(Shown(), (QStringList{"Outer", "  Inner", "    deep", "top"}));
  EXPECT_EQ(Box.CurrentPath(), path);
  EXPECT_EQ(Box.GetCurrentNode(), Box.NodeAt(Row("deep")));
  EXPECT_EQ(Box.CurrentFolderPath(), Folder.Root() + "Outer/Inner/");
  EXPECT_EQ(BackAt(Row("deep")), Color(0xFFEEDD));
}

TEST_F(FileBoxTest, LocateReadsAnOpenFolderAgainForABookMadeBehindItsBack) {
  Show({"Folder/old.vopa"});
  ASSERT_TRUE(Box.Locate(Folder.Root() + "Folder/"));
  Folder.Make({"Folder/new.vopa"});
  EXPECT_TRUE(Box.Locate(Folder.Root() + "Folder/new.vopa"));
  EXPECT_EQ(Shown(), (QStringList{"Folder", "  new", "  old"}));

  for (const QString& outside : {Folder.Root() + "Folder/missing.vopa", Folder.Home.path() + "/elsewhere.vopa"}) {
    WriteBytes(Folder.Home.path() + "/elsewhere.vopa", {});
    EXPECT_FALSE(Box.Locate(outside)) << outside.toStdString();
  }
}

TEST_F(FileBoxTest, AddPathShowsANewEntryFirstInAnOpenFolderOnly) {
  Show({"a.vopa", "Closed/x.vopa"});
  Folder.Make({"b.vopa", "Closed/y.vopa"});
  EXPECT_TRUE(Box.AddPath(Folder.Root() + "b.vopa", false));
  EXPECT_FALSE(Box.AddPath(Folder.Root() + "b.vopa", false)) << "already shown";
  EXPECT_FALSE(Box.AddPath(Folder.Root() + "Closed/y.vopa", false));
  EXPECT_EQ(Shown().first(), "b");
  EXPECT_EQ(Shown().size(), 3);
  EXPECT_TRUE(Folder.SortBytes(QString()).startsWith("b.vopa=b\r\n"));

  Click(Row("Closed"));
  EXPECT_EQ(Shown().mid(Row("Closed"), 3), (QStringList{"Closed", "  y", "  x"}));
}

TEST_F(FileBoxTest, RenamePathOfAFolderKeepsItsPlaceAndItsOpenBooksFollow) {
  Folder.WriteSort(QString(), {"first.vopa=first", "Old=Old", "last.vopa=last"});
  Show({"first.vopa", "Old/in.vopa", "last.vopa"});
  ASSERT_TRUE(Box.Locate(Folder.Root() + "Old/in.vopa"));
  ASSERT_TRUE(QDir().rename(Folder.Root() + "Old", Folder.Root() + "New.folder"));
  Box.RenamePath(Folder.Root() + "Old/", Folder.Root() + "New.folder/");

  EXPECT_EQ(Shown(), (QStringList{"first", "New.folder", "  in", "last"})) << "a folder keeps its whole name";
  EXPECT_EQ(Folder.SortBytes(QString()), CrLfLines({"first.vopa=first", "New.folder=New.folder", "last.vopa=last"}));
  EXPECT_EQ(Box.IndexOfPath(Folder.Root() + "New.folder/in.vopa"), Row("in"));
  EXPECT_EQ(Box.CurrentPath(), Folder.Root() + "New.folder/in.vopa");
}

TEST_F(FileBoxTest, ReorderingWithinAFolderMovesNothingOnDisk) {
  Folder.WriteSort(QString(), {"a.vopa=a", "b.vopa=b"});
  Show({"a.vopa", "b.vopa"});
  Drag(Row("b"), At(Row("a"), 1));
  EXPECT_EQ(Shown(), (QStringList{"b", "a"}));
  EXPECT_EQ(Folder.SortBytes(QString()), CrLfLines({"b.vopa=b", "a.vopa=a"}));
  EXPECT_TRUE(Moves.isEmpty());
}

TEST_F(FileBoxTest, MovingToAnotherFolderMovesOnDiskReportsItAndWritesBothOrders) {
  Folder.WriteSort(QString(), {"Target=Target", "Sub=Sub", "book.vopa=book"});
  Folder.Make({"Target/"});
  Folder.WriteSort("Target/", {"t.vopa=t"});
  Show({"Target/t.vopa", "Sub/s.vopa", "book.vopa"});
  Click(Row("Target"));
  Drag(Row("book"), At(Row("t"), 4));
  Drag(Row("Sub"), At(Row("Target"), 3));

  EXPECT_EQ(Shown(), (QStringList{"Target", "  Sub", "  t", "  book"}));
  EXPECT_EQ(Moves, (QStringList{Folder.Root() + "book.vopa > " + Folder.Root() + "Target/book.vopa",
                                Folder.Root() + "Sub/ > " + Folder.Root() + "Target/Sub/"}));
  EXPECT_TRUE(QFile::exists(Folder.Root() + "Target/Sub/s.vopa"));
  EXPECT_FALSE(QFile::exists(Folder.Root() + "book.vopa"));
  EXPECT_EQ(Folder.SortBytes(QString()), CrLfLines({"Target=Target"}));
  EXPECT_EQ(Folder.SortBytes("Target/"), CrLfLines({"Sub=Sub", "t.vopa=t", "book.vopa=book"}));
}

TEST_F(FileBoxTest, AMoveOntoATakenNameChangesNothing) {
  Folder.WriteSort(QString(), {"F=F", "same.vopa=same"});
  Show({"F/same.vopa", "same.vopa"});
  WriteBytes(Folder.Root() + "same.vopa", "top");
  WriteBytes(Folder.Root() + "F/same.vopa", "inside");
  Click(Row("F"));
  const QStringList before = Shown();
  Drag(Row("same"), At(Row("F"), 2));
  EXPECT_EQ(Shown(), before);
  EXPECT_TRUE(Moves.isEmpty());
  EXPECT_EQ(ReadBytes(Folder.Root() + "same.vopa"), "top");
  EXPECT_EQ(ReadBytes(Folder.Root() + "F/same.vopa"), "inside");
}

TEST_F(FileBoxTest, ARootThatDoesNotExistIsIgnoredAndRemovePathRewritesTheOrder) {
  Show({"a.vopa", "b.vopa"});
  Box.SetRootPath(Folder.Home.path() + "/missing");
  EXPECT_EQ(Box.RootPath(), Folder.Root());
  Box.RemovePath(Folder.Root() + "a.vopa");
  EXPECT_EQ(Shown(), QStringList{"b"});
  EXPECT_EQ(Folder.SortBytes(QString()), CrLfLines({"b.vopa=b"}));
}

}  // namespace
