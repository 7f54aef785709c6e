#pragma once

#include "book/book.h"
#include "view/page_view.h"
#include "view/pile_paper.h"
#include "view/pile_view.h"
#include "view/view_host.h"

#include <QStringList>
#include <QWidget>

#include <memory>

class QLabel;
class QMenu;
class QPlainTextEdit;

enum class TViewKind { Pile, Page };

// A small main window for one view: a memo list stand-in beside the right-hand panel
// Panel2 (title bar Panel5 above the view), one book, made current in the same
// TCurrentBook the window uses.
class TTestViewHost : public TViewHost {
 public:
  explicit TTestViewHost(TViewKind kind);
  ~TTestViewHost() override;

  TCurrentBook& Current() const override { return *Cursor; }
  TView* GetCurrentView() const override { return CurrentView; }
  const TVopaPrm& Prm() const override { return Params; }
  QMenu* PopupMemo() const override { return Popup; }

  // Fills the book (saved: not modified), shows and activates the window, makes the
  // view current and then the memo at `current` (-1: none).
  void ShowBook(const QStringList& texts, int current = -1);
  void SetCurrentView(TView* view);
  // The window's moves the view tests need (previous/next, new memo) between the view's
  // BeforeCommand and AfterCommand. The real dispatcher, with the keys and the wheel
  // routed through the window, is tested on the real window in tests/mainwin.
  void Dispatch(TMemoCommand code);

  // Pile view only.
  TSimplePilePaper& PaperAt(int index) const;
  TMemoForPileView& EditorAt(int index) const;
  int ScrollPos() const;
  // Runs the event loop until every paper has its exact height.
  void WaitUntilMeasured();
  void SetScrollPos(int position);
  // Page view only.
  QPlainTextEdit& PageEditor() const;

  TVopaPrm Params;
  TBook Book;
  std::unique_ptr<TCurrentBook> Cursor = std::make_unique<TCurrentBook>();
  QWidget Window;
  QWidget* MemoList;
  QWidget* Panel2;
  QLabel* Panel5;
  QMenu* Popup;
  std::unique_ptr<TView> View;
  // View as the one of its kind; the other is null.
  TPileView* PileView = nullptr;
  TPageView* PageView = nullptr;
  TView* CurrentView = nullptr;
};
