#pragma once

#include "book/book.h"
#include "view/pile_view.h"
#include "view/pile_paper.h"
#include "view/view_host.h"

#include <QStringList>
#include <QWidget>

#include <memory>

// A window holding one pile view and one book, with the current-memo rules of the
// main window (vnLeave/vnEnter, "Transfered" cleared on entering, vnInserted/vnDeleted).
class TTestViewHost : public TViewHost {
 public:
  TTestViewHost();
  ~TTestViewHost() override;

  TSMemo* GetCurrentMemo() const override { return Current; }
  void SetCurrentMemo(TSMemo* memo) override;
  int GetCurrentIndex() const override { return Current ? Book.IndexOf(Current) : -1; }
  void SelectMemoAt(int index) override;
  TBook* GetCurrentBook() const override { return const_cast<TBook*>(&Book); }
  TView* GetCurrentView() const override { return View.get(); }
  int InsertMemo(const QString& text, int index, const TOptionList* options) override;
  void RemoveMemo(int index) override;
  const TVopaPrm& Prm() const override { return Params; }
  QMenu* PopupMemo() const override { return nullptr; }

  // Fills the book, shows the window and lets the view show the book.
  void ShowBook(const QStringList& texts);
  // The window's dispatcher, reduced to what the view takes part in.
  void Dispatch(TMemoCommand code);

  TSimplePilePaper& PaperAt(int index) const;
  TMemoForPileView& EditorAt(int index) const;
  int ScrollPos() const;
  void SetScrollPos(int position);

  TVopaPrm Params;
  TBook Book;
  QWidget Window;
  std::unique_ptr<TPileView> View;
  TSMemo* Current = nullptr;
};
