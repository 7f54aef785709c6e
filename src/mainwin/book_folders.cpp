#include "mainwin/main_window.h"

#include "book/book.h"
#include "book/file_manager.h"
#include "folders/file_box.h"
#include "folders/file_menu.h"
#include "mainwin/memo_list_box.h"

#include <QAction>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QSplitter>
#include <functional>

namespace {

const QString kBookExtension = QStringLiteral(".vopa");
constexpr int kMinBooksPane = 50;

// Runs a handler for the mouse button releases of a label standing in for a clickable bar.
class TClickWatcher : public QObject {
 public:
  TClickWatcher(QWidget* bar, std::function<void(QMouseEvent*)> onClick) : QObject(bar), OnClick(std::move(onClick)) {
    bar->installEventFilter(this);
  }

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::MouseButtonRelease) return false;
    OnClick(static_cast<QMouseEvent*>(event));
    return true;
  }

 private:
  std::function<void(QMouseEvent*)> OnClick;
};

TVopaFileMenu* NewBookMenu(QObject* owner, const QString& name, QMenu* menu, QAction* target,
                           TVopaMenuRefreshTiming timing) {
  auto* bookMenu = new TVopaFileMenu(owner);
  bookMenu->setObjectName(name);
  bookMenu->SetFileExtention(kBookExtension);
  bookMenu->SetTargetMenu(menu, target);
  bookMenu->SetRefreshTiming(timing);
  return bookMenu;
}

}  // namespace

void TForm1::BuildBooksPane() {
  FileBox = new TVopaFileBox(Panel1);
  FileBox->setObjectName(QStringLiteral("FileBox"));
  FileBox->DragStyle = TVopaTreeBoxDragStyle::tfbsCanMoveFolder;
  FileBox->ChildMargine = 7;
  FileBox->FolderFontColor = 0x444466;
  FileBox->SaveSort = true;
  FileBox->SetFileExtention(kBookExtension);
  FileBox->setMinimumHeight(kMinBooksPane);
  FileBox->OnFileItemClick = [this](const QString& path, TVopaFileBox*) { OpenBook(path); };
  FileBox->OnFileMove = [this](const QString& from, const QString& to, TVopaFileBox*) { FolderEntryMoved(from, to); };
  FileBox->OnFolderMove = FileBox->OnFileMove;
  // A book written while its file or folder moves would come back at the old place.
  FileBox->BeforeMove = [this] { FileManager->WaitForSaves(); };
  FileBox->OnError = [this](const QString& message) { ReportError(message); };
  Panel1->layout()->addWidget(FileBox);
  static_cast<QVBoxLayout*>(Panel1->layout())->setStretchFactor(FileBox, 1);
  new TClickWatcher(BooksTitleBar, [this](QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) ToggleBooksPane();
  });
}

void TForm1::BuildBookMenus() {
  PopupBook2 = new QMenu(this);
  PopupBook2->setObjectName(QStringLiteral("PopupBook2"));
  const auto item = [this](const char* name, const QString& caption) {
    QAction* action = PopupBook2->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
  };
  connect(item("N20", QStringLiteral("名前の変更...")), &QAction::triggered, this, &TForm1::N20Click);
  PopupBook2->addSeparator();
  connect(item("N23", QStringLiteral("新規ブック...")), &QAction::triggered, this,
          [this] { NewBookIn(PopupFolder()); });
  connect(item("N24", QStringLiteral("新規フォルダ...")), &QAction::triggered, this,
          [this] { NewFolderIn(PopupFolder()); });
  PopupBook2->addSeparator();
  PopupBook2->addAction(Actions.acShowOption0);
  PopupBook2->addSeparator();
  N22 = item("N22", QStringLiteral("フォルダ削除..."));
  N26 = item("N26", QStringLiteral("ブック削除"));
  for (QAction* remove : {N22, N26}) connect(remove, &QAction::triggered, this, &TForm1::N22Click);
  connect(PopupBook2, &QMenu::aboutToShow, this, &TForm1::PopupBook2Popup);
  FileBox->PopupOnItem = PopupBook2;

  // The book title bar lists every book, and the trash under "Extra".
  SelectBookPopup = new QMenu(this);
  SelectBookPopup->setObjectName(QStringLiteral("SelectBookPopup"));
  QAction* bookPlace = SelectBookPopup->addAction(QString());
  SelectBookPopup->addSeparator();
  QMenu* extra = SelectBookPopup->addMenu(QStringLiteral("Extra"));
  extra->addAction(Actions.acOpenTrash);
  VopaFileMenu1 = NewBookMenu(this, QStringLiteral("VopaFileMenu1"), SelectBookPopup, bookPlace,
                              TVopaMenuRefreshTiming::tmrOnPopup);
  VopaFileMenu1->OnFileItemClick = [this](const QString& path, TVopaFileMenu*) { OpenBook(path); };
  new TClickWatcher(Panel5, [this](QMouseEvent* event) { SelectBookPopup->popup(event->globalPosition().toPoint()); });

  // The memo popup's move entry: every book under "Books", then the books beside the current one.
  auto* moveMenu = new QMenu(QStringLiteral("移動(ブック)"), PopupMemo);
  moveMenu->setObjectName(QStringLiteral("MoveBookMenu"));
  QMenu* books = moveMenu->addMenu(QStringLiteral("Books"));
  BooksItem = books->menuAction();
  QAction* rootPlace = books->addAction(QString());
  moveMenu->addSeparator();
  QAction* currentPlace = moveMenu->addAction(QString());
  PopupMemo->insertMenu(PopupMemo->actions().value(0), moveMenu);
  VopaMovwMenuRoot =
      NewBookMenu(this, QStringLiteral("VopaMovwMenuRoot"), books, rootPlace, TVopaMenuRefreshTiming::tmrOnParentClick);
  VopaMoveMenuCur = NewBookMenu(this, QStringLiteral("VopaMoveMenuCur"), moveMenu, currentPlace,
                                TVopaMenuRefreshTiming::tmrOnParentClick);
  for (TVopaFileMenu* menu : {VopaMovwMenuRoot, VopaMoveMenuCur})
    menu->OnFileItemClick = [this](const QString& path, TVopaFileMenu*) { OnMoveCurMemoTo(path); };
  // At the top level the second list already is the whole book directory.
  connect(PopupMemo, &QMenu::aboutToShow, this,
          [this] { BooksItem->setVisible(Current.Book() && Current.Book()->Dir != Dirs.BookDir); });
}

void TForm1::PointFoldersAtBookDir() {
  FileBox->SetRootPath(Dirs.BookDir);
  for (TVopaFileMenu* menu : {VopaFileMenu1, VopaMovwMenuRoot, VopaMoveMenuCur}) menu->SetRootPath(Dirs.BookDir);
}

void TForm1::ShowBookInFolders(TBook* book) {
  VopaMoveMenuCur->SetRootPath(book->Dir);
  // A book outside the tree (the trash, a file opened from elsewhere) leaves no row marked.
  if (!FileBox->Locate(book->GetPath())) FileBox->SetCurrentPath(QString());
}

// A book or folder moved by a drop in the tree: open books follow, so their next save
// writes to the new place and never brings the old file back.
void TForm1::FolderEntryMoved(const QString& oldPath, const QString& newPath) {
  FileManager->ReplacePath(oldPath, newPath);
  if (Current.Book()) VopaMoveMenuCur->SetRootPath(Current.Book()->Dir);
}

void TForm1::FitBooksPanel() {
  const int spare = -QumColListBox1->OverflowHeight();
  const int half = ListSplitter->height() / 2;
  const int pane = Panel1->height();
  const int upper = qMax(half, pane + spare);
  const int wanted = qBound(Panel1->minimumHeight(), pane + FileBox->OverflowHeight(), qMax(upper, pane));
  QList<int> sizes = ListSplitter->sizes();
  sizes[0] += sizes[1] - wanted;
  sizes[1] = wanted;
  ListSplitter->setSizes(sizes);
}

void TForm1::ToggleBooksPane() {
  const int titleHeight = BooksTitleBar->height();
  QList<int> sizes = ListSplitter->sizes();
  if (FileBox->isVisible()) {
    const int before = Panel1->height();
    FitBooksPanel();
    if (ListSplitter->sizes()[1] != before) return;
    // Fitted already: fold the pane to its title bar.
    FileBox->hide();
    Panel1->setMinimumHeight(titleHeight);
    Panel1->setMaximumHeight(titleHeight);
    sizes[0] += sizes[1] - titleHeight;
    sizes[1] = titleHeight;
  } else {
    Panel1->setMaximumHeight(QWIDGETSIZE_MAX);
    FileBox->show();
    Panel1->setMinimumHeight(kMinBooksPane + titleHeight);
    sizes[0] += sizes[1] - (kMinBooksPane + titleHeight);
    sizes[1] = kMinBooksPane + titleHeight;
    ListSplitter->setSizes(sizes);
    FitBooksPanel();
    return;
  }
  ListSplitter->setSizes(sizes);
}
