#include "page_test_window.h"

#include "view/page_paper.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QWheelEvent>

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

void FocusEditor(TPageTestWindow& window) {
  QTest::mouseClick(window.Editor().viewport(), Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_TRUE(window.Editor().hasFocus());
}

void Wheel(QWidget* target, int notches) {
  const QPoint at(10, 10);
  QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, notches * QWheelEvent::DefaultDeltasPerStep),
                    QGuiApplication::mouseButtons(), Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(target, &event);
}

TEST(PageView, FillsThePanelBelowTheTitleBarWhileCurrent) {
  TPageTestWindow window;
  window.ShowBook({QStringLiteral("first")});
  QPlainTextEdit& editor = window.Editor();
  ASSERT_TRUE(editor.isVisible());
  EXPECT_EQ(editor.parentWidget(), window.Panel2);
  EXPECT_EQ(editor.geometry(), QRect(0, window.Panel5->height(), window.Panel2->width(),
                                     window.Panel2->height() - window.Panel5->height()));
  EXPECT_EQ(editor.toPlainText(), QStringLiteral("first\n"));

  window.SetCurrentView(nullptr);
  EXPECT_FALSE(editor.isVisible());
  EXPECT_TRUE(editor.toPlainText().isEmpty());
  EXPECT_EQ(window.PageView->ShownPaper, nullptr);
  EXPECT_TRUE(window.Panel2->isVisible());  // the panel is the main window's, not the view's

  window.SetCurrentView(window.PageView.get());
  EXPECT_TRUE(editor.isVisible());
  EXPECT_EQ(editor.toPlainText(), QStringLiteral("first\n"));
}

TEST(PageView, UpAndDownMoveTheCaretButNeverTheMemo) {
  TPageTestWindow window;
  window.ShowBook({QStringLiteral("a1\r\na2\r\na3"), QStringLiteral("b1\r\nb2"), QStringLiteral("c1")});
  window.SelectMemoAt(1);
  QPlainTextEdit& editor = window.Editor();
  struct TStep {
    Qt::Key key;
    int expectLine;
  };
  // From the first line: up stays, down to the end and past it.
  const TStep steps[] = {{Qt::Key_Up, 0}, {Qt::Key_Down, 1}, {Qt::Key_Down, 2},
                         {Qt::Key_Down, 2}, {Qt::Key_Up, 1}, {Qt::Key_Up, 0}, {Qt::Key_Up, 0}};
  for (QWidget* focus : {static_cast<QWidget*>(&editor), window.MemoList}) {
    focus->setFocus();
    PutCaretAtLine(editor, 0);
    for (const TStep& step : steps) {
      QTest::keyClick(focus, step.key);
      EXPECT_EQ(window.GetCurrentIndex(), 1);
      EXPECT_EQ(CaretLine(editor), step.expectLine) << focus->objectName().toStdString();
    }
  }
  EXPECT_EQ(window.Current->Text, QStringLiteral("b1\r\nb2"));
}

struct TWheelCase {
  const char* name;
  bool focused;
  bool middleHeld;
  int notches;  // positive: up
  int expectMemo;
  int expectScrollDelta;
  int expectCaretDelta;
};

void PrintTo(const TWheelCase& c, std::ostream* os) { *os << c.name; }

const TWheelCase kWheel[] = {
    {"FocusedDownScrollsThreeLines", true, false, -1, 1, 3, 3},
    {"FocusedUpScrollsThreeLines", true, false, 1, 1, -3, -3},
    {"UnfocusedDownGoesToNextMemo", false, false, -1, 2, 0, 0},
    {"UnfocusedUpGoesToPreviousMemo", false, false, 1, 0, 0, 0},
    {"MiddleButtonHeldGoesToNextMemo", true, true, -1, 2, 0, 0},
};

class PageWheelTest : public ::testing::TestWithParam<TWheelCase> {};

TEST_P(PageWheelTest, ScrollsInsideTheMemoOnlyWhenFocused) {
  const TWheelCase& c = GetParam();
  TPageTestWindow window;
  window.ShowBook({QStringLiteral("above"), LongMemo(), QStringLiteral("below")});
  window.SelectMemoAt(1);
  QPlainTextEdit& editor = window.Editor();
  QScrollBar* bar = editor.verticalScrollBar();
  ASSERT_EQ(bar->value(), 0);  // a memo opens at its top
  if (c.focused) FocusEditor(window);
  bar->setValue(10);
  PutCaretAtLine(editor, 15);
  bar->setValue(10);
  const int caretBefore = CaretLine(editor);
  if (c.middleHeld) QTest::mousePress(window.windowHandle(), Qt::MiddleButton, {}, QPoint(300, 100));

  Wheel(editor.viewport(), c.notches);

  if (c.middleHeld) QTest::mouseRelease(window.windowHandle(), Qt::MiddleButton, {}, QPoint(300, 100));
  ASSERT_EQ(window.GetCurrentIndex(), c.expectMemo);
  if (c.expectMemo != 1) return;
  EXPECT_EQ(bar->value(), 10 + c.expectScrollDelta);
  EXPECT_EQ(CaretLine(editor) - caretBefore, c.expectCaretDelta);
}

INSTANTIATE_TEST_SUITE_P(Cases, PageWheelTest, ::testing::ValuesIn(kWheel),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PageView, WheelWithCaretOutOfSightStillScrollsByThreeLines) {
  TPageTestWindow window;
  window.ShowBook({LongMemo()});
  FocusEditor(window);
  QPlainTextEdit& editor = window.Editor();
  PutCaretAtLine(editor, 90);
  editor.verticalScrollBar()->setValue(0);
  Wheel(editor.viewport(), -1);
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
  TPageTestWindow window;
  window.ShowBook(c.memos);
  window.SetCurrentMemo(nullptr);
  QPlainTextEdit& editor = window.Editor();
  ASSERT_TRUE(editor.isVisible());
  ASSERT_TRUE(editor.toPlainText().isEmpty());
  FocusEditor(window);

  if (c.input == TInput::Key) {
    QTest::keyClick(&editor, c.typed.at(0).toLatin1());
  } else {
    // The input method first shows unfinished text, which is no memo yet.
    QInputMethodEvent preedit(QStringLiteral("にほんご"), {});
    QApplication::sendEvent(&editor, &preedit);
    EXPECT_EQ(window.Book.Count(), c.memos.size());
    QInputMethodEvent commit;
    commit.setCommitString(c.typed);
    QApplication::sendEvent(&editor, &commit);
  }

  ASSERT_EQ(window.Book.Count(), c.memos.size() + 1);
  EXPECT_EQ(window.Book.MemoAt(0)->Text, c.typed);
  EXPECT_EQ(window.GetCurrentIndex(), 0);
  EXPECT_EQ(editor.textCursor().position(), c.typed.size());
  EXPECT_TRUE(editor.hasFocus());

  // Further typing goes on in the new memo.
  QTest::keyClick(&editor, 'z');
  EXPECT_EQ(window.Book.MemoAt(0)->Text, c.typed + QLatin1Char('z'));
  EXPECT_EQ(window.Book.Count(), c.memos.size() + 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, PageTypingTest, ::testing::ValuesIn(kTyping),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PageView, SwitchingMemosTakesTheFocusAway) {
  TPageTestWindow window;
  window.ShowBook({QStringLiteral("one"), QStringLiteral("two")});
  FocusEditor(window);
  window.SelectMemoAt(1);
  EXPECT_FALSE(window.Editor().hasFocus());
  EXPECT_EQ(window.focusWidget(), nullptr);
  EXPECT_EQ(window.Editor().toPlainText(), QStringLiteral("two\n"));
}

TEST(PageView, ANewMemoGetsTheFocus) {
  TPageTestWindow window;
  window.ShowBook({QStringLiteral("one")});
  window.MemoList->setFocus();
  window.DoMemoCommand(mcNewMemo);
  ASSERT_EQ(window.Book.Count(), 2);
  EXPECT_EQ(window.GetCurrentIndex(), 0);
  EXPECT_TRUE(window.Editor().hasFocus());
  QTest::keyClick(&window.Editor(), 'n');
  EXPECT_EQ(window.Book.MemoAt(0)->Text, QStringLiteral("n"));
  EXPECT_EQ(window.Book.MemoAt(1)->Text, QStringLiteral("one"));
}

TEST(PageView, SplitIsConsumedWithoutEffect) {
  TPageTestWindow window;
  window.ShowBook({QStringLiteral("head\r\ntail")});
  QTextCursor cursor = window.Editor().textCursor();
  cursor.setPosition(3);
  window.Editor().setTextCursor(cursor);
  TMemoCommand code = mcDivide;
  window.PageView->BeforeCommand(code);
  EXPECT_EQ(code, mcNone);
  EXPECT_EQ(window.Book.Count(), 1);
  EXPECT_EQ(window.Book.MemoAt(0)->Text, QStringLiteral("head\r\ntail"));
  EXPECT_EQ(window.Editor().toPlainText(), QStringLiteral("head\ntail\n"));
  EXPECT_FALSE(window.Book.Modified);
}

TEST(PageView, EscapeOnlyClearsThePaperFocusFlag) {
  TPageTestWindow window;
  window.ShowBook({QStringLiteral("one")});
  FocusEditor(window);
  window.PageView->SetPaperFocus(true);
  window.DoMemoCommand(mcEscape);
  EXPECT_FALSE(window.PageView->PaperFocus);
  EXPECT_TRUE(window.Editor().hasFocus());
}

TEST(PageView, EditsReachTheMemoTrimmedAndMarkTheBookOnlyOnRealChange) {
  TPageTestWindow window;
  window.ShowBook({QStringLiteral("abc"), QStringLiteral("def")});
  window.SelectMemoAt(1);
  window.SelectMemoAt(0);
  EXPECT_FALSE(window.Book.Modified) << "showing memos changes nothing";
  FocusEditor(window);
  QPlainTextEdit& editor = window.Editor();
  editor.moveCursor(QTextCursor::End);

  QTest::keyClick(&editor, Qt::Key_Return);
  QTest::keyClick(&editor, Qt::Key_Tab);
  EXPECT_EQ(editor.toPlainText(), QStringLiteral("abc\n\n\t"));
  EXPECT_EQ(window.Book.MemoAt(0)->Text, QStringLiteral("abc"));
  EXPECT_FALSE(window.Book.Modified) << "only blanks were added at the end";

  QTest::keyClick(&editor, 'x');
  EXPECT_EQ(window.Book.MemoAt(0)->Text, QStringLiteral("abc\r\n\r\n\tx"));
  EXPECT_TRUE(window.Book.Modified);

  // Letting go of the paper empties the editor and leaves the memo alone.
  window.PageView->TextPaper->Detach();
  EXPECT_TRUE(editor.toPlainText().isEmpty());
  EXPECT_EQ(window.Book.MemoAt(0)->Text, QStringLiteral("abc\r\n\r\n\tx"));
}

TEST(PageView, ContextMenuIsTheMemoPopup) {
  TPageTestWindow window;
  window.ShowBook({QStringLiteral("one")});
  bool shown = false;
  QObject::connect(window.Popup, &QMenu::aboutToShow, window.Popup, [&] {
    shown = true;
    QMetaObject::invokeMethod(window.Popup, [&] { window.Popup->close(); }, Qt::QueuedConnection);
  });
  QWidget* viewport = window.Editor().viewport();
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), viewport->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(viewport, &event);
  EXPECT_TRUE(shown);
}

}  // namespace
