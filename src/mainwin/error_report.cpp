#include "mainwin/main_window.h"

#include <QMessageBox>
#include <cstdio>

void TForm1::ReportError(const QString& message) {
  std::fprintf(stderr, "vopamemo: %s\n", qPrintable(message));
  if (ShutDownDone) {
    // The window is gone; the messages are shown together once the books are closed.
    ShutdownErrors.append(message);
    return;
  }
  // A failing autosave must not stack a new box every ten seconds.
  if (ShowingError) return;
  ShowingError = true;
  QMessageBox::warning(isVisible() ? this : nullptr, windowTitle(), message);
  ShowingError = false;
}
