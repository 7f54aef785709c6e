// Papers out of sight start with estimated heights and are measured on worker threads;
// what shows is exact at once and keeps its place while the rest is measured.
#include "test_view_host.h"

#include "case_name.h"
#include "view/paper_height.h"

#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString kLongWrapped = QString("長い日本語の文章と some English words\tand a tab ").repeated(6);

// Texts whose estimates and exact heights differ in every way a paper can.
QStringList MixedTexts(int count) {
  const QStringList kinds = {
      "short",
      kLongWrapped,
      "line\r\n\r\nthird line\r\nfourth\r\nfifth\r\nsixth",
      "\tindented\ttabs\t\there",
      "☺ smile\r\nplain line",
      "😀 mixed 日本語 ☺ line\r\n😀",
      QString("wrapped にほんご words ").repeated(40),
  };
  QStringList texts;
  for (int i = 0; i < count; ++i) texts << kinds[i % kinds.size()] + QString(" %1").arg(i);
  return texts;
}

// Enough short memos that a memo after them is out of sight.
QStringList NumberedTexts() {
  QStringList texts;
  for (int i = 0; i < 30; ++i) texts << QString("memo %1").arg(i);
  return texts;
}

// The height a full, eager layout gives the memo at index with the pile's metrics now.
int EagerHeight(const TTestViewHost& host, int index) {
  return ExactPaperHeight(host.Book.MemoAt(index)->Text, host.PileView->Metrics());
}

// Every paper has its eager height, and the pile is stacked without gaps.
void ExpectExactPile(const TTestViewHost& host) {
  const auto& papers = host.PileView->Papers;
  ASSERT_EQ(int(papers.size()), host.Book.Count());
  int top = 0;
  for (int i = 0; i < int(papers.size()); ++i) {
    EXPECT_EQ(papers[size_t(i)]->Height, EagerHeight(host, i)) << i;
    EXPECT_EQ(papers[size_t(i)]->Top, top) << i;
    top += papers[size_t(i)]->Height;
  }
  const int maximum = host.PileView->ScrollBox()->verticalScrollBar()->maximum();
  EXPECT_EQ(maximum, qMax(0, top - host.PileView->ScrollBox()->viewport()->height()));
}

// The editor of a paper shows its whole text: nothing scrolled away inside the paper.
void ExpectEditorShowsAllText(TMemoForPileView& editor) {
  EXPECT_EQ(editor.verticalScrollBar()->value(), 0);
  QTextCursor end(editor.document());
  end.movePosition(QTextCursor::End);
  EXPECT_GE(editor.cursorRect(QTextCursor(editor.document())).top(), 0);
  EXPECT_LE(editor.cursorRect(end).bottom(), editor.viewport()->height());
}

struct TextCase {
  const char* name;
  QString Text;
};

class PileHeightTest : public ::testing::TestWithParam<TextCase> {};

const TextCase kTexts[] = {
    {"Short", "short"},
    {"Empty", ""},
    {"LongWrapped", kLongWrapped},
    {"ManyLines", QString("line\r\n").repeated(30) + "last"},
    {"Tabs", "\ta\tb\t\tc\r\n\t\tindented"},
    {"TallFallbackSmiley", "☺"},
    {"TallFallbackEmoji", "😀"},
    {"TallFallbackMixedLines", "first line\r\n☺ smile 日本語 😀\r\nlast line"},
    {"OneLineOf100000Characters", QString("日本語と English の混ざった一行 ").repeated(5000).left(100000)},
};

// Measured on a worker thread out of sight, measured on the window's thread, and laid out by
// the paper's own editor: the same height, with the whole text in sight inside the paper.
TEST_P(PileHeightTest, WorkersWindowThreadAndEditorAgree) {
  QStringList texts = NumberedTexts();
  texts << GetParam().Text;
  TTestViewHost host(TViewKind::Pile);
  host.ShowBook(texts);
  host.WaitUntilMeasured();
  const int last = host.Book.Count() - 1;
  ASSERT_EQ(host.PaperAt(last).Editor(), nullptr);
  const int measured = host.PaperAt(last).Height;
  EXPECT_EQ(measured, EagerHeight(host, last));

  host.SelectMemoAt(last);
  host.PileView->Notify(TViewNotify::vnShowCurrent);
  TMemoForPileView& editor = host.EditorAt(last);
  EXPECT_EQ(host.PaperAt(last).Height, measured);
  EXPECT_EQ(editor.height(), measured);
  ExpectEditorShowsAllText(editor);
}

INSTANTIATE_TEST_SUITE_P(Table, PileHeightTest, ::testing::ValuesIn(kTexts), TCaseName());

TEST(PileHeightRuleTest, TallerFallbackLinesMakeThePaperTaller) {
  TTestViewHost host(TViewKind::Pile);
  host.ShowBook({"plain", "😀"});
  const int line = host.PileView->PaperLineHeight();
  EXPECT_EQ(host.PaperAt(0).Height, 2 * line + 10);
  EXPECT_GE(host.PaperAt(1).Height, 2 * line + 10);
  ExpectEditorShowsAllText(host.EditorAt(1));
}

TEST(PileMeasureTest, PaperInSightKeepsItsPlaceWhileHeightsAboveBecomeExact) {
  TTestViewHost host(TViewKind::Pile);
  host.PileView->HoldMeasuring(true);
  host.ShowBook(MixedTexts(300));
  host.SetScrollPos(host.PileView->ScrollBox()->verticalScrollBar()->maximum() / 2);
  const int first = host.PileView->FirstVisibleIndex();
  host.SelectMemoAt(first + 1);
  QWidget* editor = &host.EditorAt(first + 1);
  const int screenY = editor->mapTo(host.PileView->ScrollBox()->viewport(), QPoint(0, 0)).y();
  const int topBefore = host.PaperAt(first + 1).Top;
  EXPECT_EQ(host.PaperAt(first + 1).Height, EagerHeight(host, first + 1));

  host.PileView->HoldMeasuring(false);
  host.WaitUntilMeasured();

  EXPECT_NE(host.PaperAt(first + 1).Top, topBefore);  // the estimates above were not exact
  EXPECT_EQ(editor->mapTo(host.PileView->ScrollBox()->viewport(), QPoint(0, 0)).y(), screenY);
  ExpectExactPile(host);
}

TEST(PileMeasureTest, PapersInSightAreExactBeforeMeasuringEnds) {
  TTestViewHost host(TViewKind::Pile);
  host.PileView->HoldMeasuring(true);
  host.ShowBook(MixedTexts(200));
  EXPECT_FALSE(host.PileView->MeasuringDone());
  host.PileView->ScrollBy(host.PileView->ScrollBox()->verticalScrollBar()->maximum());
  const int first = host.PileView->FirstVisibleIndex();
  for (int i = first; i < host.Book.Count(); ++i) {
    EXPECT_EQ(host.PaperAt(i).Height, EagerHeight(host, i)) << i;
    ASSERT_NE(host.PaperAt(i).Editor(), nullptr) << i;
    EXPECT_EQ(host.EditorAt(i).height(), host.PaperAt(i).Height) << i;
  }
  host.PileView->HoldMeasuring(false);
  host.WaitUntilMeasured();
  ExpectExactPile(host);
}

// As at start-up: the book and its current memo are chosen while the window is hidden.
TEST(PileMeasureTest, EditorsMadeWhileHiddenShowTheirTextOnceShown) {
  TTestViewHost host(TViewKind::Pile);
  const QStringList texts = MixedTexts(12);
  for (const QString& text : texts) host.Book.AddMemo(text, host.Book.Count());
  host.Book.Modified = false;
  host.SetCurrentView(host.PileView);
  host.SelectMemoAt(1);
  TSimplePilePaper& current = host.PaperAt(1);
  ASSERT_NE(current.Editor(), nullptr);
  current.Save();  // as a command does before it acts
  EXPECT_EQ(host.Book.MemoAt(1)->Text, texts[1]);
  EXPECT_EQ(current.EditorText(), texts[1] + "\n");

  host.Window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&host.Window));
  host.WaitUntilMeasured();
  ExpectExactPile(host);
  TMemoForPileView& editor = host.EditorAt(1);
  EXPECT_EQ(editor.toPlainText(), texts[1] + "\n");
  EXPECT_EQ(editor.textCursor().position(), texts[1].size()) << "the caret waits before the closing break";
  EXPECT_EQ(editor.height(), current.Height);
  ExpectEditorShowsAllText(editor);
  EXPECT_EQ(host.Book.MemoAt(1)->Text, texts[1]);
  EXPECT_FALSE(host.Book.Modified);
}

TEST(PileMeasureTest, ResizeInTheMiddleOfMeasuring) {
  TTestViewHost host(TViewKind::Pile);
  host.ShowBook(MixedTexts(300), 0);
  QTest::qWait(20);  // some jobs done, others under way
  host.Window.resize(host.Window.width() - 120, host.Window.height());
  QApplication::processEvents();
  for (int i = 0; host.PaperAt(i).Top < host.PileView->ScrollBox()->viewport()->height(); ++i)
    EXPECT_EQ(host.PaperAt(i).Height, EagerHeight(host, i)) << i;
  EXPECT_EQ(host.EditorAt(0).width(), host.PileView->PaperWidth());
  host.WaitUntilMeasured();
  ExpectExactPile(host);
}

TEST(PileMeasureTest, TypingInTheCurrentMemoWhileTheRestIsMeasured) {
  TTestViewHost host(TViewKind::Pile);
  host.PileView->HoldMeasuring(true);
  host.ShowBook(MixedTexts(200), 0);
  host.PaperAt(0).SetCaretToEnd();
  host.PileView->HoldMeasuring(false);
  QTest::keyClicks(&host.EditorAt(0), "typed");
  const int beforeEnter = host.PaperAt(0).Height;
  QTest::keyClick(&host.EditorAt(0), Qt::Key_Return);
  EXPECT_TRUE(host.Book.MemoAt(0)->Text.endsWith("typed"));
  EXPECT_EQ(host.PaperAt(0).Height, beforeEnter + host.PileView->PaperLineHeight());
  EXPECT_EQ(host.PaperAt(0).Height, EagerHeight(host, 0));  // the editor holds the memo and its line break
  host.WaitUntilMeasured();
  EXPECT_EQ(host.PaperAt(1).Top, host.PaperAt(0).Height);
}

TEST(PileMeasureTest, MemosInsertedDeletedAndMovedWhileMeasuring) {
  TTestViewHost host(TViewKind::Pile);
  host.ShowBook(MixedTexts(400));
  ASSERT_FALSE(host.PileView->MeasuringDone());
  host.InsertMemo(kLongWrapped + "inserted", 0, nullptr);
  host.RemoveMemo(150);
  host.Book.MoveMemo(300, 2);
  host.PileView->MemoChanged(TViewNotify::vnMoved, 300, 2);
  host.InsertMemo("😀 at the end", host.Book.Count(), nullptr);
  host.WaitUntilMeasured();
  ExpectExactPile(host);
  for (int i = 0; i < host.Book.Count(); ++i) EXPECT_EQ(host.PaperAt(i).Memo, host.Book.MemoAt(i)) << i;
}

}  // namespace
