// Text into the program (open command, drops) and out of it (export).
#include "window_fixture.h"

#include "book/file_manager.h"
#include "test_support.h"

#include <QDropEvent>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QTimer>

namespace {

class WindowTextTest : public WindowTest {
 protected:
  // Answers the next file dialog with path, after checking the name it proposes.
  void AnswerFileDialog(const QString& path, const QString& proposed = {}) {
    QTimer::singleShot(0, Form.get(), [path, proposed] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      if (!proposed.isEmpty()) {
        EXPECT_EQ(dialog->selectedFiles().value(0).section('/', -1), proposed);
      }
      dialog->selectFile(path);
      static_cast<QDialog*>(dialog)->accept();  // QFileDialog keeps its accept() protected
    });
  }
  // Closes the next message box, keeping its text.
  void CloseMessageBox() {
    QTimer::singleShot(0, Form.get(), [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      Message = box->text();
      box->accept();
    });
  }
  // A real drag of mime data from another program, released over target.
  bool Drop(QWidget* target, QMimeData& data) {
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
    return true;
  }
  bool DropText(const QString& text, QWidget* target = nullptr) {
    QMimeData data;
    data.setText(text);
    return Drop(target ? target : Form.get(), data);
  }
  TBook* OpenBookAt(const QString& relativePath) const {
    return Form->GetFileManager()->FindFile(Home.filePath(relativePath));
  }
  void CloseEveryBook() {
    TQumFileManager& books = *Form->GetFileManager();
    while (!books.Files.empty()) books.CloseFile(books.Files.front().get());
  }

  QString Message;
};

TEST_F(WindowTextTest, OpeningABookOfTheTreeOnlyMakesItCurrent) {
  WriteBook("Books/sub/Other.vopa", {"other memo"});
  Open({"a"});
  const QStringList before = QDir(Home.filePath("Books")).entryList(QDir::Files);
  AnswerFileDialog(Home.filePath("Books/sub/Other.vopa"));
  Action("acOpen")->trigger();
  EXPECT_EQ(Book().GetPath(), Home.filePath("Books/sub/Other.vopa"));
  EXPECT_EQ(Texts(Book()), QStringList{"other memo"});
  EXPECT_EQ(QDir(Home.filePath("Books")).entryList(QDir::Files), before);
}

TEST_F(WindowTextTest, TextFileFromOutsideBecomesABookInTheCurrentFolder) {
  const QByteArray outside = "first line\r\n２行目\r\n";
  WriteBytes(Home.filePath("outside/notes.txt"), outside);
  WriteBook("Books/sub/Inner.vopa", {"inner"});
  Open({"a"});
  Form->OpenBook(Home.filePath("Books/sub/Inner.vopa"));  // the tree's current folder is now sub
  AnswerFileDialog(Home.filePath("outside/notes.txt"));
  Action("acOpen")->trigger();

  EXPECT_EQ(Book().GetPath(), Home.filePath("Books/sub/notes.vopa"));
  EXPECT_EQ(Texts(Book()), QStringList({"", "first line\r\n２行目\r\n"}));
  EXPECT_EQ(CurrentIndex(), 0);
  EXPECT_FALSE(Book().Modified);
  EXPECT_TRUE(QFileInfo::exists(Home.filePath("Books/sub/notes.vopa")));
  EXPECT_EQ(ReadBytes(Home.filePath("outside/notes.txt")), outside);
}

TEST_F(WindowTextTest, ATakenNameKeepsTheBookThereAndTheNewOneGetsAFreeName) {
  WriteBook("Books/notes.vopa", {"kept"});
  WriteBytes(Home.filePath("outside/notes.txt"), "new text");
  Open({"a"});
  const QByteArray kept = ReadBytes(Home.filePath("Books/notes.vopa"));
  Form->ImportBook(Home.filePath("outside/notes.txt"));
  EXPECT_EQ(Book().GetPath(), Home.filePath("Books/notes2.vopa"));
  EXPECT_EQ(Texts(Book()), QStringList({"", "new text\r\n"}));  // the whole text, as the loader reads it
  EXPECT_EQ(ReadBytes(Home.filePath("Books/notes.vopa")), kept);
}

TEST_F(WindowTextTest, AFileThatCannotBeReadChangesNothingAndSaysSo) {
  Open({"a"});
  TBook* before = Form->GetCurrent().Book();
  CloseMessageBox();
  Form->ImportBook(Home.filePath("outside/gone.txt"));
  EXPECT_EQ(Form->GetCurrent().Book(), before);
  EXPECT_TRUE(Message.contains("gone.txt")) << Message.toStdString();
  EXPECT_EQ(Form->GetFileManager()->Files.size(), 1u);
}

TEST_F(WindowTextTest, ExportWritesEveryMemoAndIsOffWithoutABook) {
  Open({"A", "メモ\r\nB"});
  const QString path = Home.filePath("out/Test.txt");
  QDir().mkpath(Home.filePath("out"));
  AnswerFileDialog(path, "Test.txt");
  Action("acSaveAsText")->trigger();
  EXPECT_EQ(ReadBytes(path), QByteArray("A\r\n\r\n\x83\x81\x83\x82\r\nB\r\n\r\n"));

  Form->SetCurrentBook(nullptr);
  EXPECT_FALSE(Action("acSaveAsText")->isEnabled());
}

TEST_F(WindowTextTest, DroppedTextBecomesAnImportedMemoAtTheTop) {
  Open({"a", "b"}, 1);
  EXPECT_TRUE(DropText(" \t\n  dropped\n second line \n\n", PileEditor(1)));
  EXPECT_EQ(Texts(Book()), QStringList({"dropped\r\n second line", "a", "b"}));
  EXPECT_EQ(Book().MemoAt(0)->GetOption("Imported"), "True");
  EXPECT_EQ(CurrentIndex(), 0);
}

TEST_F(WindowTextTest, BlankDropsAndDragsWithoutTextDoNothing) {
  Open({"a"});
  EXPECT_TRUE(DropText(" \r\n\t "));
  QMimeData picture;
  picture.setData("image/png", "png");
  EXPECT_FALSE(Drop(Form.get(), picture));
  EXPECT_EQ(Texts(Book()), QStringList{"a"});
}

TEST_F(WindowTextTest, DropGoesToTheSetBookOrToTheShownOneWhenItIsGone) {
  WriteBook("Books/Drops.vopa", {"older drop"});
  Open({"a"});
  TVopaPrm prm = Form->GetPrm();
  prm.DropTextToSpecificBook = true;
  prm.DropTextBook = Home.filePath("Books/Drops.vopa");
  Form->ApplySettings(prm);
  DropText("to the drop book");
  EXPECT_EQ(Book().GetPath(), Home.filePath("Books/Drops.vopa"));
  EXPECT_EQ(Texts(Book()), QStringList({"to the drop book", "older drop"}));

  prm.DropTextBook = Home.filePath("Books/Deleted.vopa");
  Form->ApplySettings(prm);
  DropText("to the shown book");
  EXPECT_EQ(Texts(Book()), QStringList({"to the shown book", "to the drop book", "older drop"}));
  EXPECT_FALSE(Form->GetPrm().DropTextToSpecificBook);
}

TEST_F(WindowTextTest, DropWhileTheTrashIsShownGoesToTheLastOpenedBook) {
  WriteBook("Books/Second.vopa", {"second"});
  Open({"a"});
  Form->OpenBook(Home.filePath("Books/Second.vopa"));
  Form->SetCurrentBook(Form->GetTrashBook());
  const int inTrash = Trash().Count();
  DropText("not for the trash");
  EXPECT_EQ(Book().GetPath(), Home.filePath("Books/Second.vopa"));
  EXPECT_EQ(Texts(Book()), QStringList({"not for the trash", "second"}));
  EXPECT_EQ(Trash().Count(), inTrash);
}

TEST_F(WindowTextTest, DropWhileTheTrashIsShownAndNoBookIsOpenGoesToABookOfTheTree) {
  Open({"a"});
  Form->SetCurrentBook(Form->GetTrashBook());
  CloseEveryBook();
  DropText("kept safe");
  EXPECT_EQ(Book().GetPath(), Home.filePath("Books/Test.vopa"));
  EXPECT_EQ(Texts(Book()), QStringList({"kept safe", "a"}));

  // With no book left in the tree at all, one is made for the text.
  Form->SetCurrentBook(Form->GetTrashBook());
  CloseEveryBook();
  QFile::remove(Home.filePath("Books/Test.vopa"));
  DropText("in a new book");
  EXPECT_EQ(Book().GetPath(), Home.filePath("Books/Book1.vopa"));
  EXPECT_EQ(Texts(Book()), QStringList({"in a new book", ""}));  // a new book starts with one empty memo
}

}  // namespace
