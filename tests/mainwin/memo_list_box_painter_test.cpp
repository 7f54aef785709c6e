#include "view/cell_painter.h"
#include "view/colors.h"

#include <gtest/gtest.h>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

namespace {

constexpr TColor kBack = 0xFFFFFF;
constexpr TColor kFrame = 0x0000FF;
const QRect kCell(5, 5, 60, 17);

struct Ink {
  QRect bounds;  // every pixel that differs from the back colour
  QImage image;
};

// Paints one cell on a grey image and measures the pixels the cell changed from its back colour.
Ink Paint(const QString& text, TColor frame = clNone, int edges = ceAll, QPoint textOffset = {2, 0},
          bool ellipsis = true, const QPixmap& graphic = {}, QPoint graphicOffset = {}) {
  QImage image(kCell.width() + 10, kCell.height() + 10, QImage::Format_RGB32);
  image.fill(Qt::gray);
  {
    QPainter canvas(&image);
    DrawCell(canvas, QGuiApplication::palette(), kCell, edges, {0, kBack, frame}, textOffset, ellipsis, text,
             graphicOffset, graphic);
  }
  QRect bounds;
  for (int y = kCell.top(); y <= kCell.bottom(); ++y)
    for (int x = kCell.left(); x <= kCell.right(); ++x)
      if (image.pixelColor(x, y) != QColor(Qt::white)) bounds |= QRect(x, y, 1, 1);
  return {bounds, image};
}

TEST(ColorsForTest, BuildsTheStateColourSets) {
  struct Case {
    TColor base;
    TColorSet expected;
  };
  for (const Case& c : {Case{clRed, {0, 0xCCDDFF, 0x8080FF}}, Case{clGray, {0, 0xE0E0E0, clNone}},
                        Case{clBlue, {0, 0xFFEEDD, 0xFF8080}}, Case{clWhite, {0, clWindow, clNone}},
                        Case{0x123456, {0, 0xFFFFFF, clNone}}})
    EXPECT_EQ(ColorsFor(c.base), c.expected) << std::hex << c.base;
}

TEST(DrawCellTest, FillsTheCellAndFramesOnlyTheNamedEdges) {
  const QColor frame = ToQColor(kFrame), back = ToQColor(kBack);
  const QPoint mid = kCell.center();
  const QPoint left(kCell.left(), mid.y()), top(mid.x(), kCell.top()), right(kCell.right(), mid.y()),
      bottom(mid.x(), kCell.bottom());
  struct Case {
    TColor frame;
    int edges;
    bool left, top, right, bottom;
  };
  for (const Case& c :
       {Case{kFrame, ceAll, true, true, true, true}, Case{kFrame, ceLeft | ceRight, true, false, true, false},
        Case{kFrame, ceBottom, false, false, false, true}, Case{clNone, ceAll, false, false, false, false}}) {
    const QImage image = Paint("", c.frame, c.edges).image;
    const auto expect = [&](QPoint at, bool framed) {
      EXPECT_EQ(image.pixelColor(at), framed ? frame : back) << c.edges;
    };
    expect(left, c.left);
    expect(top, c.top);
    expect(right, c.right);
    expect(bottom, c.bottom);
    EXPECT_EQ(image.pixelColor(mid), back);
    EXPECT_EQ(image.pixelColor(kCell.topLeft() - QPoint(1, 1)), QColor(Qt::gray)) << "nothing outside the cell";
    EXPECT_EQ(image.pixelColor(kCell.bottomRight() + QPoint(1, 1)), QColor(Qt::gray));
  }
}

TEST(DrawCellTest, AmpersandsAreDrawnAsThemselves) {
  // With mnemonic processing "&&&&&&&&" would show as four ampersands.
  const int eight = Paint("&&&&&&&&", clNone, ceAll, {2, 0}, false).bounds.width();
  const int four = Paint("&&&&", clNone, ceAll, {2, 0}, false).bounds.width();
  ASSERT_GT(four, 0);
  EXPECT_GT(eight, four * 3 / 2);
  EXPECT_GT(Paint("&").bounds.width(), 0) << "a lone ampersand is visible";
}

TEST(DrawCellTest, OverlongTextEndsInAnEllipsisInsideTheCell) {
  const QString text(40, QChar('M'));
  // Height of the ink in the last columns: the dots of "…" sit low, a clipped "M" is full height.
  const auto tailHeight = [](const Ink& ink) {
    QRect tail;
    for (int x = ink.bounds.right() - 2; x <= ink.bounds.right(); ++x)
      for (int y = ink.bounds.top(); y <= ink.bounds.bottom(); ++y)
        if (ink.image.pixelColor(x, y) != QColor(Qt::white)) tail |= QRect(x, y, 1, 1);
    return tail.height();
  };
  const Ink elided = Paint(text);
  const Ink clipped = Paint(text, clNone, ceAll, {2, 0}, false);
  EXPECT_LE(elided.bounds.right(), kCell.right());
  EXPECT_LT(tailHeight(elided), clipped.bounds.height() / 2);
  EXPECT_GT(tailHeight(clipped), clipped.bounds.height() * 3 / 4) << "the probe tells an M from dots";
  EXPECT_EQ(Paint("MM").bounds, Paint("MM", clNone, ceAll, {2, 0}, false).bounds) << "short text is not cut";
}

TEST(DrawCellTest, OffsetsPlaceTextAndGraphic) {
  const QRect base = Paint("Ag", clNone, ceAll, {2, 0}).bounds;
  const QRect moved = Paint("Ag", clNone, ceAll, {12, 6}).bounds;
  EXPECT_EQ(moved.left() - base.left(), 10);
  EXPECT_NEAR(moved.center().y() - base.center().y(), 3, 1) << "centred in the rest of the cell below the offset";

  QPixmap graphic(3, 3);
  graphic.fill(Qt::green);
  const QImage image = Paint("", clNone, ceAll, {2, 0}, true, graphic, {20, 4}).image;
  EXPECT_EQ(image.pixelColor(kCell.topLeft() + QPoint(20, 4)), QColor(Qt::green));
  EXPECT_EQ(image.pixelColor(kCell.topLeft() + QPoint(23, 7)), QColor(Qt::white));
}

}  // namespace
