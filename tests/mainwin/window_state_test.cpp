// Current book and memo, the memo list beside the view, and autosave on the real window.
#include "window_fixture.h"

#include "book/book.h"
#include "book/file_manager.h"
#include "book/memo.h"
#include "test_support.h"
#include "view/pile_view.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QMenu>
#include <QTimer>

namespace {

// Counts the events of one type that reach the watched object.
class TEventCounter : public QObject {
 public:
  TEventCounter(QEvent::Type type, int& count) : Type(type), Count(count) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == Type) ++Count;
    return false;
  }

 private:
  QEvent::Type Type;
  int& Count;
};

TEST_F(WindowTest, EachBookRemembersItsLastMemo) {
  WriteBook(QStringLiteral("Books/zz/Other.vopa"), {QStringLiteral("x"), QStringLiteral("y")});
  Open({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
  TBook* first = Form->GetCurrent().Book();
  Form->GetCurrent().SelectMemoAt(2);
  auto* other = Form->GetFileManager()->OpenFile(Home.filePath(QStringLiteral("Books/zz/Other.vopa")));
  Form->SetCurrentBook(other);
  EXPECT_EQ(CurrentIndex(), 0);  // nothing remembered yet: the first memo
  Form->GetCurrent().SelectMemoAt(1);
  Form->SetCurrentBook(first);
  EXPECT_EQ(CurrentIndex(), 2);
  Form->SetCurrentBook(other);
  EXPECT_EQ(CurrentIndex(), 1);
  EXPECT_EQ(List().Count(), 2);
  EXPECT_EQ(List().ItemIndex(), 1);
}

TEST_F(WindowTest, SelectMemoAtClamps) {
  Open({QStringLiteral("a"), QStringLiteral("b")});
  Form->GetCurrent().SelectMemoAt(99);
  EXPECT_EQ(CurrentIndex(), 1);
  Form->GetCurrent().SelectMemoAt(-1);
  EXPECT_EQ(Form->GetCurrent().Memo(), nullptr);
}

TEST_F(WindowTest, EnteringAMovedInMemoRemovesItsMarkOnlyThen) {
  Open({QStringLiteral("a"), QStringLiteral("b")});
  Book().MemoAt(1)->Options.Set(kOptTransfered, QStringLiteral("True"));
  Book().Modified = false;
  Form->GetCurrent().SelectMemoAt(0);
  EXPECT_FALSE(Book().Modified);
  Form->GetCurrent().SelectMemoAt(1);
  EXPECT_EQ(Form->GetCurrent().Memo()->GetOption(kOptTransfered), QString());
  EXPECT_TRUE(Book().Modified);
}

TEST_F(WindowTest, ListChangesInsideAnUpdateShowOnceItEnds) {
  Open({QStringLiteral("a")});
  {
    TUpdateGuard outer(*Form);
    {
      TUpdateGuard inner(*Form);
      Form->GetCurrent().InsertMemo(QStringLiteral("b"), 0, nullptr);
    }
    Form->GetCurrent().InsertMemo(QStringLiteral("c"), 0, nullptr);
    EXPECT_EQ(List().Count(), 1);
  }
  EXPECT_EQ(List().Count(), 3);
}

TEST_F(WindowTest, LeftClickOnTheListMakesTheMemoCurrentAndFocusesItsPaper) {
  Open({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
  QWidget* rows = List().viewport();
  const int height = List().ItemHeight();
  QTest::mousePress(rows, Qt::LeftButton, {}, QPoint(20, height / 2));
  QTest::mouseMove(rows, QPoint(20, height * 2 + height / 2));
  EXPECT_EQ(CurrentIndex(), 2);
  QTest::mouseRelease(rows, Qt::LeftButton, {}, QPoint(20, height * 2 + height / 2));
  QApplication::processEvents();
  EXPECT_EQ(CurrentIndex(), 2);
  ASSERT_NE(FocusedEditor(), nullptr);
  EXPECT_EQ(FocusedEditor()->toPlainText(), QStringLiteral("c\n"));
}

TEST_F(WindowTest, RightClickMakesCurrentAndOpensTheMemoMenuOnlyOverTheSameItem) {
  Open({QStringLiteral("a & b"), QStringLiteral("b"), QStringLiteral("c")});
  QWidget* rows = List().viewport();
  const int height = List().ItemHeight();
  bool menuShown = false;
  QTimer::singleShot(50, [&] {
    menuShown = Form->GetPopupMemo()->isVisible();
    Form->GetPopupMemo()->close();
  });
  QTest::mousePress(rows, Qt::RightButton, {}, QPoint(20, height + 2));
  EXPECT_EQ(CurrentIndex(), 1);
  QTest::mouseRelease(rows, Qt::RightButton, {}, QPoint(20, height + 2));
  EXPECT_TRUE(menuShown);

  QTest::mousePress(rows, Qt::RightButton, {}, QPoint(20, 2));
  EXPECT_EQ(CurrentIndex(), 0);
  QTest::mouseRelease(rows, Qt::RightButton, {}, QPoint(20, height * 2 + 2));
  QApplication::processEvents();
  EXPECT_FALSE(Form->GetPopupMemo()->isVisible());
  EXPECT_EQ(CurrentIndex(), 0);
}

// A right click on the list leaves the papers unfocused; a click into a paper takes them back,
// so moving on to the next memo keeps the keyboard there.
TEST_F(WindowTest, AClickIntoAPaperAfterTheMemoMenuKeepsTheFocusInThePapers) {
  Open({QStringLiteral("a"), QStringLiteral("b")});
  QWidget* rows = List().viewport();
  QTest::mousePress(rows, Qt::RightButton, {}, QPoint(20, 2));
  QTest::mouseRelease(rows, Qt::RightButton, {}, QPoint(20, rows->height() - 2));
  QApplication::processEvents();
  QTest::mouseClick(PileEditor(0)->viewport(), Qt::LeftButton, {}, QPoint(30, 5));
  QApplication::processEvents();
  ASSERT_EQ(FocusedEditor(), PileEditor(0));
  Press(Qt::Key_Down, Qt::AltModifier);
  EXPECT_EQ(CurrentIndex(), 1);
  ASSERT_EQ(FocusedEditor(), PileEditor(1));
  QTest::keyClicks(FocusedEditor(), "x");
  EXPECT_TRUE(MemoText(1).contains(QLatin1Char('x')));
}

TEST_F(WindowTest, TypedAndInputMethodTextReachesTheDiskAtTheNextTick) {
  Open({QStringLiteral("a")});
  const QString path = Book().GetPath();
  QApplication::processEvents();  // the first idle pass has run
  Enter(0, 1);
  QTest::keyClicks(FocusedEditor(), "b");
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("日本語"));
  QApplication::sendEvent(FocusedEditor(), &commit);
  EXPECT_EQ(MemoText(0), QStringLiteral("ab日本語"));
  QApplication::processEvents();
  EXPECT_FALSE(ReadBytes(path).contains("ab"));
  Form->Timer1Timer();
  QApplication::processEvents();
  WaitForSaves();
  EXPECT_TRUE(ReadBytes(path).contains(QStringLiteral("ab日本語").toUtf8()));
  EXPECT_FALSE(Book().Modified);
}

}  // namespace

namespace {

TEST_F(WindowTest, TheListRepaintsWhenTypingChangesATitle) {
  Open({QStringLiteral("old title")});
  Enter(0, 0);
  QApplication::processEvents();
  int paints = 0;
  TEventCounter counter(QEvent::Paint, paints);
  List().viewport()->installEventFilter(&counter);
  QTest::keyClicks(FocusedEditor(), "new ");
  QApplication::processEvents();
  EXPECT_GT(paints, 0);
  EXPECT_EQ(MemoTitle(*Form->GetCurrent().Memo()), QStringLiteral("new old title"));
}

}  // namespace

namespace {

TEST_F(WindowTest, CtrlTabStepsThroughTheOpenBooksAndLeadsBackFromTheTrash) {
  WriteBook(QStringLiteral("Books/zz/Other.vopa"), {QStringLiteral("x")});
  Open({QStringLiteral("a")}, 0);
  TBook* test = Form->GetCurrent().Book();
  auto* other = Form->GetFileManager()->OpenFile(Home.filePath(QStringLiteral("Books/zz/Other.vopa")));
  ASSERT_EQ(Form->GetFileManager()->Files.front().get(), other);  // newest first: Other, Test
  Press(Qt::Key_Tab, Qt::ControlModifier);                        // from the last book, wrapping to the first
  EXPECT_EQ(Form->GetCurrent().Book(), other);
  Press(Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(Form->GetCurrent().Book(), test);
  Press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Form->GetCurrent().Book(), other);
  Press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);  // from the first, wrapping to the last
  EXPECT_EQ(Form->GetCurrent().Book(), test);
  // Both ways out of the trash lead to the book used before it.
  Form->GetActions().acOpenTrash->trigger();
  Press(Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(Form->GetCurrent().Book(), test);
  Press(Qt::Key_Tab, Qt::ControlModifier);
  Form->GetActions().acOpenTrash->trigger();
  Press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Form->GetCurrent().Book(), other);
  EXPECT_EQ(Form->GetFileManager()->Files.front().get(), other);
}

}  // namespace
