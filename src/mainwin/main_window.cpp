#include "mainwin/main_window.h"

#include "app/ini_file.h"
#include "book/book.h"
#include "book/file_manager.h"
#include "book/trash_book.h"
#include "mainwin/memo_list_box.h"
#include "mainwin/window_view_host.h"
#include "view/colors.h"
#include "view/view.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr int kTitleBarHeight = 17;
constexpr int kBottomBarHeight = 19;
constexpr int kMinPaneWidth = 100;
constexpr int kMinMemoListHeight = 50;

QLabel* NewTitleBar(const QString& objectName, const QString& caption, QWidget* parent) {
  auto* bar = new QLabel(caption, parent);
  bar->setObjectName(objectName);
  bar->setFixedHeight(kTitleBarHeight);
  bar->setContentsMargins(4, 0, 4, 0);
  bar->setAutoFillBackground(true);
  bar->setTextFormat(Qt::PlainText);
  return bar;
}

QSplitter* NewSplitter(Qt::Orientation orientation, const QString& objectName, int handleWidth, QWidget* parent) {
  auto* splitter = new QSplitter(orientation, parent);
  splitter->setObjectName(objectName);
  splitter->setHandleWidth(handleWidth);
  splitter->setChildrenCollapsible(false);
  return splitter;
}

QVBoxLayout* NewColumn(QWidget* owner) {
  auto* column = new QVBoxLayout(owner);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  return column;
}

}  // namespace

static void InitIconResources() { Q_INIT_RESOURCE(icons); }

TForm1::TForm1(const QString& dataHome, QWidget* parent) : QMainWindow(parent) {
  InitIconResources();
  QIcon programIcon;
  for (int size : {16, 32, 48, 64, 128, 256}) programIcon.addFile(QStringLiteral(":/icons/vopamemo-%1.png").arg(size));
  QApplication::setWindowIcon(programIcon);
  setObjectName(QStringLiteral("Form1"));
  Dirs.ExeDir = dataHome;
  ViewHost = std::make_unique<TWindowViewHost>(*this);
  ConnectCurrentBook();
  Actions.Create(this);
  BuildFrame();
  BuildBooksPane();
  BuildMemoList();
  BuildToolBars();
  BuildMenus();
  BuildBookMenus();
  BuildViewButtons();
  BuildWindowModes();
  ConnectTextTransfer();
  ConnectDirectCommands();
  ConnectBookSteps();
  ConnectBookCommands();
  qApp->installEventFilter(this);
  FormCreate();
  // After start-up, so the keys routed through the window include the run-time shortcuts.
  ConnectMemoActions();
}

TForm1::~TForm1() { Shutdown(); }

void TForm1::BuildFrame() {
  QPalette windowPalette = palette();
  windowPalette.setColor(QPalette::Window, QColor(0xEE, 0xEE, 0xEE));
  setPalette(windowPalette);

  auto* menus = menuBar();
  menus->setObjectName(QStringLiteral("MainMenu1"));
  for (const QString& caption : {QStringLiteral("ファイル(&Y)"), QStringLiteral("編集(&X)"), QStringLiteral("表示(&Z)"),
                                 QStringLiteral("ヘルプ(&W)")})
    menus->addMenu(caption);

  auto* central = new QWidget(this);
  auto* frame = NewColumn(central);
  PaneSplitter = NewSplitter(Qt::Horizontal, QStringLiteral("Splitter1"), 2, central);

  ListPane = new QWidget(PaneSplitter);
  ListPane->setObjectName(QStringLiteral("ListPane"));
  ListPane->setMinimumWidth(kMinPaneWidth);
  auto* listColumn = NewColumn(ListPane);
  listColumn->addWidget(NewTitleBar(QStringLiteral("MemosTitleBar"), QStringLiteral("Memos"), ListPane));
  ListSplitter = NewSplitter(Qt::Vertical, QStringLiteral("Splitter2"), 4, ListPane);
  QumColListBox1 = new TQumColListBox(ListSplitter);
  QumColListBox1->setObjectName(QStringLiteral("QumColListBox1"));
  QumColListBox1->setMinimumSize(50, kMinMemoListHeight);
  Panel1 = new QWidget(ListSplitter);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  auto* booksColumn = NewColumn(Panel1);
  BooksTitleBar = NewTitleBar(QStringLiteral("BooksTitleBar"), QStringLiteral("Books"), Panel1);
  booksColumn->addWidget(BooksTitleBar);
  ListSplitter->setStretchFactor(0, 1);
  listColumn->addWidget(ListSplitter, 1);

  Panel2 = new QWidget(PaneSplitter);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  Panel2->setMinimumWidth(kMinPaneWidth);
  auto* rightColumn = NewColumn(Panel2);
  Panel5 = NewTitleBar(QStringLiteral("Panel5"), QString(), Panel2);
  rightColumn->addWidget(Panel5);
  PaneSplitter->setStretchFactor(1, 1);
  frame->addWidget(PaneSplitter, 1);
  connect(PaneSplitter, &QSplitter::splitterMoved, this, &TForm1::PanesResized);
  connect(ListSplitter, &QSplitter::splitterMoved, this, &TForm1::PanesResized);

  BottomBar = new QWidget(central);
  BottomBar->setObjectName(QStringLiteral("BottomBar"));
  BottomBar->setFixedHeight(kBottomBarHeight);
  auto* bottomRow = new QHBoxLayout(BottomBar);
  bottomRow->setContentsMargins(0, 0, 0, 0);
  bottomRow->setSpacing(0);
  bottomRow->addStretch();
  SaveState = new QLabel(BottomBar);
  SaveState->setObjectName(QStringLiteral("SaveState"));
  bottomRow->addWidget(SaveState);
  frame->addWidget(BottomBar);
  setCentralWidget(central);
}

void TForm1::BuildMemoList() {
  PopupMemo = new QMenu(this);
  PopupMemo->setObjectName(QStringLiteral("PopupMemo"));
  QumColListBox1->SetPopupOnItem(PopupMemo);
  QumColListBox1->SetOnData([this](int index) {
    return Current.Book() && index < Current.Book()->Count() ? MemoTitle(*Current.Book()->MemoAt(index)) : QString();
  });
  connect(QumColListBox1, &TQumColListBox::IdxChange, this, &TForm1::QumColListBox1IdxChange);
  connect(QumColListBox1, &TQumColListBox::Click, this, &TForm1::QumColListBox1Click);
}

void TForm1::BuildToolBars() {
  auto* memoBar = addToolBar(QStringLiteral("ToolBar1"));
  memoBar->setObjectName(QStringLiteral("ToolBar1"));
  memoBar->addAction(Actions.acNewMemo);
  auto* editBar = addToolBar(QStringLiteral("ToolBar2"));
  editBar->setObjectName(QStringLiteral("ToolBar2"));
  editBar->addAction(Actions.acNewBook);
  editBar->addSeparator();
  editBar->addActions({Actions.acMoveUp, Actions.acMoveDown});
  editBar->addSeparator();
  editBar->addActions({Actions.acDevide, Actions.acJoint});
  editBar->addSeparator();
  editBar->addAction(Actions.acTrashMemo);
  for (QToolBar* bar : {memoBar, editBar}) {
    bar->setMovable(false);
    bar->setIconSize(QSize(16, 16));
  }
  // Every action's shortcut works whether or not a menu or bar shows it.
  addActions(findChildren<QAction*>());
}

void TForm1::QumColListBox1IdxChange() {
  if (CurrentView) CurrentView->SetPaperFocus(false);
  const int selected = QumColListBox1->ItemIndex();
  if (selected == Current.MemoIndex()) return;
  Current.SelectMemoAt(selected);
  if (CurrentView && CurrentView == PileView.get()) CurrentView->Notify(TViewNotify::vnShowCurrent);
}

void TForm1::QumColListBox1Click() {
  if (CurrentView) CurrentView->SetPaperFocus(true);
}

void TForm1::ColorBookTitleBar(TColor color) {
  QPalette barPalette = Panel5->palette();
  barPalette.setColor(QPalette::Window, ToQColor(color, barPalette));
  Panel5->setPalette(barPalette);
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  // A memo list squeezed to its minimum gives the books pane 15 pixels back to it.
  auto* memoList = ListSplitter->widget(0);
  if (memoList->height() <= kMinMemoListHeight) {
    QList<int> sizes = ListSplitter->sizes();
    sizes[1] = qMax(kTitleBarHeight, sizes[1] - 15);
    sizes[0] = ListSplitter->height() - ListSplitter->handleWidth() - sizes[1];
    ListSplitter->setSizes(sizes);
  }
  PanesResized();
}

void TForm1::RepaintMemoList() { QumColListBox1->viewport()->update(); }

void TForm1::PanesResized() {
  RepaintMemoList();
  if (CurrentView) CurrentView->Notify(TViewNotify::vnRelayout);
}

void TForm1::closeEvent(QCloseEvent* event) {
  Shutdown();
  event->accept();
}
