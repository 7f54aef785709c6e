#include "test_view_host.h"

#include "case_name.h"
#include "view/page_paper.h"

#include "view/aa_image.h"
#include "view/aa_paper.h"
#include "view/colors.h"

#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString kArt = QStringLiteral("  ∧＿∧\r\n （´･ω･）\r\n （つ　 と）");

// An ASCII-art memo of text in a book of one text memo before it.
void ShowArt(TTestViewHost& host, const QString& text, int current = -1) {
  host.Params.AAFontName = QStringLiteral("DejaVu Sans");
  host.Book.AddMemo(text, 0);
  host.Book.MemoAt(0)->SetOption(kOptType, "AA");
  host.ShowBook({"text above"}, current);
}

QSize NaturalSize(const TTestViewHost& host, const QString& text) {
  return RenderAAText(text, AAFont(host.Params.AAFontName)).size();
}

TPileAAPaper& PileArt(const TTestViewHost& host) { return dynamic_cast<TPileAAPaper&>(*host.PileView->Papers.at(0)); }

TEST(PileAAPaperTest, NarrowArtKeepsItsNaturalSizeCentred) {
  TTestViewHost host(TViewKind::Pile);
  ShowArt(host, kArt);
  TPileAAPaper& paper = PileArt(host);
  const QSize natural = NaturalSize(host, kArt);
  ASSERT_LT(natural.width(), host.PileView->PaperWidth());
  // Width at natural size; the height rounds up by one as the fitting always does.
  EXPECT_EQ(paper.ImageSize, QSize(natural.width(), natural.height() + 1));
  EXPECT_EQ(paper.ShownBitmap.size(), paper.ImageSize);
  EXPECT_EQ(paper.ImageOrigin(), QPoint((host.PileView->PaperWidth() - natural.width()) / 2, 2));
  EXPECT_EQ(paper.Height, paper.ImageSize.height() + 5);
  EXPECT_EQ(paper.PaintBox()->geometry(), QRect(0, 0, host.PileView->PaperWidth(), paper.Height));
  EXPECT_EQ(host.PileView->Papers.at(1)->Top, paper.Height);
}

TEST(PileAAPaperTest, WideArtIsScaledToThePileWidth) {
  const QString wide = QString("=-").repeated(200);
  TTestViewHost host(TViewKind::Pile);
  ShowArt(host, wide);
  const QSize natural = NaturalSize(host, wide);
  const int a = host.PileView->PaperWidth() - 5;
  EXPECT_EQ(PileArt(host).ImageSize, QSize(a, a * natural.height() / natural.width() + 1));
}

TEST(PileAAPaperTest, TallArtIsScaledToTheVisibleHeight) {
  const QString tall = QStringList(60, QStringLiteral("|  |")).join("\r\n");
  TTestViewHost host(TViewKind::Pile);
  ShowArt(host, tall);
  const QSize natural = NaturalSize(host, tall);
  const int b = host.PileView->ScrollBox()->viewport()->height();
  ASSERT_GT(natural.height(), b);
  EXPECT_EQ(PileArt(host).ImageSize, QSize(b * natural.width() / natural.height() + 1, b));
}

TEST(PileAAPaperTest, ResizingThePileFitsTheArtAgain) {
  const QString wide = QString("=-").repeated(200);
  TTestViewHost host(TViewKind::Pile);
  ShowArt(host, wide);
  host.Window.resize(400, 300);
  QApplication::processEvents();
  EXPECT_EQ(PileArt(host).ImageSize.width(), host.PileView->PaperWidth() - 5);
  EXPECT_EQ(PileArt(host).ShownBitmap.width(), host.PileView->PaperWidth() - 5);
}

TEST(PileAAPaperTest, ColoursFollowCurrentAndMovedStates) {
  TTestViewHost host(TViewKind::Pile);
  host.Params.AAFontName = QStringLiteral("DejaVu Sans");
  host.Book.AddMemo(kArt, 0);
  host.Book.MemoAt(0)->SetOption(kOptType, "AA");
  host.Book.MemoAt(0)->SetOption(kOptTransfered, "True");
  host.ShowBook({"text"});
  TPileAAPaper& paper = PileArt(host);
  EXPECT_EQ(paper.Colors, host.Params.TransferedPaperColors);
  const auto shownColours = [&paper] {
    QSet<QRgb> colours;
    for (int y = 0; y < paper.ShownBitmap.height(); ++y)
      for (int x = 0; x < paper.ShownBitmap.width(); ++x) colours.insert(paper.ShownBitmap.pixel(x, y));
    return colours;
  };
  const auto expected = [](TColorSet set) {
    return QSet<QRgb>{ToQColor(set.FontColor).rgb(), ToQColor(set.BackColor).rgb()};
  };
  EXPECT_EQ(shownColours(), expected(host.Params.TransferedPaperColors));

  host.SelectMemoAt(0);
  EXPECT_EQ(paper.Colors, host.Params.ActivePaperColors);
  EXPECT_EQ(shownColours(), expected(host.Params.ActivePaperColors));
  host.SelectMemoAt(1);
  EXPECT_EQ(paper.Colors, host.View->Colors);
  EXPECT_EQ(paper.ShownBitmap.format(), QImage::Format_Mono);  // the view's black on white
}

TEST(PileAAPaperTest, UpAndDownPassOverTheArt) {
  TTestViewHost host(TViewKind::Pile);
  ShowArt(host, kArt, 0);
  host.Dispatch(mcDown);
  EXPECT_EQ(host.GetCurrentIndex(), 1);
  host.Dispatch(mcUp);  // the caret waits at the start of the text memo
  EXPECT_EQ(host.GetCurrentIndex(), 0);
  host.Dispatch(mcDown);
  EXPECT_EQ(host.GetCurrentIndex(), 1);
}

TEST(PileAAPaperTest, TypeChangeReplacesThePaper) {
  TTestViewHost host(TViewKind::Pile);
  host.ShowBook({"art to be", "other"}, 0);
  TSMemo* memo = host.Book.MemoAt(0);
  memo->SetOption(kOptType, "AA");
  host.View->MemoTypeChanged(memo, kAAMemo);
  auto* art = dynamic_cast<TPileAAPaper*>(host.PileView->Papers.at(0).get());
  ASSERT_NE(art, nullptr);
  EXPECT_EQ(art->Colors, host.Params.ActivePaperColors);
  EXPECT_EQ(host.PileView->Papers.at(1)->Top, art->Height);
  memo->SetOption(kOptType, "Memo");
  host.View->MemoTypeChanged(memo, kTextMemo);
  EXPECT_NE(dynamic_cast<TSimplePilePaper*>(host.PileView->Papers.at(0).get()), nullptr);
  EXPECT_EQ(host.PaperAt(0).Editor()->toPlainText(), "art to be\n");
}

struct TPageFitCase {
  std::string name;
  QString Text;
  // Expected size from the natural size and the room (paint box size less 5).
  QSize (*Expected)(QSize natural, QSize room);
};

class PageAAPaperTest : public ::testing::TestWithParam<TPageFitCase> {};

TEST_P(PageAAPaperTest, ArtFitsThePageKeepingItsShape) {
  const TPageFitCase& c = GetParam();
  TTestViewHost host(TViewKind::Page);
  ShowArt(host, c.Text, 0);
  TPageAAPaper& paper = *host.PageView->AAPaper;
  ASSERT_EQ(host.PageView->ShownPaper, &paper);
  EXPECT_TRUE(paper.PaintBox()->isVisible());
  EXPECT_FALSE(host.PageView->TextPaper->Control->isVisible());
  const QSize room = paper.PaintBox()->size() - QSize(5, 5);
  const QSize natural = NaturalSize(host, c.Text);
  EXPECT_EQ(paper.ImageSize, c.Expected(natural, room));
  EXPECT_EQ(paper.ShownBitmap.size(), paper.ImageSize);
  EXPECT_EQ(paper.ImageOrigin(), QPoint((paper.PaintBox()->width() - paper.ImageSize.width()) / 2,
                                        (paper.PaintBox()->height() - paper.ImageSize.height()) / 2));
}

INSTANTIATE_TEST_SUITE_P(Cases, PageAAPaperTest,
                         ::testing::Values(TPageFitCase{"Natural", kArt, [](QSize natural, QSize) { return natural; }},
                                           TPageFitCase{"ToWidth", QString("=-").repeated(200),
                                                        [](QSize natural, QSize room) {
                                                          const float ratio =
                                                              float(natural.height()) / float(natural.width());
                                                          return QSize(room.width(), int(room.width() * ratio) + 1);
                                                        }},
                                           TPageFitCase{
                                               "ToHeight", QStringList(60, QStringLiteral("|  |")).join("\r\n"),
                                               [](QSize natural, QSize room) {
                                                 const float ratio = float(natural.height()) / float(natural.width());
                                                 return QSize(int(room.height() / ratio) + 1, room.height());
                                               }}),
                         TCaseName());

TEST(PageAAPaperSwitchTest, TextMemoBringsTheEditorBack) {
  TTestViewHost host(TViewKind::Page);
  ShowArt(host, kArt, 0);
  host.SelectMemoAt(1);
  EXPECT_EQ(host.PageView->ShownPaper, static_cast<TPaper*>(host.PageView->TextPaper.get()));
  EXPECT_FALSE(host.PageView->AAPaper->PaintBox()->isVisible());
  EXPECT_EQ(host.PageEditor().toPlainText(), "text above\n");
}

}  // namespace
