#include "mainwin/main_window.h"

#include "app/ini_file.h"
#include "book/book.h"
#include "book/file_manager.h"
#include "book/keep_aside.h"
#include "book/trash_book.h"
#include "book/vopa_error.h"
#include "view/page_view.h"
#include "view/pile_view.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLayout>
#include <QTimer>

namespace {

constexpr int kAutosaveInterval = 10000;
const QString kBookExtension = QStringLiteral(".vopa");

// "Book1.vopa", else the first free "BookN.vopa", so an unreadable book is never overwritten.
QString FreeNewBookPath(const QString& dir) {
  QString candidate = dir + QStringLiteral("Book1") + kBookExtension;
  for (int n = 2; QFileInfo::exists(candidate); ++n) candidate = dir + QStringLiteral("Book%1").arg(n) + kBookExtension;
  return candidate;
}

std::unique_ptr<TBook> NewBookFile() { return std::make_unique<TBook>(); }

}  // namespace

void TForm1::FormCreate() {
  IniFile = std::make_unique<TIniFile>(Dirs.ExeDir + QStringLiteral("vopamemo.ini"));
  Dirs.IniPath = IniFile->FileName();
  ResolveBookDirs(*IniFile, Dirs);
  LoadSettings();
  Actions.SetRuntimeShortCuts();
  OpenTrashBook();
  FileManager = std::make_unique<TQumFileManager>(NewBookFile);
  // Queued: a failure box never opens inside whatever waited for the pass.
  connect(&FileManager->Saver, &TBookSaver::Finished, this, &TForm1::OpenBooksSaved, Qt::QueuedConnection);
  TBook* startupBook = OpenStartupBook();
  try {
    IniFile->UpdateFile();
  } catch (const EVopaError& error) {
    ReportError(error.Message);
  }
  if (!IniFile->ReadFailure().isEmpty())
    ReportError(QStringLiteral("設定ファイル %1 を読めませんでした (%2)。既定の設定で始めます。")
                    .arg(IniFile->FileName(), IniFile->ReadFailure()) +
                (IniFile->KeptAsideAs().isEmpty()
                     ? QString()
                     : QStringLiteral("元のファイルは %1 として残しました。").arg(IniFile->KeptAsideAs())));
  CreateViews();
  PointFoldersAtBookDir();
  SetCurrentView(PileView.get());
  SetCurrentBook(startupBook);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(kAutosaveInterval);
  connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
  Timer1->start();
  Timer1Timer();
}

void TForm1::OpenTrashBook() {
  const QString path = Dirs.ExtraDir + QStringLiteral("Trash") + kBookExtension;
  std::unique_ptr<TTrashBook> trash;
  QString readError;
  try {
    trash = TQumFileManager::OpenExisting<TTrashBook>(path);
  } catch (const EVopaError& error) {
    readError = error.Message;
  }
  // Plain text is no trash: read as one, it would be saved back as a memo of raw text.
  if (trash && trash->LoadedForm == TBookForm::PlainText) {
    trash.reset();
    readError = QStringLiteral("ブックの形式ではありません。");
  }
  if (!trash && QFileInfo::exists(path)) {
    // Keep what could not be read; the user may still rescue it by hand.
    const QString aside = KeepAside(path);
    ReportError(QStringLiteral("ごみ箱のファイルを読めなかったため、%1 として残し、新しいごみ箱を作りました。\n%2")
                    .arg(aside, readError));
  }
  if (!trash) trash = TQumFileManager::CreateNew<TTrashBook>(path);
  TrashBook = std::move(trash);
  ReportLoadNote(*TrashBook);
}

TBook* TForm1::TryOpenBook(const QString& path) {
  if (path.isEmpty()) return nullptr;
  // The trash left current at shut-down: opening its file as a second book would have two
  // objects saving over each other.
  if (QFileInfo(path) == QFileInfo(TrashBook->GetPath())) return TrashBook.get();
  try {
    auto* book = FileManager->OpenFile(path);
    if (book) ReportLoadNote(*book);
    return book;
  } catch (const EVopaError& error) {
    ReportError(error.Message);
    return nullptr;
  }
}

TBook* TForm1::OpenReadableBook(const QString& path) {
  const QFileInfo file(path);
  if (!file.isFile() || !file.isReadable()) {
    ReportError(QStringLiteral("ファイル %1 が見つからないか、読めません。").arg(QDir::toNativeSeparators(path)));
    return nullptr;
  }
  return TryOpenBook(path);
}

void TForm1::OpenBook(const QString& path) {
  TBook* book = OpenReadableBook(path);
  if (!book || book == Current.Book()) return;
  SetCurrentBook(book);
  FileManager->MoveToFront(book);
}

void TForm1::ReportLoadNote(TBook& book) {
  if (book.LoadNote.isEmpty()) return;
  ReportError(book.LoadNote);
  book.LoadNote.clear();
}

TBook* TForm1::OpenStartupBook() {
  if (TBook* book = TryOpenBook(Prm.StartupBook)) return book;
  Prm.SpecificBook = false;
  // A start-up book that could not be opened is not tried (and reported) twice.
  return OpenFirstOrNewBook(Prm.StartupBook);
}

TBook* TForm1::OpenFirstOrNewBook(const QString& failed) {
  const QString first = FindFirstBook(Dirs.BookDir, QString());
  if (first != failed)
    if (TBook* book = TryOpenBook(first)) return book;
  return FileManager->NewFile(FreeNewBookPath(Dirs.BookDir));
}

void TForm1::CreateViews() {
  auto pile = std::make_unique<TPileView>(*ViewHost, Panel2);
  Panel2->layout()->addWidget(pile->ScrollBox());
  PileView = std::move(pile);
  PileView->SetColors(Prm.PaperColors);
  PileView->SetFontName(Prm.PileFontName);
  PileView->SetFontSize(Prm.PileFontSize);
  PageView = std::make_unique<TPageView>(*ViewHost, Panel2);
  PageView->SetColors(Prm.PagePaperColors);
  PageView->SetFontName(Prm.PageFontName);
  PageView->SetFontSize(Prm.PageFontSize);
}
