#include "mainwin/main_window.h"

#include "mainwin/about_box.h"
#include "mainwin/web_links.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QSystemTrayIcon>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

namespace {

constexpr int kTrayTipLength = 127;

QToolButton* NewBarButton(const QString& name, QAction* action, QWidget* bar) {
  auto* button = new QToolButton(bar);
  button->setObjectName(name);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setIcon(action->icon());
  button->setToolTip(action->toolTip());
  button->setIconSize(QSize(16, 16));
  button->setFixedSize(23, bar->height());
  QObject::connect(button, &QToolButton::clicked, action, &QAction::trigger);
  return button;
}

}  // namespace

bool (*TForm1::TrayAvailable)() = &QSystemTrayIcon::isSystemTrayAvailable;

void TForm1::BuildWindowModes() {
  connect(Actions.acShowList, &QAction::triggered, this, [this] { ShowList(true); });
  connect(Actions.acHideList, &QAction::triggered, this, [this] { ShowList(false); });
  connect(Actions.acShowingFront, &QAction::triggered, this, [this] { SetStayOnTop(!Prm.ShowingFront); });
  connect(Actions.acOpenHelp, &QAction::triggered, this, [] { QDesktopServices::openUrl(QUrl(kHelpPage)); });
  connect(Actions.acShowOption0, &QAction::triggered, this, &TForm1::acShowOptionExecute);
  connect(Actions.acOpenAbout, &QAction::triggered, this, [this] {
    TAboutBox box(this);
    box.exec();
  });

  // The list buttons of the bottom bar, before the view buttons.
  ShowListBtn = NewBarButton(QStringLiteral("ShowListBtn"), Actions.acShowList, BottomBar);
  HideListBtn = NewBarButton(QStringLiteral("HideListBtn"), Actions.acHideList, BottomBar);
  for (QToolButton* button : {ShowListBtn, HideListBtn}) button->setCheckable(true);
  ShowListBtn->setChecked(true);
  auto* separator = new QFrame(BottomBar);
  separator->setFrameShape(QFrame::VLine);
  separator->setFrameShadow(QFrame::Sunken);
  auto* row = static_cast<QHBoxLayout*>(BottomBar->layout());
  row->insertWidget(0, ShowListBtn);
  row->insertWidget(1, HideListBtn);
  row->insertWidget(2, separator);

  PopupCool = new QMenu(this);
  PopupCool->setObjectName(QStringLiteral("PopupCool"));
  PopupCool->addActions({Actions.acShowList, Actions.acShowingFront});
  PopupCool->addSeparator();
  PopupCool->addAction(Actions.acShowOption0);
  PopupCool->addSeparator();
  PopupCool->addAction(Actions.FileExit1);

  // Only in the compact window: the way to the commands the hidden menu bar held.
  auto* titleRow = new QHBoxLayout(Panel5);
  titleRow->setContentsMargins(0, 0, 0, 0);
  titleRow->addStretch();
  CoolButton = new QToolButton(Panel5);
  CoolButton->setObjectName(QStringLiteral("CoolBtn"));
  CoolButton->setToolTip(QStringLiteral("ブック操作"));
  CoolButton->setArrowType(Qt::DownArrow);
  CoolButton->setAutoRaise(true);
  CoolButton->setFocusPolicy(Qt::NoFocus);
  CoolButton->setFixedSize(Panel5->height(), Panel5->height());
  CoolButton->hide();
  titleRow->addWidget(CoolButton);
  connect(CoolButton, &QToolButton::clicked, this, [this] { PopupCool->popup(QCursor::pos()); });

  PopupTaskLeft = new QMenu(this);
  PopupTaskLeft->setObjectName(QStringLiteral("PopupTaskLeft"));
  PopupTaskLeft->addAction(Actions.FileExit1);
  PopupTaskLeft->addSeparator();
  PopupTaskLeft->addActions({Actions.acPastAsNewMemo, Actions.acShowingFront});
}

QList<QWidget*> TForm1::TopBar() const {
  QList<QWidget*> bars{menuBar()};
  for (QToolBar* bar : findChildren<QToolBar*>(Qt::FindDirectChildrenOnly)) bars << bar;
  return bars;
}

void TForm1::ShowList(bool showing) {
  if (!ListPane->isHidden() == showing) return;
  setUpdatesEnabled(false);
  QRect bounds = geometry();
  if (showing) {
    bounds.adjust(-(Compact.ListWidth + PaneSplitter->handleWidth()), -Compact.TopBarHeight, 0, 0);
    setGeometry(bounds);
    ListPane->show();
    for (QWidget* bar : TopBar()) bar->show();
    PaneSplitter->setSizes({Compact.ListWidth, Panel2->width()});
    CoolButton->hide();
    ShowListBtn->setChecked(true);
    HideListBtn->setChecked(false);
    Compact.On = false;
  } else {
    // The right pane keeps its place on the screen; the window shrinks around it.
    const QPoint paneOffset = Panel2->mapTo(this, QPoint(0, 0));
    Compact.ListWidth = ListPane->width();
    Compact.TopBarHeight = paneOffset.y();
    for (QWidget* bar : TopBar()) bar->hide();
    ListPane->hide();
    bounds.adjust(paneOffset.x(), paneOffset.y(), 0, 0);
    setGeometry(bounds);
    CoolButton->show();
    ShowListBtn->setChecked(false);
    HideListBtn->setChecked(true);
    Compact.On = true;
  }
  setUpdatesEnabled(true);
  PanesResized();
}

void TForm1::SetStayOnTop(bool on) {
  if (on && isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
  if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) != on)
    SetWindowFlagsKeepingPlace(on ? windowFlags() | Qt::WindowStaysOnTopHint
                                  : windowFlags() & ~Qt::WindowStaysOnTopHint);
  Prm.ShowingFront = on;
  Actions.acShowingFront->setChecked(on);
}

void TForm1::SetTaskbarButton(bool on) {
  Prm.TaskBarIcon = on;
  // Without a tray icon to come back by, the taskbar button is the last way to the window.
  const bool hidden = !on && Tray && Tray->isVisible();
  // A tool window gets no taskbar button.
  const Qt::WindowType type = hidden ? Qt::Tool : Qt::Window;
  if (windowType() != type) SetWindowFlagsKeepingPlace((windowFlags() & ~Qt::WindowType_Mask) | type);
}

void TForm1::SetTrayIcon(bool on) {
  Prm.TaskTrayIcon = on;
  if (on && TrayAvailable()) {
    if (!Tray) {
      Tray = new QSystemTrayIcon(windowIcon(), this);
      Tray->setObjectName(QStringLiteral("TrayIcon"));
      Tray->setContextMenu(PopupTaskLeft);
      connect(Tray, &QSystemTrayIcon::activated, this, &TForm1::TrayIconActivated);
    }
    Tray->setToolTip(windowTitle().left(kTrayTipLength));
    Tray->show();
  } else if (Tray) {
    Tray->hide();
  }
  SetTaskbarButton(Prm.TaskBarIcon);
}

void TForm1::SetWindowFlagsKeepingPlace(Qt::WindowFlags flags) {
  const bool wasVisible = isVisible();
  const QRect bounds = geometry();
  setWindowFlags(flags);
  setGeometry(bounds);
  // Changing the flags hides a shown window.
  if (wasVisible) show();
}

void TForm1::TrayIconActivated(QSystemTrayIcon::ActivationReason reason) {
  if (reason == QSystemTrayIcon::Trigger) {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    SetTaskbarButton(Prm.TaskBarIcon);
  } else if (reason == QSystemTrayIcon::Context) {
    raise();
    activateWindow();
  }
}

void TForm1::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // Minimised with only the tray icon to come back by: no taskbar button is left behind.
  if (event->type() == QEvent::WindowStateChange && isMinimized() && !Prm.TaskBarIcon && Tray && Tray->isVisible())
    QMetaObject::invokeMethod(this, &QWidget::hide, Qt::QueuedConnection);
}
