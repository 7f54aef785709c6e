#pragma once

#include "app/vopa_prm.h"

#include <QGuiApplication>
#include <QString>

class QMenu;
class TBook;
class TOptionList;
class TSMemo;
class TView;

// What views and papers need from the main window. All changes of the current
// memo and of the book's memo list go through here, never behind the window's back.
class TViewHost {
 public:
  virtual ~TViewHost() = default;

  virtual TSMemo* GetCurrentMemo() const = 0;
  // Sends vnLeave / vnEnter to the current view around the change.
  virtual void SetCurrentMemo(TSMemo* memo) = 0;
  // Index of the current memo in the current book, -1 when there is none.
  virtual int GetCurrentIndex() const = 0;
  // -1 makes no memo current; an index past the end selects the last memo.
  virtual void SelectMemoAt(int index) = 0;
  virtual TBook* GetCurrentBook() const = 0;
  virtual TView* GetCurrentView() const = 0;
  // Adds a memo to the current book and sends vnInserted; returns the index used (-1 if none).
  virtual int InsertMemo(const QString& text, int index, const TOptionList* options) = 0;
  // Removes a memo from the current book (no memo current first if it was) and sends vnDeleted.
  virtual void RemoveMemo(int index) = 0;

  // The mouse buttons held during the input that led to the current command.
  virtual Qt::MouseButtons HeldButtons() const { return QGuiApplication::mouseButtons(); }
  // A paper has handed its edited text to the memo: its title may have changed.
  virtual void MemoEdited(TSMemo* memo) { Q_UNUSED(memo); }

  virtual const TVopaPrm& Prm() const = 0;
  // The memo pop-up menu used as the papers' context menu; may be null.
  virtual QMenu* PopupMemo() const = 0;
};
