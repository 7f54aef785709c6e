#include "mainwin/main_window.h"

#include "view/view.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

namespace {

// A main-menu entry with its own hot key caption that runs an action and follows its
// enabled state. It shows the action's keys as text and never registers them: a menu
// entry holding the same keys as the window's action makes both ambiguous while the
// menu bar has the focus.
QAction* AddEntry(QMenu* menu, QAction* source, const QString& caption) {
  auto* entry = menu->addAction(caption);
  entry->setObjectName(source->objectName() + QStringLiteral("Item"));
  entry->setStatusTip(source->statusTip());
  const auto follow = [entry, source, caption] {
    entry->setEnabled(source->isEnabled());
    entry->setCheckable(source->isCheckable());
    entry->setChecked(source->isChecked());
    const QString keys = source->shortcut().toString(QKeySequence::NativeText);
    entry->setText(keys.isEmpty() ? caption : caption + QLatin1Char('\t') + keys);
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
  fileMenu->addAction(Actions.acNewBook);
  AddEntry(fileMenu, Actions.acOpen, QStringLiteral("読み込み(&W)..."));
  AddEntry(fileMenu, Actions.acSaveAsText, QStringLiteral("テキストファイルに書き出し(&Y)..."));
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
  AddEntry(viewMenu, Actions.acShowingFront, QStringLiteral("最前面に表示(&X)"));
  AddEntry(viewMenu, Actions.acHideList, QStringLiteral("リストを隠す(&Y)"));
  AddEntry(viewMenu, Actions.acShowOption0, QStringLiteral("設定(&Z)..."));
  viewMenu->addSeparator();
  viewMenu->addAction(Actions.acOpenTrash);

  QMenu* helpMenu = bar.at(3)->menu();
  helpMenu->setObjectName(QStringLiteral("Help1"));
  AddEntry(helpMenu, Actions.acOpenHelp, QStringLiteral("ヘルプ(&X)"));
  AddEntry(helpMenu, Actions.acOpenAbout, QStringLiteral("バージョン情報(&Z)..."));
  for (QAction* entry : bar) KeepKeysAfterMenu(entry->menu());

  PopupMemo->addAction(Actions.acChangeMemoTitle);
  QMenu* typeMenu = PopupMemo->addMenu(QStringLiteral("タイプ"));
  typeMenu->setObjectName(QStringLiteral("Type1"));
  typeMenu->addAction(Actions.acEnAA);
  PopupMemo->addSeparator();
  PopupMemo->addActions({Actions.acCopy, Actions.EditCut1, Actions.EditPaste1});
  PopupMemo->addSeparator();
  PopupMemo->addAction(Actions.acTrashMemo);
}

void TForm1::KeepKeysAfterMenu(QMenu* menu) {
  // Escape out of a drop-down leaves the menu bar holding the keyboard, where typing and
  // the memo keys go nowhere; the keys go back to where they were before the menu opened.
  connect(menu, &QMenu::aboutToShow, this, [this] { FocusBeforeMenu = QApplication::focusWidget(); });
  connect(menu, &QMenu::aboutToHide, this, [this] {
    QTimer::singleShot(0, this, [this] {
      // Moving on to the next drop-down of the bar is still menu work.
      if (QApplication::focusWidget() != menuBar() || QApplication::activePopupWidget()) return;
      if (FocusBeforeMenu && FocusBeforeMenu != menuBar())
        FocusBeforeMenu->setFocus(Qt::MenuBarFocusReason);
      else if (CurrentView)
        CurrentView->SetPaperFocus(true);
    });
  });
}
