#include "mainwin/main_window.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

// A main-menu entry with its own hot key caption that runs an action and follows its
// enabled state. It shows the action's keys but leaves them to the action, so a key is
// never claimed twice.
QAction* AddEntry(QMenu* menu, QAction* source, const QString& caption) {
  auto* entry = menu->addAction(caption);
  entry->setObjectName(source->objectName() + QStringLiteral("Item"));
  entry->setShortcutContext(Qt::WidgetShortcut);
  entry->setStatusTip(source->statusTip());
  const auto follow = [entry, source] {
    entry->setEnabled(source->isEnabled());
    entry->setShortcuts(source->shortcuts());
  };
  follow();
  QObject::connect(source, &QAction::changed, entry, follow);
  QObject::connect(entry, &QAction::triggered, source, &QAction::trigger);
  return entry;
}

}  // namespace

void TForm1::BuildMenus() {
  const QList<QAction*> bar = menuBar()->actions();
  QMenu* fileMenu = bar.at(0)->menu();
  fileMenu->setObjectName(QStringLiteral("File1"));
  AddEntry(fileMenu, Actions.acNewMemo, QStringLiteral("新規メモ(&Z)"));
  fileMenu->addSeparator();
  fileMenu->addAction(Actions.FileExit1);

  QMenu* editMenu = bar.at(1)->menu();
  editMenu->setObjectName(QStringLiteral("Edit1"));
  AddEntry(editMenu, Actions.acCopy, QStringLiteral("コピー(&X)"));
  AddEntry(editMenu, Actions.EditCut1, QStringLiteral("切り取り(&Z)"));
  AddEntry(editMenu, Actions.EditPaste1, QStringLiteral("貼り付け(&Y)"));
  AddEntry(editMenu, Actions.acPastAsNewMemo, QStringLiteral("新規メモとして張り付け(&U)"));
  editMenu->addSeparator();
  AddEntry(editMenu, Actions.acInputDate, QStringLiteral("日付を挿入(&W)"));
  AddEntry(editMenu, Actions.acInputTime, QStringLiteral("時刻を挿入(&V)"));

  QMenu* viewMenu = bar.at(2)->menu();
  viewMenu->setObjectName(QStringLiteral("View1"));
  viewMenu->addSeparator();
  viewMenu->addAction(Actions.acOpenTrash);

  bar.at(3)->menu()->setObjectName(QStringLiteral("Help1"));

  PopupMemo->addAction(Actions.acChangeMemoTitle);
  PopupMemo->addSeparator();
  PopupMemo->addActions({Actions.acCopy, Actions.EditCut1, Actions.EditPaste1});
  PopupMemo->addSeparator();
  PopupMemo->addAction(Actions.acTrashMemo);
}
