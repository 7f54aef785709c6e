#pragma once

#include "app/color_set.h"

#include <QPixmap>
#include <QPoint>
#include <QString>

class QPainter;
class QPalette;
class QRect;

// Edges of a cell that get the frame line.
enum TCellEdge : int { ceLeft = 1, ceTop = 2, ceRight = 4, ceBottom = 8, ceAll = 15 };

// Basic colours that ColorsFor turns into item colour sets.
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clWhite = 0xFFFFFF;

// The colour set of a list item drawn in a base colour: black text on a pale fill,
// framed for the red and blue states.
TColorSet ColorsFor(TColor base);

// Paints one list cell: fills rect with the back colour, draws text single-line,
// vertically centred below textOffset, "&" as itself and, with ellipsis, cut with
// "…"; then the graphic at graphicOffset and the frame on the given edges (none
// when the frame colour is clNone). System colours are taken from palette.
void DrawCell(QPainter& canvas, const QPalette& palette, const QRect& rect, int edges, const TColorSet& colors,
              QPoint textOffset, bool ellipsis, const QString& text, QPoint graphicOffset = {},
              const QPixmap& graphic = {});
