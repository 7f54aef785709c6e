#include "view/pile_view.h"

#include "book/book.h"
#include "book/text_trim.h"
#include "view/paper_text.h"
#include "view/pile_paper.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTextLayout>
#include <QThread>
#include <QtMath>

#include <algorithm>

namespace {

constexpr int kEdgeScroll = 70;  // Up/Down at the first/last memo
constexpr int kSmoothStep = 20;  // pixels per step of a short scroll
constexpr int kSmoothPauseMs = 5;
constexpr int kBottomGap = 20;  // a paper or caret ends this far above the bottom edge
constexpr int kTabStopChars = 8;
const QColor kSheetColor(0xEE, 0xEE, 0xEE);

}  // namespace

TSBForPileView::TSBForPileView(QWidget* parent) : QScrollArea(parent) {
  setObjectName(QStringLiteral("PileView"));
  setFrameShape(QFrame::NoFrame);
  setWidgetResizable(false);
  // A fixed scroll bar keeps the paper width, and so every paper's wrapping, stable.
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

bool TSBForPileView::focusNextPrevChild(bool next) {
  // QScrollArea would scroll the newly focused child into view here.
  return QWidget::focusNextPrevChild(next);
}

void TSBForPileView::resizeEvent(QResizeEvent* event) {
  QScrollArea::resizeEvent(event);
  if (viewport()->width() == LastViewportWidth) return;
  LastViewportWidth = viewport()->width();
  emit ViewportWidthChanged();
}

TPileView::TPileView(TViewHost& host, QWidget* parent)
    : TView(host), Box(new TSBForPileView(parent)), SheetWidget(new QWidget) {
  Control = Box;
  Box->hide();
  Box->setEnabled(false);
  SheetWidget->setAutoFillBackground(true);
  QPalette palette = SheetWidget->palette();
  palette.setColor(QPalette::Window, kSheetColor);
  SheetWidget->setPalette(palette);
  Box->setWidget(SheetWidget);
  Box->show();
  QObject::connect(Box->verticalScrollBar(), &QScrollBar::valueChanged, Box, [this] { SyncInSight(); });
  QObject::connect(Box, &TSBForPileView::ViewportWidthChanged, Box, [this] { RelayoutAll(); });
  UpdateFont();
  SetPaperFocus(true);
}

TPileView::~TPileView() {
  if (Box) Box->hide();
  Papers.clear();
  delete Box.data();
}

void TPileView::SetPaperFocus(bool focused) {
  TView::SetPaperFocus(focused);
  if (TPaper* paper = CurrentPaper()) paper->DoCommand(focused ? pcFocus : pcUnfocus);
}

void TPileView::SetColors(const TColorSet& colors) {
  TView::SetColors(colors);
  for (auto& paper : Papers) paper->SetColors(colors);
}

void TPileView::SetFontName(const QString& name) {
  TView::SetFontName(name);
  UpdateFont();
}

void TPileView::SetFontSize(int size) {
  TView::SetFontSize(size);
  UpdateFont();
}

void TPileView::UpdateFont() {
  Font = QFont(FontName);
  Font.setPointSize(FontSize);
  TextOption = QTextOption();
  TextOption.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  TextOption.setTabStopDistance(QFontMetricsF(Font).averageCharWidth() * kTabStopChars);
  QTextLayout sample(QStringLiteral("Xあ"), Font);
  sample.beginLayout();
  QTextLine line = sample.createLine();
  line.setLeadingIncluded(true);
  sample.endLayout();
  const QFontMetrics metrics(Font);
  LineHeight = qMax(qCeil(line.height()), metrics.height() + qMax(0, metrics.leading()));
  for (auto& paper : Papers)
    if (auto* text = dynamic_cast<TSimplePilePaper*>(paper.get())) text->ApplyFont();
}

TPaperClass TPileView::PaperClassFor(TMemoTypeNo memoType) const {
  // ASCII-art papers are not there yet: every memo gets a text paper meanwhile.
  return TView::PaperClassFor(memoType);
}

void TPileView::Activate() {
  TView::Activate();
  SetBook(Host.GetCurrentBook());
}

void TPileView::Deactivate() {
  TView::Deactivate();
  Book = nullptr;
  ClearPapers();
}

void TPileView::SetBook(TBook* book) {
  if (book == Book) return;
  QWidget* window = Box->window();
  const bool wasUpdating = window->updatesEnabled();
  window->setUpdatesEnabled(false);
  SuspendAlign();
  if (Book) ClearPapers();
  Book = book;
  for (int i = 0; Book && i < Book->Count(); ++i) {
    Papers.push_back(CreatePaper(i, kMemoTypeFromMemo));
    PlacePaperAt(i);
  }
  ResumeAlign();
  window->setUpdatesEnabled(wasUpdating);
}

std::unique_ptr<TPaper> TPileView::CreatePaper(int index, TMemoTypeNo memoType) {
  TSMemo* memo = Book->MemoAt(index);
  if (memoType == kMemoTypeFromMemo) memoType = MemoTypeOf(memo->GetOption(kOptType));
  std::unique_ptr<TPaper> paper = PaperClassFor(memoType)(*this);
  paper->Memo = memo;
  paper->Placed = false;
  return paper;
}

void TPileView::PlacePaperAt(int index) {
  TPaper& paper = *Papers[size_t(index)];
  SuspendAlign();
  if (paper.LoadState == TLoadState::NotLoaded) paper.Load();
  paper.DoCommand(pcRelayout);
  Restack(index);
  ResumeAlign();
  paper.Placed = true;
}

void TPileView::ClearPapers() {
  while (!Papers.empty()) Papers.pop_back();
  Restack(0);
}

void TPileView::SetPaperAt(int index, std::unique_ptr<TPaper> paper) { Papers[size_t(index)] = std::move(paper); }

TPaper* TPileView::CurrentPaper() const {
  const int index = Host.GetCurrentIndex();
  if (!Host.GetCurrentMemo() || index < 0 || index >= int(Papers.size())) return nullptr;
  return Papers[size_t(index)].get();
}

int TPileView::IndexOf(const TPaper* paper) const {
  auto found = std::find_if(Papers.begin(), Papers.end(), [paper](const auto& p) { return p.get() == paper; });
  return found == Papers.end() ? -1 : int(found - Papers.begin());
}

int TPileView::ScrollPos() const { return Box->verticalScrollBar()->value(); }

int TPileView::VisibleHeight() const { return Box->viewport()->height(); }

int TPileView::PaperWidth() const { return Box->viewport()->width(); }

void TPileView::ResumeAlign() {
  if (--AlignLock > 0) return;
  AlignLock = 0;
  Restack(0);
}

void TPileView::Restack(int from) {
  if (AlignLock > 0) return;
  int y = 0;
  if (from > 0 && from <= int(Papers.size())) {
    const TPaper& previous = *Papers[size_t(from - 1)];
    y = previous.Top + previous.Height;
  } else {
    from = 0;
  }
  const int width = PaperWidth();
  for (size_t i = size_t(from); i < Papers.size(); ++i) {
    TPaper& paper = *Papers[i];
    paper.Top = y;
    if (paper.Control) paper.Control->setGeometry(0, y, width, paper.Height);
    y += paper.Height;
  }
  if (!Papers.empty()) y = Papers.back()->Top + Papers.back()->Height;
  SheetWidget->resize(width, y);
  SyncInSight();
}

void TPileView::SyncInSight() {
  const int top = ScrollPos();
  const int bottom = top + VisibleHeight();
  TSMemo* current = Host.GetCurrentMemo();
  for (auto& paper : Papers) {
    const bool inSight = paper->Top < bottom && paper->Top + paper->Height > top;
    paper->SetInSight(inSight || (current && paper->Memo == current));
  }
}

void TPileView::PaperHeightChanged(const TPaper& paper) {
  if (AlignLock == 0) Restack(IndexOf(&paper));
}

void TPileView::RelayoutAll() {
  SuspendAlign();
  for (auto& paper : Papers) paper->DoCommand(pcRelayout);
  ResumeAlign();
}

void TPileView::MemoChanged(TViewNotify kind, int index, int newIndex) {
  using enum TViewNotify;
  const bool inRange = index >= 0 && index < int(Papers.size());
  switch (kind) {
    case vnInserted:
      if (!Book || index < 0 || index > int(Papers.size())) return;
      Papers.insert(Papers.begin() + index, CreatePaper(index, kMemoTypeFromMemo));
      PlacePaperAt(index);
      break;
    case vnDeleted:
      if (!inRange) return;
      Papers.erase(Papers.begin() + index);
      Restack(index);
      break;
    case vnMoved: {
      if (!inRange || newIndex < 0 || newIndex >= int(Papers.size())) return;
      auto paper = std::move(Papers[size_t(index)]);
      Papers.erase(Papers.begin() + index);
      Papers.insert(Papers.begin() + newIndex, std::move(paper));
      if (IsCurrent()) {
        SuspendAlign();
        PlacePaperAt(newIndex);
        ResumeAlign();
      }
      break;
    }
    case vnLeave:
      if (inRange && Papers[size_t(index)]->Memo == Host.GetCurrentMemo()) Papers[size_t(index)]->DoCommand(pcLeave);
      break;
    case vnEnter:
      if (inRange && Papers[size_t(index)]->Memo == Host.GetCurrentMemo()) {
        Papers[size_t(index)]->DoCommand(pcEnter);
        if (PaperFocus) Papers[size_t(index)]->DoCommand(pcFocus);
      }
      break;
    case vnShowCurrent:
      ScrollBy(ShowCurrentDelta());
      break;
    case vnRelayout:
      if (!IsCurrent()) return;
      RelayoutAll();
      Notify(vnShowCurrent);
      break;
    case vnShowCaret:
      ScrollBy(CaretDelta());
      break;
  }
}

void TPileView::MemoTypeChanged(TSMemo* memo, TMemoTypeNo memoType) {
  for (int i = 0; i < int(Papers.size()); ++i) {
    if (Papers[size_t(i)]->Memo != memo) continue;
    SuspendAlign();
    SetPaperAt(i, CreatePaper(i, memoType));
    if (i == Host.GetCurrentIndex()) Papers[size_t(i)]->DoCommand(pcEnter);
    PlacePaperAt(i);
    ResumeAlign();
  }
}

int TPileView::FirstVisibleIndex() const {
  const int top = ScrollPos();
  for (int i = 0; i < int(Papers.size()); ++i)
    if (Papers[size_t(i)]->Top + Papers[size_t(i)]->Height - top > 0) return i;
  return -1;
}

int TPileView::ShowCurrentDelta() const {
  const TPaper* paper = CurrentPaper();
  if (!paper) return 0;
  const int top = paper->Top - ScrollPos();
  const int height = VisibleHeight();
  int c = 0;
  if (top + paper->Height > height - kBottomGap) c = top + paper->Height - height + kBottomGap;
  return top - c < 0 ? top : c;
}

int TPileView::CaretDelta() const {
  auto* paper = dynamic_cast<TSimplePilePaper*>(CurrentPaper());
  if (!paper || !paper->Editor()) return 0;
  const int y = paper->Top - ScrollPos() + paper->Editor()->cursorRect().top();
  if (y < 0) return y;
  const int d = y + paper->LineHeight - VisibleHeight() + kBottomGap;
  return d > 0 ? d : 0;
}

void TPileView::ScrollBy(int delta) {
  if (delta == 0) return;
  QScrollBar* bar = Box->verticalScrollBar();
  const int p = bar->value();
  if (p + delta < 0) delta = -p;
  if (p + delta > bar->maximum()) delta = bar->maximum() - p;
  if (delta == 0) return;
  if (std::abs(delta) < Box->height()) {
    const int direction = delta > 0 ? 1 : -1;
    for (int off = kSmoothStep; off < std::abs(delta); off += kSmoothStep) {
      bar->setValue(p + direction * off);
      Box->viewport()->repaint();
      QThread::msleep(kSmoothPauseMs);
    }
  }
  bar->setValue(p + delta);
  Box->viewport()->repaint();
}

void TPileView::PaperPressed(const TPaper& paper) {
  // The user works in the papers again: the memo made current next keeps the keyboard,
  // even when the memo list had taken the focus from them before.
  TView::SetPaperFocus(true);
  const int index = IndexOf(&paper);
  if (index >= 0) Host.SelectMemoAt(index);
}

void TPileView::PaperReleased() { ScrollBy(CaretDelta()); }

void TPileView::MoveToMemo(int index, bool caretAtEnd) {
  Host.SelectMemoAt(index);
  auto* paper = dynamic_cast<TSimplePilePaper*>(CurrentPaper());
  if (!paper) {
    ScrollBy(ShowCurrentDelta());
    return;
  }
  if (caretAtEnd)
    paper->SetCaretToEnd();
  else
    paper->SetCaret(0);
  ScrollBy(CaretDelta());
}

void TPileView::BeforeCommand(TMemoCommand& code) {
  if (TPaper* paper = CurrentPaper()) paper->HandleCommand(code);
  const int index = Host.GetCurrentIndex();
  switch (code) {
    case mcUp:
      if (index > 0)
        MoveToMemo(index - 1, true);
      else
        ScrollBy(-kEdgeScroll);
      code = mcDone;
      break;
    case mcDown:
      if (index == -1 || index == int(Papers.size()) - 1)
        ScrollBy(kEdgeScroll);
      else
        MoveToMemo(index + 1, false);
      code = mcDone;
      break;
    case mcWheelUp:
    case mcWheelDown:
    case mcPrevious:
    case mcNext:
      if (!Host.GetCurrentMemo()) {
        Host.SelectMemoAt(FirstVisibleIndex());
        code = mcDone;
      }
      break;
    case mcJoin:
      if (index > 0) JoinToPrevious(index, code);
      break;
    default:
      break;
  }
}

void TPileView::JoinToPrevious(int index, TMemoCommand& code) {
  auto* upper = dynamic_cast<TSimplePilePaper*>(Papers[size_t(index - 1)].get());
  auto* lower = dynamic_cast<TSimplePilePaper*>(Papers[size_t(index)].get());
  if (!upper || !lower) {
    code = mcDone;
    return;
  }
  const QString head = TrimMemoText(upper->EditorText()) + QLatin1Char('\n');
  upper->ReplaceText(head + ToEditorText(lower->Memo->Text) + QLatin1Char('\n'), int(head.size()));
  Host.SelectMemoAt(index - 1);
  Host.RemoveMemo(index);
  ScrollBy(CaretDelta());
}

void TPileView::AfterCommand(TMemoCommand& code) {
  switch (code) {
    case mcJoin:
    case mcDivide:
      ScrollBy(CaretDelta());
      break;
    case mcInsertNew:
      // A new memo is made to be written in: it takes the keyboard wherever it was.
      SetPaperFocus(true);
      ScrollBy(ShowCurrentDelta());
      break;
    case mcFirst:
    case mcPrevious:
    case mcNext:
    case mcLast:
    case mcMoveTop:
    case mcMoveUp:
    case mcMoveDown:
    case mcMoveBottom:
      ScrollBy(ShowCurrentDelta());
      break;
    default:
      break;
  }
}
