#include "tree_box_fixture.h"

#include "view/colors.h"

#include <QTest>
#include <QTimer>

void TreeBoxTest::SetUp() {
  Box.Animation = false;
  Box.SaveSort = true;
  Box.SetFileExtention(QStringLiteral("vopa"));
  Box.DragStyle = TVopaTreeBoxDragStyle::tfbsCanMoveFolder;
  Box.ChildMargine = 7;
  Box.SetItemHeight(kRow);
  Box.UpdateImageTop();
  Box.PopupOnItem = &Menu;
  Box.OnFileItemClick = [this](const QString& path, TVopaFileBox*) { Clicked << path; };
  Box.OnFileMove = [this](const QString& from, const QString& to, TVopaFileBox*) { Moves << from + " > " + to; };
  Box.OnFolderMove = Box.OnFileMove;
  Box.resize(200, kRow * 12);
  Menu.addAction(QStringLiteral("Item"));
  QObject::connect(&Menu, &QMenu::aboutToShow, [this] {
    ++MenuShown;
    const int row = Box.PopupIndex;
    HotWhileMenuOpen = row >= 0 ? BackAt(row) : QColor();
    QTimer::singleShot(0, &Menu, &QMenu::close);
  });
}

void TreeBoxTest::Show(const QStringList& entries) {
  Folder.Make(entries);
  Box.SetRootPath(Folder.Root());
  Box.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Box));
}

QStringList TreeBoxTest::Shown() const {
  QStringList rows;
  for (int row = 0; row < Box.Count(); ++row) {
    const TVopaNode* node = Box.NodeAt(row);
    rows << QString(2 * (node->Level - 1), u' ') + node->Caption;
  }
  return rows;
}

int TreeBoxTest::Row(const QString& caption) const {
  for (int row = 0; row < Box.Count(); ++row)
    if (Box.NodeAt(row)->Caption == caption) return row;
  ADD_FAILURE() << "no row " << caption.toStdString();
  return -1;
}

QPoint TreeBoxTest::At(int row, int quarter) const {
  return QPoint(40, (row - Box.TopIndex()) * kRow + (quarter - 1) * kRow / 4 + 1);
}

void TreeBoxTest::Click(int row, Qt::KeyboardModifiers modifiers) {
  QTest::mouseClick(Box.viewport(), Qt::LeftButton, modifiers, At(row));
}

void TreeBoxTest::RightClick(QPoint press, QPoint release) {
  QTest::mousePress(Box.viewport(), Qt::RightButton, {}, press);
  QTest::mouseRelease(Box.viewport(), Qt::RightButton, {}, release);
}

void TreeBoxTest::Press(QPoint at) { QTest::mousePress(Box.viewport(), Qt::LeftButton, {}, at); }

void TreeBoxTest::Move(QPoint to, bool ctrl) {
  QTest::mouseEvent(QTest::MouseMove, Box.viewport(), Qt::NoButton, ctrl ? Qt::ControlModifier : Qt::NoModifier, to);
}

void TreeBoxTest::Release(QPoint at) { QTest::mouseRelease(Box.viewport(), Qt::LeftButton, {}, at); }

void TreeBoxTest::Drag(int row, QPoint to, bool ctrl) {
  Press(At(row));
  Move(At(row) + QPoint(3, 0), ctrl);
  Move(to, ctrl);
  Release(to);
}

QColor TreeBoxTest::BackAt(int row) const {
  return Box.viewport()->grab().toImage().pixelColor(Box.viewport()->width() - 4, (row - Box.TopIndex()) * kRow + 8);
}

QColor TreeBoxTest::EdgeAt(int row) const {
  return Box.viewport()->grab().toImage().pixelColor(0, (row - Box.TopIndex()) * kRow + 8);
}

QColor TreeBoxTest::BottomEdgeAt(int row) const {
  return Box.viewport()->grab().toImage().pixelColor(Box.viewport()->width() - 4,
                                                     (row - Box.TopIndex()) * kRow + kRow - 1);
}

QColor TreeBoxTest::Color(TColor color) const { return QColor(ToQColor(color, Box.palette()).rgb()); }
