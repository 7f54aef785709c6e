#include "test_view_host.h"

#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

TTestViewHost::TTestViewHost() {
  Params.ActivePaperColors = {0x000080, 0xE0FFFF, clNone};
  Params.TransferedPaperColors = {0x008000, 0xE0E0FF, clNone};
  auto* layout = new QVBoxLayout(&Window);
  layout->setContentsMargins(0, 0, 0, 0);
  View = std::make_unique<TPileView>(*this, &Window);
  layout->addWidget(View->ScrollBox());
  View->SetColors({0x000000, 0xFFFFFF, clNone});
  Window.resize(400, 300);
}

TTestViewHost::~TTestViewHost() { View.reset(); }

void TTestViewHost::ShowBook(const QStringList& texts) {
  for (const QString& text : texts) Book.AddMemo(text, Book.Count());
  Window.show();
  Window.activateWindow();
  (void)QTest::qWaitForWindowActive(&Window);
  View->Activate();
}

void TTestViewHost::SetCurrentMemo(TSMemo* memo) {
  if (memo == Current) return;
  View->MemoChanged(vnLeave, GetCurrentIndex(), -1);
  Current = memo;
  if (memo) memo->SetOption(kOptTransfered, QString());
  View->MemoChanged(vnEnter, GetCurrentIndex(), -1);
}

void TTestViewHost::SelectMemoAt(int index) {
  if (index < 0 || Book.Count() == 0) return SetCurrentMemo(nullptr);
  SetCurrentMemo(Book.MemoAt(qMin(index, Book.Count() - 1)));
}

int TTestViewHost::InsertMemo(const QString& text, int index, const TOptionList* options) {
  const int used = Book.AddMemo(text, index, options);
  if (used >= 0) View->MemoChanged(vnInserted, used, -1);
  return used;
}

void TTestViewHost::RemoveMemo(int index) {
  if (index == GetCurrentIndex()) SetCurrentMemo(nullptr);
  Book.DeleteMemo(index);
  View->MemoChanged(vnDeleted, index, -1);
}

void TTestViewHost::Dispatch(TMemoCommand code) {
  View->BeforeCommand(code);
  if (IsConsumed(code)) return;
  View->AfterCommand(code);
}

TSimplePilePaper& TTestViewHost::PaperAt(int index) const {
  return dynamic_cast<TSimplePilePaper&>(*View->Papers.at(size_t(index)));
}

TMemoForPileView& TTestViewHost::EditorAt(int index) const { return *PaperAt(index).EnsureEditor(); }

int TTestViewHost::ScrollPos() const { return View->ScrollBox()->verticalScrollBar()->value(); }

void TTestViewHost::SetScrollPos(int position) { View->ScrollBox()->verticalScrollBar()->setValue(position); }
