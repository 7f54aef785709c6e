#include "mainwin/memo_list_box.h"
#include "view/cell_painter.h"
#include "view/colors.h"

#include <gtest/gtest.h>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

constexpr int kRow = 17;

class MemoListBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Titles = {"one", "two", "three", "four", "five"};
    Box.SetOnData([this](int index) { return Titles.at(index); });
    Box.SetCount(int(Titles.size()));
    Box.resize(140, kRow * 8);
    Box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Box));
    Menu.addAction("Item");
    QObject::connect(&Menu, &QMenu::aboutToShow, [this] {
      ++MenuShown;
      BackWhileMenuOpen = BackAt(Box.CurrentIndex());
      QTimer::singleShot(0, &Menu, &QMenu::close);
    });
  }

  QPoint Center(int row) const { return QPoint(Box.viewport()->width() / 2, row * kRow + kRow / 2); }
  QColor PixelAt(int x, int row) const { return Box.viewport()->grab().toImage().pixelColor(x, row * kRow + kRow / 2); }
  // The fill right of the short titles, and the left frame line.
  QColor BackAt(int row) const { return PixelAt(Box.viewport()->width() - 4, row); }
  QColor EdgeAt(int row) const { return PixelAt(0, row); }
  QColor Color(TColor color) const { return ToQColor(color, Box.palette()); }

  void Press(Qt::MouseButton button, int row) { QTest::mousePress(Box.viewport(), button, {}, Center(row)); }
  void Move(int row) { QTest::mouseMove(Box.viewport(), Center(row)); }
  void Release(Qt::MouseButton button, int row) { QTest::mouseRelease(Box.viewport(), button, {}, Center(row)); }

  QStringList Titles;
  TQumColListBox Box;
  QMenu Menu;
  int MenuShown = 0;
  QColor BackWhileMenuOpen;
  QSignalSpy IdxSpy{&Box, &TQumColListBox::IdxChange};
  QSignalSpy ClickSpy{&Box, &TQumColListBox::Click};
};

TEST_F(MemoListBoxTest, LeftPressDragReleaseMakesEachPassedItemCurrentAndClicksOnRelease) {
  Press(Qt::LeftButton, 1);
  EXPECT_EQ(Box.CurrentIndex(), 1);
  EXPECT_EQ(IdxSpy.count(), 1);
  EXPECT_EQ(BackAt(1), Color(0xCCDDFF)) << "held item is drawn pressed";
  EXPECT_EQ(EdgeAt(1), Color(0x8080FF));

  Move(3);
  EXPECT_EQ(Box.CurrentIndex(), 3);
  EXPECT_EQ(Box.ItemIndex(), 3);
  EXPECT_EQ(IdxSpy.count(), 2);
  EXPECT_EQ(ClickSpy.count(), 0);

  Release(Qt::LeftButton, 3);
  EXPECT_EQ(ClickSpy.count(), 1);
  EXPECT_EQ(IdxSpy.count(), 2) << "release on the current item reports no new change";
  EXPECT_EQ(BackAt(3), Color(0xFFEEDD)) << "released item is drawn selected";
  EXPECT_EQ(EdgeAt(3), Color(0xFF8080));
  EXPECT_EQ(BackAt(1), Color(clWindow));
  EXPECT_EQ(EdgeAt(1), Color(clWindow)) << "other items have no frame";
}

TEST_F(MemoListBoxTest, ReleaseBelowTheItemsReturnsSelectionToCurrentWithoutClick) {
  Press(Qt::LeftButton, 2);
  Move(6);  // the free room below the five items
  QTest::mouseRelease(Box.viewport(), Qt::LeftButton, {}, Center(6));
  EXPECT_EQ(Box.CurrentIndex(), 2);
  EXPECT_EQ(Box.ItemIndex(), 2);
  EXPECT_EQ(ClickSpy.count(), 0);
  EXPECT_EQ(BackAt(6), Color(clWindow));
}

TEST_F(MemoListBoxTest, RightPressMakesCurrentAndReleaseOverSameItemOpensMenu) {
  Box.SetPopupOnItem(&Menu);
  Press(Qt::RightButton, 2);
  EXPECT_EQ(Box.CurrentIndex(), 2);
  EXPECT_EQ(Box.ItemIndex(), 2);
  EXPECT_EQ(IdxSpy.count(), 1) << "current before the menu shows";
  Release(Qt::RightButton, 2);
  EXPECT_EQ(MenuShown, 1);
  EXPECT_EQ(BackWhileMenuOpen, Color(0xCCDDFF)) << "pressed colours while the menu is open";
  EXPECT_EQ(BackAt(2), Color(0xFFEEDD));
  EXPECT_EQ(ClickSpy.count(), 0);
}

TEST_F(MemoListBoxTest, RightReleaseElsewhereOpensNoMenu) {
  Box.SetPopupOnItem(&Menu);
  struct Case {
    const char* name;
    int pressRow, releaseRow;
  };
  for (const Case& c : {Case{"over another item", 1, 3}, Case{"below the items", 1, 6}, Case{"press below", 6, 6}}) {
    Box.SetItemIndex(0);
    Press(Qt::RightButton, c.pressRow);
    Release(Qt::RightButton, c.releaseRow);
    const int expected = c.pressRow < 5 ? c.pressRow : 0;
    EXPECT_EQ(MenuShown, 0) << c.name;
    EXPECT_EQ(Box.CurrentIndex(), expected) << c.name;
    EXPECT_EQ(Box.ItemIndex(), expected) << c.name << ": selection back on the current item";
  }
}

TEST_F(MemoListBoxTest, RightClickWithoutMenuChangesNothing) {
  Press(Qt::LeftButton, 0);
  Release(Qt::LeftButton, 0);
  IdxSpy.clear();
  Press(Qt::RightButton, 2);
  Release(Qt::RightButton, 2);
  EXPECT_EQ(Box.CurrentIndex(), 0);
  EXPECT_EQ(IdxSpy.count(), 0);
}

TEST_F(MemoListBoxTest, SelectionFromOutsideIsReportedByTheNextMouseAction) {
  Box.SetItemIndex(2);
  EXPECT_EQ(IdxSpy.count(), 0);
  EXPECT_EQ(BackAt(2), Color(0xFFEEDD));
  Press(Qt::LeftButton, 2);
  Release(Qt::LeftButton, 2);
  EXPECT_EQ(IdxSpy.count(), 1) << "pending change fires even on the current item";
  Press(Qt::LeftButton, 2);
  Release(Qt::LeftButton, 2);
  EXPECT_EQ(IdxSpy.count(), 1);
  EXPECT_EQ(ClickSpy.count(), 2);
}

TEST_F(MemoListBoxTest, CountAndItemIndexRepaintAndScroll) {
  Box.SetItemIndex(4);
  Box.SetCount(2);
  EXPECT_EQ(Box.ItemIndex(), -1) << "selection beyond the count is dropped";
  EXPECT_EQ(BackAt(3), Color(clWindow));
  EXPECT_EQ(Box.OverflowHeight(), 2 * kRow - Box.viewport()->height());

  for (int i = 5; i < 40; ++i) Titles << QString("memo %1").arg(i);
  Box.SetCount(int(Titles.size()));
  Box.SetItemIndex(39);
  const int top = Box.TopIndex();
  EXPECT_EQ(top, 40 - Box.viewport()->height() / kRow) << "selected item scrolled into sight";
  EXPECT_EQ(BackAt(39 - top), Color(0xFFEEDD));
  Box.SetItemIndex(0);
  EXPECT_EQ(Box.TopIndex(), 0);
  EXPECT_EQ(IdxSpy.count(), 0);
}

TEST_F(MemoListBoxTest, NavigationKeysMoveTheCurrentItem) {
  Box.setFocus();
  struct Case {
    Qt::Key key;
    int expected;
  };
  Box.SetItemIndex(2);
  for (const Case& c : {Case{Qt::Key_Down, 3}, Case{Qt::Key_Down, 4}, Case{Qt::Key_Down, 4}, Case{Qt::Key_Home, 0},
                        Case{Qt::Key_Up, 0}, Case{Qt::Key_End, 4}, Case{Qt::Key_PageUp, 0}}) {
    QTest::keyClick(&Box, c.key);
    EXPECT_EQ(Box.CurrentIndex(), c.expected) << int(c.key);
    EXPECT_EQ(Box.ItemIndex(), c.expected);
  }
  EXPECT_EQ(IdxSpy.count(), 5) << "one report per move, the pending change merged into the first";
}

}  // namespace
