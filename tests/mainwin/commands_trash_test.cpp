#include "window_fixture.h"

#include "app/ini_file.h"
#include "book/date_text.h"
#include "book/file_manager.h"
#include "mainwin/trash_panel.h"
#include "view/colors.h"
#include "view/view.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QTimer>

namespace {

struct TDeleteCase {
  QStringList Texts;
  int Current;
  QStringList Left;
  int CurrentAfter;
};

}  // namespace

class TrashCommands : public WindowTest {
 protected:
  // Answers the next message box with a click on answer, or with Enter for NoButton.
  static void AnswerMessageBox(QMessageBox::StandardButton answer, QString* textSeen) {
    QTimer::singleShot(0, [=] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      *textSeen = box->text();
      if (answer == QMessageBox::NoButton)
        QTest::keyClick(box, Qt::Key_Return);
      else
        QTest::mouseClick(box->button(answer), Qt::LeftButton);
    });
  }

  // Moves the current book's memos at these indexes (highest first) to the trash.
  void TrashAt(std::initializer_list<int> indexes) {
    for (int index : indexes) {
      Form->GetCurrent().SelectMemoAt(index);
      Press(Qt::Key_Delete, Qt::ControlModifier);
    }
  }
};

TEST_F(TrashCommands, DeleteInAnOrdinaryBookPutsTheMemoOnTopOfTheTrash) {
  const TDeleteCase cases[] = {
      {{"A", "B", "C"}, 1, {"A", "C"}, 1},  // the memo that moved up takes the place
      {{"A", "B", "C"}, 2, {"A", "B"}, 1},  // at the end, the new last one
      {{"A"}, 0, {}, -1},                   // the only memo: none is current
  };
  Open({});
  for (const TDeleteCase& c : cases) {
    SCOPED_TRACE((c.Texts.join(QLatin1Char(',')) + QStringLiteral(" current %1").arg(c.Current)).toStdString());
    Fill(c.Texts, c.Current);
    const QString deleted = c.Texts.at(c.Current);
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    Press(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(Texts(Book()), c.Left);
    EXPECT_EQ(CurrentIndex(), c.CurrentAfter);
    TSMemo* top = Trash().MemoAt(0);
    EXPECT_EQ(top->Text, deleted);
    EXPECT_EQ(top->GetOption(kOptTransfered), "True");
    const auto stamped = ParseDateTimeText(top->GetOption(kOptTrashDateTime));
    ASSERT_TRUE(stamped.has_value());
    EXPECT_GE(*stamped, before);
    EXPECT_LE(*stamped, QDateTime::currentDateTime());
  }
}

TEST_F(TrashCommands, DeleteInsideTheTrashIsForGood) {
  Open({"A", "B", "C"}, 0);
  TrashAt({2, 1, 0});  // the trash lists newest first: A, B, C
  const int trashCount = Trash().Count();
  Action("acOpenTrash")->trigger();
  Form->GetCurrent().SelectMemoAt(1);
  Press(Qt::Key_Delete, Qt::ControlModifier);
  ASSERT_EQ(Trash().Count(), trashCount - 1);
  EXPECT_EQ(Texts(Trash()).mid(0, 2), QStringList({"A", "C"}));
  EXPECT_EQ(Form->GetCurrent().Memo()->Text, "C");
  EXPECT_TRUE(Texts(Book()).isEmpty() || !Texts(Book()).contains("B"));
}

TEST_F(TrashCommands, EmptyRemovesEveryMemoAndDoesNothingOnAnEmptyTrash) {
  Open({"A", "B", "C"}, 0);
  TBook* book = &Book();
  TrashAt({2, 1, 0});
  Action("acOpenTrash")->trigger();
  Form->GetCurrent().SelectMemoAt(0);
  auto* button = Child<QPushButton>("BtnNowBurn");
  // Asked first; No is the default and keeps every memo.
  const int count = Trash().Count();
  QString question;
  for (auto answer : {QMessageBox::NoButton, QMessageBox::No, QMessageBox::Yes}) {
    AnswerMessageBox(answer, &question);
    Click(button);
    if (answer != QMessageBox::Yes) {
      EXPECT_EQ(Trash().Count(), count);
    }
  }
  EXPECT_EQ(question, QStringLiteral("ごみ箱の %1 件のメモを完全に削除しますか？").arg(count));
  EXPECT_EQ(Trash().Count(), 0);
  EXPECT_EQ(Form->GetCurrent().Memo(), nullptr);
  EXPECT_FALSE(Action("acTrashMemo")->isEnabled());
  Click(button);
  EXPECT_EQ(Trash().Count(), 0);
  // Leaving the trash hides the panel; the book itself was not touched.
  Form->SetCurrentBook(book);
  EXPECT_FALSE(Form->GetTrashPanel()->isVisible());
}

TEST_F(TrashCommands, TitleBarColourAndPanelFollowTheShownBook) {
  Open({"A"}, 0);
  const THeaderColors defaults;
  const auto titleBarColour = [this] { return Child<QLabel>("Panel5")->palette().color(QPalette::Window); };
  EXPECT_EQ(titleBarColour(), ToQColor(defaults.BookHeaderColor));
  EXPECT_EQ(Form->GetTrashPanel(), nullptr);
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    Action("acOpenTrash")->trigger();
    EXPECT_EQ(titleBarColour(), ToQColor(defaults.ExtraHeaderColor));
    ASSERT_NE(Form->GetTrashPanel(), nullptr);
    EXPECT_TRUE(Form->GetTrashPanel()->isVisible());
    Press(Qt::Key_Tab, Qt::ControlModifier);  // back to the book
    EXPECT_NE(Form->GetCurrent().Book(), &Trash());
    EXPECT_EQ(titleBarColour(), ToQColor(defaults.BookHeaderColor));
    EXPECT_FALSE(Form->GetTrashPanel()->isVisible());
  }
}

TEST_F(TrashCommands, PanelAppliesItsSettingsAtOnceAndSavesThemAtShutdown) {
  Open({});
  Action("acOpenTrash")->trigger();
  TTrashPanel* panel = Form->GetTrashPanel();
  ASSERT_NE(panel, nullptr);
  EXPECT_TRUE(panel->isVisible());
  EXPECT_GE(panel->geometry().top(), Form->GetPileView()->Control->geometry().bottom());
  QLineEdit* days = panel->EditTrasjDay;
  EXPECT_EQ(days->text(), "7");

  // Deleting the last digit brings the value back.
  days->setFocus();
  QTest::keyClick(days, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(days, Qt::Key_Backspace);
  EXPECT_EQ(days->text(), "7");

  struct TTyping {
    const char* Keys;  // typed over the selected field
    const char* Shown;
    int Days;
  };
  const TTyping typings[] = {{"012", "12", 12},
                             // digits past the field's largest value are refused
                             {"99999999999", "9999", 9999},
                             {"3x", "3", 3}};
  for (const TTyping& typing : typings) {
    SCOPED_TRACE(typing.Keys);
    QTest::keyClick(days, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(days, typing.Keys);
    EXPECT_EQ(days->text(), typing.Shown);
    EXPECT_EQ(Form->GetPrm().DayAutoCleanup, typing.Days);
  }

  Click(panel->CheckTrash);
  EXPECT_FALSE(Form->GetPrm().AutoCleanup);
  EXPECT_FALSE(days->isEnabled());
  Click(panel->CheckTrash);
  EXPECT_TRUE(Form->GetPrm().AutoCleanup);
  EXPECT_TRUE(days->isEnabled());
  Click(panel->CheckTrash);

  Form->close();
  const TIniFile ini(Root() + "vopamemo.ini");
  EXPECT_FALSE(ini.ReadBool("Parameters", "AutoCleanup", true));
  EXPECT_EQ(ini.ReadInteger("Parameters", "DayAutoCleanup", 0), 3);
}

TEST_F(TrashCommands, TheDayFieldShowsItsLargestValueWholeBeforeTheCaptionsWords) {
  Open({});
  Action("acOpenTrash")->trigger();
  QLineEdit* days = Form->GetTrashPanel()->EditTrasjDay;
  QCheckBox* check = Form->GetTrashPanel()->CheckTrash;
  days->selectAll();
  QTest::keyClicks(days, "9999");
  ASSERT_EQ(days->text(), "9999");
  QStyleOptionFrame frame;
  frame.initFrom(days);
  frame.lineWidth = days->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, days);
  const QRect inside =
      days->style()->subElementRect(QStyle::SE_LineEditContents, &frame, days).marginsRemoved(days->textMargins());
  EXPECT_LE(days->fontMetrics().horizontalAdvance(days->text()) + 4, inside.width());
  QStyleOptionButton box;
  box.initFrom(check);
  const QString blanks = check->text().left(check->text().indexOf(QStringLiteral("日")));
  const int wordsLeft = check->x() + check->style()->subElementRect(QStyle::SE_CheckBoxContents, &box, check).left() +
                        check->fontMetrics().horizontalAdvance(blanks);
  EXPECT_LT(days->geometry().right(), wordsLeft);
}

TEST_F(TrashCommands, PageViewIsRefusedInTheTrashButKeptWhenTheTrashIsOpenedFromIt) {
  Open({});
  auto* pileButton = Child<QAbstractButton>("miniPageBtn");
  auto* pageButton = Child<QAbstractButton>("MiniPileViewBtn");
  TBook* book = &Book();
  Action("acOpenTrash")->trigger();
  EXPECT_FALSE(pageButton->isEnabled());
  Click(pageButton);
  EXPECT_EQ(Form->GetCurrentView(), Form->GetPileView());
  EXPECT_TRUE(pileButton->isChecked());
  EXPECT_FALSE(pageButton->isChecked());

  Form->SetCurrentBook(book);
  ShowPage();
  Action("acOpenTrash")->trigger();
  EXPECT_EQ(Form->GetCurrentView(), Form->GetPageView());
  EXPECT_TRUE(pageButton->isChecked());
  Click(pileButton);
  EXPECT_EQ(Form->GetCurrentView(), Form->GetPileView());
  EXPECT_TRUE(pileButton->isChecked());
  EXPECT_FALSE(pageButton->isChecked());
  EXPECT_FALSE(pageButton->isEnabled());
}

TEST_F(TrashCommands, AMemoDeletedFromABookIsInTheTrashFileAfterTheNextSave) {
  Open({"keep", "first line\r\nsecond line"}, 1);
  Form->GetCurrent().Memo()->SetOption(kOptTitle, "titled");
  Press(Qt::Key_Delete, Qt::ControlModifier);
  Press(Qt::Key_S, Qt::ControlModifier);
  WaitForSaves();
  const QString trashPath = Trash().GetPath();
  const auto saved = TQumFileManager::OpenExisting<TTrashBook>(trashPath);
  ASSERT_NE(saved, nullptr);
  const TBook& trash = *saved;
  ASSERT_GE(trash.Count(), 1);
  const TSMemo* memo = trash.MemoAt(0);
  EXPECT_EQ(memo->Text, "first line\r\nsecond line");
  EXPECT_EQ(memo->GetOption(kOptTitle), "titled");
  EXPECT_EQ(memo->GetOption(kOptTransfered), "True");
  EXPECT_EQ(memo->GetOption(kOptTrashDateTime), Trash().MemoAt(0)->GetOption(kOptTrashDateTime));
}
