#pragma once

#include "folder_fixture.h"
#include "folders/file_box.h"

#include <gtest/gtest.h>
#include <QMenu>
#include <QStringList>

// A shown folder box over a temporary book directory, the way the main window sets it up,
// without animation unless a test turns it on.
class TreeBoxTest : public ::testing::Test {
 protected:
  static constexpr int kRow = 17;

  void SetUp() override;
  // Builds the entries (see TFolderFixture::Make) and points the box at the directory.
  void Show(const QStringList& entries);

  // Captions of the rows, indented by two blanks per level below the top.
  QStringList Shown() const;
  int Row(const QString& caption) const;
  // A point in a row; quarter 1 is its top quarter, 4 its bottom one.
  QPoint At(int row, int quarter = 2) const;
  QPoint Below() const { return QPoint(40, Box.Count() * kRow + kRow / 2); }

  void Click(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  void RightClick(QPoint press, QPoint release);
  // Presses on a row, moves (with or without Ctrl) and releases at to.
  void Drag(int row, QPoint to, bool ctrl = true);
  void Press(QPoint at);
  void Move(QPoint to, bool ctrl = true);
  void Release(QPoint at);

  // The colour of a row's fill (right of its text) and of its left edge.
  QColor BackAt(int row) const;
  QColor EdgeAt(int row) const;
  QColor BottomEdgeAt(int row) const;
  QColor Color(TColor color) const;

  TFolderFixture Folder;
  TVopaFileBox Box;
  QMenu Menu;
  QStringList Clicked;
  QStringList Moves;
  int MenuShown = 0;
  QColor HotWhileMenuOpen;
};
