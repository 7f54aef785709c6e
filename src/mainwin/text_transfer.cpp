#include "mainwin/main_window.h"

#include "app/app_dirs.h"
#include "book/book.h"
#include "book/book_text.h"
#include "book/file_manager.h"
#include "book/text_trim.h"
#include "book/trash_book.h"
#include "book/vopa_error.h"
#include "book/whole_file_write.h"
#include "folders/file_box.h"
#include "folders/folder_paths.h"
#include "mainwin/text_drop_target.h"
#include "view/paper_text.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

const QString kBookExtension = QStringLiteral(".vopa");

// A dialog of our own, so that it looks the same everywhere and tests can answer it.
QString AskPath(QWidget* parent, QFileDialog::AcceptMode mode, const QString& proposed, const QString& filter) {
  QFileDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("TextFileDialog"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(mode);
  if (mode == QFileDialog::AcceptOpen) {
    dialog.setWindowTitle(QStringLiteral("読み込み"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(filter);
  } else {
    dialog.setWindowTitle(QStringLiteral("テキストファイルに書き出し"));
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(proposed);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

}  // namespace

void TForm1::ConnectTextTransfer() {
  connect(Actions.acOpen, &QAction::triggered, this, [this] {
    const QString path =
        AskPath(this, QFileDialog::AcceptOpen, {},
                QStringLiteral("メモファイル(.vopa),テキストファイル(.txt) (*.vopa *.txt);;すべてのファイル (*)"));
    if (!path.isEmpty()) ImportBook(path);
  });
  connect(Actions.acSaveAsText, &QAction::triggered, this, [this] {
    if (!Current.Book()) return;
    const QString path =
        AskPath(this, QFileDialog::AcceptSave, Current.Book()->GetTitle() + QStringLiteral(".txt"), {});
    if (!path.isEmpty()) ExportBook(*Current.Book(), path);
  });
  VrTextDropTarget1 = new TVrTextDropTarget(this);
  VrTextDropTarget1->SetWindow(this);
  VrTextDropTarget1->OnTextDrop = [this](const QString& text) { VrTextDropTarget1TextDrop(text); };
}

void TForm1::ImportBook(const QString& path) {
  TBook* book = OpenReadableBook(path);
  if (!book) return;
  if (book != TrashBook.get() && !FileBox->Locate(book->GetPath())) {
    // A file from outside the tree becomes a book of its own in the current folder; the
    // file itself stays as it was, and a book of the same name there is never replaced.
    book->SetPath(UniquePath(FileBox->CurrentFolderPath() + book->GetTitle() + kBookExtension));
    book->SetModified();
    try {
      book->SaveIfModified();
    } catch (const EVopaError& error) {
      ReportError(error.Message);
    }
    FileBox->Locate(book->GetPath());
  }
  if (book == Current.Book()) return;
  SetCurrentBook(book);
  FileManager->MoveToFront(book);
}

void TForm1::ExportBook(const TBook& book, const QString& path) {
  QString error;
  if (!WriteWholeFile(path, BookAsText(book), &error))
    ReportError(
        QStringLiteral("テキストファイル %1 に書き出せませんでした。\n%2").arg(QDir::toNativeSeparators(path), error));
}

void TForm1::VrTextDropTarget1TextDrop(const QString& text) {
  const QString memoText = ToMemoText(TrimControls(text));
  if (memoText.isEmpty()) return;
  if (Prm.DropTextToSpecificBook) {
    TBook* book = nullptr;
    try {
      book = FileManager->OpenFile(Prm.DropTextBook);
    } catch (const EVopaError&) {
      book = nullptr;
    }
    if (!book) {
      // The drop book is gone: the memo goes to the book in sight, and the setting goes off.
      Prm.DropTextToSpecificBook = false;
    } else if (book != Current.Book()) {
      SetCurrentBook(book);
    }
  }
  // Dropped text never goes into the trash, and never nowhere.
  if (!Current.Book() || Current.Book() == TrashBook.get()) SetCurrentBook(BookForNewText());
  TOptionList options;
  options.Set(kOptImported, QStringLiteral("True"));
  const int index = Current.InsertMemo(memoText, 0, &options);
  if (index < 0) return;
  Current.SelectMemoAt(index);
  ShowCurrentInPile();
}

TBook* TForm1::BookForNewText() {
  if (!FileManager->Files.empty()) return FileManager->Files.front().get();
  return OpenFirstOrNewBook();
}
