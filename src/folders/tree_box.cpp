#include "folders/tree_box.h"

#include "book/vopa_error.h"
#include "folders/mouse_stay_timer.h"
#include "view/cell_painter.h"
#include "view/colors.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

namespace {

constexpr int kTextLeft = 17;
constexpr int kIconLeft = 3;

}  // namespace

TVopaTreeBox::TVopaTreeBox(QWidget* parent)
    : QAbstractScrollArea(parent),
      NormalColors{clBlack, clWindow, clBtnShadow},
      HotColors(ColorsFor(clRed)),
      CurrentColors(ColorsFor(clBlue)),
      FolderColors{0x444466, 0xCCFFFF, clBtnShadow},
      DimmedColors{0x303030, 0xE0E0E0, clNone},
      RootNode(std::make_unique<TVopaNode>()),
      StayTimer(new TMouseStayTimer(this)) {
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // A click in the tree leaves the keyboard with the memos.
  setFocusPolicy(Qt::NoFocus);
  verticalScrollBar()->setSingleStep(1);
  connect(StayTimer, &TMouseStayTimer::Stayed, this, &TVopaTreeBox::FolderRested);
}

TVopaTreeBox::~TVopaTreeBox() = default;

TVopaNode* TVopaTreeBox::NodeAt(int row) const {
  if (row < 0) return RootNode.get();
  Q_ASSERT(row < Count());
  return Rows[size_t(row)];
}

int TVopaTreeBox::RowOf(const TVopaNode* node) const {
  const auto found = std::find(Rows.begin(), Rows.end(), node);
  return found == Rows.end() ? -1 : int(found - Rows.begin());
}

void TVopaTreeBox::SetItemHeight(int height) {
  FItemHeight = std::max(height, 1);
  UpdateScrollBar();
  viewport()->update();
}

int TVopaTreeBox::OverflowHeight() const { return Count() * FItemHeight - viewport()->height(); }

int TVopaTreeBox::TopIndex() const { return verticalScrollBar()->value(); }

void TVopaTreeBox::SetTopIndex(int row) { verticalScrollBar()->setValue(row); }

int TVopaTreeBox::RowAt(QPoint pos) const {
  if (pos.x() < 0 || pos.x() >= viewport()->width() || pos.y() < 0 || pos.y() >= viewport()->height()) return -1;
  const int row = TopIndex() + pos.y() / FItemHeight;
  return row < Count() ? row : -1;
}

QRect TVopaTreeBox::RowRect(int row) const {
  return QRect(0, (row - TopIndex()) * FItemHeight, viewport()->width(), FItemHeight);
}

void TVopaTreeBox::UpdateScrollBar() {
  const int visible = std::max(viewport()->height() / FItemHeight, 1);
  verticalScrollBar()->setPageStep(visible);
  verticalScrollBar()->setRange(0, std::max(Count() - visible, 0));
}

int TVopaTreeBox::LastRowBelow(int row) const {
  const int level = NodeAt(row)->Level;
  int last = row;
  while (last + 1 < Count() && Rows[size_t(last + 1)]->Level > level) ++last;
  return last;
}

void TVopaTreeBox::ResetCaches() {
  FolderRangeCache.Valid = false;
  CurrentIndexValid = false;
}

TVopaNode* TVopaTreeBox::GetCurrentNode() { return CurrentNode; }

void TVopaTreeBox::SetCurrentNode(TVopaNode* node) {
  if (node == CurrentNode) return;
  CurrentNode = node;
  CurrentIndexValid = false;
}

int TVopaTreeBox::CurrentRow() {
  if (!CurrentIndexValid) {
    const TVopaNode* current = GetCurrentNode();
    CurrentIndexCache = current ? RowOf(current) : -1;
    CurrentIndexValid = true;
  }
  return CurrentIndexCache;
}

const TVopaTreeBox::TFolderRange& TVopaTreeBox::FolderRange() {
  if (!FolderRangeCache.Valid) {
    const int first = CurrentFolder ? RowOf(CurrentFolder) : -1;
    FolderRangeCache = {first, first >= 0 ? LastRowBelow(first) : -1, true};
  }
  return FolderRangeCache;
}

TVopaTreeBox::TRowState TVopaTreeBox::StateOf(int row) {
  const TVopaNode* node = Rows[size_t(row)];
  TRowState state = node == CurrentFolder ? TRowState::CurrentFolder : TRowState::Normal;
  if (node == GetCurrentNode()) state = PopupShown || LeftDown || Drag.Active ? TRowState::Pressed : TRowState::Current;
  const bool dropInto = Drag.Accept && Drag.DropMode == TDropMode::Into && node == Drag.DropTarget;
  if (node->Hot || (row == Selection && LeftDown) || dropInto || (Drag.Active && node == Drag.DraggedNode))
    state = TRowState::Hot;
  return state;
}

void TVopaTreeBox::PaintRow(QPainter& canvas, int row, const QRect& rect) {
  const TVopaNode* node = Rows[size_t(row)];
  const TRowState state = StateOf(row);
  const int indent = (node->Level - 1) * ChildMargine;
  TColorSet colors = NormalColors;
  int edges = ceAll;
  switch (state) {
    case TRowState::Normal: {
      if (node->IsFolder()) colors.FontColor = FolderFontColor;
      const TFolderRange& range = FolderRange();
      edges = 0;
      if (range.First >= 0 && range.First < row && row <= range.Last)
        edges = ceLeft | ceRight | (row == range.Last ? ceBottom : 0);
      break;
    }
    case TRowState::Hot:
      colors = HotColors;
      break;
    case TRowState::Current:
      colors = CurrentColors;
      break;
    case TRowState::CurrentFolder:
      colors = FolderColors;
      break;
    case TRowState::Pressed:
      colors = DimmedColors;
      break;
  }
  QFont font = this->font();
  font.setBold(state != TRowState::Normal || node->IsFolder());
  canvas.setFont(font);
  const size_t image = size_t(node->ImageIndex);
  const QPixmap icon = node->ImageIndex >= 0 && image < Images.size() ? Images[image] : QPixmap();
  DrawCell(canvas, palette(), rect, edges, colors, QPoint(indent + kTextLeft, ItemOffset), true, node->Caption,
           QPoint(indent + kIconLeft, ImageTop), icon);
}

void TVopaTreeBox::paintEvent(QPaintEvent*) {
  QPainter canvas(viewport());
  if (Animating) {
    canvas.drawPixmap(0, 0, Frame);
    return;
  }
  int bottom = 0;
  for (int row = TopIndex(); row < Count(); ++row) {
    const QRect rect = RowRect(row);
    if (rect.top() >= viewport()->height()) break;
    PaintRow(canvas, row, rect);
    bottom = rect.bottom() + 1;
  }
  if (bottom < viewport()->height())
    canvas.fillRect(QRect(0, bottom, viewport()->width(), viewport()->height() - bottom), ToQColor(Color, palette()));
  PaintDropMark(canvas);
}

void TVopaTreeBox::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBar();
}

void TVopaTreeBox::scrollContentsBy(int, int) { viewport()->update(); }

void TVopaTreeBox::UpdateNow() { viewport()->repaint(); }

void TVopaTreeBox::RedrawNode(const TVopaNode* node) {
  const int row = node ? RowOf(node) : -1;
  if (row >= 0) viewport()->repaint(RowRect(row));
}

void TVopaTreeBox::SetHot(int row, bool hot) {
  NodeAt(row)->Hot = hot;
  PopupShown = hot;
  RedrawNode(GetCurrentNode());
  RedrawNode(NodeAt(row));
}

void TVopaTreeBox::Tolerating(const std::function<void()>& step) {
  try {
    step();
  } catch (const EVopaError& error) {
    ReportLater(error.Message);
  }
}

void TVopaTreeBox::ReportLater(const QString& message) {
  if (PendingErrors.isEmpty())
    QTimer::singleShot(0, this, [this] {
      const QString messages = PendingErrors.join(u'\n');
      PendingErrors.clear();
      if (OnError) OnError(messages);
    });
  if (!PendingErrors.contains(message)) PendingErrors.append(message);
}

void TVopaTreeBox::ReplaceRoot(std::unique_ptr<TVopaNode> root) {
  EndDrag();
  Rows.clear();
  CurrentFolder = nullptr;
  CurrentNode = nullptr;
  PopupIndex = -1;
  Selection = -1;
  RootNode = std::move(root);
  ResetCaches();
  UpdateScrollBar();
}

void TVopaTreeBox::Rebuild() {}

void TVopaTreeBox::FileItemClick(TVopaNode*) {}

void TVopaTreeBox::CloseAll() {
  Tolerating([this] { RootNode->Close(); });
  Rows.clear();
  CurrentFolder = nullptr;
  CurrentNode = nullptr;
  ResetCaches();
  UpdateScrollBar();
  viewport()->update();
}

void TVopaTreeBox::OpenRow(int row) {
  TVopaNode* node = NodeAt(row);
  if (!node->IsFolder() || node->Opened) return;
  Tolerating([node] { node->Open(); });
  if (!node->Opened) return;
  CurrentFolder = row < 0 ? nullptr : node;
  ResetCaches();
  std::vector<TVopaNode*> children;
  children.reserve(node->Children.size());
  for (const auto& child : node->Children) children.push_back(child.get());
  InsertRows(row + 1, children);
  Selection = -1;
  viewport()->update();
}

void TVopaTreeBox::InsertRows(int at, const std::vector<TVopaNode*>& nodes) {
  const bool animate = Animation && !nodes.empty() && isVisible();
  const QPixmap before = animate ? viewport()->grab() : QPixmap();
  Rows.insert(Rows.begin() + at, nodes.begin(), nodes.end());
  ResetCaches();
  UpdateScrollBar();
  const int last = at + int(nodes.size()) - 1;
  if (before.isNull() || !CanAnimate(at, last)) return;
  Frame = before;
  SetTopIndex(AnimateOpening(at, last));
}

// Nodes about to be freed must not stay referred to; the current folder falls back to the
// nearest folder that survives.
static void Forget(TVopaNode*& reference, const TVopaNode* subtree, TVopaNode* survivor) {
  if (reference && reference != survivor && reference->IsWithin(subtree)) reference = survivor;
}

void TVopaTreeBox::CloseRow(int row) {
  if (row < 0 || row >= Count()) return;
  TVopaNode* node = Rows[size_t(row)];
  if (!node->IsFolder() || !node->Opened) return;
  const int first = row + 1;
  const int last = LastRowBelow(row);
  int top = TopIndex();
  if (Animation && last >= first && isVisible() && CanAnimate(first, last)) {
    Frame = viewport()->grab();
    top = AnimateClosing(first, last);
  }
  Forget(CurrentFolder, node, node);
  Forget(CurrentNode, node, nullptr);
  Forget(Drag.DropTarget, node, nullptr);
  node->Close();
  Rows.erase(Rows.begin() + first, Rows.begin() + (last + 1));
  ResetCaches();
  UpdateScrollBar();
  SetTopIndex(top);
  Selection = -1;
  UpdateNow();
}

void TVopaTreeBox::RemoveNode(TVopaNode* node) {
  const int row = node ? RowOf(node) : -1;
  if (row < 0) return;
  CloseRow(row);
  int top = TopIndex();
  if (Animation && isVisible() && CanAnimate(row, row)) {
    Frame = viewport()->grab();
    top = AnimateClosing(row, row);
  }
  TVopaNode* parent = node->Parent;
  Forget(CurrentFolder, node, parent == RootNode.get() ? nullptr : parent);
  Forget(CurrentNode, node, nullptr);
  Forget(Drag.DropTarget, node, nullptr);
  std::unique_ptr<TVopaNode> removed = parent->TakeChild(node);
  Tolerating([parent] { parent->SaveOrder(); });
  removed.reset();
  Rows.erase(Rows.begin() + row);
  UpdateScrollBar();
  ResetCaches();
  SetTopIndex(top);
  UpdateNow();
}

void TVopaTreeBox::CloseOthers() {
  TVopaNode* current = CurrentFolder;
  int currentRow = current ? RowOf(current) : -1;
  int row = 0;
  if (currentRow >= 0) {
    for (; row < currentRow; ++row) {
      TVopaNode* node = Rows[size_t(row)];
      if (node->Opened && !current->IsWithin(node)) {
        CloseRow(row);
        currentRow = RowOf(current);
      }
    }
    row = currentRow + 1;
  }
  for (; row < Count(); ++row)
    if (Rows[size_t(row)]->Opened) CloseRow(row);
}

void TVopaTreeBox::LeftButtonUp(Qt::KeyboardModifiers modifiers) {
  const int row = Selection;
  if (DragStarted || row < 0) {
    DragStarted = false;
    RedrawNode(GetCurrentNode());
    return;
  }
  TVopaNode* node = Rows[size_t(row)];
  const bool book = !node->IsFolder();
  if (book) {
    SetCurrentNode(node);
    CurrentFolder = node->Parent;
    ResetCaches();
  } else if (node->Opened) {
    CloseRow(row);
  } else {
    OpenRow(row);
  }
  if (((modifiers & Qt::AltModifier) != 0) == !AutoClose) CloseOthers();
  viewport()->update();
  // A folder is never reported, so whatever closing others freed is not touched again.
  if (book) FileItemClick(node);
  Selection = -1;
}

void TVopaTreeBox::RightButtonDown(QPoint pos) {
  EndDrag();
  if (!PopupOnItem) return;
  PopupIndex = RowAt(pos);
  if (PopupIndex >= 0) SetHot(PopupIndex, true);
}

void TVopaTreeBox::RightButtonUp(QPoint pos, QPoint globalPos) {
  if (!PopupOnItem) return;
  const QPointer<TVopaTreeBox> alive(this);
  if (RowAt(pos) == PopupIndex) PopupOnItem->exec(globalPos);
  // The menu's command may have rebuilt the tree or removed the row.
  if (!alive) return;
  if (PopupIndex < Count()) SetHot(PopupIndex, false);
}

void TVopaTreeBox::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (event->button() == Qt::LeftButton) {
    LeftDown = true;
    DragStarted = false;
    Selection = RowAt(pos);
    viewport()->update();
  } else if (event->button() == Qt::RightButton) {
    RightButtonDown(pos);
  }
  event->accept();
}

void TVopaTreeBox::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void TVopaTreeBox::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (Drag.Active) {
    DragOver(pos);
  } else if (LeftDown && !DragStarted) {
    const int row = RowAt(pos);
    if (row != Selection) {
      Selection = row;
      viewport()->update();
    }
    if (row >= 0 && (event->modifiers() & Qt::ControlModifier)) StartDrag();
  }
  event->accept();
}

void TVopaTreeBox::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (event->button() == Qt::LeftButton && LeftDown) {
    if (Drag.Active) DropAt(pos);
    LeftDown = false;
    LeftButtonUp(event->modifiers());
  } else if (event->button() == Qt::RightButton) {
    RightButtonUp(pos, event->globalPosition().toPoint());
  }
  event->accept();
}

// The popup is shown by the right button handling.
void TVopaTreeBox::contextMenuEvent(QContextMenuEvent* event) { event->accept(); }
