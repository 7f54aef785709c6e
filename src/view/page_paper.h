#pragma once

#include "view/view.h"

#include <QMetaObject>
#include <QTextCursor>

class QPlainTextEdit;

// The page view's text paper: one word-wrapping editor that fills the page and shows
// the current memo, or nothing (then the first typing creates a memo).
class TSimplePagePaper : public TPaper {
 public:
  // The editor goes into the page (the main window's right-hand panel), hidden.
  TSimplePagePaper(TView& view, QWidget* page);
  ~TSimplePagePaper() override;

  void SetColors(const TColorSet& colors) override;
  void Detach() override;
  void Load() override;
  void Save() override;
  void HandleCommand(TMemoCommand& code) override;
  void DoCommand(TPaperCommand command) override;

  // Change handler while a memo is shown: every edit goes into the memo at once.
  void WriteBack();
  // Change handler while no memo is shown: what is typed becomes a new memo at the top.
  void NewMemoFromTyping();

  QPlainTextEdit* Editor() const;
  void ApplyFont();

 private:
  void SetChangeHandler(void (TSimplePagePaper::*handler)());
  void RemoveChangeHandler();
  // Scrolls the text and moves the caret along by the same number of lines.
  void ScrollLines(QTextCursor::MoveOperation direction);
  void ShowPopup(const QPoint& position);

  QMetaObject::Connection ChangeHandler;
};
