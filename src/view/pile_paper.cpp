#include "view/pile_paper.h"

#include "book/book.h"
#include "book/text_trim.h"
#include "view/colors.h"
#include "view/paper_text.h"
#include "view/pile_view.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QTextBlock>

namespace {

bool IsEnterKey(const QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  return enter && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

// Texts are shared: the same buffer is the same text, without comparing it.
bool SameText(const QString& a, const QString& b) {
  return a.size() == b.size() && (a.constData() == b.constData() || a == b);
}

// The editor text a memo loads as: its text and a line break, nothing for an empty memo.
QString LoadedText(const TSMemo& memo) {
  return memo.Text.isEmpty() ? QString() : ToEditorText(memo.Text) + QLatin1Char('\n');
}

}  // namespace

TMemoForPileView::TMemoForPileView(TSimplePilePaper& paper, QWidget* parent) : TMemoEditor(parent), Paper(&paper) {
  setFrameShape(QFrame::NoFrame);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setTabChangesFocus(false);
  document()->setDocumentMargin(kPaperDocumentMargin);
}

void TMemoForPileView::keyPressEvent(QKeyEvent* event) {
  const int caretBefore = textCursor().position();
  if (Paper && IsEnterKey(event))
    Paper->EnterKey();
  else
    QPlainTextEdit::keyPressEvent(event);
  // The editor never scrolls itself; the pile follows typing and keys that move the caret
  // (Ctrl+Home, Page Down and the like), which could otherwise leave it out of sight.
  if (Paper && (!event->text().isEmpty() || textCursor().position() != caretBefore))
    Paper->View.MemoChanged(TViewNotify::vnShowCaret, 0, 0);
}

void TMemoForPileView::mousePressEvent(QMouseEvent* event) {
  QPlainTextEdit::mousePressEvent(event);
  if (Paper) Paper->Pile.PaperPressed(*Paper);
}

void TMemoForPileView::mouseReleaseEvent(QMouseEvent* event) {
  QPlainTextEdit::mouseReleaseEvent(event);
  if (Paper) Paper->Pile.PaperReleased();
}

void TMemoForPileView::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* popup = Paper ? Paper->View.Host.PopupMemo() : nullptr;
  if (popup)
    popup->exec(event->globalPos());
  else
    QPlainTextEdit::contextMenuEvent(event);
}

void TMemoForPileView::paintEvent(QPaintEvent* event) {
  QPlainTextEdit::paintEvent(event);
  // A thin edge under each paper keeps neighbouring memos apart without taking text room.
  QPainter painter(viewport());
  painter.setPen(palette().color(QPalette::Mid));
  const int bottom = viewport()->height() - 1;
  painter.drawLine(0, bottom, viewport()->width(), bottom);
}

void TMemoForPileView::resizeEvent(QResizeEvent* event) {
  const int oldWidth = event->oldSize().width();
  QPlainTextEdit::resizeEvent(event);
  // The layout only now follows the real width; a first show may wrap differently.
  if (Paper && !Paper->EditorTextPending() && width() != oldWidth) Paper->FitHeight();
}

void TMemoForPileView::showEvent(QShowEvent* event) {
  QPlainTextEdit::showEvent(event);
  if (Paper) Paper->LoadEditorText();
}

TSimplePilePaper::TSimplePilePaper(TPileView& view) : TPaper(view), Pile(view) {}

TSimplePilePaper::~TSimplePilePaper() { ReleaseEditor(); }

std::unique_ptr<TPaper> CreateSimplePilePaper(TView& view) {
  return std::make_unique<TSimplePilePaper>(dynamic_cast<TPileView&>(view));
}

TMemoForPileView* TSimplePilePaper::Editor() const { return static_cast<TMemoForPileView*>(Control.data()); }

TMemoForPileView* TSimplePilePaper::EnsureEditor() {
  TMemoForPileView* editor = MakeEditor();
  LoadEditorText();
  return editor;
}

TMemoForPileView* TSimplePilePaper::MakeEditor() {
  if (Editor()) return Editor();
  auto* editor = new TMemoForPileView(*this, Pile.Sheet());
  editor->setFont(Pile.PaperFont());
  editor->setTabStopDistance(Pile.PaperTextOption().tabStopDistance());
  Control = editor;
  ApplyColors();
  QObject::connect(editor, &QPlainTextEdit::textChanged, editor, [this] { WriteBack(); });
  // A hidden editor lays its text out unwrapped and then again when it first shows: the text
  // goes in once the editor shows at the pile's width, so a long memo is laid out once.
  TextPending = true;
  Pile.PlaceEditor(*this);
  editor->show();
  if (editor->isVisible()) LoadEditorText();
  return editor;
}

void TSimplePilePaper::LoadEditorText() {
  TMemoForPileView* editor = Editor();
  if (!editor || !TextPending) return;
  editor->setPlainText(LoadedText(*Memo));  // no edit: nothing is written back while pending
  PutCaretAtTextEnd(*editor);
  TextPending = false;
  FitHeight();
}

void TSimplePilePaper::ReleaseEditor() {
  TMemoForPileView* editor = Editor();
  if (!editor) return;
  editor->Detach();
  QObject::disconnect(editor, nullptr, nullptr, nullptr);
  editor->hide();
  editor->deleteLater();
  Control = nullptr;
  TextPending = false;
  // The editor wrote every change into the memo: its height is the memo text's.
  MeasuredText = Memo->Text;
}

void TSimplePilePaper::SetInSight(bool inSight) {
  if (inSight) {
    MakeEditor();
    return;
  }
  // An editor holding the focus stays: the user may be typing into it.
  if (Editor() && !Editor()->hasFocus()) ReleaseEditor();
}

void TSimplePilePaper::SetColors(const TColorSet& colors) {
  TPaper::SetColors(colors);
  ApplyColors();
}

void TSimplePilePaper::ApplyColors() {
  TMemoForPileView* editor = Editor();
  if (!editor) return;
  editor->setUpdatesEnabled(false);
  QPalette palette = editor->palette();
  palette.setColor(QPalette::Base, ToQColor(Colors.BackColor));
  palette.setColor(QPalette::Text, ToQColor(Colors.FontColor));
  editor->setPalette(palette);
  editor->setUpdatesEnabled(true);
  editor->update();
}

void TSimplePilePaper::ApplyFont() {
  LineHeight = 0;
  EstimatedText = QString();
  LineWidths.clear();
  if (TMemoForPileView* editor = Editor()) {
    editor->setFont(Pile.PaperFont());
    editor->setTabStopDistance(Pile.PaperTextOption().tabStopDistance());
  }
}

void TSimplePilePaper::Load() {
  if (LoadState == TLoadState::Saving) return;
  if (TMemoForPileView* editor = Editor(); editor && !TextPending) {
    editor->setPlainText(LoadedText(*Memo));
    PutCaretAtTextEnd(*editor);
  }
  if (Memo->GetOption(kOptTransfered) == QLatin1String("True")) SetColors(View.Host.Prm().TransferedPaperColors);
  LoadState = TLoadState::Loaded;
}

void TSimplePilePaper::Save() {
  LoadState = TLoadState::Saving;
  if (TMemoForPileView* editor = Editor(); editor && !TextPending) {
    Memo->SetText(ToMemoText(editor->document()->toRawText()));
    View.Host.MemoEdited(Memo);
  }
  LoadState = TLoadState::Loaded;
}

QString TSimplePilePaper::EditorText() const {
  if (TMemoForPileView* editor = Editor(); editor && !TextPending) return editor->toPlainText();
  return LoadedText(*Memo);
}

void TSimplePilePaper::MeasureLineHeight() { LineHeight = Pile.PaperLineHeight(); }

bool TSimplePilePaper::HeightIsExact() const {
  if (MeasuredGeneration != Pile.MeasureGeneration() || LineHeight <= 0) return false;
  // An editor measures itself after every change of its text.
  return Editor() || SameText(MeasuredText, Memo->Text);
}

void TSimplePilePaper::PrepareEstimate() {
  if (SameText(EstimatedText, Memo->Text) && !LineWidths.empty()) return;
  LineWidths = Pile.Estimator().LineWidths(Memo->Text);
  EstimatedText = Memo->Text;
}

void TSimplePilePaper::Estimate() {
  if (LineHeight <= 0) MeasureLineHeight();
  PrepareEstimate();
  SetHeight(TPaperEstimator::Height(LineWidths, Pile.PaperWidth() - 2 * kPaperDocumentMargin, LineHeight));
}

void TSimplePilePaper::MeasureExact() {
  if (LineHeight <= 0) MeasureLineHeight();
  int height;
  if (TMemoForPileView* editor = Editor()) {
    // The editor lays its text out anyway: its document gives the height once it shows the
    // text. Until then the estimate stays; measuring the text as well would double the work.
    if (!editor->isVisible() || TextPending) return;
    // The document wraps at the editor's width, which follows the pile's only when placed.
    if (editor->width() != Pile.PaperWidth()) editor->resize(Pile.PaperWidth(), editor->height());
    height = DocumentPaperHeight(*editor->document(), LineHeight);
  } else {
    height = ExactPaperHeight(Memo->Text, Pile.Metrics());
  }
  MeasuredGeneration = Pile.MeasureGeneration();
  MeasuredText = Memo->Text;
  SetHeight(height);
}

bool TSimplePilePaper::TakeHeight(int height, const QString& text) {
  if (Editor() || LineHeight <= 0 || !SameText(text, Memo->Text)) return false;
  MeasuredGeneration = Pile.MeasureGeneration();
  MeasuredText = text;
  if (height == Height) return false;
  SetHeight(height);
  return true;
}

void TSimplePilePaper::SetHeight(int height) {
  Height = height;
  if (TMemoForPileView* editor = Editor(); editor && editor->height() != height)
    editor->resize(editor->width(), height);
}

void TSimplePilePaper::FitHeight() {
  const int before = Height;
  MeasureExact();
  if (Height != before) Pile.PaperHeightChanged(*this);
}

void TSimplePilePaper::WriteBack() {
  TMemoForPileView* editor = Editor();
  if (!editor || TextPending || !editor->document()->isModified()) return;
  FitHeight();
  LoadState = TLoadState::WritingBack;
  Save();
  editor->document()->setModified(false);
  View.MemoChanged(TViewNotify::vnShowCaret, 0, 0);
}

void TSimplePilePaper::EnterKey() {
  TMemoForPileView* editor = EnsureEditor();
  editor->setUpdatesEnabled(false);
  QTextCursor cursor = editor->textCursor();
  const int position = cursor.selectionStart();
  // A separate cursor: the editor's own would scroll its text before the paper grows.
  QTextCursor edit(editor->document());
  edit.setPosition(cursor.selectionStart());
  edit.setPosition(cursor.selectionEnd(), QTextCursor::KeepAnchor);
  edit.insertText(QStringLiteral("\n"));
  FitHeight();
  SetCaret(position + 1);
  editor->setUpdatesEnabled(true);
  editor->repaint();
}

void TSimplePilePaper::ReplaceText(const QString& editorText, int caret) {
  TMemoForPileView* editor = EnsureEditor();
  QTextCursor edit(editor->document());
  edit.select(QTextCursor::Document);
  edit.insertText(editorText);  // an edit: the change handler writes it back
  // Text moved between memos: an undo here would bring back what now lives in another memo.
  editor->document()->clearUndoRedoStacks();
  SetCaret(caret);
}

void TSimplePilePaper::SetCaret(int position) {
  TMemoForPileView* editor = EnsureEditor();
  QTextCursor cursor = editor->textCursor();
  cursor.setPosition(qBound(0, position, editor->document()->characterCount() - 1));
  editor->setTextCursor(cursor);
}

void TSimplePilePaper::SetCaretToEnd() { EnsureEditor()->moveCursor(QTextCursor::End); }

bool TSimplePilePaper::MoveCaretVertically(QTextCursor::MoveOperation operation) {
  TMemoForPileView* editor = EnsureEditor();
  const int before = editor->textCursor().position();
  editor->moveCursor(operation);
  return editor->textCursor().position() != before;
}

void TSimplePilePaper::HandleCommand(TMemoCommand& code) {
  switch (code) {
    case mcUp:
    case mcDown: {
      const bool up = code == mcUp;
      if (MoveCaretVertically(up ? QTextCursor::Up : QTextCursor::Down)) {
        code = mcDone;
        View.Notify(TViewNotify::vnShowCaret);
        break;
      }
      const int position = Editor()->textCursor().position();
      const int end = Editor()->document()->characterCount() - 1;
      if (up && position != 0) {
        SetCaret(0);
        code = mcDone;
      } else if (!up && position < end) {
        SetCaretToEnd();
        code = mcDone;
      }
      break;
    }
    case mcDivide:
      Divide();
      break;
    default:
      break;
  }
}

void TSimplePilePaper::Divide() {
  TMemoForPileView* editor = EnsureEditor();
  const QString text = editor->toPlainText();
  const int split = editor->textCursor().selectionStart();
  const QString rest = text.mid(split);
  const QString head = TrimMemoText(text.left(split));
  // A split at a line's start keeps that line's indentation; inside a line the blanks
  // at the split only separated words.
  const bool atLineStart = split == 0 || text.at(split - 1) == QLatin1Char('\n');
  ReplaceText(head.isEmpty() ? QString() : head + QLatin1Char('\n'), INT_MAX);
  TViewHost& host = View.Host;
  host.InsertMemo(ToMemoText(atLineStart ? TrimMemoText(rest) : TrimControls(rest)), host.GetCurrentIndex() + 1,
                  nullptr);
  host.SelectMemoAt(host.GetCurrentIndex() + 1);
  if (auto* next = dynamic_cast<TSimplePilePaper*>(Pile.CurrentPaper())) next->SetCaret(0);
}

void TSimplePilePaper::DoCommand(TPaperCommand command) {
  switch (command) {
    case pcLeave:
      SetColors(View.Colors);
      DoCommand(pcUnfocus);
      break;
    case pcEnter:
      MakeEditor();
      SetColors(View.Host.Prm().ActivePaperColors);
      break;
    case pcRelayout:
      // Out of sight an estimate does until the pile has the paper measured.
      if (Editor() && Editor()->isVisible())
        FitHeight();
      else if (!HeightIsExact())
        Estimate();
      break;
    case pcFocus: {
      TMemoForPileView* editor = MakeEditor();
      if (editor->isEnabled() && editor->focusPolicy() != Qt::NoFocus) editor->setFocus(Qt::OtherFocusReason);
      break;
    }
    case pcUnfocus:
      if (Editor() && Editor()->window()->focusWidget() == Editor()) Editor()->clearFocus();
      break;
    default:
      break;
  }
}
