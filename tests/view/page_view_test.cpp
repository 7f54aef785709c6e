#include "case_name.h"
#include "test_view_host.h"

#include "view/page_paper.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

namespace {

// A memo far longer than the page, one short line each: a line is a block.
QString LongMemo() {
  QStringList lines;
  for (int i = 0; i < 100; ++i) lines << QStringLiteral("line %1").arg(i);
  return lines.join(QStringLiteral("\r\n"));
}

int CaretLine(const QPlainTextEdit& editor) { return editor.textCursor().blockNumber(); }

void PutCaretAtLine(QPlainTextEdit& editor, int line) {
  QTextCursor cursor(editor.document()->findBlockByNumber(line));
  editor.setTextCursor(cursor);
}

void FocusEditor(TTestViewHost& host) {
  QTest::mouseClick(host.PageEditor().viewport(), Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_TRUE(host.PageEditor().hasFocus());
}

TEST(PageView, FillsThePanelBelowTheTitleBarWhileCurrent) {
  TTestViewHost host(TViewKind::Page);
  host.ShowBook({QStringLiteral("first")}, 0);
  QPlainTextEdit& editor = host.PageEditor();
  ASSERT_TRUE(editor.isVisible());
  EXPECT_EQ(editor.parentWidget(), host.Panel2);
  EXPECT_EQ(editor.geometry(),
            QRect(0, host.Panel5->height(), host.Panel2->width(), host.Panel2->height() - host.Panel5->height()));
  EXPECT_EQ(editor.toPlainText(), QStringLiteral("first\n"));

  host.SetCurrentView(nullptr);
  EXPECT_FALSE(editor.isVisible());
  EXPECT_TRUE(editor.toPlainText().isEmpty());
  EXPECT_EQ(host.PageView->ShownPaper, nullptr);
  EXPECT_TRUE(host.Panel2->isVisible());  // the panel is the main window's, not the view's

  host.SetCurrentView(host.PageView);
  EXPECT_TRUE(editor.isVisible());
  EXPECT_EQ(editor.toPlainText(), QStringLiteral("first\n"));
}

TEST(PageView, UpAndDownMoveTheCaretButNeverTheMemo) {
  TTestViewHost host(TViewKind::Page);
  host.ShowBook({QStringLiteral("a1\r\na2\r\na3"), QStringLiteral("b1\r\nb2"), QStringLiteral("c1")}, 1);
  QPlainTextEdit& editor = host.PageEditor();
  struct TStep {
    TMemoCommand code;
    int expectLine;
  };
  // From the first line: up stays, down to the end and past it.
  const TStep steps[] = {{mcUp, 0}, {mcDown, 1}, {mcDown, 2}, {mcDown, 2}, {mcUp, 1}, {mcUp, 0}, {mcUp, 0}};
  for (QWidget* focus : {static_cast<QWidget*>(&editor), host.MemoList}) {
    focus->setFocus();
    PutCaretAtLine(editor, 0);
    for (const TStep& step : steps) {
      host.Dispatch(step.code);
      EXPECT_EQ(host.GetCurrentIndex(), 1);
      EXPECT_EQ(CaretLine(editor), step.expectLine) << focus->objectName().toStdString();
    }
  }
  EXPECT_EQ(host.GetCurrentMemo()->Text, QStringLiteral("b1\r\nb2"));
}

struct TWheelCase {
  const char* name;
  bool focused;
  bool middleHeld;
  TMemoCommand code;
  int expectMemo;
  int expectScrollDelta;
  int expectCaretDelta;
};

void PrintTo(const TWheelCase& c, std::ostream* os) { *os << c.name; }

const TWheelCase kWheel[] = {
    {"FocusedDownScrollsThreeLines", true, false, mcWheelDown, 1, 3, 3},
    {"FocusedUpScrollsThreeLines", true, false, mcWheelUp, 1, -3, -3},
    {"UnfocusedDownGoesToNextMemo", false, false, mcWheelDown, 2, 0, 0},
    {"UnfocusedUpGoesToPreviousMemo", false, false, mcWheelUp, 0, 0, 0},
    {"MiddleButtonHeldGoesToNextMemo", true, true, mcWheelDown, 2, 0, 0},
};

class PageWheelTest : public ::testing::TestWithParam<TWheelCase> {};

TEST_P(PageWheelTest, ScrollsInsideTheMemoOnlyWhenFocused) {
  const TWheelCase& c = GetParam();
  TTestViewHost host(TViewKind::Page);
  host.ShowBook({QStringLiteral("above"), LongMemo(), QStringLiteral("below")}, 1);
  QPlainTextEdit& editor = host.PageEditor();
  QScrollBar* bar = editor.verticalScrollBar();
  ASSERT_EQ(bar->value(), 0);  // a memo opens at its top
  if (c.focused)
    FocusEditor(host);
  else
    host.MemoList->setFocus();
  bar->setValue(10);
  PutCaretAtLine(editor, 15);
  bar->setValue(10);
  const int caretBefore = CaretLine(editor);
  QWindow* window = host.Window.windowHandle();
  if (c.middleHeld) QTest::mousePress(window, Qt::MiddleButton, {}, QPoint(300, 100));

  host.Dispatch(c.code);

  if (c.middleHeld) QTest::mouseRelease(window, Qt::MiddleButton, {}, QPoint(300, 100));
  ASSERT_EQ(host.GetCurrentIndex(), c.expectMemo);
  if (c.expectMemo != 1) return;
  EXPECT_EQ(bar->value(), 10 + c.expectScrollDelta);
  EXPECT_EQ(CaretLine(editor) - caretBefore, c.expectCaretDelta);
}

INSTANTIATE_TEST_SUITE_P(Cases, PageWheelTest, ::testing::ValuesIn(kWheel), TCaseName());

TEST(PageView, WheelWithCaretOutOfSightStillScrollsByThreeLines) {
  TTestViewHost host(TViewKind::Page);
  host.ShowBook({LongMemo()}, 0);
  FocusEditor(host);
  QPlainTextEdit& editor = host.PageEditor();
  PutCaretAtLine(editor, 90);
  editor.verticalScrollBar()->setValue(0);
  host.Dispatch(mcWheelDown);
  EXPECT_EQ(editor.verticalScrollBar()->value(), 3);
  EXPECT_EQ(CaretLine(editor), 93);
}

enum class TInput { Key, InputMethod };

struct TTypingCase {
  const char* name;
  QStringList memos;  // the book before; none current
  TInput input;
  QString typed;
};

void PrintTo(const TTypingCase& c, std::ostream* os) { *os << c.name; }

const TTypingCase kTyping[] = {
    {"KeyIntoEmptyBook", {}, TInput::Key, QStringLiteral("a")},
    {"InputMethodIntoEmptyBook", {}, TInput::InputMethod, QStringLiteral("日本語")},
    {"KeyWithoutCurrentMemo", {QStringLiteral("old")}, TInput::Key, QStringLiteral("a")},
};

class PageTypingTest : public ::testing::TestWithParam<TTypingCase> {};

TEST_P(PageTypingTest, CreatesAMemoAtTheTopWithTheCaretAfterTheText) {
  const TTypingCase& c = GetParam();
  TTestViewHost host(TViewKind::Page);
  host.ShowBook(c.memos, 0);
  host.Current().SetMemo(nullptr);
  QPlainTextEdit& editor = host.PageEditor();
  ASSERT_TRUE(editor.isVisible());
  ASSERT_TRUE(editor.toPlainText().isEmpty());
  FocusEditor(host);

  if (c.input == TInput::Key) {
    QTest::keyClick(&editor, c.typed.at(0).toLatin1());
  } else {
    // The input method first shows unfinished text, which is no memo yet.
    QInputMethodEvent preedit(QStringLiteral("にほんご"), {});
    QApplication::sendEvent(&editor, &preedit);
    EXPECT_EQ(host.Book.Count(), c.memos.size());
    QInputMethodEvent commit;
    commit.setCommitString(c.typed);
    QApplication::sendEvent(&editor, &commit);
  }

  ASSERT_EQ(host.Book.Count(), c.memos.size() + 1);
  EXPECT_EQ(host.Book.MemoAt(0)->Text, c.typed);
  EXPECT_EQ(host.GetCurrentIndex(), 0);
  EXPECT_EQ(editor.textCursor().position(), c.typed.size());
  EXPECT_TRUE(editor.hasFocus());

  // Further typing goes on in the new memo.
  QTest::keyClick(&editor, 'z');
  EXPECT_EQ(host.Book.MemoAt(0)->Text, c.typed + QLatin1Char('z'));
  EXPECT_EQ(host.Book.Count(), c.memos.size() + 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, PageTypingTest, ::testing::ValuesIn(kTyping), TCaseName());

TEST(PageView, SwitchingMemosTakesTheFocusAway) {
  TTestViewHost host(TViewKind::Page);
  host.ShowBook({QStringLiteral("one"), QStringLiteral("two")}, 0);
  FocusEditor(host);
  host.SelectMemoAt(1);
  EXPECT_FALSE(host.PageEditor().hasFocus());
  EXPECT_EQ(host.Window.focusWidget(), nullptr);
  EXPECT_EQ(host.PageEditor().toPlainText(), QStringLiteral("two\n"));
}

TEST(PageView, ANewMemoGetsTheFocus) {
  TTestViewHost host(TViewKind::Page);
  host.ShowBook({QStringLiteral("one")}, 0);
  host.MemoList->setFocus();
  host.Dispatch(mcNewMemo);
  ASSERT_EQ(host.Book.Count(), 2);
  EXPECT_EQ(host.GetCurrentIndex(), 0);
  EXPECT_TRUE(host.PageEditor().hasFocus());
  QTest::keyClick(&host.PageEditor(), 'n');
  EXPECT_EQ(host.Book.MemoAt(0)->Text, QStringLiteral("n"));
  EXPECT_EQ(host.Book.MemoAt(1)->Text, QStringLiteral("one"));
}

TEST(PageView, SplitIsConsumedWithoutEffect) {
  TTestViewHost host(TViewKind::Page);
  host.ShowBook({QStringLiteral("head\r\ntail")}, 0);
  QTextCursor cursor = host.PageEditor().textCursor();
  cursor.setPosition(3);
  host.PageEditor().setTextCursor(cursor);
  TMemoCommand code = mcDivide;
  host.PageView->BeforeCommand(code);
  EXPECT_EQ(code, mcNone);
  EXPECT_EQ(host.Book.Count(), 1);
  EXPECT_EQ(host.Book.MemoAt(0)->Text, QStringLiteral("head\r\ntail"));
  EXPECT_EQ(host.PageEditor().toPlainText(), QStringLiteral("head\ntail\n"));
  EXPECT_FALSE(host.Book.Modified);
}

TEST(PageView, EscapeOnlyClearsThePaperFocusFlag) {
  TTestViewHost host(TViewKind::Page);
  host.ShowBook({QStringLiteral("one")}, 0);
  FocusEditor(host);
  host.PageView->SetPaperFocus(true);
  host.Dispatch(mcEscape);
  EXPECT_FALSE(host.PageView->PaperFocus);
  EXPECT_TRUE(host.PageEditor().hasFocus());
}

TEST(PageView, EditsReachTheMemoTrimmedAndMarkTheBookOnlyOnRealChange) {
  TTestViewHost host(TViewKind::Page);
  host.ShowBook({QStringLiteral("abc"), QStringLiteral("def")}, 1);
  host.SelectMemoAt(0);
  EXPECT_FALSE(host.Book.Modified) << "showing memos changes nothing";
  FocusEditor(host);
  QPlainTextEdit& editor = host.PageEditor();
  editor.moveCursor(QTextCursor::End);

  QTest::keyClick(&editor, Qt::Key_Return);
  QTest::keyClick(&editor, Qt::Key_Tab);
  EXPECT_EQ(editor.toPlainText(), QStringLiteral("abc\n\n\t"));
  EXPECT_EQ(host.Book.MemoAt(0)->Text, QStringLiteral("abc"));
  EXPECT_FALSE(host.Book.Modified) << "only blanks were added at the end";

  QTest::keyClick(&editor, 'x');
  EXPECT_EQ(host.Book.MemoAt(0)->Text, QStringLiteral("abc\r\n\r\n\tx"));
  EXPECT_TRUE(host.Book.Modified);

  // Letting go of the paper empties the editor and leaves the memo alone.
  host.PageView->TextPaper->Detach();
  EXPECT_TRUE(editor.toPlainText().isEmpty());
  EXPECT_EQ(host.Book.MemoAt(0)->Text, QStringLiteral("abc\r\n\r\n\tx"));
}

TEST(PageView, ContextMenuIsTheMemoPopup) {
  TTestViewHost host(TViewKind::Page);
  host.ShowBook({QStringLiteral("one")}, 0);
  bool shown = false;
  QObject::connect(host.Popup, &QMenu::aboutToShow, host.Popup, [&] {
    shown = true;
    QMetaObject::invokeMethod(
        host.Popup, [&] { host.Popup->close(); }, Qt::QueuedConnection);
  });
  QWidget* viewport = host.PageEditor().viewport();
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), viewport->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(viewport, &event);
  EXPECT_TRUE(shown);
}

}  // namespace
