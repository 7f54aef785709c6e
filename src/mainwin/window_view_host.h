#pragma once

#include "view/view_host.h"

class TForm1;

// Lets the views reach the main window's current book and memo operations.
class TWindowViewHost : public TViewHost {
 public:
  explicit TWindowViewHost(TForm1& form) : Form(form) {}

  TCurrentBook& Current() const override;
  TView* GetCurrentView() const override;
  void MemoEdited(TSMemo* memo) override;
  Qt::MouseButtons HeldButtons() const override;
  const TVopaPrm& Prm() const override;
  QMenu* PopupMemo() const override;

 private:
  TForm1& Form;
};
