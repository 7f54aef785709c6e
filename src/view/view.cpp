#include "view/view.h"

#include "view/pile_paper.h"

void FollowCurrentBook(TViewHost& host) {
  TCurrentBook& current = host.Current();
  const auto tell = [&host](TViewNotify kind, int index, int newIndex) {
    if (TView* view = host.GetCurrentView()) view->MemoChanged(kind, index, newIndex);
  };
  QObject::connect(&current, &TCurrentBook::BookChanged, &current, [&host] {
    if (TView* view = host.GetCurrentView()) view->SetBook(host.GetCurrentBook());
  });
  QObject::connect(&current, &TCurrentBook::MemoLeaving, &current,
                   [tell](int index) { tell(TViewNotify::vnLeave, index, -1); });
  QObject::connect(&current, &TCurrentBook::MemoEntered, &current,
                   [tell](int index) { tell(TViewNotify::vnEnter, index, -1); });
  QObject::connect(&current, &TCurrentBook::MemoInserted, &current,
                   [tell](int index) { tell(TViewNotify::vnInserted, index, -1); });
  QObject::connect(&current, &TCurrentBook::MemoRemoved, &current,
                   [tell](int index) { tell(TViewNotify::vnDeleted, index, -1); });
  QObject::connect(&current, &TCurrentBook::MemoMoved, &current,
                   [tell](int from, int to) { tell(TViewNotify::vnMoved, from, to); });
}

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
