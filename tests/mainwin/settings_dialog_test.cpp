// The settings dialog on its own: what OK stores, what Cancel leaves, the book choice.
#include "mainwin/settings_dialog.h"

#include "folders/file_box.h"
#include "test_support.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QString kLastBook = QStringLiteral("前回終了時のブック");

// Settings whose fonts are all installed, so OK stores what it was given.
TVopaPrm InstalledFontPrm() {
  const QStringList fonts = QFontDatabase::families();
  TVopaPrm prm;
  prm.WindowCaption = "My memos";
  prm.PileFontName = fonts.value(0);
  prm.PageFontName = fonts.value(1, fonts.value(0));
  prm.AAFontName = fonts.value(2, fonts.value(0));
  prm.ListFontName = fonts.value(0);
  prm.PileFontSize = 11;
  prm.PageFontSize = 13;
  prm.ListFontSize = 9;
  prm.ItemHeight = 20;
  prm.ItemOffset = 2;
  prm.PaperColors = {0x102030, 0x405060, clNone};
  prm.ActivePaperColors = {0x0000FF, 0xAAFFFF, clNone};
  return prm;
}

class SettingsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteBytes(Books.filePath("First.vopa"), "x");
    WriteBytes(Books.filePath("Folder/Inner.vopa"), "x");
  }
  void Open(const TVopaPrm& prm) {
    Dialog = std::make_unique<TPagesDlg>(prm, Books.path() + QLatin1Char('/'));
    Dialog->InitControls();
    Dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Dialog.get()));
  }
  template <class T>
  T* Child(const char* name) const {
    T* child = Dialog->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  void Click(const char* name) const { QTest::mouseClick(Child<QWidget>(name), Qt::LeftButton); }
  // Opens a book button's menu the way a click does and runs the entry captioned caption.
  void ChooseFromMenu(const char* menuName, const QString& caption) const {
    auto* menu = Child<QMenu>(menuName);
    emit menu->aboutToShow();
    // Folders are filled as they open.
    for (QMenu* folder : menu->findChildren<QMenu*>()) emit folder->aboutToShow();
    for (QAction* action : menu->findChildren<QAction*>())
      if (action->text() == caption) return action->trigger();
    ADD_FAILURE() << "no entry " << caption.toStdString();
  }

  QTemporaryDir Books;
  std::unique_ptr<TPagesDlg> Dialog;
};

TEST_F(SettingsDialogTest, OkWithoutChangesStoresTheSameValuesTabLengthInStepsOfFour) {
  for (auto [stored, expected] : {std::pair{8, 8}, {10, 8}, {40, 32}, {2, 4}}) {
    TVopaPrm prm = InstalledFontPrm();
    prm.TabLength = stored;
    Open(prm);
    Click("OKBtn");
    EXPECT_EQ(Dialog->result(), QDialog::Accepted);
    TVopaPrm want = prm;
    want.TabLength = expected;
    const TVopaPrm& got = Dialog->newPRM;
    EXPECT_EQ(got.TabLength, expected) << stored;
    EXPECT_TRUE(std::tie(got.WindowCaption, got.PileFontName, got.PageFontName, got.AAFontName, got.ListFontName,
                         got.PileFontSize, got.PageFontSize, got.ListFontSize, got.ItemHeight, got.ItemOffset,
                         got.SpecificBook, got.DropTextToSpecificBook, got.TaskBarIcon, got.TaskTrayIcon,
                         got.PaperColors, got.ActivePaperColors) ==
                std::tie(want.WindowCaption, want.PileFontName, want.PageFontName, want.AAFontName, want.ListFontName,
                         want.PileFontSize, want.PageFontSize, want.ListFontSize, want.ItemHeight, want.ItemOffset,
                         want.SpecificBook, want.DropTextToSpecificBook, want.TaskBarIcon, want.TaskTrayIcon,
                         want.PaperColors, want.ActivePaperColors))
        << stored;
  }
}

TEST_F(SettingsDialogTest, SizesOutsideTheirRangesOpenAndStoreClamped) {
  TVopaPrm prm = InstalledFontPrm();
  prm.PageFontSize = 30;
  prm.ItemOffset = -5;
  prm.ItemHeight = 99;
  Open(prm);
  EXPECT_EQ(Child<QLineEdit>("Edit2")->text(), "20");
  EXPECT_EQ(Child<QLineEdit>("Edit8")->text(), "-1");
  Click("OKBtn");
  EXPECT_EQ(Dialog->newPRM.PageFontSize, 20);
  EXPECT_EQ(Dialog->newPRM.ItemOffset, -1);
  EXPECT_EQ(Dialog->newPRM.ItemHeight, 50);
}

TEST_F(SettingsDialogTest, FontNotInstalledKeepsItsName) {
  TVopaPrm prm = InstalledFontPrm();
  prm.AAFontName = "No Such Font 42";
  Open(prm);
  EXPECT_EQ(Child<QComboBox>("ComboBox4")->currentIndex(), -1);
  Click("OKBtn");
  EXPECT_EQ(Dialog->newPRM.AAFontName, "No Such Font 42");
}

TEST_F(SettingsDialogTest, StartupBookChoice) {
  TVopaPrm prm = InstalledFontPrm();
  prm.SpecificBook = true;
  prm.StartupBook = Books.filePath("First.vopa");
  Open(prm);
  auto* button = Child<QPushButton>("opStartupBookBtn");
  EXPECT_EQ(button->text(), "First");

  // The last book again: the setting goes off, the path stays.
  ChooseFromMenu("opStartupBookPopup", kLastBook);
  EXPECT_EQ(button->text(), kLastBook);
  Click("OKBtn");
  EXPECT_FALSE(Dialog->newPRM.SpecificBook);
  EXPECT_EQ(Dialog->newPRM.StartupBook, Books.filePath("First.vopa"));

  // A book in a folder of the tree.
  Open(InstalledFontPrm());
  button = Child<QPushButton>("opStartupBookBtn");
  EXPECT_EQ(button->text(), kLastBook);
  ChooseFromMenu("opStartupBookPopup", "Inner");
  EXPECT_EQ(button->text(), "Inner");
  Click("OKBtn");
  EXPECT_TRUE(Dialog->newPRM.SpecificBook);
  EXPECT_EQ(QDir::cleanPath(Dialog->newPRM.StartupBook), QDir::cleanPath(Books.filePath("Folder/Inner.vopa")));
}

TEST_F(SettingsDialogTest, DropBookChoiceAndIcons) {
  TVopaPrm prm = InstalledFontPrm();
  prm.TaskTrayIcon = true;
  prm.TaskBarIcon = false;
  Open(prm);
  EXPECT_TRUE(Child<QRadioButton>("opIcons1")->isChecked());
  EXPECT_EQ(Child<QPushButton>("opDroptextBookBtn")->text(), "表示中のブック");
  ChooseFromMenu("opDropTextBookPopup", "First");
  Child<QTabWidget>("PageControl1")->setCurrentIndex(0);
  auto* both = Child<QRadioButton>("opIcons2");
  QTest::mouseClick(both, Qt::LeftButton, {}, QPoint(6, both->height() / 2));  // on its circle
  Click("OKBtn");
  EXPECT_TRUE(Dialog->newPRM.DropTextToSpecificBook);
  EXPECT_EQ(QDir::cleanPath(Dialog->newPRM.DropTextBook), QDir::cleanPath(Books.filePath("First.vopa")));
  EXPECT_TRUE(Dialog->newPRM.TaskBarIcon);
  EXPECT_TRUE(Dialog->newPRM.TaskTrayIcon);
}

TEST_F(SettingsDialogTest, ColourEditOfTheChosenSampleAndResetLiveOnlyInTheCopy) {
  const TVopaPrm prm = InstalledFontPrm();
  Open(prm);
  auto* selected = Child<QLineEdit>("Edit6");
  QTest::mouseClick(selected, Qt::LeftButton);
  EXPECT_EQ(Dialog->SelectedSlot, TPagesDlg::kActiveSlot);
  auto* shape = Child<QFrame>("Shape1");
  EXPECT_TRUE(shape->isVisible());
  EXPECT_EQ(shape->geometry(), selected->geometry().adjusted(-3, -3, 2, 2));

  QTimer::singleShot(0, Dialog->ColorDialog1, [this] {
    EXPECT_EQ(Dialog->ColorDialog1->currentColor(), QColor(0xFF, 0, 0));  // starts from the slot's font colour
    Dialog->ColorDialog1->setCurrentColor(QColor(0x11, 0x22, 0x33));
    Dialog->ColorDialog1->accept();
  });
  Click("Button2");
  EXPECT_EQ(Dialog->newPRM.ActivePaperColors, (TColorSet{0x332211, 0xAAFFFF, clNone}));
  EXPECT_EQ(selected->palette().color(QPalette::Text), QColor(0x11, 0x22, 0x33));
  EXPECT_EQ(QColorDialog::customColor(2), QColor(0x11, 0x22, 0x33));  // "ColorC"

  Click("Button1");
  EXPECT_EQ(Dialog->newPRM.ActivePaperColors, (TColorSet{0xFF0000, 0xAAFFFF, clNone}));
  EXPECT_EQ(Dialog->newPRM.PagePaperColors, (TColorSet{clWindowText, 0xEEFFFF, clNone}));
  EXPECT_EQ(Child<QLineEdit>("Edit1")->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0xEE));
  EXPECT_EQ(Child<QSpinBox>("UpDown4")->value(), 12);

  Click("CancelBtn");
  EXPECT_EQ(Dialog->result(), QDialog::Rejected);
}

TEST_F(SettingsDialogTest, PreviewsFollowTheControls) {
  Open(InstalledFontPrm());
  Child<QSpinBox>("UpDown1")->setValue(18);
  EXPECT_EQ(Child<QLineEdit>("Edit5")->font().pointSize(), 18);
  EXPECT_EQ(Child<QLineEdit>("Edit7")->font().pointSize(), 18);
  EXPECT_NE(Child<QLineEdit>("Edit1")->font().pointSize(), 18);
  Child<QSpinBox>("UpDown5")->setValue(33);
  EXPECT_EQ(Child<TVopaFileBox>("VopaFileBox1")->ItemHeight(), 33);
  Click("Button4");
  EXPECT_EQ(Child<TVopaFileBox>("VopaFileBox1")->ItemHeight(), 17);
  EXPECT_EQ(Child<QLineEdit>("opListFontSize")->text(), "10");
  EXPECT_EQ(Child<QComboBox>("ComboBox2")->currentText(), kDefaultFontName);
}

}  // namespace
