#include "mainwin/main_window.h"

#include <QMessageBox>
#include <QTimer>
#include <cstdio>

void TForm1::ReportError(const QString& message) {
  std::fprintf(stderr, "vopamemo: %s\n", qPrintable(message));
  // Before the window shows, or once it is gone, messages wait and are shown together.
  if (ShutDownDone || !isVisible()) {
    PendingErrors.append(message);
    return;
  }
  ShowErrorBox(message);
}

void TForm1::ShowPendingErrors() {
  if (PendingErrors.isEmpty()) return;
  const QString messages = PendingErrors.join(QStringLiteral("\n\n"));
  PendingErrors.clear();
  ShowErrorBox(messages);
}

void TForm1::ShowErrorBox(const QString& message) {
  // A failing autosave must not stack a new box every ten seconds.
  if (ShowingError) return;
  ShowingError = true;
  QMessageBox::warning(isVisible() ? this : nullptr, Prm.WindowCaption, message);
  ShowingError = false;
}

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // Problems met during start-up are shown over the window, once it is there.
  if (!PendingErrors.isEmpty()) QTimer::singleShot(0, this, &TForm1::ShowPendingErrors);
}
