#include "folders/file_menu.h"
#include "folder_fixture.h"
#include "folders/sort_file.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QMenu>
#include <QTest>

namespace {

// A popup "Top" holding a placeholder between two fixed items, filled from the book directory
// each time it pops up.
class FileMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Top.addAction(QStringLiteral("first"));
    Target = Top.addAction(QString());
    Top.addAction(QStringLiteral("last"));
    Menu.SetTargetMenu(&Top, Target);
    Menu.SetRefreshTiming(TVopaMenuRefreshTiming::tmrOnPopup);
    Menu.SetFileExtention(QStringLiteral(".vopa"));
    Menu.SetRootPath(Folder.Root());
    Menu.OnFileItemClick = [this](const QString& path, TVopaFileMenu*) { Chosen << path; };
  }

  // Opens a menu as the user would and closes it again.
  static void PopUp(QMenu& menu) {
    menu.popup(QPoint(10, 10));
    menu.close();
  }
  // The visible entries of a menu, submenus marked with ">".
  static QStringList Entries(const QMenu& menu) {
    QStringList entries;
    for (const QAction* action : menu.actions())
      if (action->isVisible()) entries << action->text() + (action->menu() ? ">" : "");
    return entries;
  }
  QMenu& Submenu(const QString& title) {
    for (QAction* action : Top.actions())
      if (action->menu() && action->text() == title) return *action->menu();
    ADD_FAILURE() << "no submenu " << title.toStdString();
    return Top;
  }

  TFolderFixture Folder;
  QMenu Top;
  QAction* Target = nullptr;
  TVopaFileMenu Menu;
  QStringList Chosen;
};

TEST_F(FileMenuTest, AnEmptyDirectoryShowsTheDisabledPlaceholder) {
  PopUp(Top);
  EXPECT_EQ(Entries(Top), (QStringList{"first", "No Files", "last"}));
  EXPECT_FALSE(Target->isEnabled());
}

TEST_F(FileMenuTest, EntriesFollowTheSortFileAndOnlyBooksAreListed) {
  Folder.Make({"a.vopa", "b.vopa", "notes.txt", "Folder/", "Empty/"});
  Folder.WriteSort(QString(), {"b.vopa=b", "Folder=Folder", "a.vopa=a", "Empty=Empty"});
  PopUp(Top);
  EXPECT_EQ(Entries(Top), (QStringList{"first", "b", "Folder>", "a", "Empty>", "last"}));
  PopUp(Submenu("Empty"));
  EXPECT_EQ(Entries(Submenu("Empty")), QStringList{"ﾌｧｲﾙがありません"});
  EXPECT_FALSE(Submenu("Empty").actions().first()->isEnabled());
  EXPECT_EQ(Folder.SortBytes("Empty/"), QByteArray()) << "menus never write sort files";
}

TEST_F(FileMenuTest, OpeningAgainNeverDuplicatesAndANewBookShowsAtTheNextPopup) {
  Folder.Make({"Folder/x.vopa", "Folder/y.vopa"});
  Folder.WriteSort(QString(), {"Folder=Folder"});
  Folder.WriteSort("Folder/", {"y.vopa=y", "x.vopa=x"});
  PopUp(Top);
  PopUp(Submenu("Folder"));
  PopUp(Submenu("Folder"));
  EXPECT_EQ(Entries(Submenu("Folder")), (QStringList{"y", "x"}));

  Folder.Make({"Folder/z.vopa", "top.vopa"});
  PopUp(Top);
  EXPECT_EQ(Entries(Top), (QStringList{"first", "top", "Folder>", "last"}));
  PopUp(Submenu("Folder"));
  EXPECT_EQ(Entries(Submenu("Folder")), (QStringList{"z", "y", "x"}));
}

TEST_F(FileMenuTest, ChoosingABookReportsItsPath) {
  Folder.Make({"Folder/x.vopa"});
  PopUp(Top);
  PopUp(Submenu("Folder"));
  Submenu("Folder").actions().last()->trigger();
  EXPECT_EQ(Chosen, QStringList{Folder.Root() + "Folder/x.vopa"});
}

TEST_F(FileMenuTest, ADotListsEveryFileWithItsExtensionHiddenOrShown) {
  Folder.Make({"a.vopa", "notes.txt"});
  Folder.WriteSort(QString(), {"a.vopa=a", "notes.txt=notes"});
  Menu.SetFileExtention(QStringLiteral("."));
  PopUp(Top);
  EXPECT_EQ(Entries(Top), (QStringList{"first", "a", "notes", "last"}));
  Menu.HideExtention = false;
  PopUp(Top);
  EXPECT_EQ(Entries(Top), (QStringList{"first", "a.vopa", "notes.txt", "last"}));
}

TEST_F(FileMenuTest, ManualTimingRebuildsOnlyWhenAsked) {
  Menu.SetRefreshTiming(TVopaMenuRefreshTiming::tmrManual);
  Folder.Make({"a.vopa"});
  PopUp(Top);
  EXPECT_EQ(Entries(Top), (QStringList{"first", "No Files", "last"}));
  Menu.Refresh();
  EXPECT_EQ(Entries(Top), (QStringList{"first", "a", "last"}));
}

}  // namespace
