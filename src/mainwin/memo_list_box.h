#pragma once

#include "app/color_set.h"

#include <QAbstractScrollArea>
#include <QMenu>
#include <QPointer>
#include <functional>

// The owner-drawn virtual list of the memo titles. It stores only a count and asks
// OnData for the text of each visible item. Besides the selection (ItemIndex) it
// keeps its own current item (CurrentIndex) and reports user changes of it through
// IdxChange; a release of the left button over an item reports Click.
class TQumColListBox : public QAbstractScrollArea {
  Q_OBJECT
 public:
  using TDataFunc = std::function<QString(int index)>;

  explicit TQumColListBox(QWidget* parent = nullptr);

  void SetOnData(TDataFunc onData);

  int Count() const { return FCount; }
  // Repaints; a selection beyond the new count is dropped.
  void SetCount(int count);

  int ItemIndex() const { return FItemIndex; }
  // Moves the current item too, without reporting it; the change stays pending
  // and is reported by the next mouse action.
  void SetItemIndex(int index);

  int CurrentIndex() const { return FCurrentIndex; }
  void SetCurrentIndex(int index);

  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int height);
  int ItemOffset() const { return FItemOffset; }
  void SetItemOffset(int offset);

  QMenu* PopupOnItem() const { return FPopupOnItem; }
  // The menu of a right-clicked item; none turns right-click handling off.
  void SetPopupOnItem(QMenu* menu) { FPopupOnItem = menu; }

  int TopIndex() const;
  // Count × ItemHeight − the visible height; negative when rows leave free room.
  int OverflowHeight() const;
  // The item under a viewport position, -1 for none.
  int ItemAt(QPoint pos) const;

  TColorSet SelectedColors;
  TColorSet PressedColors;
  TColorSet NormalColors;

 signals:
  void IdxChange();
  void Click();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  QRect ItemRect(int index) const;
  int FullRows() const;
  TColorSet ColorsOfItem(int index) const;
  void DoIdxChange();
  void EnsureVisible(int index);
  void UpdateScrollBar();
  void TrackLeftButton(QPoint pos);
  void RightButtonDown(QPoint pos);
  void RightButtonUp(QPoint pos, QPoint globalPos);
  void MouseUp(QPoint pos);
  int KeyTarget(int key) const;

  TDataFunc FOnData;
  QPointer<QMenu> FPopupOnItem;
  int FCount = 0;
  int FItemIndex = -1;
  int FCurrentIndex = -1;
  bool FIdxChanged = false;
  int FPopupIndex = -1;
  bool FLeftDown = false;
  int FItemHeight = 17;
  int FItemOffset = 1;
};
