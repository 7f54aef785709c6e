#include "view/aa_image.h"

#include "case_name.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);

bool IsBlackAt(const QImage& picture, int x, int y) { return picture.pixel(x, y) == kBlack; }

int BlackCount(const QImage& picture) {
  int count = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) count += IsBlackAt(picture, x, y);
  return count;
}

// A one-bit picture of size with the given pixels black.
QImage Picture(QSize size, const QList<QPoint>& black) {
  QImage picture(size, QImage::Format_Mono);
  picture.setColorTable({kWhite, kBlack});
  picture.fill(0);
  for (const QPoint& p : black) picture.setPixel(p, 1);
  return picture;
}

TEST(AAImageTest, TextIsDrawnLineByLineAtNaturalSize) {
  const QFont font = AAFont("DejaVu Sans");
  const QFontMetrics metrics(font);
  const QImage picture = RenderAAText("short\r\na much longer line\r\n\tx", font);
  EXPECT_EQ(picture.format(), QImage::Format_Mono);
  EXPECT_EQ(picture.width(), metrics.horizontalAdvance("a much longer line"));
  EXPECT_EQ(picture.height(), 3 * metrics.height());
  EXPECT_GT(BlackCount(picture), 0);
  // Every line keeps to its own band: the empty-looking right part of line one stays white.
  const int shortEnd = metrics.horizontalAdvance("short");
  for (int y = 0; y < metrics.height(); ++y)
    for (int x = shortEnd + 1; x < picture.width(); ++x) ASSERT_FALSE(IsBlackAt(picture, x, y)) << x << "," << y;
}

TEST(AAImageTest, BlankTextDrawsMudai) {
  const QFont font = AAFont("DejaVu Sans");
  for (const QString& blank : {QString(), QString(" \r\n\t "), QString("　")}) {
    const QImage picture = RenderAAText(blank, font);
    EXPECT_EQ(picture.size(), RenderAAText("ﾑﾀﾞｲ", font).size());
    EXPECT_EQ(picture, RenderAAText("ﾑﾀﾞｲ", font));
  }
}

TEST(AAImageTest, ShrinkingKeepsEveryStroke) {
  // Lone pixels and a one-pixel line in a picture shrunk to a third of its size.
  const QImage picture = Picture({30, 30}, {{0, 0}, {29, 29}, {14, 3}, {15, 3}, {16, 3}});
  const QImage small = StretchAA(picture, {10, 10});
  EXPECT_EQ(small.format(), QImage::Format_Mono);
  EXPECT_TRUE(IsBlackAt(small, 0, 0));
  EXPECT_TRUE(IsBlackAt(small, 9, 9));
  EXPECT_TRUE(IsBlackAt(small, 4, 1));
  EXPECT_TRUE(IsBlackAt(small, 5, 1));
  EXPECT_EQ(BlackCount(small), 4);
}

TEST(AAImageTest, StretchingToTheSameSizeOrOneMoreKeepsThePicture) {
  const QImage picture = Picture({7, 5}, {{1, 0}, {6, 4}});
  EXPECT_EQ(StretchAA(picture, picture.size()), picture);
  const QImage taller = StretchAA(picture, {7, 6});
  EXPECT_EQ(taller.size(), QSize(7, 6));
  EXPECT_EQ(BlackCount(taller), 3);  // the top row is doubled
  EXPECT_TRUE(IsBlackAt(taller, 6, 5));
}

struct TColorCase {
  std::string name;
  QRgb Font;
  QRgb Back;
  bool OneBit;
};

class AAColorTest : public ::testing::TestWithParam<TColorCase> {};

TEST_P(AAColorTest, EveryPixelTakesExactlyOneOfTheTwoColours) {
  const TColorCase& c = GetParam();
  const QImage picture = Picture({13, 9}, {{0, 0}, {3, 4}, {4, 4}, {12, 8}, {6, 0}});
  const QImage shown = ColorAA(picture, QColor(c.Font), QColor(c.Back));
  EXPECT_EQ(shown.format(), c.OneBit ? QImage::Format_Mono : QImage::Format_RGB888);
  ASSERT_EQ(shown.size(), picture.size());
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      ASSERT_EQ(shown.pixel(x, y), IsBlackAt(picture, x, y) ? c.Font : c.Back) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Cases, AAColorTest,
                         ::testing::Values(TColorCase{"BlackOnWhite", kBlack, kWhite, true},
                                           TColorCase{"BlackOnColour", kBlack, qRgb(0xFF, 0xFF, 0xAA), false},
                                           TColorCase{"ColourOnWhite", qRgb(0, 0, 0xFF), kWhite, false},
                                           TColorCase{"ColourOnColour", qRgb(0x12, 0x80, 0x40), qRgb(0xAA, 0xDD, 0xFF),
                                                      false},
                                           TColorCase{"WhiteOnBlack", kWhite, kBlack, false}),
                         TCaseName());

}  // namespace
