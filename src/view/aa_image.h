#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>

// ASCII-art pictures: one bit per pixel, index 0 white, index 1 black.

// The ASCII-art font: the given family at a fixed 12 points, drawn without smoothing.
QFont AAFont(const QString& family);
// The memo's text (CR LF breaks) drawn line by line, never wrapped, black on white, at
// its natural size. Blank text draws as "ﾑﾀﾞｲ".
QImage RenderAAText(const QString& memoText, const QFont& font);
// The picture stretched to size. A pixel is black when any pixel it covers is black, so
// the thin strokes of the art survive shrinking.
QImage StretchAA(const QImage& picture, QSize size);
// The picture in exactly the two colours, font for black and back for white. Black on
// white keeps the one-bit picture; any other pair gives a 24-bit one.
QImage ColorAA(const QImage& picture, const QColor& font, const QColor& back);
