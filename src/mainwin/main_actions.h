#pragma once

#include <QList>

class QAction;
class QObject;

// The main window's actions; each has its field name as objectName.
struct TMainActions {
  QAction* acNewMemo;
  QAction* acTrashMemo;
  QAction* acMoveUp;
  QAction* acMoveDown;
  QAction* acMoveTop;
  QAction* acMoveBottom;
  QAction* acDevide;
  QAction* acJoint;
  QAction* acNextMemo;
  QAction* acPreviousMemo;
  QAction* acTop;
  QAction* acBottom;
  QAction* acUp;
  QAction* acDown;
  QAction* acEscapeFocus;
  QAction* acChangeMemoTitle;
  QAction* acPastAsNewMemo;
  QAction* acCopy;
  QAction* EditCut1;
  QAction* EditPaste1;
  QAction* acInputDate;
  QAction* acInputTime;
  QAction* acEnAA;
  QAction* acSave;
  QAction* acPreviousBook;
  QAction* acNextBook;
  QAction* acOpenTrash;
  QAction* acNewBook;
  QAction* acChangeBookName;
  QAction* acDeleteBook;
  QAction* acOpen;
  QAction* acSaveAsText;
  QAction* FileExit1;
  QAction* acChangetoPileView;
  QAction* acChangetoPageView;
  QAction* acShowingFront;
  QAction* acShowList;
  QAction* acHideList;
  QAction* acShowOption0;
  QAction* acOpenHelp;
  QAction* acOpenAbout;

  // Creates every action with its caption, hint, category and the shortcut it is designed with.
  void Create(QObject* owner);
  // Assigns the shortcuts given at start-up (replacing acDevide's).
  void SetRuntimeShortCuts();
  // Actions whose keys an editor would otherwise keep for itself.
  QList<QAction*> RoutedThroughWindow() const;
};
