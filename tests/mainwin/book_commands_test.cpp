#include "book/code_page.h"
#include "book/file_manager.h"
#include "folders/file_box.h"
#include "folders/sort_file.h"
#include "test_support.h"
#include "window_fixture.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <optional>

// Readable paths in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

constexpr int kRow = 17;

// Runs act on the next widget of type T that shows as the active modal or popup widget.
template <class T>
void WhenShown(std::function<void(T*)> act, int triesLeft = 300) {
  QTimer::singleShot(10, [act, triesLeft] {
    QWidget* shown =
        QApplication::activePopupWidget() ? QApplication::activePopupWidget() : QApplication::activeModalWidget();
    if (auto* widget = qobject_cast<T*>(shown))
      act(widget);
    else if (triesLeft > 0)
      WhenShown<T>(act, triesLeft - 1);
    else
      ADD_FAILURE() << "nothing showed";
  });
}

// Answers the next input box: types answer and presses OK, or presses Cancel.
void Answer(std::optional<QString> answer) {
  WhenShown<QInputDialog>([answer](QInputDialog* box) {
    auto* buttons = box->findChild<QDialogButtonBox*>();
    if (!answer) {
      QTest::mouseClick(buttons->button(QDialogButtonBox::Cancel), Qt::LeftButton);
      return;
    }
    auto* field = box->findChild<QLineEdit*>();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, *answer, Qt::NoModifier);
    QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
  });
}

void Confirm(QMessageBox::StandardButton button, QString* text = nullptr) {
  WhenShown<QMessageBox>([button, text](QMessageBox* box) {
    if (text) *text = box->text();
    QTest::mouseClick(box->button(button), Qt::LeftButton);
  });
}

// Answers the question box with OK, then notes the text of the message box that follows it.
void ConfirmThenRead(QString* report) {
  WhenShown<QMessageBox>([report](QMessageBox* question) {
    QTest::mouseClick(question->button(QMessageBox::Ok), Qt::LeftButton);
    WhenShown<QMessageBox>([report, question](QMessageBox* box) {
      if (box == question) return;
      *report = box->text();
      box->accept();
    });
  });
}

class BookCommands : public WindowTest {
 protected:
  TVopaFileBox& Tree() const { return *Child<TVopaFileBox>("FileBox"); }
  QString Books() const { return Root() + QStringLiteral("Books/"); }
  QStringList Rows() const {
    QStringList rows;
    for (int row = 0; row < Tree().Count(); ++row) {
      const TVopaNode* node = Tree().NodeAt(row);
      rows << QString(2 * (node->Level - 1), u' ') + node->Caption;
    }
    return rows;
  }
  QPoint At(const QString& caption, int quarter = 2) const {
    const int row =
        Rows().indexOf(QRegularExpression(QStringLiteral("^ *") + QRegularExpression::escape(caption) + u'$'));
    EXPECT_GE(row, 0) << caption.toStdString();
    return QPoint(30, (row - Tree().TopIndex()) * kRow + (quarter - 1) * kRow / 4 + 1);
  }
  QPoint Below() const { return QPoint(30, Tree().Count() * kRow + 4); }

  // Right-clicks the tree and chooses an entry of its menu.
  void Popup(QPoint at, const char* entry) {
    WhenShown<QMenu>([entry](QMenu* menu) {
      const QList<QAction*> entries = menu->actions();
      const auto named = std::find_if(entries.begin(), entries.end(),
                                      [entry](QAction* action) { return action->objectName() == entry; });
      if (named == entries.end()) {
        menu->close();
        FAIL() << entry;
      }
      QAction* action = *named;
      ASSERT_TRUE(action->isEnabled()) << entry;
      QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
    });
    QTest::mousePress(Tree().viewport(), Qt::RightButton, {}, at);
    QTest::mouseRelease(Tree().viewport(), Qt::RightButton, {}, at);
    QApplication::processEvents();
  }
  void ClickRow(const QString& caption) {
    QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {}, At(caption));
    QApplication::processEvents();
  }
  void CtrlDrag(QPoint from, QPoint to) {
    QTest::mousePress(Tree().viewport(), Qt::LeftButton, {}, from);
    QTest::mouseEvent(QTest::MouseMove, Tree().viewport(), Qt::NoButton, Qt::ControlModifier, from + QPoint(3, 0));
    QTest::mouseEvent(QTest::MouseMove, Tree().viewport(), Qt::NoButton, Qt::ControlModifier, to);
    QTest::mouseRelease(Tree().viewport(), Qt::LeftButton, {}, to);
  }
  QString Title() const { return Child<QLabel>("Panel5")->text(); }
  TBook* OpenAt(const QString& relative) { return Form->GetFileManager()->OpenFile(Books() + relative); }
  QStringList Entries(const QString& folder = QString()) const {
    QStringList names = QDir(Books() + folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    names.removeAll(kSortFileName);
    names.sort();
    return names;
  }
};

TEST_F(BookCommands, StartUpShowsTheBookDirectoryInItsOrderAndMarksTheStartBook) {
  WriteBook("Books/Folder/inside.vopa", {"i"});
  WriteBytes(Books() + kSortFileName, "Test.vopa=Test\r\nFolder=Folder\r\n");
  Open({"a"});
  EXPECT_EQ(Tree().RootPath(), Books());
  EXPECT_EQ(Rows(), (QStringList{"Test", "Folder"}));
  EXPECT_EQ(Tree().CurrentPath(), Books() + "Test.vopa");
  ClickRow("Folder");
  ClickRow("inside");
  EXPECT_EQ(Book().GetPath(), Books() + "Folder/inside.vopa");
  EXPECT_EQ(Form->GetFileManager()->Files.front().get(), Form->GetCurrent().Book()) << "a chosen book comes first";
}

TEST_F(BookCommands, NewBooksAndFoldersGetUniqueNamesAndAskForTheirNamesAtOnce) {
  Open({"a"});
  Answer(std::nullopt);
  Popup(Below(), "N23");
  EXPECT_EQ(Book().GetPath(), Books() + "NewBook.vopa") << "cancelling keeps the name";
  EXPECT_EQ(Rows().first(), "NewBook");
  Answer(QStringLiteral("日記"));
  Popup(At("Test"), "N23");
  EXPECT_EQ(Book().GetPath(), Books() + "日記.vopa");
  EXPECT_EQ(Title(), "日記");
  Answer(std::nullopt);
  Form->GetActions().acNewBook->trigger();
  EXPECT_EQ(Book().GetPath(), Books() + "NewBook2.vopa");
  Answer(std::nullopt);
  Form->GetActions().acNewBook->trigger();
  EXPECT_EQ(Book().GetPath(), Books() + "NewBook3.vopa");

  Answer(std::nullopt);
  Popup(Below(), "N24");
  Answer(QStringLiteral("仕事"));
  Popup(Below(), "N24");
  EXPECT_EQ(Entries(), (QStringList{"NewBook.vopa", "NewBook2.vopa", "NewBook3.vopa", "Test.vopa", "仕事",
                                    "新規フォルダ", "日記.vopa"}));
  EXPECT_EQ(Rows().first(), "仕事") << "the new folder shows first";
  EXPECT_EQ(Tree().CurrentFolderPath(), Books() + "仕事/");
  Answer(std::nullopt);
  Popup(At("仕事"), "N23");
  EXPECT_EQ(Book().GetPath(), Books() + "仕事/NewBook.vopa") << "a new book in the right-clicked folder";
  EXPECT_TRUE(DecodeCp932OrUtf8(ReadBytes(Books() + kSortFileName)).startsWith("仕事=仕事\r\n"));
}

TEST_F(BookCommands, RenamingRefusesTakenNamesBlanksAndNamesThatLeaveTheFolder) {
  WriteBook("Books/Other.vopa", {"o"});
  WriteBook("Books/Folder/in.vopa", {"i"});
  WriteBook("Books/Taken/t.vopa", {"t"});
  Open({"a"});
  Form->OpenBook(Books() + "Test.vopa");
  const QStringList before = Entries();
  // Its own name, a name that is taken, blanks, and names that would leave the folder.
  const QStringList refused = {"   ", "a/b", ".", "..", "../up", "/tmp"};
  for (const QString& answer : refused + QStringList{"Test", "Other"}) {
    Answer(answer);
    Form->GetActions().acChangeBookName->trigger();
    EXPECT_EQ(Entries(), before) << answer.toStdString();
  }
  for (const QString& answer : refused + QStringList{"Folder", "Taken"}) {
    Answer(answer);
    Popup(At("Folder"), "N20");
    EXPECT_EQ(Entries(), before) << answer.toStdString();
  }
  EXPECT_EQ(Entries("Folder"), QStringList{"in.vopa"});

  Answer(QStringLiteral(" 新しい名前 "));
  Popup(Below(), "N20");
  EXPECT_EQ(Book().GetPath(), Books() + "新しい名前.vopa") << "on no row the current book is renamed";
  EXPECT_EQ(Title(), "新しい名前");
  EXPECT_EQ(Tree().CurrentPath(), Books() + "新しい名前.vopa");
}

TEST_F(BookCommands, RenamingAFolderTakesItsOpenBooksAlong) {
  WriteBook("Books/Folder/in.vopa", {"i"});
  Open({"a"});
  ClickRow("Folder");
  ClickRow("in");
  TBook* inside = Form->GetCurrent().Book();
  Answer(QStringLiteral("Renamed"));
  Popup(At("Folder"), "N20");
  EXPECT_EQ(inside->GetPath(), Books() + "Renamed/in.vopa");
  EXPECT_TRUE(Rows().contains("Renamed"));
  EXPECT_EQ(Tree().CurrentPath(), Books() + "Renamed/in.vopa");
  inside->MemoAt(0)->SetText("typed");
  Form->SaveOpenBooks();
  WaitForSaves();
  EXPECT_TRUE(ReadBytes(Books() + "Renamed/in.vopa").contains("typed"));
  EXPECT_FALSE(QFile::exists(Books() + "Folder"));
}

TEST_F(BookCommands, DeletingTheCurrentBookShowsTheLastOpenedOtherAndKeepsItsMemosInTheTrash) {
  WriteBook("Books/A.vopa", {"a"});
  WriteBook("Books/B.vopa", {"b"});
  Open({"one", "two", "three"});
  ASSERT_EQ(Book().GetPath(), Books() + "A.vopa") << "the first book starts";
  OpenAt("B.vopa");
  Form->OpenBook(Books() + "Test.vopa");
  Trash().AddMemo("old", 0);
  const QStringList trashBefore = Texts(Trash());
  Popup(At("Test"), "N26");
  EXPECT_EQ(Book().GetPath(), Books() + "B.vopa") << "the most recently opened other book";
  EXPECT_EQ(Texts(Trash()), QStringList({"one", "two", "three"}) + trashBefore);
  EXPECT_FALSE(QFile::exists(Books() + "Test.vopa"));
  EXPECT_FALSE(Rows().contains("Test"));
  EXPECT_EQ(Form->GetFileManager()->FindFile(Books() + "Test.vopa"), nullptr);
}

TEST_F(BookCommands, TheOnlyBookIsNotDeleted) {
  Open({"kept"});
  const int trashCount = Trash().Count();
  Form->GetActions().acDeleteBook->trigger();
  EXPECT_TRUE(QFile::exists(Books() + "Test.vopa"));
  EXPECT_EQ(Texts(Book()), QStringList{"kept"});
  EXPECT_EQ(Trash().Count(), trashCount);
}

TEST_F(BookCommands, DeletingAFolderAsksFirstAndEmptiesEveryBookInsideIntoTheTrash) {
  WriteBook("Books/Folder/a.vopa", {"a1", "a2"});
  WriteBook("Books/Folder/Sub/.hidden.vopa", {"hidden"});
  WriteBytes(Books() + "Folder/notes.txt", "kept aside?");
  Open({"t"});
  for (const auto button : {QMessageBox::Cancel, QMessageBox::NoButton}) {
    QString asked;
    if (button == QMessageBox::NoButton)
      WhenShown<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); });
    else
      Confirm(button, &asked);
    Popup(At("Folder"), "N22");
    EXPECT_TRUE(QFile::exists(Books() + "Folder/a.vopa")) << "Cancel is the default";
  }
  QString asked;
  Confirm(QMessageBox::Ok, &asked);
  Popup(At("Folder"), "N22");
  EXPECT_EQ(asked, "フォルダとその中身を削除しますか？");
  EXPECT_FALSE(QFile::exists(Books() + "Folder"));
  EXPECT_EQ(Rows(), QStringList{"Test"});
  QStringList moved = Texts(Trash()).mid(0, 3);
  moved.sort();
  EXPECT_EQ(moved, (QStringList{"a1", "a2", "hidden"})) << "a hidden book's memos are not lost";
}

TEST_F(BookCommands, AFolderWithABookThatCannotBeReadStays) {
  WriteBook("Books/Folder/good.vopa", {"g"});
  WriteBytes(Books() + "Folder/other.vopa", "<html><body>no book</body></html>");
  Open({"t"});
  QString report;
  ConfirmThenRead(&report);
  Popup(At("Folder"), "N22");
  EXPECT_TRUE(report.contains("削除しませんでした")) << report.toStdString();
  EXPECT_TRUE(QFile::exists(Books() + "Folder/other.vopa"));
  EXPECT_TRUE(Rows().contains("Folder"));
}

TEST_F(BookCommands, AnOpenBookMovedByADropIsSavedAtItsNewPlace) {
  WriteBook("Books/Folder/in.vopa", {"i"});
  WriteBook("Books/Target/t.vopa", {"t"});
  WriteBytes(Books() + kSortFileName, "Folder=Folder\r\nTarget=Target\r\nTest.vopa=Test\r\n");
  Open({"a"});
  ClickRow("Folder");
  ClickRow("in");
  TBook* moved = Form->GetCurrent().Book();
  ClickRow("Folder");
  CtrlDrag(At("Folder"), At("Target", 2));
  EXPECT_EQ(moved->GetPath(), Books() + "Target/Folder/in.vopa");
  EXPECT_EQ(Tree().CurrentPath(), moved->GetPath());
  moved->MemoAt(0)->SetText("typed after the move");
  Form->SaveOpenBooks();
  WaitForSaves();
  EXPECT_FALSE(QFile::exists(Books() + "Folder")) << "the old place is never written again";
  EXPECT_TRUE(ReadBytes(moved->GetPath()).contains("typed after the move"));
}

// A large book is still being written when the drop or the new name arrives.
TEST_F(BookCommands, ABookMovedOrRenamedDuringItsSaveIsNeverWrittenAtItsOldPlace) {
  const QStringList large(4000, QStringLiteral("long enough to take a while to write, 少し長い行です。").repeated(8));
  const QString old = Books() + "Folder/in.vopa";
  for (const bool drop : {true, false}) {
    SCOPED_TRACE(drop ? "drop" : "rename");
    Form.reset();
    QDir(Books()).removeRecursively();
    WriteBook("Books/Folder/in.vopa", large);
    WriteBytes(Books() + kSortFileName, "Folder=Folder\r\nTarget=Target\r\nTest.vopa=Test\r\n");
    QDir().mkpath(Books() + "Target");
    Open({"a"});
    ClickRow("Folder");
    ClickRow("in");
    TBook* moved = Form->GetCurrent().Book();
    if (drop) ClickRow("Folder");
    moved->MemoAt(0)->SetText("typed before the save");
    Form->SaveOpenBooks();
    if (drop) {
      CtrlDrag(At("Folder"), At("Target", 2));
    } else {
      Answer(QStringLiteral("renamed"));
      Form->GetActions().acChangeBookName->trigger();
    }
    WaitForSaves();
    EXPECT_FALSE(QFile::exists(old));
    EXPECT_TRUE(ReadBytes(moved->GetPath()).contains("typed before the save")) << moved->GetPath().toStdString();
  }
}

TEST_F(BookCommands, TheMoveMenusTakeAMemoOutOfTheTrashWithoutASecondTrash) {
  WriteBook("Books/Folder/in.vopa", {"i"});
  Open({"a", "b"}, 0);
  Form->GetActions().acTrashMemo->trigger();
  Form->GetActions().acOpenTrash->trigger();
  EXPECT_EQ(Tree().CurrentPath(), QString()) << "no book of the tree is shown";
  Form->GetCurrent().SelectMemoAt(0);
  ASSERT_EQ(MemoText(0), "a");
  auto* move = Child<QMenu>("MoveBookMenu");
  emit Child<QMenu>("PopupMemo")->aboutToShow();
  emit move->aboutToShow();
  // The trash's own folder lists the trash itself: choosing it must not open it again.
  for (QAction* entry : move->actions())
    if (entry->text() == "Trash") entry->trigger();
  EXPECT_EQ(MemoText(0), "a");
  for (const auto& file : Form->GetFileManager()->Files) EXPECT_NE(file->FileName, "Trash.vopa");

  QMenu* books = nullptr;
  for (QAction* entry : move->actions())
    if (entry->text() == "Books") books = entry->menu();
  ASSERT_NE(books, nullptr);
  EXPECT_TRUE(books->menuAction()->isVisible()) << "the trash lives outside the book directory";
  emit books->aboutToShow();
  for (QAction* entry : books->actions())
    if (entry->text() == "Test") entry->trigger();
  auto* test = Form->GetFileManager()->FindFile(Books() + "Test.vopa");
  EXPECT_EQ(Texts(*test), (QStringList{"a", "b"})) << "back on top of its book";
}

TEST_F(BookCommands, TheBookPopupHoldsItsEntriesInOrderAndOpensTheSettings) {
  Open({"a"});
  QStringList entries;
  for (QAction* entry : Child<QMenu>("PopupBook2")->actions()) entries << (entry->isSeparator() ? "-" : entry->text());
  EXPECT_EQ(entries, (QStringList{"名前の変更...", "-", "新規ブック...", "新規フォルダ...", "-", "設定...", "-",
                                  "フォルダ削除...", "ブック削除"}));
  QString shown;
  WhenShown<QDialog>([&shown](QDialog* dialog) {
    shown = dialog->windowTitle();
    dialog->reject();
  });
  Popup(At("Test"), "acShowOption0");
  EXPECT_EQ(shown, "ヴォパメモ－設定");
}

TEST_F(BookCommands, TheTitleBarMenuListsTheBooksAndTheTrash) {
  WriteBook("Books/Folder/in.vopa", {"i"});
  Open({"a"});
  auto* menu = Child<QMenu>("SelectBookPopup");
  emit menu->aboutToShow();
  QStringList entries;
  for (QAction* entry : menu->actions())
    if (entry->isVisible()) entries << (entry->isSeparator() ? "-" : entry->text());
  EXPECT_TRUE(entries.contains("Test"));
  EXPECT_TRUE(entries.contains("Folder"));
  EXPECT_EQ(entries.mid(entries.size() - 2), (QStringList{"-", "Extra"}));
  menu->actions().last()->menu()->actions().first()->trigger();
  EXPECT_EQ(Form->GetCurrent().Book(), &Trash());
}

TEST_F(BookCommands, ChoosingBooksSetsTheOrderThatCtrlTabSteps) {
  WriteBook("Books/B.vopa", {"b"});
  WriteBook("Books/C.vopa", {"c"});
  Open({"a"});
  ClickRow("C");
  ClickRow("Test");
  ClickRow("B");
  QStringList steps;
  for (int i = 0; i < 3; ++i) {
    Press(Qt::Key_Tab, Qt::ControlModifier);
    steps << Book().GetTitle();
  }
  EXPECT_EQ(steps, (QStringList{"Test", "C", "B"}));
  Press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Book().GetTitle(), "C");
}

}  // namespace
