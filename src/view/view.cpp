#include "view/view.h"

#include "view/pile_paper.h"

TView::TView(TViewHost& host) : Host(host) {}

TView::~TView() = default;

void TView::SetPaperFocus(bool focused) { PaperFocus = focused; }

void TView::SetColors(const TColorSet& colors) { Colors = colors; }

void TView::SetFontName(const QString& name) { FontName = name; }

void TView::SetFontSize(int size) { FontSize = size; }

TPaperClass TView::PaperClassFor(TMemoTypeNo) const { return &CreateSimplePilePaper; }

void TView::Activate() {
  if (!Control) return;
  Control->show();
  Control->setEnabled(true);
}

void TView::Deactivate() {
  if (!Control) return;
  Control->setEnabled(false);
  Control->hide();
}

TPaper::TPaper(TView& view) : View(view), Colors(view.Colors) {}

TPaper::~TPaper() {
  if (Control) {
    Control->hide();
    Control->deleteLater();
  }
}

void TPaper::SetColors(const TColorSet& colors) { Colors = colors; }
