#include "mainwin/window_view_host.h"

#include "mainwin/main_window.h"

TSMemo* TWindowViewHost::GetCurrentMemo() const { return Form.CurrentMemo; }
void TWindowViewHost::SetCurrentMemo(TSMemo* memo) { Form.SetCurrentMemo(memo); }
int TWindowViewHost::GetCurrentIndex() const { return Form.CurrentMemoIndex(); }
void TWindowViewHost::SelectMemoAt(int index) { Form.SelectMemoAt(index); }
TBook* TWindowViewHost::GetCurrentBook() const { return Form.CurrentBook; }
TView* TWindowViewHost::GetCurrentView() const { return Form.CurrentView; }
int TWindowViewHost::InsertMemo(const QString& text, int index, const TOptionList* options) {
  return Form.InsertMemo(text, index, options);
}
void TWindowViewHost::RemoveMemo(int index) { Form.RemoveMemo(index); }
Qt::MouseButtons TWindowViewHost::HeldButtons() const { return Form.HeldButtons(); }
void TWindowViewHost::MemoEdited(TSMemo*) { Form.RepaintMemoList(); }
const TVopaPrm& TWindowViewHost::Prm() const { return Form.Prm; }
QMenu* TWindowViewHost::PopupMemo() const { return Form.PopupMemo; }
