#include "mainwin/main_window.h"

#include "book/book.h"
#include "book/file_manager.h"
#include "book/trash_book.h"
#include "book/vopa_error.h"

#include <QAction>

// Steps through the open books without changing their order. The trash is not among
// them: from it both ways lead back to the book used before it, else the first book of
// the tree, else a new one, so the trash never holds the user after a restart.
void TForm1::StepBook(int step) {
  if (Current.Book() && Current.Book() == TrashBook.get()) {
    try {
      TBook* back = TryOpenBook(Prm.LastBook);
      SetCurrentBook(back && back != TrashBook.get() ? back : OpenFirstOrNewBook());
    } catch (const EVopaError& error) {
      ReportError(error.Message);
    }
    return;
  }
  const auto& files = FileManager->Files;
  if (files.empty()) return;
  const int count = int(files.size());
  int index = -1;
  for (int i = 0; i < count; ++i)
    if (files[size_t(i)].get() == Current.Book()) index = i;
  int target;
  if (step < 0)
    target = index <= 0 ? count - 1 : index - 1;
  else
    target = index < count - 1 ? index + 1 : 0;
  SetCurrentBook(files[size_t(target)].get());
}

void TForm1::ConnectBookSteps() {
  connect(Actions.acPreviousBook, &QAction::triggered, this, [this] { StepBook(-1); });
  connect(Actions.acNextBook, &QAction::triggered, this, [this] { StepBook(1); });
}
