#include "folders/tree_box.h"

#include "view/colors.h"

#include <QPainter>
#include <QThread>
#include <algorithm>

// Folding is shown frame by frame on a picture of the viewport: a gap slides open (or shut)
// 10 pixels a frame while the view scrolls, and the rows in it grow (or shrink) a pixel a
// frame, each frame followed by a pause of 15 ms.

namespace {

constexpr int kSlideStep = 10;
constexpr unsigned long kFramePause = 15;

int StepToward(int value, int end) {
  return value < end ? std::min(value + kSlideStep, end) : std::max(value - kSlideStep, end);
}

}  // namespace

bool TVopaTreeBox::CanAnimate(int first, int last) const {
  const int visible = viewport()->height() / ItemHeight();
  const int top = TopIndex();
  // Rows folding out of sight would only cost pauses.
  return isVisible() && first <= top + visible && last >= top;
}

void TVopaTreeBox::ShowFrame() {
  Animating = true;
  viewport()->repaint();
  QThread::msleep(kFramePause);
}

void TVopaTreeBox::PaintRowsUp(QPainter& canvas, int fromRow, int bottom) {
  int y = bottom - ItemHeight();
  for (int row = fromRow; row >= 0 && y + ItemHeight() > 0; --row, y -= ItemHeight())
    PaintRow(canvas, row, QRect(0, y, viewport()->width(), ItemHeight()));
  FillGap(canvas, 0, y + ItemHeight());
}

void TVopaTreeBox::PaintRowsDown(QPainter& canvas, int fromRow, int y) {
  const int height = viewport()->height();
  for (int row = fromRow; row < Count() && y < height; ++row, y += ItemHeight())
    PaintRow(canvas, row, QRect(0, y, viewport()->width(), ItemHeight()));
  FillGap(canvas, y, height);
}

void TVopaTreeBox::PaintBlock(QPainter& canvas, int first, int last, int top, int bottom, int height) {
  const int width = viewport()->width();
  int y = top;
  for (int row = first; row <= last && y < bottom; ++row, y += height) {
    const QRect rect(0, y, width, height);
    canvas.save();
    canvas.setClipRect(rect.intersected(QRect(0, top, width, bottom - top)));
    PaintRow(canvas, row, rect);
    canvas.restore();
  }
  FillGap(canvas, y, bottom);
}

void TVopaTreeBox::FillGap(QPainter& canvas, int top, int bottom) {
  if (bottom > top) canvas.fillRect(0, top, viewport()->width(), bottom - top, ToQColor(Color, palette()));
}

void TVopaTreeBox::Slide(int first, int last, int& gapTop, int& gapBottom, int topEnd, int bottomEnd) {
  while (gapTop != topEnd || gapBottom != bottomEnd) {
    const bool topMoves = gapTop != topEnd;
    const bool bottomMoves = gapBottom != bottomEnd;
    gapTop = StepToward(gapTop, topEnd);
    gapBottom = StepToward(gapBottom, bottomEnd);
    QPainter canvas(&Frame);
    // The rows above the gap end at its top edge, the rows below start at its bottom edge.
    if (topMoves) PaintRowsUp(canvas, first - 1, gapTop);
    if (bottomMoves) PaintRowsDown(canvas, last + 1, gapBottom);
    FillGap(canvas, gapTop, gapBottom);
    canvas.end();
    ShowFrame();
  }
}

int TVopaTreeBox::AnimateOpening(int first, int last) {
  const int visible = viewport()->height() / ItemHeight();
  const int top = TopIndex();
  int newTop = top;
  if (last - newTop + 1 > visible) newTop = last - visible + 1;
  if (newTop > first - 1) newTop = first - 1;
  newTop = std::max(newTop, 0);

  int gapTop = ItemHeight() * (first - top);
  int gapBottom = gapTop;
  const int topEnd = ItemHeight() * (first - newTop);
  const int bottomEnd = ItemHeight() * (last - newTop + 1);
  Slide(first, last, gapTop, gapBottom, topEnd, bottomEnd);
  for (int height = 1; height <= ItemHeight(); ++height) {
    QPainter canvas(&Frame);
    PaintBlock(canvas, first, last, gapTop, gapBottom, height);
    canvas.end();
    ShowFrame();
  }
  Animating = false;
  return newTop;
}

int TVopaTreeBox::AnimateClosing(int first, int last) {
  const int visible = viewport()->height() / ItemHeight();
  const int top = TopIndex();
  const int count = last - first + 1;
  int newTop = top;
  if (first <= top) newTop -= count;
  if ((Count() - count) - newTop < visible) newTop = Count() - visible - count;
  newTop = std::max(newTop, 0);

  int gapTop = std::max(ItemHeight() * (first - top), 0);
  int gapBottom = std::min(ItemHeight() * (last - top + 1), viewport()->height());
  const int end = ItemHeight() * (first - newTop);
  for (int height = ItemHeight() - 1; height >= 0; --height) {
    QPainter canvas(&Frame);
    if (height > 0)
      PaintBlock(canvas, std::max(first, top), last, gapTop, gapBottom, height);
    else
      FillGap(canvas, gapTop, gapBottom);
    canvas.end();
    ShowFrame();
  }
  Slide(first, last, gapTop, gapBottom, end, end);
  Animating = false;
  return newTop;
}
