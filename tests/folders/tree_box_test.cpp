#include "folders/sort_file.h"
#include "tree_box_fixture.h"
#include "view/case_name.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTest>

namespace {

// Top level: A (a1, a2, Inner (i)), B (b), x, y; every folder in a known order.
void ShowStandard(TFolderFixture& folder) {
  folder.WriteSort(QString(), {"A=A", "B=B", "x.vopa=x", "y.vopa=y"});
  folder.Make({"A/"});
  folder.WriteSort("A/", {"a1.vopa=a1", "a2.vopa=a2", "Inner=Inner"});
}

class TreeBoxClickTest : public TreeBoxTest {
 protected:
  void SetUp() override {
    TreeBoxTest::SetUp();
    ShowStandard(Folder);
    Show({"A/a1.vopa", "A/a2.vopa", "A/Inner/i.vopa", "B/b.vopa", "x.vopa", "y.vopa"});
  }
};

TEST_F(TreeBoxClickTest, ClickOnAClosedFolderOpensItAsTheCurrentFolderWithItsBlockOutlined) {
  ASSERT_EQ(Shown(), (QStringList{"A", "B", "x", "y"}));
  Click(Row("A"));
  EXPECT_EQ(Shown(), (QStringList{"A", "  a1", "  a2", "  Inner", "B", "x", "y"}));
  EXPECT_EQ(Box.CurrentFolder, Box.NodeAt(0));
  EXPECT_EQ(Box.CurrentFolderPath(), Folder.Root() + "A/");
  EXPECT_EQ(BackAt(0), Color(0xCCFFFF));
  EXPECT_EQ(EdgeAt(1), Color(clBtnShadow)) << "rows of the current folder get left edges";
  EXPECT_NE(BottomEdgeAt(1), Color(clBtnShadow));
  EXPECT_EQ(BottomEdgeAt(3), Color(clBtnShadow)) << "the last of them a bottom edge";
  EXPECT_NE(EdgeAt(4), Color(clBtnShadow));
  EXPECT_TRUE(Clicked.isEmpty()) << "folders are not reported";

  Click(Row("A"));
  EXPECT_EQ(Shown(), (QStringList{"A", "B", "x", "y"}));
}

TEST_F(TreeBoxClickTest, ClickOnABookReportsItAndMarksItCurrentInItsFolder) {
  Click(Row("B"));
  Click(Row("b"));
  EXPECT_EQ(Clicked, QStringList{Folder.Root() + "B/b.vopa"});
  EXPECT_EQ(Box.CurrentPath(), Folder.Root() + "B/b.vopa");
  EXPECT_EQ(Box.CurrentFolder, Box.NodeAt(Row("B")));
  EXPECT_EQ(BackAt(Row("b")), Color(0xFFEEDD));
  EXPECT_EQ(EdgeAt(Row("b")), Color(0xFF8080));

  // While the left button is held on another row, that row is hot and the current one dimmed.
  Press(At(Row("x")));
  EXPECT_EQ(BackAt(Row("x")), Color(0xCCDDFF));
  EXPECT_EQ(BackAt(Row("b")), Color(0xE0E0E0));
  Release(At(Row("x")));
  EXPECT_EQ(Box.CurrentPath(), Folder.Root() + "x.vopa");
}

TEST_F(TreeBoxClickTest, AltClickClosesEveryFolderOffThePathToTheCurrentOne) {
  Click(Row("B"));
  Click(Row("A"));
  Click(Row("Inner"));
  ASSERT_EQ(Shown(), (QStringList{"A", "  a1", "  a2", "  Inner", "    i", "B", "  b", "x", "y"}));
  Click(Row("a1"), Qt::AltModifier);
  EXPECT_EQ(Shown(), (QStringList{"A", "  a1", "  a2", "  Inner", "B", "x", "y"}))
      << "B and the current folder's own subfolder close";

  Click(Row("x"), Qt::AltModifier);
  EXPECT_EQ(Shown(), (QStringList{"A", "B", "x", "y"})) << "a book at the top leaves no folder open";
}

TEST_F(TreeBoxClickTest, RightClickHighlightsTheRowAndShowsTheMenuOnlyOnTheSameRow) {
  RightClick(At(Row("x")), At(Row("x")));
  EXPECT_EQ(MenuShown, 1);
  EXPECT_EQ(HotWhileMenuOpen, Color(0xCCDDFF));
  EXPECT_EQ(Box.PopupPath(), Folder.Root() + "x.vopa");
  EXPECT_EQ(BackAt(Row("x")), Color(clWindow)) << "the highlight ends with the menu";

  RightClick(At(Row("x")), At(Row("y")));
  EXPECT_EQ(MenuShown, 1) << "released on another row";

  RightClick(Below(), Below());
  EXPECT_EQ(MenuShown, 2);
  EXPECT_EQ(Box.PopupIndex, -1);
  EXPECT_EQ(Box.PopupPath(), Folder.Root()) << "below the rows the menu is about the root";
}

TEST_F(TreeBoxClickTest, ClosingTheParentOfTheCurrentFolderMakesItTheCurrentFolder) {
  Click(Row("A"));
  Click(Row("Inner"));
  Click(Row("A"));
  EXPECT_EQ(Box.CurrentFolderPath(), Folder.Root() + "A/");
}

// Drops on the standard tree with A and Inner open: where the dragged entry ends.
struct TDropCase {
  std::string name;
  QString Dragged;
  QString Target;  // a row caption, or empty for below the last row
  int Quarter;
  QStringList Rows;  // the rows afterwards
};

class TreeBoxDropTest : public TreeBoxClickTest, public ::testing::WithParamInterface<TDropCase> {};

TEST_P(TreeBoxDropTest, CtrlDragDropsWhereThePointerIs) {
  const TDropCase& c = GetParam();
  Click(Row("A"));
  Click(Row("Inner"));
  const QPoint to = c.Target.isEmpty() ? Below() : At(Row(c.Target), c.Quarter);
  Drag(Row(c.Dragged), to);
  EXPECT_EQ(Shown(), c.Rows);
}

const TDropCase kDropCases[] = {
    {"UpperQuarterPutsItBefore", "y", "a2", 1, {"A", "  a1", "  y", "  a2", "  Inner", "    i", "B", "x"}},
    {"SecondQuarterOfAFolderPutsItFirstInside",
     "x",
     "Inner",
     2,
     {"A", "  a1", "  a2", "  Inner", "    x", "    i", "B", "y"}},
    {"LowerHalfOfAnOpenFolderPutsItFirstInside",
     "x",
     "A",
     3,
     {"A", "  x", "  a1", "  a2", "  Inner", "    i", "B", "y"}},
    {"LowerHalfOfABookPutsItAfter", "x", "a1", 4, {"A", "  a1", "  x", "  a2", "  Inner", "    i", "B", "y"}},
    {"LowerHalfOfAClosedFolderPutsItAfter", "a1", "B", 4, {"A", "  a2", "  Inner", "    i", "B", "a1", "x", "y"}},
    {"SecondQuarterOfAClosedFolderHidesItInside", "a1", "B", 2, {"A", "  a2", "  Inner", "    i", "B", "x", "y"}},
    {"BelowTheLastRowPutsItLastAtTheTop", "a1", "", 0, {"A", "  a2", "  Inner", "    i", "B", "x", "y", "a1"}},
    {"AFolderMovesWithItsContents", "Inner", "x", 4, {"A", "  a1", "  a2", "B", "x", "Inner", "y"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, TreeBoxDropTest, ::testing::ValuesIn(kDropCases), TCaseName());

TEST_F(TreeBoxClickTest, RefusedDropsChangeNothing) {
  Click(Row("A"));
  Click(Row("Inner"));
  const QStringList before = Shown();
  struct TRefusal {
    const char* name;
    QString dragged, target;
    int quarter;
    bool ctrl;
  };
  for (const TRefusal& c :
       {TRefusal{"into itself", "A", "A", 3, true}, TRefusal{"into its own subfolder", "A", "Inner", 2, true},
        TRefusal{"before a row inside itself", "A", "a2", 1, true}, TRefusal{"onto its own row", "x", "x", 4, true}}) {
    Drag(Row(c.dragged), At(Row(c.target), c.quarter), c.ctrl);
    EXPECT_EQ(Shown(), before) << c.name;
    EXPECT_TRUE(Moves.isEmpty()) << c.name;
  }
  EXPECT_TRUE(QFile::exists(Folder.Root() + "A/Inner/i.vopa"));

  // Without Ctrl there is no drag: the release is a click on the row under the pointer.
  Drag(Row("x"), At(Row("a1"), 1), false);
  EXPECT_EQ(Shown(), before);
  EXPECT_EQ(Clicked, QStringList{Folder.Root() + "A/a1.vopa"});
}

TEST_F(TreeBoxClickTest, DropMarksShowWhereTheEntryWouldGo) {
  const auto black = [this](QPoint at) { return Box.viewport()->grab().toImage().pixelColor(at) == QColor(Qt::black); };
  Press(At(Row("y")));
  Move(At(Row("y")) + QPoint(3, 0));
  Move(At(Row("x"), 1));
  EXPECT_TRUE(black(QPoint(100, Row("x") * kRow))) << "a bar over the target row";
  Move(At(Row("B"), 2));
  EXPECT_FALSE(black(QPoint(100, Row("B") * kRow)));
  EXPECT_EQ(BackAt(Row("B")), Color(0xCCDDFF)) << "a folder to drop into is drawn hot";
  Move(At(Row("y"), 4));
  EXPECT_FALSE(black(QPoint(100, Row("y") * kRow + kRow - 1))) << "no mark on its own row";
  QTest::keyClick(&Box, Qt::Key_Escape);
  Release(At(Row("y"), 4));
  EXPECT_EQ(Shown(), (QStringList{"A", "B", "x", "y"}));
}

TEST_F(TreeBoxClickTest, RestingOnAClosedFolderDuringADragOpensIt) {
  Press(At(Row("x")));
  Move(At(Row("x")) + QPoint(3, 0));
  Move(At(Row("B"), 2));
  QTest::qWait(800);
  Move(At(Row("B"), 2) + QPoint(5, 0));
  QTest::qWait(800);
  EXPECT_EQ(Box.Count(), 4) << "moving the pointer restarts the wait";
  QTest::qWait(600);
  EXPECT_EQ(Shown(), (QStringList{"A", "B", "  b", "x", "y"}));
  Release(At(Row("b"), 4));
  EXPECT_EQ(Shown(), (QStringList{"A", "B", "  b", "  x", "y"}));
}

TEST_F(TreeBoxClickTest, OpeningAnimatesFrameByFrameAndClosingWithoutAnimationKeepsTheTop) {
  Box.Animation = true;
  int frames = 0;
  struct TPaintCounter : QObject {
    int* Count;
    explicit TPaintCounter(int* count) : Count(count) {}
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Paint) ++*Count;
      return false;
    }
  } counter(&frames);
  Box.viewport()->installEventFilter(&counter);
  QElapsedTimer clock;
  clock.start();
  Box.OpenRow(Row("A"));
  // The gap opens from 17 to 68 pixels in steps of 10 (6 frames), then the rows grow 17 times.
  EXPECT_EQ(frames, 6 + kRow + 1) << "the frames and the final paint";
  EXPECT_GE(clock.elapsed(), (6 + kRow) * 15);
  EXPECT_EQ(Box.TopIndex(), 0);

  Box.Animation = false;
  frames = 0;
  Box.CloseRow(Row("A"));
  EXPECT_EQ(frames, 1);
  Box.viewport()->removeEventFilter(&counter);
}

}  // namespace
