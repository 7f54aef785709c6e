#pragma once

#include "view/view_host.h"

class TForm1;

// Lets the views reach the main window's current book and memo operations.
class TWindowViewHost : public TViewHost {
 public:
  explicit TWindowViewHost(TForm1& form) : Form(form) {}

  TSMemo* GetCurrentMemo() const override;
  void SetCurrentMemo(TSMemo* memo) override;
  int GetCurrentIndex() const override;
  void SelectMemoAt(int index) override;
  TBook* GetCurrentBook() const override;
  TView* GetCurrentView() const override;
  int InsertMemo(const QString& text, int index, const TOptionList* options) override;
  void RemoveMemo(int index) override;
  void MemoEdited(TSMemo* memo) override;
  Qt::MouseButtons HeldButtons() const override;
  const TVopaPrm& Prm() const override;
  QMenu* PopupMemo() const override;

 private:
  TForm1& Form;
};
