#include "mainwin/window_view_host.h"

#include "mainwin/main_window.h"

TCurrentBook& TWindowViewHost::Current() const { return Form.GetCurrent(); }
TView* TWindowViewHost::GetCurrentView() const { return Form.GetCurrentView(); }
Qt::MouseButtons TWindowViewHost::HeldButtons() const { return Form.HeldButtons(); }
void TWindowViewHost::MemoEdited(TSMemo*) { Form.RepaintMemoList(); }
const TVopaPrm& TWindowViewHost::Prm() const { return Form.GetPrm(); }
QMenu* TWindowViewHost::PopupMemo() const { return Form.GetPopupMemo(); }
