#pragma once

#include "view/view.h"

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QWidget>

class TCustomAAPaper;
class TPileView;

// The paint box of an ASCII-art paper: draws the paper's picture and passes mouse
// presses and the context menu on.
class TAAPaintBox : public QWidget {
  Q_OBJECT
 public:
  TAAPaintBox(TCustomAAPaper& paper, QWidget* parent);
  // Cut loose when the paper goes; the box itself is deleted later.
  void Detach() { Paper = nullptr; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  TCustomAAPaper* Paper;
};

// An ASCII-art memo: its text drawn once in the ASCII-art font, never edited here,
// scaled down to fit the paper and coloured with the paper's colour set.
class TCustomAAPaper : public TPaper {
 public:
  ~TCustomAAPaper() override;

  void SetColors(const TColorSet& colors) override;
  void Save() override {}
  void DoCommand(TPaperCommand command) override;
  // Fits ImageSize to the room the paper has; true when it changed.
  virtual bool ComputeSize() = 0;
  virtual QPoint ImageOrigin() const = 0;
  virtual void Relayout() {}

  // Draws the memo's text at natural size into TextBitmap.
  void RenderText();
  void Paint(QPainter& painter) const;
  TAAPaintBox* PaintBox() const { return static_cast<TAAPaintBox*>(Control.data()); }
  virtual void MousePressed() {}
  virtual void MouseReleased() {}
  virtual void Resized() {}

  QImage TextBitmap;
  QImage ScaledBitmap;
  QImage ShownBitmap;
  // The size the picture is scaled to; empty until first computed.
  QSize ImageSize;

 protected:
  TCustomAAPaper(TView& view, QWidget* parent);
  // Stores the size; true when it differs from the one before.
  bool StoreSize(QSize size);
};

// An ASCII-art memo in the pile: as wide as the pile allows, never taller than its
// visible height, and as tall as its picture.
class TPileAAPaper : public TCustomAAPaper {
 public:
  explicit TPileAAPaper(TPileView& view);

  void Load() override;
  bool ComputeSize() override;
  QPoint ImageOrigin() const override;
  void Relayout() override;
  void MousePressed() override;
  void MouseReleased() override;

  TPileView& Pile;
};

// The page view's ASCII-art paper: the picture fitted into the whole page, centred.
class TPageAAPaper : public TCustomAAPaper {
 public:
  // The paint box goes into the page (the main window's right-hand panel), hidden.
  TPageAAPaper(TView& view, QWidget* page);

  void Load() override;
  bool ComputeSize() override;
  QPoint ImageOrigin() const override;
  void Relayout() override;
  void Resized() override { Relayout(); }
};

// The paper class of ASCII-art memos in the pile view.
std::unique_ptr<TPaper> CreatePileAAPaper(TView& view);
