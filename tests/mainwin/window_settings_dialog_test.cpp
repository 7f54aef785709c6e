// The settings command in the running window: OK applies every field at once, Cancel nothing.
#include "window_fixture.h"

#include "mainwin/settings_dialog.h"
#include "view/aa_image.h"
#include "view/aa_paper.h"
#include "view/page_view.h"
#include "view/pile_view.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

namespace {

class WindowSettingsDialogTest : public WindowTest {
 protected:
  // Runs the settings command; edit acts on the open dialog, which then closes with button.
  void RunSettings(const std::function<void(TPagesDlg&)>& edit, const char* button) {
    QTimer::singleShot(0, Form.get(), [edit, button] {
      auto* dialog = qobject_cast<TPagesDlg*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->windowTitle(), "ヴォパメモ－設定");
      edit(*dialog);
      QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
    });
    Action("acShowOption0")->trigger();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  }
  template <class T>
  static T* In(TPagesDlg& dialog, const char* name) {
    return dialog.findChild<T*>(QString::fromLatin1(name));
  }
};

TEST_F(WindowSettingsDialogTest, OkAppliesEveryFieldAtOnce) {
  Open({"text memo", "=^.^="}, 0);
  Form->SetMemoType(Book().MemoAt(1), "AA");
  const QString artFont = QFontDatabase::families().last();
  RunSettings(
      [&artFont](TPagesDlg& dialog) {
        In<QLineEdit>(dialog, "opCaption")->setText("新しい題");
        In<QSpinBox>(dialog, "UpDown1")->setValue(16);
        In<QSpinBox>(dialog, "UpDown4")->setValue(14);
        In<QSpinBox>(dialog, "UpDown2")->setValue(12);
        In<QSpinBox>(dialog, "UpDown5")->setValue(22);
        In<QSpinBox>(dialog, "UpDown6")->setValue(3);
        In<QComboBox>(dialog, "ComboBox4")->setCurrentText(artFont);
        dialog.newPRM.PaperColors = {0x000080, 0xCCFFCC, clNone};
        dialog.newPRM.ActivePaperColors = {0x800000, 0xFFCCCC, clNone};
      },
      "OKBtn");

  EXPECT_EQ(Form->windowTitle(), "Test - 新しい題");
  EXPECT_EQ(Form->GetPrm().WindowCaption, "新しい題");
  EXPECT_EQ(List().font().pointSize(), 12);
  EXPECT_EQ(List().ItemHeight(), 22);
  EXPECT_EQ(List().ItemOffset(), 3);
  EXPECT_EQ(Pile().FontSize, 16);
  EXPECT_EQ(Pile().PaperFont().pointSize(), 16);
  EXPECT_EQ(Pile().Colors, Form->GetPrm().PaperColors);
  EXPECT_EQ(Form->GetPageView()->FontSize, 14);
  EXPECT_EQ(PileEditor(0)->font().pointSize(), 16);
  EXPECT_EQ(Pile().Papers.at(0)->Colors, (TColorSet{0x800000, 0xFFCCCC, clNone}));  // the current memo
  auto& art = dynamic_cast<TPileAAPaper&>(*Pile().Papers.at(1));
  EXPECT_EQ(art.Colors, Form->GetPrm().PaperColors);
  EXPECT_EQ(art.TextBitmap, RenderAAText("=^.^=", AAFont(artFont)));
}

TEST_F(WindowSettingsDialogTest, CancelDiscardsEditsAndResets) {
  Open({"a"});
  TVopaPrm colored = Form->GetPrm();
  colored.PagePaperColors = {0x123456, 0x654321, clNone};
  Form->ApplySettings(colored);
  const TVopaPrm before = Form->GetPrm();
  const QString title = Form->windowTitle();
  RunSettings(
      [](TPagesDlg& dialog) {
        In<QLineEdit>(dialog, "opCaption")->setText("changed");
        In<QSpinBox>(dialog, "UpDown1")->setValue(19);
        QTest::mouseClick(In<QPushButton>(dialog, "Button1"), Qt::LeftButton);
        QTest::mouseClick(In<QPushButton>(dialog, "Button4"), Qt::LeftButton);
      },
      "CancelBtn");
  EXPECT_EQ(Form->windowTitle(), title);
  EXPECT_EQ(Form->GetPrm().WindowCaption, before.WindowCaption);
  EXPECT_EQ(Form->GetPrm().PileFontSize, before.PileFontSize);
  EXPECT_EQ(Form->GetPrm().PagePaperColors, before.PagePaperColors);
  EXPECT_EQ(Form->GetPrm().ItemHeight, before.ItemHeight);
  EXPECT_EQ(Pile().FontSize, before.PileFontSize);
}

}  // namespace
