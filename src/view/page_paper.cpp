#include "view/page_paper.h"

#include "book/book.h"
#include "view/colors.h"
#include "view/memo_editor.h"
#include "view/paper_text.h"

#include <QBoxLayout>
#include <QFontMetricsF>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <memory>

namespace {

constexpr int kWheelLines = 3;
constexpr int kTabStopChars = 8;  // as in the pile view, so a memo looks alike in both

QString EditorTextOf(const TSMemo& memo) {
  return ToEditorText(memo.Text.isEmpty() ? QString() : memo.Text + QStringLiteral("\r\n"));
}

}  // namespace

TSimplePagePaper::TSimplePagePaper(TView& view, QWidget* page) : TPaper(view) {
  auto* editor = new TMemoEditor(page);
  editor->setObjectName(QStringLiteral("TextPaper"));
  editor->hide();
  Control = editor;
  ApplyFont();
  editor->setTabChangesFocus(false);
  editor->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  editor->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  // A fixed scroll bar keeps the wrapping width from changing as the memo grows.
  editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  editor->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(editor, &QWidget::customContextMenuRequested, editor,
                   [this](const QPoint& position) { ShowPopup(position); });
  // Below the page's title bar, taking all the room left.
  if (auto* column = qobject_cast<QBoxLayout*>(page ? page->layout() : nullptr)) column->addWidget(editor, 1);
  SetColors(Colors);
}

TSimplePagePaper::~TSimplePagePaper() { RemoveChangeHandler(); }

QPlainTextEdit* TSimplePagePaper::Editor() const { return static_cast<QPlainTextEdit*>(Control.data()); }

void TSimplePagePaper::ApplyFont() {
  QFont font(View.FontName);
  font.setPointSize(View.FontSize);
  Editor()->setFont(font);
  Editor()->setTabStopDistance(QFontMetricsF(font).averageCharWidth() * kTabStopChars);
}

void TSimplePagePaper::SetColors(const TColorSet& colors) {
  TPaper::SetColors(colors);
  QPalette palette = Editor()->palette();
  palette.setColor(QPalette::Base, ToQColor(colors.BackColor));
  palette.setColor(QPalette::Text, ToQColor(colors.FontColor));
  Editor()->setPalette(palette);
}

void TSimplePagePaper::ShowPopup(const QPoint& position) {
  // The memo menu acts on the current memo; an empty page offers plain editing instead.
  QMenu* popup = Memo ? View.Host.PopupMemo() : nullptr;
  if (popup) {
    popup->exec(Editor()->viewport()->mapToGlobal(position));
    return;
  }
  std::unique_ptr<QMenu> standard(Editor()->createStandardContextMenu());
  standard->exec(Editor()->viewport()->mapToGlobal(position));
}

void TSimplePagePaper::SetChangeHandler(void (TSimplePagePaper::*handler)()) {
  RemoveChangeHandler();
  ChangeHandler =
      QObject::connect(Editor(), &QPlainTextEdit::textChanged, Editor(), [this, handler] { (this->*handler)(); });
}

void TSimplePagePaper::RemoveChangeHandler() { QObject::disconnect(ChangeHandler); }

void TSimplePagePaper::Detach() {
  RemoveChangeHandler();
  Editor()->clear();
}

void TSimplePagePaper::Load() {
  if (LoadState == TLoadState::Saving) return;
  RemoveChangeHandler();
  QPlainTextEdit* editor = Editor();
  if (Memo) {
    editor->setPlainText(EditorTextOf(*Memo));
    PutCaretAtTextEnd(*editor);
    // The caret waits at the end, but a memo is read from its top.
    editor->verticalScrollBar()->setValue(0);
    LoadState = TLoadState::Loaded;
    editor->document()->setModified(false);
    SetChangeHandler(&TSimplePagePaper::WriteBack);
  } else {
    editor->clear();
    editor->document()->setModified(false);
    SetChangeHandler(&TSimplePagePaper::NewMemoFromTyping);
  }
}

void TSimplePagePaper::Save() {
  if (!Memo) return;
  LoadState = TLoadState::Saving;
  Memo->SetText(ToMemoText(Editor()->document()->toRawText()));
  View.Host.MemoEdited(Memo);
  LoadState = TLoadState::Loaded;
}

void TSimplePagePaper::WriteBack() {
  if (!Editor()->document()->isModified()) return;
  Save();
  Editor()->document()->setModified(false);
}

void TSimplePagePaper::NewMemoFromTyping() {
  // An input method's preedit changes the page without giving it text yet: keep waiting.
  if (Editor()->document()->isEmpty()) return;
  RemoveChangeHandler();
  TViewHost& host = View.Host;
  const int index = host.InsertMemo(ToMemoText(Editor()->document()->toRawText()), 0, nullptr);
  if (index < 0) {
    SetChangeHandler(&TSimplePagePaper::NewMemoFromTyping);
    return;
  }
  host.SelectMemoAt(index);
  // Loading put the caret right after what was typed.
  DoCommand(pcFocus);
}

void TSimplePagePaper::HandleCommand(TMemoCommand& code) {
  switch (code) {
    case mcUp:
    case mcDown:
      Editor()->moveCursor(code == mcUp ? QTextCursor::Up : QTextCursor::Down);
      code = mcNone;
      break;
    case mcWheelUp:
    case mcWheelDown:
      if (Editor()->hasFocus() && !View.Host.HeldButtons().testFlag(Qt::MiddleButton)) {
        DoCommand(code == mcWheelUp ? pcScrollUp : pcScrollDown);
        code = mcDone;
      }
      break;
    default:
      break;
  }
}

void TSimplePagePaper::ScrollLines(QTextCursor::MoveOperation direction) {
  QScrollBar* bar = Editor()->verticalScrollBar();
  const int step = direction == QTextCursor::Up ? -kWheelLines : kWheelLines;
  const int scrolled = qBound(bar->minimum(), bar->value() + step, bar->maximum());
  for (int line = 0; line < kWheelLines; ++line) Editor()->moveCursor(direction);
  // Moving the caret may have scrolled it into sight; the wheel scrolls by its lines only.
  bar->setValue(scrolled);
}

void TSimplePagePaper::DoCommand(TPaperCommand command) {
  switch (command) {
    case pcFocus:
      if (Editor()->isVisible() && Editor()->isEnabled()) Editor()->setFocus(Qt::OtherFocusReason);
      break;
    case pcScrollDown:
      ScrollLines(QTextCursor::Down);
      break;
    case pcScrollUp:
      ScrollLines(QTextCursor::Up);
      break;
    default:
      break;
  }
}
