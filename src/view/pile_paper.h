#pragma once

#include "view/memo_editor.h"
#include "view/view.h"

#include <vector>

class TPileView;
class TSimplePilePaper;

// The editor's document margin: the text wraps this far inside the paper on each side.
inline constexpr int kPaperDocumentMargin = 4;

// The borderless, word-wrapping editor of one text memo in the pile view.
class TMemoForPileView : public TMemoEditor {
  Q_OBJECT
 public:
  explicit TMemoForPileView(TSimplePilePaper& paper, QWidget* parent);
  // Cut loose when the paper goes; the editor itself is deleted later.
  void Detach() { Paper = nullptr; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  TSimplePilePaper* Paper;
};

// A text memo in the pile view. Its editor exists only while the paper is in sight
// or current; otherwise the paper is measured from the memo's text alone.
class TSimplePilePaper : public TPaper {
 public:
  explicit TSimplePilePaper(TPileView& view);
  ~TSimplePilePaper() override;

  void SetColors(const TColorSet& colors) override;
  void Load() override;
  void Save() override;
  void HandleCommand(TMemoCommand& code) override;
  void DoCommand(TPaperCommand command) override;
  void SetInSight(bool inSight) override;

  // Measures the paper exactly and restacks the pile when its height changed.
  void FitHeight();
  void MeasureLineHeight();
  // Heights are estimated from the text until measured exactly with the pile's metrics:
  // from the editor's document while it shows, else from a layout of the memo's text.
  bool HeightIsExact() const;
  // The text's line widths for the estimate; touches this paper alone, so papers may
  // prepare on several threads at once.
  void PrepareEstimate();
  void Estimate();
  void MeasureExact();
  // A height measured elsewhere for text; taken only while the memo still holds that text.
  // True when the height changed.
  bool TakeHeight(int height, const QString& text);
  // The editor's change handler: writes every edit into the memo at once.
  void WriteBack();
  // Enter typed into the editor: grows the paper before the caret moves down.
  void EnterKey();

  TMemoForPileView* Editor() const;
  // The editor with the memo's text loaded.
  TMemoForPileView* EnsureEditor();
  // The editor, whose text may wait until it first shows (see LoadEditorText).
  TMemoForPileView* MakeEditor();
  // Loads the memo's text into an editor made while the pile was hidden, now that it shows.
  void LoadEditorText();
  bool EditorTextPending() const { return TextPending; }
  // The text as the editor holds it (or would hold it once created).
  QString EditorText() const;
  // Replaces the whole text as an edit (the change is written back), forgets the editor's
  // undo history and puts the caret.
  void ReplaceText(const QString& editorText, int caret);
  void SetCaret(int position);
  void SetCaretToEnd();
  void ApplyFont();

  TPileView& Pile;
  int LineHeight = 0;

 private:
  void SetHeight(int height);
  // The text and generation of the pile's metrics the height was measured for.
  int MeasuredGeneration = -1;
  bool TextPending = false;
  QString MeasuredText;
  // The text the line widths of the estimate were taken from, with the pile's font.
  QString EstimatedText;
  std::vector<float> LineWidths;
  void ApplyColors();
  void ReleaseEditor();
  void Divide();
  bool MoveCaretVertically(QTextCursor::MoveOperation operation);
};

// The paper class of text memos in the pile view.
std::unique_ptr<TPaper> CreateSimplePilePaper(TView& view);
