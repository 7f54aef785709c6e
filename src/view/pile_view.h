#pragma once

#include "view/view.h"

#include <QPointer>
#include <QScrollArea>
#include <QTextOption>

#include <memory>
#include <vector>

class TSimplePilePaper;

// The pile's scroll box. It never scrolls by itself to a focused child: only the
// view decides the scroll position.
class TSBForPileView : public QScrollArea {
  Q_OBJECT
 public:
  explicit TSBForPileView(QWidget* parent = nullptr);

 signals:
  void ViewportWidthChanged();

 protected:
  bool focusNextPrevChild(bool next) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  int LastViewportWidth = -1;
};

// Shows every memo of the current book, one paper per memo, stacked top to bottom.
class TPileView : public TView {
 public:
  explicit TPileView(TViewHost& host, QWidget* parent = nullptr);
  ~TPileView() override;

  void SetPaperFocus(bool focused) override;
  void MemoChanged(TViewNotify kind, int index, int newIndex) override;
  void SetColors(const TColorSet& colors) override;
  void SetFontName(const QString& name) override;
  void SetFontSize(int size) override;
  TPaperClass PaperClassFor(TMemoTypeNo memoType) const override;
  void BeforeCommand(TMemoCommand& code) override;
  void AfterCommand(TMemoCommand& code) override;
  void Activate() override;
  void Deactivate() override;
  void SetBook(TBook* book) override;
  void MemoTypeChanged(TSMemo* memo, TMemoTypeNo memoType) override;
  virtual std::unique_ptr<TPaper> CreatePaper(int index, TMemoTypeNo memoType);

  void PlacePaperAt(int index);
  void ClearPapers();
  void SetPaperAt(int index, std::unique_ptr<TPaper> paper);
  TPaper* CurrentPaper() const;
  int FirstVisibleIndex() const;
  int ShowCurrentDelta() const;
  int CaretDelta() const;
  void ScrollBy(int delta);

  // Paper support.
  int IndexOf(const TPaper* paper) const;
  void PaperHeightChanged(const TPaper& paper);
  void PaperPressed(const TPaper& paper);
  void PaperReleased();
  QWidget* Sheet() const { return SheetWidget; }
  int PaperWidth() const;
  const QFont& PaperFont() const { return Font; }
  const QTextOption& PaperTextOption() const { return TextOption; }
  // Height of one text line in the papers' editors: text height plus leading of the
  // font and of the fallback font that draws Japanese, so no line outgrows it.
  int PaperLineHeight() const { return LineHeight; }
  // Every paper has its exact height (papers are measured as they are placed).
  bool MeasuringDone() const { return true; }

  TSBForPileView* ScrollBox() const { return Box.data(); }
  std::vector<std::unique_ptr<TPaper>> Papers;
  TBook* Book = nullptr;

 private:
  void SuspendAlign() { ++AlignLock; }
  void ResumeAlign();
  void Restack(int from);
  void SyncInSight();
  void RelayoutAll();
  void UpdateFont();
  int ScrollPos() const;
  int VisibleHeight() const;
  void JoinToPrevious(int index, TMemoCommand& code);
  void MoveToMemo(int index, bool caretAtEnd);

  // Owned by the parent widget given at construction (the main window's panel).
  QPointer<TSBForPileView> Box;
  QWidget* SheetWidget;
  QFont Font;
  QTextOption TextOption;
  int LineHeight = 0;
  int AlignLock = 0;
};
