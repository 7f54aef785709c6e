#include "view/aa_paper.h"

#include "book/book.h"
#include "view/aa_image.h"
#include "view/colors.h"
#include "view/pile_view.h"

#include <QBoxLayout>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

namespace {

constexpr int kImageMargin = 5;  // room the frame and the gaps take around the picture
constexpr int kPileImageTop = 2;

}  // namespace

TAAPaintBox::TAAPaintBox(TCustomAAPaper& paper, QWidget* parent) : QWidget(parent), Paper(&paper) {
  setObjectName(QStringLiteral("AAPaintBox"));
}

void TAAPaintBox::paintEvent(QPaintEvent*) {
  if (!Paper) return;
  QPainter painter(this);
  Paper->Paint(painter);
}

void TAAPaintBox::mousePressEvent(QMouseEvent* event) {
  QWidget::mousePressEvent(event);
  if (Paper) Paper->MousePressed();
}

void TAAPaintBox::mouseReleaseEvent(QMouseEvent* event) {
  QWidget::mouseReleaseEvent(event);
  if (Paper) Paper->MouseReleased();
}

void TAAPaintBox::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* popup = Paper ? Paper->View.Host.PopupMemo() : nullptr;
  if (popup && Paper->Memo)
    popup->exec(event->globalPos());
  else
    QWidget::contextMenuEvent(event);
}

void TAAPaintBox::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (Paper) Paper->Resized();
}

TCustomAAPaper::TCustomAAPaper(TView& view, QWidget* parent) : TPaper(view) {
  auto* box = new TAAPaintBox(*this, parent);
  box->hide();
  Control = box;
}

TCustomAAPaper::~TCustomAAPaper() {
  if (PaintBox()) PaintBox()->Detach();
}

void TCustomAAPaper::RenderText() {
  TextBitmap = RenderAAText(Memo ? Memo->Text : QString(), AAFont(View.Host.Prm().AAFontName));
  // A new picture is scaled and coloured anew at the next layout, whatever its size.
  ImageSize = QSize();
}

void TCustomAAPaper::SetColors(const TColorSet& colors) {
  TPaper::SetColors(colors);
  ScaledBitmap = StretchAA(TextBitmap, ImageSize);
  ShownBitmap = ColorAA(ScaledBitmap, ToQColor(colors.FontColor), ToQColor(colors.BackColor));
  if (Control) Control->update();
}

bool TCustomAAPaper::StoreSize(QSize size) {
  if (size == ImageSize) return false;
  ImageSize = size;
  return true;
}

void TCustomAAPaper::Paint(QPainter& painter) const {
  const QRect frame = PaintBox()->rect().adjusted(0, 0, -2, -2);
  painter.setPen(ToQColor(clBtnShadow));
  painter.setBrush(ToQColor(Colors.BackColor));
  painter.drawRect(frame);
  if (!ShownBitmap.isNull()) painter.drawImage(ImageOrigin(), ShownBitmap);
}

void TCustomAAPaper::DoCommand(TPaperCommand command) {
  switch (command) {
    case pcLeave:
      SetColors(View.Colors);
      break;
    case pcEnter:
      SetColors(View.Host.Prm().ActivePaperColors);
      break;
    case pcRelayout:
      Relayout();
      break;
    default:
      break;
  }
}

TPileAAPaper::TPileAAPaper(TPileView& view) : TCustomAAPaper(view, view.Sheet()), Pile(view) {}

std::unique_ptr<TPaper> CreatePileAAPaper(TView& view) {
  return std::make_unique<TPileAAPaper>(dynamic_cast<TPileView&>(view));
}

void TPileAAPaper::Load() {
  RenderText();
  if (Memo->GetOption(kOptTransfered) == QLatin1String("True")) SetColors(View.Host.Prm().TransferedPaperColors);
}

bool TPileAAPaper::ComputeSize() {
  const int textWidth = TextBitmap.width();
  const int textHeight = TextBitmap.height();
  if (textWidth <= 0 || textHeight <= 0) return StoreSize(QSize());
  int a = std::max(1, Pile.PaperWidth() - kImageMargin);
  if (textWidth < a) a = textWidth;
  int b = a * textHeight / textWidth + 1;
  const int visibleHeight = Pile.ScrollBox()->viewport()->height();
  if (b > visibleHeight && visibleHeight > 0) {
    b = visibleHeight;
    a = b * textWidth / textHeight + 1;
  }
  return StoreSize(QSize(a, b));
}

QPoint TPileAAPaper::ImageOrigin() const { return {(Pile.PaperWidth() - ShownBitmap.width()) / 2, kPileImageTop}; }

void TPileAAPaper::Relayout() {
  if (ComputeSize()) SetColors(Colors);
  const int height = ShownBitmap.height() + kImageMargin;
  const bool grew = height != Height;
  Height = height;
  Pile.PlaceEditor(*this);
  PaintBox()->show();
  if (grew) Pile.PaperHeightChanged(*this);
  PaintBox()->update();
}

void TPileAAPaper::MousePressed() { Pile.PaperPressed(*this); }

void TPileAAPaper::MouseReleased() { Pile.PaperReleased(); }

TPageAAPaper::TPageAAPaper(TView& view, QWidget* page) : TCustomAAPaper(view, page) {
  PaintBox()->setObjectName(QStringLiteral("PageAAPaper"));
  // Below the page's title bar, taking all the room left.
  if (auto* column = qobject_cast<QBoxLayout*>(page ? page->layout() : nullptr)) column->addWidget(PaintBox(), 1);
}

void TPageAAPaper::Load() {
  RenderText();
  ComputeSize();
  SetColors(Colors);
}

bool TPageAAPaper::ComputeSize() {
  const int textWidth = TextBitmap.width();
  const int textHeight = TextBitmap.height();
  const int w = PaintBox()->width() - kImageMargin;
  const int h = PaintBox()->height() - kImageMargin;
  if (textWidth <= 0 || textHeight <= 0 || w <= 0 || h <= 0) return StoreSize(QSize());
  const float ratio = float(textHeight) / float(textWidth);
  QSize size = TextBitmap.size();
  if (double(h) / w > ratio) {
    if (textWidth >= w) size = QSize(w, int(w * ratio) + 1);
  } else if (textHeight >= h) {
    size = QSize(int(h / ratio) + 1, h);
  }
  return StoreSize(size);
}

QPoint TPageAAPaper::ImageOrigin() const {
  return {(PaintBox()->width() - ShownBitmap.width()) / 2, (PaintBox()->height() - ShownBitmap.height()) / 2};
}

void TPageAAPaper::Relayout() {
  if (ComputeSize()) SetColors(Colors);
  PaintBox()->update();
}
