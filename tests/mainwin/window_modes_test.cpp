// Compact window, stay on top, taskbar button and tray icon, help and about box.
#include "url_recorder.h"
#include "window_fixture.h"

#include "app/ini_file.h"
#include "mainwin/about_box.h"
#include "mainwin/web_links.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

namespace {

// A desktop with a tray for the length of a test.
struct TTrayDesktop {
  TTrayDesktop() {
    TForm1::TrayAvailable = [] { return true; };
  }
  ~TTrayDesktop() { TForm1::TrayAvailable = &QSystemTrayIcon::isSystemTrayAvailable; }
};

QStringList EntryNames(const QMenu& menu) {
  QStringList names;
  for (QAction* action : menu.actions()) names << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
  return names;
}

class WindowModesTest : public WindowTest {
 protected:
  QPoint PaneOnScreen() const { return Child<QWidget>("Panel2")->mapToGlobal(QPoint(0, 0)); }
  QWidget* ListPane() const { return Child<QWidget>("ListPane"); }
};

TEST_F(WindowModesTest, HidingAndShowingTheListKeepsTheMemoPaneInPlace) {
  Open({"a", "b"}, 0);
  const QRect full = Form->geometry();
  const QPoint pane = PaneOnScreen();
  const int listWidth = ListPane()->width();
  const int topBar = Child<QWidget>("Panel2")->mapTo(Form.get(), QPoint(0, 0)).y();

  Click(Child<QToolButton>("HideListBtn"));
  QApplication::processEvents();
  EXPECT_TRUE(Form->IsCompact());
  EXPECT_FALSE(ListPane()->isVisible());
  EXPECT_FALSE(Form->menuBar()->isVisible());
  EXPECT_TRUE(Child<QToolButton>("CoolBtn")->isVisible());
  EXPECT_TRUE(Child<QToolButton>("HideListBtn")->isChecked());
  EXPECT_EQ(PaneOnScreen(), pane);
  EXPECT_EQ(Form->geometry(), full.adjusted(listWidth + 2, topBar, 0, 0));

  Action("acShowList")->trigger();
  QApplication::processEvents();
  EXPECT_FALSE(Form->IsCompact());
  EXPECT_TRUE(ListPane()->isVisible());
  EXPECT_TRUE(Form->menuBar()->isVisible());
  EXPECT_FALSE(Child<QToolButton>("CoolBtn")->isVisible());
  EXPECT_TRUE(Child<QToolButton>("ShowListBtn")->isChecked());
  EXPECT_EQ(Form->geometry(), full);
  EXPECT_EQ(PaneOnScreen(), pane);
  EXPECT_EQ(ListPane()->width(), listWidth);
}

TEST_F(WindowModesTest, ClosingCompactStoresTheFullWindowWithoutTheSplitter) {
  Open({"a"});
  const int listWidth = ListPane()->width();
  const int topBar = Child<QWidget>("Panel2")->mapTo(Form.get(), QPoint(0, 0)).y();
  Action("acHideList")->trigger();
  QApplication::processEvents();
  // The stored place is the frame's, the stored size the client area's.
  const QRect compact(Form->pos(), Form->size());
  Form.reset();

  TIniFile ini(Home.filePath("vopamemo.ini"));
  EXPECT_EQ(ini.ReadInteger("Position", "Left", 0), compact.left() - listWidth);
  EXPECT_EQ(ini.ReadInteger("Position", "Top", 0), compact.top() - topBar);
  EXPECT_EQ(ini.ReadInteger("Position", "Width", 0), compact.width() + listWidth);
  EXPECT_EQ(ini.ReadInteger("Position", "Height", 0), compact.height() + topBar);
  EXPECT_EQ(ini.ReadInteger("Position", "ListWidth", 0), listWidth);
}

TEST_F(WindowModesTest, StayOnTopFollowsTheActionAndRestoresAMinimisedWindow) {
  Open({"a"});
  const QRect bounds = Form->geometry();
  Action("acShowingFront")->trigger();
  EXPECT_TRUE(Form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_TRUE(Form->GetPrm().ShowingFront);
  EXPECT_TRUE(Action("acShowingFront")->isChecked());
  EXPECT_TRUE(Form->isVisible());
  EXPECT_EQ(Form->geometry(), bounds);

  Action("acShowingFront")->trigger();
  EXPECT_FALSE(Form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_FALSE(Action("acShowingFront")->isChecked());

  Form->showMinimized();
  Form->SetStayOnTop(true);
  EXPECT_FALSE(Form->isMinimized());
  EXPECT_TRUE(Form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(WindowModesTest, WithoutATrayTheTaskbarButtonStays) {
  TForm1::TrayAvailable = [] { return false; };
  Open({"a"});
  Form->SetTrayIcon(true);
  Form->SetTaskbarButton(false);
  EXPECT_EQ(Form->TrayIcon(), nullptr);
  EXPECT_EQ(Form->windowType(), Qt::Window);
  EXPECT_TRUE(Form->GetPrm().TaskTrayIcon);
  EXPECT_FALSE(Form->GetPrm().TaskBarIcon);
  TForm1::TrayAvailable = &QSystemTrayIcon::isSystemTrayAvailable;
}

TEST_F(WindowModesTest, TrayOnlyWindowHidesWhenMinimisedAndComesBackOnAClick) {
  TTrayDesktop tray;
  Open({"a"});
  Form->SetTrayIcon(true);
  Form->SetTaskbarButton(false);
  ASSERT_NE(Form->TrayIcon(), nullptr);
  EXPECT_TRUE(Form->TrayIcon()->isVisible());
  EXPECT_EQ(Form->TrayIcon()->toolTip(), Form->windowTitle());
  EXPECT_EQ(Form->windowType(), Qt::Tool);
  EXPECT_TRUE(Form->isVisible());

  Form->showMinimized();
  QApplication::processEvents();
  EXPECT_FALSE(Form->isVisible());

  emit Form->TrayIcon()->activated(QSystemTrayIcon::Trigger);
  EXPECT_TRUE(Form->isVisible());
  EXPECT_FALSE(Form->isMinimized());

  // The taskbar button comes back as soon as the tray icon goes.
  Form->SetTrayIcon(false);
  EXPECT_EQ(Form->windowType(), Qt::Window);
  EXPECT_TRUE(Form->isVisible());
}

TEST_F(WindowModesTest, TrayAndCompactMenusHoldTheirEntries) {
  Open({"a"});
  EXPECT_EQ(EntryNames(*Child<QMenu>("PopupTaskLeft")),
            QStringList({"FileExit1", "-", "acPastAsNewMemo", "acShowingFront"}));
  EXPECT_EQ(EntryNames(*Child<QMenu>("PopupCool")),
            QStringList({"acShowList", "acShowingFront", "-", "acShowOption0", "-", "FileExit1"}));
  Form->SetStayOnTop(true);
  EXPECT_TRUE(Action("acShowingFront")->isChecked());
  EXPECT_EQ(Action("acShowingFront")->text(), "最前面に表示");
  EXPECT_EQ(Action("acShowList")->text(), "全体表示");
}

TEST_F(WindowModesTest, HelpOpensTheHelpPage) {
  TUrlRecorder recorder;
  Open({"a"});
  Action("acOpenHelp")->trigger();
  EXPECT_EQ(recorder.Opened, QList<QUrl>{QUrl(kHelpPage)});
  EXPECT_EQ(QUrl(kHelpPage).scheme(), "https");
}

TEST_F(WindowModesTest, AboutBoxShowsTheVersionAndEachButtonOpensItsAddress) {
  TUrlRecorder recorder;
  Open({"a"});
  QString version;
  for (const char* button : {"ProductPageBtn", "HelpPageBtn", "MailBtn"}) {
    QTimer::singleShot(0, [&version, button] {
      auto* box = qobject_cast<TAboutBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      version = box->Version->text();
      QTest::mouseClick(box->findChild<QPushButton*>(button), Qt::LeftButton);
    });
    Action("acOpenAbout")->trigger();
  }
  EXPECT_EQ(version, "バージョン: 1.7.0.31");
  EXPECT_EQ(recorder.Opened, QList<QUrl>({QUrl(kProductPage), QUrl(kHelpPage), QUrl(kMakerMail)}));
  EXPECT_EQ(QUrl(kMakerMail).scheme(), "mailto");
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
