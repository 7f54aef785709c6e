#include "view/cell_painter.h"

#include "view/colors.h"

#include <QPainter>
#include <QRect>

TColorSet ColorsFor(TColor base) {
  switch (base) {
    case clRed:
      return {clBlack, 0xCCDDFF, 0x8080FF};
    case clGray:
      return {clBlack, 0xE0E0E0, clNone};
    case clBlue:
      return {clBlack, 0xFFEEDD, 0xFF8080};
    case clWhite:
      return {clBlack, clWindow, clNone};
    default:
      return {clBlack, 0xFFFFFF, clNone};
  }
}

void DrawCell(QPainter& canvas, const QPalette& palette, const QRect& rect, int edges, const TColorSet& colors,
              QPoint textOffset, bool ellipsis, const QString& text, QPoint graphicOffset, const QPixmap& graphic) {
  canvas.save();
  canvas.fillRect(rect, ToQColor(colors.BackColor, palette));

  const QRect textRect = rect.adjusted(textOffset.x(), textOffset.y(), 0, 0);
  // Without Qt::TextShowMnemonic an "&" is drawn as itself.
  const QString shown =
      ellipsis ? canvas.fontMetrics().elidedText(text, Qt::ElideRight, textRect.width(), Qt::TextSingleLine) : text;
  canvas.setPen(ToQColor(colors.FontColor, palette));
  canvas.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);

  if (!graphic.isNull()) canvas.drawPixmap(rect.topLeft() + graphicOffset, graphic);

  if (colors.FrameColor != clNone) {
    canvas.setPen(QPen(ToQColor(colors.FrameColor, palette), 0));
    canvas.setRenderHint(QPainter::Antialiasing, false);
    if (edges & ceLeft) canvas.drawLine(rect.topLeft(), rect.bottomLeft());
    if (edges & ceTop) canvas.drawLine(rect.topLeft(), rect.topRight());
    if (edges & ceRight) canvas.drawLine(rect.topRight(), rect.bottomRight());
    if (edges & ceBottom) canvas.drawLine(rect.bottomLeft(), rect.bottomRight());
  }
  canvas.restore();
}
