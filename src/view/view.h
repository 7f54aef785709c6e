#pragma once

#include "app/color_set.h"
#include "app/vopa_prm.h"
#include "view/memo_command.h"
#include "view/view_codes.h"
#include "view/view_host.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

class TBook;
class TSMemo;
class TPaper;
class TView;

// A paper class: creates a paper of that class for a view.
using TPaperClass = std::unique_ptr<TPaper> (*)(TView& view);

// Base of the pile view and the page view: shows the current book's memos.
class TView {
 public:
  explicit TView(TViewHost& host);
  TView(const TView&) = delete;
  TView& operator=(const TView&) = delete;
  virtual ~TView();

  virtual void SetPaperFocus(bool focused);
  virtual void MemoChanged(TViewNotify kind, int index, int newIndex) = 0;
  virtual void SetColors(const TColorSet& colors);
  virtual void SetFontName(const QString& name);
  virtual void SetFontSize(int size);
  virtual TPaperClass PaperClassFor(TMemoTypeNo memoType) const;
  virtual void BeforeCommand(TMemoCommand& code) = 0;
  virtual void AfterCommand(TMemoCommand& code) = 0;
  virtual void Activate();
  virtual void Deactivate();
  virtual void SetBook(TBook* book) = 0;
  virtual void MemoTypeChanged(TSMemo* memo, TMemoTypeNo memoType) = 0;

  void Notify(TViewNotify kind) { MemoChanged(kind, -1, -1); }
  bool IsCurrent() const { return Host.GetCurrentView() == this; }

  TViewHost& Host;
  // The control hosting the papers: the pile view makes and deletes its scroll box, the page view
  // is given its page by the window.
  QPointer<QWidget> Control;
  bool PaperFocus = true;
  TColorSet Colors{0, clWindow, clNone};
  int FontSize = 10;
  QString FontName = kDefaultFontName;
};

// How far a paper's control and its memo agree.
enum class TLoadState : quint8 {
  NotLoaded,
  Loaded,
  // The pile text paper is writing an edit back.
  WritingBack,
  // The paper is writing its text into the memo; a Load arriving meanwhile is ignored.
  Saving,
};

// One memo shown in a view: an editor or a display bound to one memo, never owning it.
class TPaper {
 public:
  explicit TPaper(TView& view);
  TPaper(const TPaper&) = delete;
  TPaper& operator=(const TPaper&) = delete;
  virtual ~TPaper();

  virtual void SetColors(const TColorSet& colors);
  // Called when the page view stops showing this paper.
  virtual void Detach() {}
  // Shows Memo in Control.
  virtual void Load() = 0;
  // Writes the control's content into Memo.
  virtual void Save() = 0;
  // The view offers each memo command to its current paper first.
  virtual void HandleCommand(TMemoCommand& code) { Q_UNUSED(code); }
  virtual void DoCommand(TPaperCommand command) = 0;
  // The view tells the paper whether it is in sight; a paper may keep its control only then.
  virtual void SetInSight(bool inSight) { Q_UNUSED(inSight); }

  // Owned by the paper; deleted (later, it may be inside its own event) with it.
  QPointer<QWidget> Control;
  bool Placed = false;
  TLoadState LoadState = TLoadState::NotLoaded;
  TView& View;
  TSMemo* Memo = nullptr;
  TColorSet Colors;
  // Place in the view's content, kept while the paper has no control.
  int Top = 0;
  int Height = 0;
};
