#include "test_view_host.h"

#include "view/page_paper.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

constexpr int kTitleBarHeight = 17;  // as the main window's

}  // namespace

TTestViewHost::TTestViewHost(TViewKind kind)
    : MemoList(new QWidget(&Window)),
      Panel2(new QWidget(&Window)),
      Panel5(new QLabel(Panel2)),
      Popup(new QMenu(&Window)) {
  Params.ActivePaperColors = {0x000080, 0xE0FFFF, clNone};
  Params.TransferedPaperColors = {0x008000, 0xE0E0FF, clNone};
  auto* row = new QHBoxLayout(&Window);
  row->setContentsMargins(0, 0, 0, 0);
  MemoList->setObjectName(QStringLiteral("QumColListBox1"));
  MemoList->setFocusPolicy(Qt::StrongFocus);
  MemoList->setFixedWidth(100);
  row->addWidget(MemoList);
  row->addWidget(Panel2, 1);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  auto* column = new QVBoxLayout(Panel2);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  Panel5->setObjectName(QStringLiteral("Panel5"));
  Panel5->setFixedHeight(kTitleBarHeight);
  column->addWidget(Panel5);
  Popup->setObjectName(QStringLiteral("PopupMemo"));

  if (kind == TViewKind::Pile) {
    auto pile = std::make_unique<TPileView>(*this, Panel2);
    column->addWidget(pile->ScrollBox());
    PileView = pile.get();
    View = std::move(pile);
  } else {
    auto page = std::make_unique<TPageView>(*this, Panel2);
    PageView = page.get();
    View = std::move(page);
  }
  View->SetColors({0x000000, 0xFFFFFF, clNone});
  Window.resize(500, 300);
  FollowCurrentBook(*this);
  Cursor->SetBook(&Book);
}

TTestViewHost::~TTestViewHost() { View.reset(); }

void TTestViewHost::ShowBook(const QStringList& texts, int current) {
  for (const QString& text : texts) Book.AddMemo(text, Book.Count());
  Book.Modified = false;
  Window.show();
  Window.activateWindow();
  (void)QTest::qWaitForWindowActive(&Window);
  SetCurrentView(View.get());
  SelectMemoAt(current);
}

void TTestViewHost::SetCurrentView(TView* view) {
  if (view == CurrentView) return;
  if (CurrentView) CurrentView->Deactivate();
  CurrentView = view;
  if (view) view->Activate();
  Cursor->EnterAgain();
}

void TTestViewHost::Dispatch(TMemoCommand code) {
  CurrentView->BeforeCommand(code);
  if (IsConsumed(code)) return;
  const int index = GetCurrentIndex();
  switch (code) {
    case mcWheelUp:
    case mcPrevious:
      code = mcPrevious;
      if (index > 0) SelectMemoAt(index - 1);
      break;
    case mcWheelDown:
    case mcNext:
      code = mcNext;
      SelectMemoAt(index + 1);
      break;
    case mcNewMemo:
      code = mcInsertNew;
      InsertMemo(QString(), 0, nullptr);
      SelectMemoAt(0);
      break;
    default:
      break;
  }
  CurrentView->AfterCommand(code);
}

TSimplePilePaper& TTestViewHost::PaperAt(int index) const {
  return dynamic_cast<TSimplePilePaper&>(*PileView->Papers.at(size_t(index)));
}

TMemoForPileView& TTestViewHost::EditorAt(int index) const { return *PaperAt(index).EnsureEditor(); }

void TTestViewHost::WaitUntilMeasured() {
  for (int i = 0; i < 3000 && !PileView->MeasuringDone(); ++i) QTest::qWait(5);
  ASSERT_TRUE(PileView->MeasuringDone());
}

int TTestViewHost::ScrollPos() const { return PileView->ScrollBox()->verticalScrollBar()->value(); }

void TTestViewHost::SetScrollPos(int position) { PileView->ScrollBox()->verticalScrollBar()->setValue(position); }

QPlainTextEdit& TTestViewHost::PageEditor() const { return *PageView->TextPaper->Editor(); }
