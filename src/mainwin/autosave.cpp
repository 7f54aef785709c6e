#include "mainwin/main_window.h"

#include "book/file_manager.h"
#include "book/trash_book.h"

#include <QLabel>
#include <QTimer>
#include <utility>

namespace {

constexpr int kRecoveryNoteMs = 60000;

}  // namespace

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
  if (!FileManager->StartSavingAll({TrashBook.get()})) SaveAgain = true;
}

void TForm1::OpenBooksSaved(const QStringList& failures) {
  // The shut-down waited for the last pass and saves or rescues what it left modified.
  if (ShutDownDone) return;
  ReportSaveFailures(failures);
  if (std::exchange(SaveAgain, false)) SaveOpenBooks();
}

void TForm1::ReportSaveFailures(const QStringList& failures) {
  // Each failing book and error is told once; the autosave goes on trying quietly every
  // tick, the bottom bar shows that saving fails, and the pass that saves again says so.
  QStringList fresh;
  for (const QString& failure : failures)
    if (!SaveFailures.contains(failure)) fresh.append(failure);
  const bool recovered = failures.isEmpty() && !SaveFailures.isEmpty();
  SaveFailures = failures;
  if (!failures.isEmpty()) {
    SaveState->setText(QStringLiteral("保存できません。再試行しています…"));
  } else if (recovered) {
    const QString note = QStringLiteral("保存できるようになりました。");
    SaveState->setText(note);
    // Long enough to be seen after the failure box; a later failure replaces it at once.
    QTimer::singleShot(kRecoveryNoteMs, SaveState, [label = SaveState, note] {
      if (label->text() == note) label->clear();
    });
  }
  if (!fresh.isEmpty()) ReportError(fresh.join(QStringLiteral("\n\n")));
}
