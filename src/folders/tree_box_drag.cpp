#include "folders/mouse_stay_timer.h"
#include "folders/tree_box.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <climits>

// The drag lives inside the box, as the system's own list drags do: the box keeps the mouse
// from the press and sees every move until the button comes up.

namespace {

constexpr int kMarkHeight = 3;

}  // namespace

void TVopaTreeBox::StartDrag() {
  DragStarted = true;
  Drag = {};
  Drag.Active = true;
  Drag.DraggedNode = Rows[size_t(Selection)];
  // The keyboard stays where it is; Escape still ends the drag.
  qApp->installEventFilter(this);
  viewport()->update();
}

void TVopaTreeBox::EndDrag() {
  if (!Drag.Active) return;
  Drag = {};
  StayTimer->Release();
  qApp->removeEventFilter(this);
  viewport()->unsetCursor();
  viewport()->update();
}

void TVopaTreeBox::DragOver(QPoint pos) {
  StayTimer->Track(pos);
  Drag.Accept = false;
  const bool inside = viewport()->rect().contains(pos);
  const int row = inside ? RowAt(pos) : -1;
  TDropMode mode = TDropMode::None;
  if (row >= 0) {
    TVopaNode* target = Rows[size_t(row)];
    Drag.DropTarget = target;
    if (target->IsFolder()) StayTimer->Kick(pos);
    const int quarter = (pos.y() - RowRect(row).top()) * 4 / ItemHeight() + 1;
    if (quarter == 1)
      mode = TDropMode::Before;
    else if (quarter == 2)
      mode = target->IsFolder() ? TDropMode::Into : TDropMode::Before;
    else
      mode = target->IsFolder() && target->Opened ? TDropMode::Into : TDropMode::After;
  } else if (inside) {
    mode = TDropMode::AtEnd;
  }
  Drag.DropMode = mode;
  Drag.Accept = mode != TDropMode::None;
  switch (mode) {
    case TDropMode::Before:
    case TDropMode::After:
      Drag.DropParent = Drag.DropTarget->Parent;
      break;
    case TDropMode::Into:
      Drag.DropParent = Drag.DropTarget;
      break;
    default:
      Drag.DropParent = RootNode.get();
  }
  // Nothing goes into itself or below itself; the end of the list is never the dragged row.
  if (Drag.Accept && (Drag.DropParent->IsWithin(Drag.DraggedNode) ||
                      (mode != TDropMode::AtEnd && Drag.DraggedNode == Drag.DropTarget)))
    Drag.Accept = false;
  if (Drag.Accept) Drag.Accept = CheckDrop();
  viewport()->setCursor(Drag.Accept ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
  viewport()->update();
}

bool TVopaTreeBox::CheckDrop() {
  const bool sameFolder = Drag.DraggedNode->Parent == Drag.DropParent;
  switch (DragStyle) {
    case TVopaTreeBoxDragStyle::tfbsCannotSort:
      return false;
    case TVopaTreeBoxDragStyle::tfbsCanSortWithinFolder:
      return sameFolder;
    case TVopaTreeBoxDragStyle::tfbsCanMoveItem:
      return sameFolder && !Drag.DraggedNode->IsFolder();
    case TVopaTreeBoxDragStyle::tfbsCanMoveFolder:
      return true;
  }
  return false;
}

void TVopaTreeBox::DropAt(QPoint pos) {
  DragOver(pos);
  if (Drag.Accept) DoMove();
  EndDrag();
}

void TVopaTreeBox::DoMove() {
  TVopaNode* dragged = Drag.DraggedNode;
  TVopaNode* target = Drag.DropTarget;
  TVopaNode* parent = Drag.DropParent;
  const TDropMode mode = Drag.DropMode;
  CloseRow(RowOf(dragged));
  TVopaNode* oldParent = dragged->Parent;
  std::unique_ptr<TVopaNode> taken = oldParent->TakeChild(dragged);
  Tolerating([oldParent] { oldParent->SaveOrder(); });
  int position = 0;
  if (mode == TDropMode::Before || mode == TDropMode::After)
    position = target->IndexInParent() + (mode == TDropMode::After ? 1 : 0);
  else if (mode == TDropMode::AtEnd)
    position = INT_MAX;
  // A closed folder takes the entry in by a rescan that frees the node.
  const bool shown = parent->Opened;
  if (!shown) {
    if (CurrentFolder == dragged) CurrentFolder = nullptr;
    if (CurrentNode == dragged) CurrentNode = nullptr;
  }
  Tolerating([&] { TVopaNode::AttachTo(std::move(taken), *parent, position); });
  Rows.erase(Rows.begin() + RowOf(dragged));
  if (shown) {
    int row = int(Rows.size());
    if (mode == TDropMode::Before)
      row = RowOf(target);
    else if (mode != TDropMode::AtEnd)
      row = RowOf(target) + 1;
    Rows.insert(Rows.begin() + row, dragged);
  }
  UpdateScrollBar();
  ResetCaches();
  UpdateNow();
}

void TVopaTreeBox::FolderRested(QPoint pos) {
  const int row = RowAt(pos);
  if (!Drag.Active || row < 0 || !Rows[size_t(row)]->IsFolder()) return;
  OpenRow(row);
  DragOver(pos);
}

bool TVopaTreeBox::eventFilter(QObject* watched, QEvent* event) {
  if (Drag.Active && event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    EndDrag();
    return true;
  }
  return QAbstractScrollArea::eventFilter(watched, event);
}

QRect TVopaTreeBox::MarkRect() const {
  const int width = viewport()->width();
  switch (Drag.DropMode) {
    case TDropMode::Before:
    case TDropMode::After: {
      const QRect row = RowRect(RowOf(Drag.DropTarget));
      const int left = (Drag.DropTarget->Level - 1) * ChildMargine;
      const int top = (Drag.DropMode == TDropMode::Before ? row.top() : row.bottom() + 1) - 1;
      return QRect(left, top, width - left, kMarkHeight);
    }
    case TDropMode::AtEnd:
      return QRect(0, RowRect(Count() - 1).bottom(), width, kMarkHeight);
    default:
      return QRect();
  }
}

void TVopaTreeBox::PaintDropMark(QPainter& canvas) {
  if (!Drag.Active || !Drag.Accept) return;
  const QRect mark = MarkRect();
  if (!mark.isNull()) canvas.fillRect(mark, Qt::black);
}
