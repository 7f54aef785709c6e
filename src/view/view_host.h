#pragma once

#include "app/vopa_prm.h"
#include "book/current_book.h"

#include <QGuiApplication>
#include <QString>

class QMenu;
class TBook;
class TOptionList;
class TSMemo;
class TView;

// What views and papers need from the window showing them. The current book and memo change
// only through Current(); the current view follows its signals (FollowCurrentBook).
class TViewHost {
 public:
  virtual ~TViewHost() = default;

  virtual TCurrentBook& Current() const = 0;
  virtual TView* GetCurrentView() const = 0;

  // The mouse buttons held during the input that led to the current command.
  virtual Qt::MouseButtons HeldButtons() const { return QGuiApplication::mouseButtons(); }
  // A paper has handed its edited text to the memo: its title may have changed.
  virtual void MemoEdited(TSMemo* memo) { Q_UNUSED(memo); }

  virtual const TVopaPrm& Prm() const = 0;
  // The memo pop-up menu used as the papers' context menu; may be null.
  virtual QMenu* PopupMemo() const = 0;

  // Shorthands for the views.
  TSMemo* GetCurrentMemo() const { return Current().Memo(); }
  int GetCurrentIndex() const { return Current().MemoIndex(); }
  TBook* GetCurrentBook() const { return Current().Book(); }
  void SelectMemoAt(int index) { Current().SelectMemoAt(index); }
  int InsertMemo(const QString& text, int index, const TOptionList* options) {
    return Current().InsertMemo(text, index, options);
  }
  void RemoveMemo(int index) { Current().RemoveMemo(index); }
};

// Passes every change of host's current book and memo on to host's current view.
void FollowCurrentBook(TViewHost& host);
