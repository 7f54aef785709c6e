#include "mainwin/main_window.h"

#include <QAction>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QToolButton>

namespace {

// A bottom-bar button that runs action and is enabled with it; its pressed state shows
// the current view and is set by the window, never by the click alone.
QToolButton* NewViewButton(const QString& name, QAction* action, QWidget* bar) {
  auto* button = new QToolButton(bar);
  button->setObjectName(name);
  button->setCheckable(true);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setIcon(action->icon());
  button->setIconSize(QSize(16, 16));
  button->setFixedSize(23, bar->height());
  QObject::connect(button, &QToolButton::clicked, action, &QAction::trigger);
  QObject::connect(action, &QAction::changed, button, [button, action] { button->setEnabled(action->isEnabled()); });
  return button;
}

}  // namespace

void TForm1::BuildViewButtons() {
  miniPageBtn = NewViewButton(QStringLiteral("miniPageBtn"), Actions.acChangetoPileView, BottomBar);
  MiniPileViewBtn = NewViewButton(QStringLiteral("MiniPileViewBtn"), Actions.acChangetoPageView, BottomBar);
  auto* group = new QButtonGroup(BottomBar);
  group->addButton(miniPageBtn);
  group->addButton(MiniPileViewBtn);
  miniPageBtn->setChecked(true);
  auto* row = static_cast<QHBoxLayout*>(BottomBar->layout());
  // Before the closing stretch, so the buttons sit at the left end of the bar.
  row->insertWidget(row->count() - 1, miniPageBtn);
  row->insertWidget(row->count() - 1, MiniPileViewBtn);
  connect(Actions.acChangetoPileView, &QAction::triggered, this, [this] { SwitchView(PileView.get()); });
  connect(Actions.acChangetoPageView, &QAction::triggered, this, [this] { SwitchView(PageView.get()); });
}

void TForm1::SwitchView(TView* view) {
  SetCurrentView(view);
  // A click presses its button at once; the current view decides which one stays pressed.
  (CurrentView == PageView.get() ? MiniPileViewBtn : miniPageBtn)->setChecked(true);
}
