#pragma once

#include "app/color_set.h"
#include "folders/vopa_node.h"

#include <QAbstractScrollArea>
#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

class TMouseStayTimer;

// Which drops the tree accepts for its own entries.
enum class TVopaTreeBoxDragStyle {
  tfbsCannotSort,           // none
  tfbsCanSortWithinFolder,  // within the entry's own folder
  tfbsCanMoveItem,          // books only, within their own folder
  tfbsCanMoveFolder,        // anywhere the tree allows
};

// Where a drop puts the dragged entry.
enum class TDropMode { None, Before, After, Into, AtEnd };

// A node tree shown as an owner-drawn virtual list of rows: indentation, icons, state colours,
// folding animation, right-click highlight and Ctrl-drag reordering. It stores no strings:
// every row is painted from its node.
class TVopaTreeBox : public QAbstractScrollArea {
  Q_OBJECT
 public:
  using TErrorEvent = std::function<void(const QString& message)>;

  explicit TVopaTreeBox(QWidget* parent = nullptr);
  ~TVopaTreeBox() override;

  // The node of a row; the root for -1.
  TVopaNode* NodeAt(int row) const;
  int RowOf(const TVopaNode* node) const;
  int Count() const { return int(Rows.size()); }
  void OpenRow(int row);
  void CloseRow(int row);
  // Leaves open only the current folder and its ancestors.
  void CloseOthers();
  void RedrawNode(const TVopaNode* node);
  void SetHot(int row, bool hot);
  void RemoveNode(TVopaNode* node);
  // Count × ItemHeight − the visible height; negative when the rows leave free room.
  int OverflowHeight() const;
  int TopIndex() const;
  void SetTopIndex(int row);
  // The row under a viewport position, -1 for none.
  int RowAt(QPoint pos) const;

  virtual void Rebuild();
  virtual TVopaNode* GetCurrentNode();
  virtual void SetCurrentNode(TVopaNode* node);
  virtual void CloseAll();

  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int height);
  int ItemOffset = 0;
  QPointer<QMenu> PopupOnItem;
  TVopaTreeBoxDragStyle DragStyle = TVopaTreeBoxDragStyle::tfbsCannotSort;
  bool AutoClose = false;
  bool Animation = true;
  int ChildMargine = 10;
  TColor Color = 0xFFFFFF;
  TColor FolderFontColor = 0x444466;
  // Sort files that cannot be written are reported here, after the tree has changed.
  TErrorEvent OnError;

  int PopupIndex = -1;
  TVopaNode* CurrentFolder = nullptr;
  int ImageTop = 0;

  TColorSet NormalColors;
  TColorSet HotColors;
  TColorSet CurrentColors;
  TColorSet FolderColors;
  TColorSet DimmedColors;

 protected:
  virtual void FileItemClick(TVopaNode* node);
  virtual bool CheckDrop();
  virtual void DoMove();
  virtual void ResetCaches();

  // Runs a tree step whose sort file may fail to be written; the rows stay right and the
  // failure is reported once the event is over.
  void Tolerating(const std::function<void()>& step);
  // Repaints every row at once.
  void UpdateNow();
  void ReplaceRoot(std::unique_ptr<TVopaNode> root);
  // Inserts rows at a row index, showing them appear frame by frame with Animation.
  void InsertRows(int at, const std::vector<TVopaNode*>& nodes);
  void UpdateScrollBar();

  std::unique_ptr<TVopaNode> RootNode;
  std::vector<TVopaNode*> Rows;
  std::vector<QPixmap> Images;

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

  // The drag (tree_box_drag.cpp).
  struct TDragState {
    bool Active = false;
    TVopaNode* DraggedNode = nullptr;
    TVopaNode* DropTarget = nullptr;
    TVopaNode* DropParent = nullptr;
    TDropMode DropMode = TDropMode::None;
    bool Accept = false;
  };
  TDragState Drag;

 private:
  enum class TRowState { Normal, Hot, Current, CurrentFolder, Pressed };
  struct TFolderRange {
    int First = -1;
    int Last = -1;
    bool Valid = false;
  };

  // Painting (tree_box.cpp).
  QRect RowRect(int row) const;
  TRowState StateOf(int row);
  void PaintRow(QPainter& canvas, int row, const QRect& rect);
  void PaintDropMark(QPainter& canvas);
  const TFolderRange& FolderRange();
  int CurrentRow();
  int LastRowBelow(int row) const;

  // Mouse (tree_box.cpp).
  void LeftButtonUp(Qt::KeyboardModifiers modifiers);
  void RightButtonDown(QPoint pos);
  void RightButtonUp(QPoint pos, QPoint globalPos);
  void ReportLater(const QString& message);

  // The drag (tree_box_drag.cpp).
  void StartDrag();
  void DragOver(QPoint pos);
  void DropAt(QPoint pos);
  void EndDrag();
  QRect MarkRect() const;
  void FolderRested(QPoint pos);

  // Animation (tree_box_animation.cpp): each returns the new top row.
  int AnimateOpening(int first, int last);
  int AnimateClosing(int first, int last);
  bool CanAnimate(int first, int last) const;
  void ShowFrame();
  void PaintRowsDown(QPainter& canvas, int fromRow, int y);
  void PaintRowsUp(QPainter& canvas, int fromRow, int bottom);
  void PaintBlock(QPainter& canvas, int first, int last, int top, int bottom, int height);
  void FillGap(QPainter& canvas, int top, int bottom);
  // Moves the gap's edges toward their ends 10 pixels a frame, the rows around it following.
  void Slide(int first, int last, int& gapTop, int& gapBottom, int topEnd, int bottomEnd);

  int FItemHeight = 17;
  int Selection = -1;
  bool LeftDown = false;
  bool DragStarted = false;
  bool PopupShown = false;
  TVopaNode* CurrentNode = nullptr;
  int CurrentIndexCache = -1;
  bool CurrentIndexValid = false;
  TFolderRange FolderRangeCache;
  TMouseStayTimer* StayTimer = nullptr;
  // While a fold animates, the viewport shows this frame instead of the rows.
  QPixmap Frame;
  bool Animating = false;
  QStringList PendingErrors;
};
