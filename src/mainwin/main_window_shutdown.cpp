#include "mainwin/main_window.h"

#include "app/ini_file.h"
#include "book/book.h"
#include "book/book_rescue.h"
#include "book/file_manager.h"
#include "book/trash_book.h"
#include "book/vopa_error.h"
#include "view/view.h"

#include <QDateTime>
#include <QTimer>

QString TForm1::RescueReport(TBook& book, const QString& error) {
  try {
    const QString rescued = WriteRescueFile(book, Dirs.ExeDir);
    return QStringLiteral("%1 を保存できませんでした (%2)。メモは %3 に書き出しました。")
        .arg(book.GetPath(), error, rescued);
  } catch (const EVopaError& rescueError) {
    BooksLost = true;
    return QStringLiteral("%1 を保存できませんでした (%2)。%3").arg(book.GetPath(), error, rescueError.Message);
  }
}

void TForm1::Shutdown() {
  if (ShutDownDone) return;
  ShutDownDone = true;
  if (Timer1) Timer1->stop();
  // A pass in flight ends first: what it could not write is saved or rescued below.
  if (FileManager) FileManager->WaitForSaves();
  try {
    SaveSettings();
  } catch (const EVopaError& error) {
    ReportError(error.Message);
  }
  hide();
  if (TrayIcon()) TrayIcon()->hide();
  if (TrashBook) {
    PurgeTrash(*TrashBook, Prm.AutoCleanup, Prm.DayAutoCleanup, QDateTime::currentDateTime());
    try {
      TrashBook->SaveIfModified();
    } catch (const EVopaError& error) {
      ReportError(RescueReport(*TrashBook, error.Message));
    }
  }
  SetCurrentBook(nullptr);
  TrashBook.reset();
  CloseBooksRescuing();
  CurrentView = nullptr;
  PileView.reset();
  PageView.reset();
  IniFile->WriteString(QStringLiteral("Debug"), QStringLiteral("CloseQ"), QStringLiteral("前回多分正常終了"));
  try {
    IniFile->UpdateFile();
  } catch (const EVopaError& error) {
    ReportError(error.Message);
  }
  // After a signal nobody may be there to answer; the messages went to standard error.
  if (!QuietShutdown) ShowPendingErrors();
}

void TForm1::CloseBooksRescuing() {
  if (!FileManager) return;
  FileManager->CloseAll([this](TBook& book, const QString& error) { ReportError(RescueReport(book, error)); });
  FileManager.reset();
}
