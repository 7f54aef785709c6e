#include "view/pile_view.h"

#include "book/book.h"
#include "book/in_parallel.h"
#include "book/text_trim.h"
#include "view/aa_paper.h"
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
constexpr qsizetype kMeasureBatchChars = 16000;  // about 40 ordinary memos per job
const QColor kSheetColor(0xEE, 0xEE, 0xEE);

}  // namespace

TSBForPileView::TSBForPileView(QWidget* parent) : QAbstractScrollArea(parent) {
  setObjectName(QStringLiteral("PileView"));
  setFrameShape(QFrame::NoFrame);
  // A fixed scroll bar keeps the paper width, and so every paper's wrapping, stable.
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  verticalScrollBar()->setSingleStep(kSmoothStep);
  viewport()->setBackgroundRole(QPalette::Window);
  QPalette palette = viewport()->palette();
  palette.setColor(QPalette::Window, kSheetColor);
  viewport()->setPalette(palette);
}

bool TSBForPileView::focusNextPrevChild(bool next) {
  // A scroll area would scroll the newly focused child into view here.
  return QWidget::focusNextPrevChild(next);
}

void TSBForPileView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  if (viewport()->width() != LastViewportWidth) {
    LastViewportWidth = viewport()->width();
    emit ViewportWidthChanged();
  }
  emit ViewportResized();
}

void TSBForPileView::showEvent(QShowEvent* event) {
  QAbstractScrollArea::showEvent(event);
  emit Shown();
}

TPileView::TPileView(TViewHost& host, QWidget* parent) : TView(host), Box(new TSBForPileView(parent)) {
  Control = Box;
  Box->hide();
  Box->setEnabled(false);
  Box->show();
  Measurer = std::make_unique<TPaperMeasurer>(
      [this](int generation, TPaperMeasurer::TBatch& batch) { TakeMeasured(generation, batch); });
  QObject::connect(Box->verticalScrollBar(), &QScrollBar::valueChanged, Box, [this] { SyncInSight(); });
  QObject::connect(Box, &TSBForPileView::ViewportWidthChanged, Box, [this] { RelayoutAll(); });
  QObject::connect(Box, &TSBForPileView::ViewportResized, Box, [this] {
    UpdateScrollRange();
    SyncInSight();
  });
  QObject::connect(Box, &TSBForPileView::Shown, Box, [this] {
    SyncInSight();
    FeedMeasurer();
  });
  UpdateFont();
  SetPaperFocus(true);
}

TPileView::~TPileView() {
  Measurer.reset();
  if (Box) Box->hide();
  Sighted.clear();
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
  PaperEstimator = TPaperEstimator(Font);
  for (auto& paper : Papers)
    if (auto* text = dynamic_cast<TSimplePilePaper*>(paper.get())) text->ApplyFont();
  PrepareEstimates();
  // Every height was measured with the old font.
  GenerationWidth = -1;
  RelayoutAll();
}

TPaperClass TPileView::PaperClassFor(TMemoTypeNo memoType) const {
  return memoType == kAAMemo ? &CreatePileAAPaper : TView::PaperClassFor(memoType);
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
  if (Book) Papers.reserve(size_t(Book->Count()));
  for (int i = 0; Book && i < Book->Count(); ++i) Papers.push_back(CreatePaper(i, kMemoTypeFromMemo));
  PrepareEstimates();
  for (int i = 0; i < int(Papers.size()); ++i) PlacePaperAt(i);
  ResumeAlign();
  window->setUpdatesEnabled(wasUpdating);
  RestartMeasuring();
}

void TPileView::PrepareEstimates() {
  std::vector<TSimplePilePaper*> texts;
  for (const std::unique_ptr<TPaper>& paper : Papers)
    if (auto* text = dynamic_cast<TSimplePilePaper*>(paper.get())) texts.push_back(text);
  constexpr std::size_t kPapersPerThread = 512;
  InParallel(texts.size(), kPapersPerThread, [&texts](std::size_t begin, std::size_t end) {
    for (std::size_t i = begin; i < end; ++i) texts[i]->PrepareEstimate();
  });
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
  Q_ASSERT(index >= 0 && index < int(Papers.size()));
  TPaper& paper = *Papers[size_t(index)];
  SuspendAlign();
  if (paper.LoadState == TLoadState::NotLoaded) paper.Load();
  paper.DoCommand(pcRelayout);
  Restack(index);
  ResumeAlign();
  paper.Placed = true;
}

void TPileView::ClearPapers() {
  ++Generation;  // results of jobs still running belong to the papers that go now
  Sighted.clear();
  while (!Papers.empty()) Papers.pop_back();
  Restack(0);
}

void TPileView::SetPaperAt(int index, std::unique_ptr<TPaper> paper) {
  Q_ASSERT(index >= 0 && index < int(Papers.size()) && paper);
  Forget(Papers[size_t(index)].get());
  Papers[size_t(index)] = std::move(paper);
}

void TPileView::Forget(const TPaper* paper) { std::erase(Sighted, paper); }

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

QWidget* TPileView::Sheet() const { return Box->viewport(); }

TPaperMetrics TPileView::Metrics() const {
  return {Font, TextOption, qreal(PaperWidth() - 2 * kPaperDocumentMargin), LineHeight};
}

void TPileView::ResumeAlign() {
  if (--AlignLock > 0) return;
  AlignLock = 0;
  Restack(0);
}

void TPileView::Restack(int from) {
  if (AlignLock > 0) return;
  RestackTops(from);
  SyncInSight();
}

void TPileView::RestackTops(int from) {
  int y = 0;
  if (from > 0 && from <= int(Papers.size())) {
    const TPaper& previous = *Papers[size_t(from - 1)];
    y = previous.Top + previous.Height;
  } else {
    from = 0;
  }
  for (size_t i = size_t(from); i < Papers.size(); ++i) {
    TPaper& paper = *Papers[i];
    paper.Top = y;
    y += paper.Height;
  }
  ContentHeight = y;
  UpdateScrollRange();
}

void TPileView::UpdateScrollRange() {
  QScrollBar* bar = Box->verticalScrollBar();
  bar->setPageStep(VisibleHeight());
  bar->setRange(0, qMax(0, ContentHeight - VisibleHeight()));
}

int TPileView::IndexAtY(int y) const {
  auto found = std::partition_point(Papers.begin(), Papers.end(),
                                    [y](const auto& paper) { return paper->Top + paper->Height <= y; });
  return int(found - Papers.begin());
}

TPileView::TAnchor TPileView::Anchor() const {
  const int top = ScrollPos();
  int index = Host.GetCurrentIndex();
  const bool currentInSight = index >= 0 && index < int(Papers.size()) &&
                              Papers[size_t(index)]->Top < top + VisibleHeight() &&
                              Papers[size_t(index)]->Top + Papers[size_t(index)]->Height > top;
  if (!currentInSight) index = IndexAtY(top);
  if (index >= int(Papers.size())) return {};
  return {index, Papers[size_t(index)]->Top - top};
}

void TPileView::KeepAnchor(const TAnchor& anchor) {
  UpdateScrollRange();
  if (anchor.Index < 0 || anchor.Index >= int(Papers.size())) return;
  Box->verticalScrollBar()->setValue(Papers[size_t(anchor.Index)]->Top - anchor.Offset);
}

void TPileView::SyncInSight() {
  if (Syncing || AlignLock > 0) return;
  Syncing = true;
  if (Box->isVisible()) MeasureInSight();
  const int top = ScrollPos();
  const int bottom = top + VisibleHeight();
  std::vector<TPaper*> sighted;
  for (int i = IndexAtY(top); i < int(Papers.size()) && Papers[size_t(i)]->Top < bottom; ++i)
    sighted.push_back(Papers[size_t(i)].get());
  if (TPaper* current = CurrentPaper(); current && std::find(sighted.begin(), sighted.end(), current) == sighted.end())
    sighted.push_back(current);
  for (TPaper* paper : Sighted)
    if (std::find(sighted.begin(), sighted.end(), paper) == sighted.end()) {
      paper->SetInSight(false);
      if (paper->Control) sighted.push_back(paper);  // it keeps the keyboard, and so its editor
    }
  for (TPaper* paper : sighted) paper->SetInSight(true);
  Sighted = std::move(sighted);
  PlaceEditors();
  Syncing = false;
}

void TPileView::MeasureInSight() {
  // Measuring a paper moves those below it, which may bring others into sight.
  for (int round = 0; round < 4; ++round) {
    const TAnchor anchor = Anchor();
    const int top = ScrollPos();
    const int bottom = top + VisibleHeight();
    int changedFrom = -1;
    for (int i = IndexAtY(top); i < int(Papers.size()) && Papers[size_t(i)]->Top < bottom; ++i) {
      auto* paper = dynamic_cast<TSimplePilePaper*>(Papers[size_t(i)].get());
      if (paper && !paper->HeightIsExact()) {
        const int before = paper->Height;
        paper->MeasureExact();
        if (paper->Height != before && changedFrom < 0) changedFrom = i;
      }
      if (i + 1 < int(Papers.size())) Papers[size_t(i + 1)]->Top = Papers[size_t(i)]->Top + Papers[size_t(i)]->Height;
    }
    if (changedFrom < 0) return;
    RestackTops(changedFrom);
    KeepAnchor(anchor);
  }
}

void TPileView::PlaceEditors() {
  const int top = ScrollPos();
  const int width = PaperWidth();
  for (TPaper* paper : Sighted)
    if (paper->Control) paper->Control->setGeometry(0, paper->Top - top, width, paper->Height);
}

void TPileView::PlaceEditor(TPaper& paper) {
  if (std::find(Sighted.begin(), Sighted.end(), &paper) == Sighted.end()) Sighted.push_back(&paper);
  if (paper.Control) paper.Control->setGeometry(0, paper.Top - ScrollPos(), PaperWidth(), paper.Height);
}

void TPileView::PaperHeightChanged(const TPaper& paper) {
  // While the pile places its papers it restacks them itself afterwards.
  if (AlignLock == 0 && !Syncing) Restack(IndexOf(&paper));
}

void TPileView::RelayoutAll() {
  if (PaperWidth() != GenerationWidth) {
    // Heights at another width: every paper is estimated again at once, those in sight
    // are measured before they show, and the workers measure the rest anew.
    ++Generation;
    GenerationWidth = PaperWidth();
    const TAnchor anchor = Anchor();
    for (auto& paper : Papers)
      if (auto* text = dynamic_cast<TSimplePilePaper*>(paper.get()))
        text->Estimate();
      else
        paper->DoCommand(pcRelayout);  // art takes its height from its picture
    RestackTops(0);
    KeepAnchor(anchor);
    RestartMeasuring();
  }
  SyncInSight();
}

void TPileView::HoldMeasuring(bool hold) {
  MeasuringHeld = hold;
  FeedMeasurer();
}

void TPileView::RestartMeasuring() {
  MeasureCursor = 0;
  Measuring = true;
  FeedMeasurer();
}

void TPileView::FeedMeasurer() {
  if (!Measuring || MeasuringHeld || !Box->isVisible()) return;
  const TPaperMetrics metrics = Metrics();
  while (Measurer->Pending() < Measurer->Capacity() && MeasureCursor < int(Papers.size())) {
    TPaperMeasurer::TBatch batch;
    qsizetype length = 0;
    for (; MeasureCursor < int(Papers.size()) && length < kMeasureBatchChars; ++MeasureCursor) {
      auto* paper = dynamic_cast<TSimplePilePaper*>(Papers[size_t(MeasureCursor)].get());
      // A paper with an editor is measured from the editor's own layout.
      if (!paper || paper->Editor() || paper->HeightIsExact()) continue;
      batch.push_back({MeasureCursor, paper->Memo->Text, 0});
      length += paper->Memo->Text.size() + 1;
    }
    if (!batch.empty()) Measurer->Measure(Generation, metrics, std::move(batch));
  }
  if (Measurer->Pending() > 0 || MeasureCursor < int(Papers.size())) return;
  // Papers that moved or changed under a running job are measured in another pass.
  auto inexact = std::find_if(Papers.begin(), Papers.end(), [](const auto& paper) {
    auto* text = dynamic_cast<TSimplePilePaper*>(paper.get());
    return text && !text->Editor() && !text->HeightIsExact();
  });
  if (inexact == Papers.end()) {
    Measuring = false;
    return;
  }
  MeasureCursor = int(inexact - Papers.begin());
  FeedMeasurer();
}

void TPileView::TakeMeasured(int generation, TPaperMeasurer::TBatch& batch) {
  if (generation == Generation) {
    const TAnchor anchor = Anchor();
    int changedFrom = -1;
    for (const TPaperMeasurer::TItem& item : batch) {
      if (item.Index >= int(Papers.size())) continue;
      auto* paper = dynamic_cast<TSimplePilePaper*>(Papers[size_t(item.Index)].get());
      // The same text at the same metrics has the same height, whichever paper holds it now.
      if (!paper || paper->HeightIsExact() || !paper->TakeHeight(item.Height, item.Text)) continue;
      if (changedFrom < 0 || item.Index < changedFrom) changedFrom = item.Index;
    }
    if (changedFrom >= 0 && AlignLock == 0) {
      RestackTops(changedFrom);
      KeepAnchor(anchor);
      SyncInSight();
    }
  }
  FeedMeasurer();
}

void TPileView::MemoChanged(TViewNotify kind, int index, int newIndex) {
  using enum TViewNotify;
  const bool inRange = index >= 0 && index < int(Papers.size());
  switch (kind) {
    case vnInserted:
      if (!Book || index < 0 || index > int(Papers.size())) return;
      Papers.insert(Papers.begin() + index, CreatePaper(index, kMemoTypeFromMemo));
      PlacePaperAt(index);
      MeasureCursor = qMin(MeasureCursor, index);
      Measuring = true;
      FeedMeasurer();
      break;
    case vnDeleted:
      if (!inRange) return;
      Forget(Papers[size_t(index)].get());
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
  const int index = IndexAtY(ScrollPos());
  return index < int(Papers.size()) ? index : -1;
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
