#pragma once

#include "view/view.h"

#include <memory>

class TPageAAPaper;
class TSimplePagePaper;

// Shows only the current memo, in one editor filling the page below the book title bar.
// Arrow keys and the wheel work inside the memo; splitting is refused.
class TPageView : public TView {
 public:
  // page: the main window's right-hand panel, shared with the pile view and never shown
  // or hidden by this view.
  TPageView(TViewHost& host, QWidget* page);
  ~TPageView() override;

  // Stores the flag; true also gives the shown editor the keyboard.
  void SetPaperFocus(bool focused) override;
  void MemoChanged(TViewNotify kind, int index, int newIndex) override;
  void SetColors(const TColorSet& colors) override;
  void SetFontName(const QString& name) override;
  void SetFontSize(int size) override;
  void BeforeCommand(TMemoCommand& code) override;
  void AfterCommand(TMemoCommand& code) override;
  void Activate() override;
  void Deactivate() override;
  void SetBook(TBook* book) override;
  void MemoTypeChanged(TSMemo* memo, TMemoTypeNo memoType) override;

  void ShowMemo(TSMemo* memo);

  std::unique_ptr<TSimplePagePaper> TextPaper;
  // Keeps its place in the page for ASCII-art memos.
  std::unique_ptr<TPageAAPaper> AAPaper;
  // The visible paper; null while the view is not current.
  TPaper* ShownPaper = nullptr;
};
