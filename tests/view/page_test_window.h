#pragma once

#include "book/book.h"
#include "view/page_view.h"
#include "view/view_host.h"

#include <QStringList>
#include <QWidget>

#include <memory>

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;

// A main window for the page view: a memo list stand-in, the right-hand panel Panel2
// with its title bar, one book, the current-memo rules, the memo command dispatcher,
// and the window's routing of Up/Down (actions acUp/acDown) and the wheel into commands.
class TPageTestWindow : public QWidget, public TViewHost {
 public:
  TPageTestWindow();
  ~TPageTestWindow() override;

  TSMemo* GetCurrentMemo() const override { return Current; }
  void SetCurrentMemo(TSMemo* memo) override;
  int GetCurrentIndex() const override { return Current ? Book.IndexOf(Current) : -1; }
  void SelectMemoAt(int index) override;
  TBook* GetCurrentBook() const override { return const_cast<TBook*>(&Book); }
  TView* GetCurrentView() const override { return CurrentView; }
  int InsertMemo(const QString& text, int index, const TOptionList* options) override;
  void RemoveMemo(int index) override;
  const TVopaPrm& Prm() const override { return Params; }
  QMenu* PopupMemo() const override { return Popup; }

  // Fills the book (saved state: not modified), shows and activates the window, and
  // makes the page view current with the first memo, as a book opened in the page view.
  void ShowBook(const QStringList& texts);
  void SetCurrentView(TView* view);
  void DoMemoCommand(TMemoCommand code);
  QPlainTextEdit& Editor() const;

  TVopaPrm Params;
  TBook Book;
  QWidget* MemoList;
  QWidget* Panel2;
  QLabel* Panel5;
  QMenu* Popup;
  std::unique_ptr<TPageView> PageView;
  TView* CurrentView = nullptr;
  TSMemo* Current = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QAction* acUp;
  QAction* acDown;
};
