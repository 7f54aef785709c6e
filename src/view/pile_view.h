#pragma once

#include "view/paper_estimate.h"
#include "view/paper_height.h"
#include "view/paper_measurer.h"
#include "view/view.h"

#include <QAbstractScrollArea>
#include <QPointer>
#include <QTextOption>

#include <memory>
#include <vector>

class TSimplePilePaper;

// The pile's scroll box. Its viewport holds the editors of the papers in sight only, so
// a book of any length scrolls over one small widget. It never scrolls by itself to a
// focused child: only the view decides the scroll position.
class TSBForPileView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit TSBForPileView(QWidget* parent = nullptr);

 signals:
  void ViewportWidthChanged();
  void ViewportResized();
  void Shown();

 protected:
  bool focusNextPrevChild(bool next) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

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
  // The estimates of all text papers, worked out on every core before they are placed.
  void PrepareEstimates();
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
  // A paper's new editor: placed at the paper's place on the screen.
  void PlaceEditor(TPaper& paper);
  void PaperPressed(const TPaper& paper);
  void PaperReleased();
  QWidget* Sheet() const;
  int PaperWidth() const;
  // What papers are measured with now; a change of width or font starts a new generation.
  TPaperMetrics Metrics() const;
  int MeasureGeneration() const { return Generation; }
  const TPaperEstimator& Estimator() const { return PaperEstimator; }
  const QFont& PaperFont() const { return Font; }
  const QTextOption& PaperTextOption() const { return TextOption; }
  // Height of one text line in the papers' editors: text height plus leading of the
  // font and of the fallback font that draws Japanese, so no line outgrows it.
  int PaperLineHeight() const { return LineHeight; }
  // Papers get estimated heights when placed; those in sight are measured at once, the
  // rest on worker threads. True once every paper has its exact height.
  bool MeasuringDone() const { return !Measuring; }
  // Keeps the workers from starting more measuring (while true), for tests that look at
  // the pile before measuring ends.
  void HoldMeasuring(bool hold);

  TSBForPileView* ScrollBox() const { return Box.data(); }
  std::vector<std::unique_ptr<TPaper>> Papers;
  TBook* Book = nullptr;

 private:
  // A paper whose place on the screen is kept while heights above it change.
  struct TAnchor {
    int Index = -1;
    int Offset = 0;
  };

  void SuspendAlign() { ++AlignLock; }
  void ResumeAlign();
  void Restack(int from);
  void RestackTops(int from);
  void UpdateScrollRange();
  int IndexAtY(int y) const;
  TAnchor Anchor() const;
  void KeepAnchor(const TAnchor& anchor);
  void SyncInSight();
  void MeasureInSight();
  void PlaceEditors();
  void Forget(const TPaper* paper);
  void RelayoutAll();
  void RestartMeasuring();
  void FeedMeasurer();
  void TakeMeasured(int generation, TPaperMeasurer::TBatch& batch);
  void UpdateFont();
  int ScrollPos() const;
  int VisibleHeight() const;
  void JoinToPrevious(int index, TMemoCommand& code);
  void MoveToMemo(int index, bool caretAtEnd);

  // Made in the parent widget given at construction and deleted by this view with its papers;
  // the QPointer notices a parent that is destroyed first.
  QPointer<TSBForPileView> Box;
  QFont Font;
  QTextOption TextOption;
  TPaperEstimator PaperEstimator;
  int LineHeight = 0;
  int AlignLock = 0;
  int ContentHeight = 0;
  int Generation = 0;
  int GenerationWidth = -1;
  // Papers that hold an editor, whose place follows the scroll position.
  std::vector<TPaper*> Sighted;
  bool Syncing = false;
  std::unique_ptr<TPaperMeasurer> Measurer;
  int MeasureCursor = 0;
  bool Measuring = false;
  bool MeasuringHeld = false;
};
