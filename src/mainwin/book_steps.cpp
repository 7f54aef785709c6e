#include "mainwin/main_window.h"

#include "book/book.h"
#include "book/file_manager.h"

#include <QAction>

// Steps through the open books without changing their order; from the trash, which
// is not among them, next gives the first book and previous the last.
void TForm1::StepBook(int step) {
  const auto& files = FileManager->Files;
  if (files.empty()) return;
  const int count = int(files.size());
  int index = -1;
  for (int i = 0; i < count; ++i)
    if (files[size_t(i)].get() == CurrentBook) index = i;
  int target;
  if (step < 0)
    target = index <= 0 ? count - 1 : index - 1;
  else
    target = index < count - 1 ? index + 1 : 0;
  SetCurrentBook(static_cast<TBook*>(files[size_t(target)].get()));
}

void TForm1::ConnectBookSteps() {
  connect(Actions.acPreviousBook, &QAction::triggered, this, [this] { StepBook(-1); });
  connect(Actions.acNextBook, &QAction::triggered, this, [this] { StepBook(1); });
}
