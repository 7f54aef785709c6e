#include "test_view_host.h"

#include "view/colors.h"

#include <QInputMethodEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextLayout>
#include <QtMath>

#include <gtest/gtest.h>

namespace {

// The height of one line as the papers' editors lay it out, Japanese included.
int LineHeightOf(const TTestViewHost& host) {
  QTextLayout layout(QString("Xあ"), host.PileView->PaperFont());
  layout.beginLayout();
  QTextLine line = layout.createLine();
  line.setLeadingIncluded(true);
  layout.endLayout();
  return qCeil(line.height());
}

// Short one-line memos "memo 0", "memo 1", ...
QStringList NumberedMemos(int count) {
  QStringList texts;
  for (int i = 0; i < count; ++i) texts << QString("memo %1").arg(i);
  return texts;
}

TEST(PilePaperHeightTest, OneLineMemoIsTwoLinesAndTenPixels) {
  TTestViewHost host(TViewKind::Pile);
  host.ShowBook({"one line", ""});
  const int line = LineHeightOf(host);
  for (int i : {0, 1}) {
    EXPECT_EQ(host.PaperAt(i).Height, 2 * line + 10);
    EXPECT_EQ(host.EditorAt(i).height(), 2 * line + 10);
  }
  EXPECT_EQ(host.PileView->Papers[1]->Top, host.PileView->Papers[0]->Height);
}

TEST(PilePaperHeightTest, EnterGrowsPaperBeforeCaretMoves) {
  TTestViewHost host(TViewKind::Pile);
  host.ShowBook({"a\r\nb", "below"});
  host.SelectMemoAt(0);
  TMemoForPileView& editor = host.EditorAt(0);
  host.PaperAt(0).SetCaret(3);  // end of "b", the last text line
  const int line = LineHeightOf(host);
  ASSERT_EQ(host.PaperAt(0).Height, 3 * line + 10);

  QTest::keyClick(&editor, Qt::Key_Return);

  EXPECT_EQ(host.PaperAt(0).Height, 4 * line + 10);
  EXPECT_EQ(editor.verticalScrollBar()->value(), 0);
  EXPECT_EQ(editor.textCursor().position(), 4);
  EXPECT_EQ(editor.toPlainText(), "a\nb\n\n");
  EXPECT_EQ(host.PileView->Papers[1]->Top, host.PaperAt(0).Height);
}

TEST(PilePaperHeightTest, PapersOutOfSightAreMeasuredLikeTheirEditors) {
  QStringList texts;
  const QString longText = QString("長い日本語の文章と some English words\tand a tab ").repeated(6);
  // A taller fallback font draws the smileys: those papers grow so the text still fits.
  const QStringList kinds = {longText, "short\r\n\r\nthird line", "☺", "😀 mixed 日本語\r\n☺ lines"};
  for (int i = 0; i < 40; ++i) texts << kinds[i % kinds.size()] + QString(" %1").arg(i);
  TTestViewHost host(TViewKind::Pile);
  host.ShowBook(texts);
  host.WaitUntilMeasured();
  ASSERT_EQ(host.PaperAt(39).Editor(), nullptr);
  for (int i = 30; i < 40; ++i) {
    const int measured = host.PaperAt(i).Height;
    host.SelectMemoAt(i);
    EXPECT_EQ(host.PaperAt(i).Height, measured) << i;
    EXPECT_EQ(host.EditorAt(i).height(), measured) << i;
  }
}

TEST(PilePaperColorTest, CurrentTransferedAndOtherPapers) {
  TTestViewHost host(TViewKind::Pile);
  host.Book.AddMemo("plain", 0);
  TOptionList moved;
  moved.Set(kOptTransfered, "True");
  host.ShowBook({});
  host.InsertMemo("moved in", 1, &moved);
  host.InsertMemo("other", 2, nullptr);
  auto background = [&](int i) { return host.EditorAt(i).palette().color(QPalette::Base); };
  auto text = [&](int i) { return host.EditorAt(i).palette().color(QPalette::Text); };
  const TVopaPrm& prm = host.Params;

  EXPECT_EQ(background(0), ToQColor(host.PileView->Colors.BackColor));
  EXPECT_EQ(background(1), ToQColor(prm.TransferedPaperColors.BackColor));
  EXPECT_EQ(text(1), ToQColor(prm.TransferedPaperColors.FontColor));

  host.SelectMemoAt(1);
  EXPECT_EQ(background(1), ToQColor(prm.ActivePaperColors.BackColor));
  EXPECT_EQ(text(1), ToQColor(prm.ActivePaperColors.FontColor));
  EXPECT_EQ(host.Book.MemoAt(1)->GetOption(kOptTransfered), "");

  host.SelectMemoAt(2);
  EXPECT_EQ(background(1), ToQColor(host.PileView->Colors.BackColor));
  EXPECT_EQ(text(1), ToQColor(host.PileView->Colors.FontColor));
  EXPECT_EQ(background(2), ToQColor(prm.ActivePaperColors.BackColor));
}

TEST(PilePaperInputTest, MousePressSelectsPaperAndFocusesIt) {
  TTestViewHost host(TViewKind::Pile);
  host.ShowBook({"first", "second", "third"});
  host.SelectMemoAt(0);
  TMemoForPileView& editor = host.EditorAt(2);
  QTest::mouseClick(editor.viewport(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(host.GetCurrentIndex(), 2);
  EXPECT_TRUE(editor.hasFocus());
  EXPECT_EQ(host.EditorAt(0).palette().color(QPalette::Base), ToQColor(host.PileView->Colors.BackColor));
}

TEST(PilePaperInputTest, InputMethodCommitAndJapaneseKeysReachTheMemo) {
  TTestViewHost host(TViewKind::Pile);
  host.ShowBook({"memo"});
  host.SelectMemoAt(0);
  TMemoForPileView& editor = host.EditorAt(0);
  host.PaperAt(0).SetCaret(4);

  QInputMethodEvent preedit("にほんご", {});
  QApplication::sendEvent(&editor, &preedit);
  EXPECT_EQ(host.Book.MemoAt(0)->Text, "memo");  // composition is not text yet
  QInputMethodEvent commit;
  commit.setCommitString("日本語");
  QApplication::sendEvent(&editor, &commit);
  EXPECT_EQ(host.Book.MemoAt(0)->Text, "memo日本語");

  QTest::sendKeyEvent(QTest::Click, &editor, Qt::Key_unknown, QString("。"), Qt::NoModifier);
  EXPECT_EQ(host.Book.MemoAt(0)->Text, "memo日本語。");
  EXPECT_TRUE(host.Book.Modified);
}

TEST(PilePaperInputTest, TabIsTypedIntoTheText) {
  TTestViewHost host(TViewKind::Pile);
  host.ShowBook({"ab"});
  host.SelectMemoAt(0);
  host.PaperAt(0).SetCaret(1);
  QTest::keyClick(&host.EditorAt(0), Qt::Key_Tab);
  EXPECT_EQ(host.Book.MemoAt(0)->Text, "a\tb");
  EXPECT_TRUE(host.EditorAt(0).hasFocus());
}

TEST(PileScrollTest, FocusingAPaperOutOfSightDoesNotScroll) {
  TTestViewHost host(TViewKind::Pile);
  host.ShowBook(NumberedMemos(40));
  host.SelectMemoAt(30);
  EXPECT_TRUE(host.EditorAt(30).hasFocus());
  EXPECT_EQ(host.ScrollPos(), 0);
  host.PileView->Notify(TViewNotify::vnShowCurrent);
  const TPaper& paper = *host.PileView->Papers[30];
  EXPECT_EQ(paper.Top + paper.Height - host.ScrollPos(), host.PileView->ScrollBox()->viewport()->height() - 20);
}

TEST(PileScrollTest, ShortDistancesScrollInTwentyPixelSteps) {
  TTestViewHost host(TViewKind::Pile);
  host.ShowBook(NumberedMemos(40));
  QSignalSpy steps(host.PileView->ScrollBox()->verticalScrollBar(), &QScrollBar::valueChanged);
  host.PileView->ScrollBy(65);
  EXPECT_EQ(steps.size(), 4);
  EXPECT_EQ(steps.at(0).at(0).toInt(), 20);
  EXPECT_EQ(steps.at(2).at(0).toInt(), 60);
  EXPECT_EQ(host.ScrollPos(), 65);
  steps.clear();
  host.PileView->ScrollBy(1000);
  EXPECT_EQ(steps.size(), 1);
  steps.clear();
  host.PileView->ScrollBy(-100000);
  EXPECT_EQ(host.ScrollPos(), 0);
  EXPECT_EQ(steps.size(), 1);
}

TEST(PileScrollTest, OnlyPapersInSightOrCurrentHaveEditors) {
  TTestViewHost host(TViewKind::Pile);
  host.ShowBook(NumberedMemos(60));
  host.SelectMemoAt(50);
  EXPECT_NE(host.PaperAt(0).Editor(), nullptr);
  EXPECT_EQ(host.PaperAt(40).Editor(), nullptr);
  EXPECT_NE(host.PaperAt(50).Editor(), nullptr);
  host.PileView->ScrollBy(host.PileView->Papers[40]->Top);
  EXPECT_NE(host.PaperAt(40).Editor(), nullptr);
  EXPECT_EQ(host.PaperAt(0).Editor(), nullptr);
}

}  // namespace
