#include "mainwin/main_window.h"

#include "app/app_dirs.h"
#include "book/book.h"
#include "book/file_manager.h"
#include "book/trash_book.h"
#include "book/vopa_error.h"
#include "folders/file_box.h"
#include "folders/folder_paths.h"
#include "view/view.h"

#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QScopeGuard>

namespace {

const QString kBookExtension = QStringLiteral(".vopa");

// The answer of a one-line input box, trimmed; Cancel gives the initial text back.
QString AskName(QWidget* parent, const QString& caption, const QString& prompt, const QString& initial) {
  bool accepted = false;
  const QString answer = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, initial, &accepted);
  return accepted ? answer.trimmed() : initial;
}

bool IsBookFile(const QString& name) {
  const qsizetype dot = name.lastIndexOf(u'.');
  return dot >= 0 && name.mid(dot) == kBookExtension;
}

}  // namespace

void TForm1::ConnectBookCommands() {
  connect(Actions.acNewBook, &QAction::triggered, this, [this] { NewBookIn(FileBox->CurrentFolderPath()); });
  connect(Actions.acChangeBookName, &QAction::triggered, this, &TForm1::acChangeBookNameExecute);
  connect(Actions.acDeleteBook, &QAction::triggered, this, [this] { DeleteBook(Current.Book()); });
}

void TForm1::OnMoveCurMemoTo(const QString& path) { MoveCurrentMemoTo(TryOpenBook(path)); }

QString TForm1::PopupFolder() const {
  const TVopaNode* node = FileBox->PopupNode();
  return node->IsFolder() ? FileBox->PopupPath() : PathOf(node->Parent);
}

void TForm1::NewBookIn(const QString& folder) {
  const QString path = UniquePath(folder + QStringLiteral("NewBook") + kBookExtension);
  TBook* book = nullptr;
  try {
    book = FileManager->NewFile(path);
  } catch (const EVopaError& error) {
    ReportError(error.Message);
    return;
  }
  FileBox->AddPath(path, false);
  SetCurrentBook(book);
  Actions.acChangeBookName->trigger();
}

void TForm1::NewFolderIn(const QString& folder) {
  const QString path = UniquePath(folder + QStringLiteral("新規フォルダ")) + u'/';
  if (!QDir().mkdir(path)) {
    ReportError(QStringLiteral("フォルダ %1 を作れませんでした。").arg(QDir::toNativeSeparators(path)));
    return;
  }
  FileBox->AddPath(path, true);
  FileBox->Locate(path);
  RenameFolder(path);
}

void TForm1::N20Click() {
  const QString path = FileBox->PopupPath();
  if (path == Dirs.BookDir)
    Actions.acChangeBookName->trigger();
  else if (FileBox->PopupNode()->IsFolder())
    RenameFolder(path);
  else
    RenameBook(TryOpenBook(path));
}

void TForm1::acChangeBookNameExecute() {
  if (Current.Book() && FileManager->FindFile(Current.Book()->GetPath()) == Current.Book()) RenameBook(Current.Book());
}

void TForm1::RenameFolder(const QString& path) {
  if (path == Dirs.BookDir) return;
  FileBox->SetHotPath(path, true);
  const auto [parent, name] = SplitPath(path);
  const QString answer =
      AskName(this, QStringLiteral("フォルダ名変更"), QStringLiteral("新しいフォルダ名を入力してください。"), name);
  FileBox->SetHotPath(path, false);
  // A name that would put the folder elsewhere is refused like a name that is taken.
  if (answer.isEmpty() || answer == name || !IsPlainEntryName(answer)) return;
  QString renamed = parent + answer + u'/';
  FileManager->WaitForSaves();
  if (!NormalizeDir(renamed, false) || !MoveEntry(path, renamed)) return;
  FileBox->RenamePath(path, renamed);
  FileManager->ReplacePath(path, renamed);
  if (Current.Book()) ShowBookInFolders(Current.Book());
}

void TForm1::RenameBook(TBook* book) {
  // The trash keeps its own file.
  if (!book || book == TrashBook.get()) return;
  const QString old = book->GetPath();
  const QString title = book->GetTitle();
  FileBox->SetHotPath(old, true);
  const QString answer =
      AskName(this, QStringLiteral("ブックタイトル"), QStringLiteral("ブックのタイトルを入力してください。"), title);
  FileBox->SetHotPath(old, false);
  if (answer.isEmpty() || answer == title || !IsPlainEntryName(answer)) return;
  FileManager->WaitForSaves();
  if (!book->Rename(answer)) return;
  FileBox->RenamePath(old, book->GetPath());
  if (Current.Book()) Panel5->setText(Current.Book()->GetTitle());
}

void TForm1::PopupBook2Popup() {
  const bool onRow = FileBox->PopupPath() != Dirs.BookDir;
  const bool folder = FileBox->PopupNode()->IsFolder();
  N22->setEnabled(onRow && folder);
  N26->setEnabled(onRow && !folder);
}

void TForm1::N22Click() {
  const QString path = FileBox->PopupPath();
  if (path == Dirs.BookDir) return;
  if (FileBox->PopupNode()->IsFolder())
    DeleteFolder(path);
  else
    DeleteBook(TryOpenBook(path));
}

TBook* TForm1::BookOutside(const QString& skip) {
  for (const auto& file : FileManager->Files)
    if (!file->GetPath().startsWith(skip)) return file.get();
  const QString first = FindFirstBook(Dirs.BookDir, skip);
  return first.isEmpty() ? nullptr : TryOpenBook(first);
}

bool TForm1::DeleteBook(TBook* book) {
  if (!book || book == TrashBook.get()) return false;
  if (book == Current.Book()) {
    TBook* other = BookOutside(book->GetPath());
    if (!other || other == book) return false;
    SetCurrentBook(other);
  }
  {
    // From the last memo to the first, each to the top: they end on top of the trash in their order.
    TUpdateGuard update(*this);
    const bool trashShown = Current.Book() == TrashBook.get();
    for (int index = book->Count() - 1; index >= 0; --index) {
      std::unique_ptr<TSMemo> memo = book->TakeMemo(index);
      if (trashShown)
        Current.AcceptMemo(std::move(memo), 0);
      else
        TrashBook->AcceptMemo(std::move(memo), 0);
    }
  }
  FileBox->RemovePath(book->GetPath());
  try {
    FileManager->RemoveFile(book);
  } catch (const EVopaError& error) {
    ReportError(error.Message);
  }
  return true;
}

bool TForm1::DeleteBooksUnder(const QString& folder, QString& failure) {
  // Hidden books too: their memos must reach the trash before the folder goes. Linked folders
  // and books are only links here; removing the folder leaves what they point to alone.
  QDirIterator listing(folder, QDir::Dirs | QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  while (listing.hasNext()) {
    listing.next();
    const QFileInfo entry = listing.fileInfo();
    if (entry.isSymLink()) continue;
    if (entry.isDir()) {
      if (!DeleteBooksUnder(folder + entry.fileName() + u'/', failure)) return false;
    } else if (IsBookFile(entry.fileName())) {
      TBook* book = nullptr;
      try {
        book = FileManager->OpenFile(entry.filePath());
      } catch (const EVopaError& error) {
        failure = error.Message;
      }
      if (!book || !DeleteBook(book)) {
        if (failure.isEmpty())
          failure = QStringLiteral("ブック %1 を開けないか、ごみ箱へ移せません。")
                        .arg(QDir::toNativeSeparators(entry.filePath()));
        return false;
      }
    }
  }
  return true;
}

void TForm1::DeleteFolder(const QString& path) {
  FileBox->SetHotPath(path, true);
  const auto unmark = qScopeGuard([this, &path] { FileBox->SetHotPath(path, false); });
  if (!path.startsWith(Dirs.BookDir) || path == Dirs.BookDir) return;
  QMessageBox ask(QMessageBox::Warning, QStringLiteral("フォルダの削除"),
                  QStringLiteral("フォルダとその中身を削除しますか？"), QMessageBox::Ok | QMessageBox::Cancel, this);
  ask.setDefaultButton(QMessageBox::Cancel);
  if (ask.exec() != QMessageBox::Ok) return;
  if (Current.Book() && Current.Book()->GetPath().startsWith(path)) {
    TBook* other = BookOutside(path);
    if (!other) return;
    SetCurrentBook(other);
  }
  // Folded first, so the books inside leave no rows to take away one by one.
  FileBox->CloseRow(FileBox->IndexOfPath(path));
  QString failure;
  if (!DeleteBooksUnder(path, failure)) {
    ReportError(QStringLiteral("フォルダ %1 は削除しませんでした。\n%2").arg(QDir::toNativeSeparators(path), failure));
    return;
  }
  FileBox->RemovePath(path);
  if (!QDir(path).removeRecursively())
    ReportError(QStringLiteral("フォルダ %1 を削除しきれませんでした。").arg(QDir::toNativeSeparators(path)));
}
