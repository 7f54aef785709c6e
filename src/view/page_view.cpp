#include "view/page_view.h"

#include "book/memo.h"
#include "view/aa_paper.h"
#include "view/page_paper.h"

#include <QWidget>

TPageView::TPageView(TViewHost& host, QWidget* page) : TView(host) {
  Control = page;
  SetPaperFocus(false);
  TextPaper = std::make_unique<TSimplePagePaper>(*this, page);
  AAPaper = std::make_unique<TPageAAPaper>(*this, page);
}

TPageView::~TPageView() = default;

void TPageView::SetPaperFocus(bool focused) {
  TView::SetPaperFocus(focused);
  if (focused && ShownPaper) ShownPaper->DoCommand(pcFocus);
}

void TPageView::MemoChanged(TViewNotify kind, int, int) {
  // Only the current view is told of changes; the guard keeps a stray call from showing the editor.
  if (!IsCurrent()) return;
  if (kind == TViewNotify::vnEnter) ShowMemo(Host.GetCurrentMemo());
  if (kind == TViewNotify::vnRelayout && ShownPaper) ShownPaper->DoCommand(pcRelayout);
}

void TPageView::SetColors(const TColorSet& colors) {
  TView::SetColors(colors);
  TextPaper->SetColors(Colors);
  AAPaper->SetColors(Colors);
}

void TPageView::SetFontName(const QString& name) {
  TView::SetFontName(name);
  TextPaper->ApplyFont();
}

void TPageView::SetFontSize(int size) {
  TView::SetFontSize(size);
  TextPaper->ApplyFont();
}

void TPageView::BeforeCommand(TMemoCommand& code) {
  if (ShownPaper) ShownPaper->HandleCommand(code);
  if (code == mcEscape) SetPaperFocus(false);
  if (code == mcDivide) code = mcNone;
}

void TPageView::AfterCommand(TMemoCommand& code) {
  if (code == mcInsertNew && ShownPaper) ShownPaper->DoCommand(pcFocus);
}

void TPageView::Activate() { ShowMemo(Host.GetCurrentMemo()); }

void TPageView::Deactivate() {
  ShowMemo(nullptr);
  if (ShownPaper) ShownPaper->Control->hide();
  ShownPaper = nullptr;
}

void TPageView::SetBook(TBook*) {}

void TPageView::MemoTypeChanged(TSMemo* memo, TMemoTypeNo) {
  if (ShownPaper && memo == ShownPaper->Memo) ShowMemo(memo);
}

void TPageView::ShowMemo(TSMemo* memo) {
  const bool art = memo && MemoTypeOf(memo->GetOption(kOptType)) == kAAMemo;
  TPaper* paper = art ? static_cast<TPaper*>(AAPaper.get()) : TextPaper.get();
  // Another memo takes the focus away from the editor. Taken before the memo changes,
  // so that an input method's pending text still lands in the memo it was typed for.
  if (ShownPaper && ShownPaper->Control->window()->focusWidget() == ShownPaper->Control)
    ShownPaper->Control->clearFocus();
  if (paper != ShownPaper) {
    if (ShownPaper) {
      ShownPaper->Detach();
      ShownPaper->Control->hide();
    }
    paper->Control->show();
    ShownPaper = paper;
  }
  ShownPaper->Memo = memo;
  ShownPaper->Load();
}
