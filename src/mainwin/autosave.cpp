#include "mainwin/main_window.h"

#include "book/file_manager.h"
#include "book/trash_book.h"
#include "book/vopa_error.h"

#include <QTimer>

void TForm1::Timer1Timer() {
  if (IdleArmed) return;
  IdleArmed = true;
  // A zero timer runs once the event queue has run empty: the next idle moment.
  QTimer::singleShot(0, this, &TForm1::ApplicationEvents1Idle);
}

void TForm1::ApplicationEvents1Idle() {
  IdleArmed = false;
  // A pass armed just before the shut-down finds the books saved and freed.
  if (ShutDownDone) return;
  SaveOpenBooks();
}

void TForm1::SaveOpenBooks() {
  QStringList failures;
  try {
    FileManager->SaveAll();
  } catch (const EVopaError& error) {
    failures.append(error.Message);
  }
  try {
    TrashBook->SaveIfModified();
  } catch (const EVopaError& error) {
    failures.append(error.Message);
  }
  if (!failures.isEmpty()) ReportError(failures.join(QLatin1Char('\n')));
}
