#include "mainwin/memo_list_box.h"

#include "view/cell_painter.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int kTextLeft = 2;
constexpr int kNoKey = -2;

}  // namespace

TQumColListBox::TQumColListBox(QWidget* parent)
    : QAbstractScrollArea(parent),
      SelectedColors(ColorsFor(clBlue)),
      PressedColors(ColorsFor(clRed)),
      NormalColors{clWindowText, clWindow, clNone} {
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setFocusPolicy(Qt::StrongFocus);
  verticalScrollBar()->setSingleStep(1);
}

void TQumColListBox::SetOnData(TDataFunc onData) {
  FOnData = std::move(onData);
  viewport()->update();
}

void TQumColListBox::SetCount(int count) {
  FCount = std::max(count, 0);
  if (FItemIndex >= FCount) FItemIndex = -1;
  UpdateScrollBar();
  viewport()->update();
}

void TQumColListBox::SetItemIndex(int index) {
  SetCurrentIndex(index);
  FItemIndex = index >= 0 && index < FCount ? index : -1;
  EnsureVisible(FItemIndex);
  viewport()->update();
}

void TQumColListBox::SetCurrentIndex(int index) {
  if (index != FCurrentIndex) FIdxChanged = true;
  FCurrentIndex = index;
}

void TQumColListBox::SetItemHeight(int height) {
  FItemHeight = std::max(height, 1);
  UpdateScrollBar();
  viewport()->update();
}

void TQumColListBox::SetItemOffset(int offset) {
  FItemOffset = offset;
  viewport()->update();
}

int TQumColListBox::TopIndex() const { return verticalScrollBar()->value(); }

int TQumColListBox::OverflowHeight() const { return FCount * FItemHeight - viewport()->height(); }

int TQumColListBox::ItemAt(QPoint pos) const {
  if (pos.x() < 0 || pos.x() >= viewport()->width() || pos.y() < 0) return -1;
  const int index = TopIndex() + pos.y() / FItemHeight;
  return index < FCount ? index : -1;
}

QRect TQumColListBox::ItemRect(int index) const {
  return QRect(0, (index - TopIndex()) * FItemHeight, viewport()->width(), FItemHeight);
}

int TQumColListBox::FullRows() const { return std::max(viewport()->height() / FItemHeight, 1); }

TColorSet TQumColListBox::ColorsOfItem(int index) const {
  TColorSet colors = NormalColors;
  if (index == FItemIndex && FPopupIndex < 0) colors = FLeftDown ? PressedColors : SelectedColors;
  if (index == FPopupIndex) colors = PressedColors;
  return colors;
}

void TQumColListBox::DoIdxChange() {
  if (FIdxChanged) emit IdxChange();
  FIdxChanged = false;
}

void TQumColListBox::EnsureVisible(int index) {
  if (index < 0) return;
  QScrollBar* bar = verticalScrollBar();
  if (index < bar->value())
    bar->setValue(index);
  else if (index >= bar->value() + FullRows())
    bar->setValue(index - FullRows() + 1);
}

void TQumColListBox::UpdateScrollBar() {
  verticalScrollBar()->setPageStep(FullRows());
  verticalScrollBar()->setRange(0, std::max(FCount - FullRows(), 0));
}

void TQumColListBox::paintEvent(QPaintEvent*) {
  QPainter canvas(viewport());
  canvas.setFont(font());
  canvas.fillRect(viewport()->rect(), palette().color(QPalette::Base));
  for (int index = TopIndex(); index < FCount; ++index) {
    const QRect rect = ItemRect(index);
    if (rect.top() >= viewport()->height()) break;
    const QString text = FOnData ? FOnData(index) : QString();
    DrawCell(canvas, palette(), rect, ceAll, ColorsOfItem(index), QPoint(kTextLeft, FItemOffset), true, text);
  }
}

void TQumColListBox::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBar();
}

void TQumColListBox::scrollContentsBy(int, int) { viewport()->update(); }

// The selection follows the pointer while the left button is held; above or below
// the rows the list scrolls one item per move.
void TQumColListBox::TrackLeftButton(QPoint pos) {
  int index = ItemAt(QPoint(0, pos.y()));
  if (pos.y() < 0 && TopIndex() > 0)
    index = TopIndex() - 1;
  else if (pos.y() >= viewport()->height() && TopIndex() + FullRows() < FCount)
    index = TopIndex() + FullRows();
  if (index < 0) return;
  FItemIndex = index;
  EnsureVisible(index);
  SetCurrentIndex(index);
  DoIdxChange();
}

void TQumColListBox::RightButtonDown(QPoint pos) {
  if (!FPopupOnItem) return;
  FPopupIndex = ItemAt(pos);
  if (FPopupIndex < 0) return;
  SetItemIndex(FPopupIndex);
  DoIdxChange();
}

void TQumColListBox::RightButtonUp(QPoint pos, QPoint globalPos) {
  if (!FPopupOnItem || FPopupIndex < 0) return;
  const QPointer<TQumColListBox> alive(this);
  if (ItemAt(pos) == FPopupIndex) FPopupOnItem->exec(globalPos);
  if (!alive) return;
  SetItemIndex(FCurrentIndex);
  FPopupIndex = -1;
}

// A release outside the rows puts the selection back on the current item.
void TQumColListBox::MouseUp(QPoint pos) {
  if (ItemAt(pos) < 0)
    SetItemIndex(FCurrentIndex);
  else
    SetCurrentIndex(FItemIndex);
  DoIdxChange();
  viewport()->update();
}

void TQumColListBox::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (event->button() == Qt::LeftButton) {
    FLeftDown = true;
    TrackLeftButton(pos);
  } else if (event->button() == Qt::RightButton) {
    FLeftDown = false;
    RightButtonDown(pos);
  }
  viewport()->update();
  event->accept();
}

// The second press of a double click acts as a press of its own.
void TQumColListBox::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void TQumColListBox::mouseMoveEvent(QMouseEvent* event) {
  if (FLeftDown) {
    TrackLeftButton(event->position().toPoint());
    viewport()->update();
  }
  event->accept();
}

void TQumColListBox::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  const bool leftUp = event->button() == Qt::LeftButton && FLeftDown;
  if (event->button() == Qt::LeftButton) FLeftDown = false;
  if (event->button() == Qt::RightButton) {
    const QPointer<TQumColListBox> alive(this);
    RightButtonUp(pos, event->globalPosition().toPoint());
    if (!alive) return;
  }
  if (leftUp || event->button() == Qt::RightButton) MouseUp(pos);
  if (leftUp && ItemAt(pos) >= 0) emit Click();
  event->accept();
}

int TQumColListBox::KeyTarget(int key) const {
  const int from = FItemIndex >= 0 ? FItemIndex : FCurrentIndex;
  const int page = std::max(FullRows() - 1, 1);
  switch (key) {
    case Qt::Key_Up:
      return from - 1;
    case Qt::Key_Down:
      return from + 1;
    case Qt::Key_PageUp:
      return from - page;
    case Qt::Key_PageDown:
      return from + page;
    case Qt::Key_Home:
      return 0;
    case Qt::Key_End:
      return FCount - 1;
    default:
      return kNoKey;
  }
}

// The navigation keys move the selection and make the item current at once, so the
// list never shows a selection that differs from the current memo.
void TQumColListBox::keyPressEvent(QKeyEvent* event) {
  const int target = KeyTarget(event->key());
  if (target == kNoKey || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
    event->ignore();
    return;
  }
  if (FCount > 0) {
    FItemIndex = std::clamp(target, 0, FCount - 1);
    EnsureVisible(FItemIndex);
    SetCurrentIndex(FItemIndex);
    DoIdxChange();
    viewport()->update();
  }
  event->accept();
}

// The popup is shown by the right button handling, only for an item.
void TQumColListBox::contextMenuEvent(QContextMenuEvent* event) { event->accept(); }
