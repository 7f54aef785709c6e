// Keys typed after the start, a click in the memo list, a menu or a view switch reach the
// current memo instead of getting lost.
#include "window_fixture.h"

#include "book/book.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

namespace {

TEST_F(WindowTest, TheFirstKeysAfterTheStartGoToTheEndOfTheFirstMemo) {
  Open({QStringLiteral("first"), QStringLiteral("second")});
  EXPECT_EQ(CurrentIndex(), 0);
  ASSERT_EQ(FocusedEditor(), PileEditor(0));
  Type("x");
  EXPECT_EQ(MemoText(0), QStringLiteral("firstx"));
}

TEST_F(WindowTest, TypingAfterAListClickContinuesTheLastLineOfLoadedAndNewMemos) {
  Open({QStringLiteral("loaded")});
  Press(Qt::Key_N, Qt::ControlModifier);
  Type("made");
  QWidget* rows = List().viewport();
  const int height = List().ItemHeight();
  for (int index : {1, 0}) {
    QTest::mouseClick(rows, Qt::LeftButton, {}, QPoint(20, height * index + height / 2));
    QApplication::processEvents();
    ASSERT_EQ(CurrentIndex(), index);
    Type("!");
  }
  EXPECT_EQ(Texts(Book()), QStringList({QStringLiteral("made!"), QStringLiteral("loaded!")}));
}

TEST_F(WindowTest, KeysWorkAfterEscapeOutOfAMainMenu) {
  Open({QStringLiteral("a")});
  QMenuBar* bar = Form->menuBar();
  for (QAction* menu : bar->actions()) {
    if (menu->menu()->isEmpty()) continue;
    SCOPED_TRACE(menu->text().toStdString());
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu).center());
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    // The offscreen platform leaves the closed drop-down active; a desktop gives it back.
    Form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    QApplication::processEvents();
    const int count = Book().Count();
    Press(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(Book().Count(), count + 1);
    Type("typed");
    EXPECT_EQ(MemoText(0), QStringLiteral("typed"));
  }
}

TEST_F(WindowTest, NoKeyIsClaimedTwiceInTheWindow) {
  Open({QStringLiteral("a")});
  QHash<QKeySequence, QStringList> owners;
  for (QAction* action : Form->findChildren<QAction*>())
    for (const QKeySequence& keys : action->shortcuts()) owners[keys].append(action->objectName());
  for (auto it = owners.cbegin(); it != owners.cend(); ++it)
    EXPECT_EQ(it.value().size(), 1) << it.key().toString().toStdString() << ": "
                                    << it.value().join(QLatin1Char(' ')).toStdString();
}

TEST_F(WindowTest, TheViewButtonsLeaveTheKeyboardWithTheCurrentMemo) {
  Open({QStringLiteral("a"), QStringLiteral("b")}, 1);
  Click(Child<QAbstractButton>("MiniPileViewBtn"));
  ASSERT_EQ(Form->GetCurrentView(), Form->GetPageView());
  Type("x");
  Click(Child<QAbstractButton>("miniPageBtn"));
  ASSERT_EQ(Form->GetCurrentView(), Form->GetPileView());
  Type("y");
  EXPECT_EQ(MemoText(1), QStringLiteral("bxy"));
}

}  // namespace
