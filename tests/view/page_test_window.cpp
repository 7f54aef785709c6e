#include "page_test_window.h"

#include "view/page_paper.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <climits>

TPageTestWindow::TPageTestWindow()
    : MemoList(new QWidget(this)), Panel2(new QWidget(this)), Panel5(new QLabel(QStringLiteral("Book1"), Panel2)),
      Popup(new QMenu(this)) {
  auto* row = new QHBoxLayout(this);
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
  Panel5->setFixedHeight(20);
  column->addWidget(Panel5);
  Popup->setObjectName(QStringLiteral("PopupMemo"));

  acUp = new QAction(QStringLiteral("acUp"), this);
  acUp->setShortcut(Qt::Key_Up);
  connect(acUp, &QAction::triggered, this, [this] { DoMemoCommand(mcUp); });
  acDown = new QAction(QStringLiteral("acDown"), this);
  acDown->setShortcut(Qt::Key_Down);
  connect(acDown, &QAction::triggered, this, [this] { DoMemoCommand(mcDown); });
  addActions({acUp, acDown});
  qApp->installEventFilter(this);

  PageView = std::make_unique<TPageView>(*this, Panel2);
  PageView->SetColors({0x000000, 0xFFFFFF, clNone});
  PageView->SetFontName(QStringLiteral("Monospace"));
  PageView->SetFontSize(10);
  resize(500, 300);
}

TPageTestWindow::~TPageTestWindow() {
  qApp->removeEventFilter(this);
  PageView.reset();
}

void TPageTestWindow::ShowBook(const QStringList& texts) {
  for (const QString& text : texts) Book.AddMemo(text, Book.Count());
  Book.Modified = false;
  show();
  activateWindow();
  (void)QTest::qWaitForWindowActive(this);
  SetCurrentView(PageView.get());
  if (!Current) SelectMemoAt(0);
}

void TPageTestWindow::SetCurrentView(TView* view) {
  if (view == CurrentView) return;
  if (CurrentView) CurrentView->Deactivate();
  CurrentView = view;
  if (view) view->Activate();
  TSMemo* memo = Current;
  SetCurrentMemo(nullptr);
  SetCurrentMemo(memo);
}

void TPageTestWindow::SetCurrentMemo(TSMemo* memo) {
  if (memo == Current) return;
  if (CurrentView) CurrentView->MemoChanged(vnLeave, GetCurrentIndex(), -1);
  Current = memo;
  if (memo) memo->SetOption(kOptTransfered, QString());
  if (CurrentView) CurrentView->MemoChanged(vnEnter, GetCurrentIndex(), -1);
}

void TPageTestWindow::SelectMemoAt(int index) {
  SetCurrentMemo(index >= 0 && Book.Count() > 0 ? Book.MemoAt(qMin(index, Book.Count() - 1)) : nullptr);
}

int TPageTestWindow::InsertMemo(const QString& text, int index, const TOptionList* options) {
  const int used = Book.AddMemo(text, index, options);
  if (used >= 0 && CurrentView) CurrentView->MemoChanged(vnInserted, used, -1);
  return used;
}

void TPageTestWindow::RemoveMemo(int index) {
  if (index == GetCurrentIndex()) SetCurrentMemo(nullptr);
  Book.DeleteMemo(index);
  if (CurrentView) CurrentView->MemoChanged(vnDeleted, index, -1);
}

void TPageTestWindow::DoMemoCommand(TMemoCommand code) {
  if (CurrentView) CurrentView->BeforeCommand(code);
  if (IsConsumed(code)) return;
  const int index = GetCurrentIndex();
  switch (code) {
    case mcNewMemo:
      code = mcInsertNew;
      InsertMemo(QString(), 0, nullptr);
      SelectMemoAt(0);
      break;
    case mcWheelUp:
      if (index > 0) SelectMemoAt(index - 1);
      break;
    case mcWheelDown:
      SelectMemoAt(index + 1);
      break;
    default:
      break;
  }
  if (CurrentView) CurrentView->AfterCommand(code);
}

bool TPageTestWindow::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != this) return QWidget::eventFilter(watched, event);
  if (event->type() == QEvent::ShortcutOverride) {
    // Editors claim the arrow keys; here they belong to acUp / acDown, as in the main window.
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() == Qt::NoModifier && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
      key->ignore();
      return true;
    }
  } else if (event->type() == QEvent::Wheel) {
    auto* wheel = static_cast<QWheelEvent*>(event);
    wheel->accept();
    DoMemoCommand(wheel->angleDelta().y() > 0 ? mcWheelUp : mcWheelDown);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

QPlainTextEdit& TPageTestWindow::Editor() const { return *PageView->TextPaper->Editor(); }
