// The window takes its bounds, list width and caption from the settings file and writes them back.
#include "window_fixture.h"

#include "book/file_manager.h"
#include "test_support.h"

#include <QApplication>
#include <QFile>
#include <QSplitter>
#include <QStringEncoder>

namespace {

QByteArray Cp932(const QString& text) { return QStringEncoder("windows-31j").encode(text); }

TEST_F(WindowTest, BoundsListWidthAndCaptionComeFromTheSettingsAndGoBack) {
  WriteBytes(Home.filePath(QStringLiteral("vopamemo.ini")),
             Cp932(QStringLiteral("; kept\r\n[Position]\r\nLeft=50\r\nTop=60\r\nWidth=640\r\nHeight=480\r\n"
                                  "ListWidth=180\r\n[Parameters]\r\nWindowCaption=メモ帳\r\n[Mine]\r\nx=1\r\n")));
  Open({QStringLiteral("a")}, -1, QSize());
  EXPECT_EQ(Form->windowTitle(), QStringLiteral("Test - メモ帳"));
  EXPECT_EQ(Form->size(), QSize(640, 480));
  EXPECT_EQ(Form->findChild<QWidget*>(QStringLiteral("ListPane"))->width(), 180);
  Form.reset();
  const QByteArray ini = ReadBytes(Home.filePath(QStringLiteral("vopamemo.ini")));
  for (const char* expected : {"; kept\r\n[Position]\r\n", "Left=50\r\n", "Top=60\r\n", "Width=640\r\n",
                               "Height=480\r\n", "ListWidth=180\r\n", "[Mine]\r\nx=1\r\n"})
    EXPECT_TRUE(ini.contains(expected)) << expected << "\n" << ini.constData();
  EXPECT_TRUE(ini.contains(Cp932(QStringLiteral("WindowCaption=メモ帳\r\n"))));
}

TEST_F(WindowTest, AMaximisedWindowStartsMaximisedAndKeepsItsNormalBounds) {
  WriteBytes(Home.filePath(QStringLiteral("vopamemo.ini")),
             "[Position]\r\nLeft=50\r\nTop=60\r\nWidth=640\r\nHeight=480\r\n");
  Open({QStringLiteral("a")}, -1, QSize());
  Form->showMaximized();
  QApplication::processEvents();
  ASSERT_TRUE(Form->isMaximized());
  Form.reset();
  const QByteArray ini = ReadBytes(Home.filePath(QStringLiteral("vopamemo.ini")));
  for (const char* expected : {"Left=50\r\n", "Top=60\r\n", "Width=640\r\n", "Height=480\r\n", "Maximized=1\r\n"})
    EXPECT_TRUE(ini.contains(expected)) << expected << "\n" << ini.constData();
  Start(QSize());
  EXPECT_TRUE(Form->isMaximized());
  Form->showNormal();
  QApplication::processEvents();
  EXPECT_EQ(Form->size(), QSize(640, 480));
}

// The trash file must never be open twice: its two objects would save over each other.
TEST_F(WindowTest, TrashCurrentAtShutdownIsTheTrashItselfAtTheNextStart) {
  Open({QStringLiteral("a")});
  Form->SetCurrentBook(Form->GetTrashBook());
  Form.reset();
  Form = std::make_unique<TForm1>(Root());
  Form->SetQuietShutdown(true);
  EXPECT_EQ(Form->GetCurrent().Book(), Form->GetTrashBook());
  EXPECT_EQ(Form->GetFileManager()->FindFile(Form->GetTrashBook()->GetPath()), nullptr);
}

// After a restart in the trash both book keys lead back: to the book used before the trash,
// else to the first book of the tree, else to a new "Book1.vopa".
TEST_F(WindowTest, CtrlTabLeadsBackFromTheTrashAfterARestart) {
  WriteBook(QStringLiteral("Books/Zoo.vopa"), {QStringLiteral("f")});
  Open({QStringLiteral("a")});
  const struct {
    const char* Removed;  // from disk while the program is stopped
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers;
    const char* Book;
  } steps[] = {
      {nullptr, Qt::Key_Tab, Qt::ControlModifier, "Books/Test.vopa"},
      {"Books/Test.vopa", Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, "Books/Zoo.vopa"},
      {"Books/Zoo.vopa", Qt::Key_Tab, Qt::ControlModifier, "Books/Book1.vopa"},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.Book);
    Action("acOpenTrash")->trigger();
    Form.reset();
    if (step.Removed) {
      ASSERT_TRUE(QFile::remove(Home.filePath(QString::fromLatin1(step.Removed))));
    }
    Start();
    ASSERT_EQ(Form->GetCurrent().Book(), Form->GetTrashBook());
    Press(step.Key, step.Modifiers);
    EXPECT_EQ(Form->GetCurrent().Book()->GetPath().toStdString(),
              Home.filePath(QString::fromLatin1(step.Book)).toStdString());
  }
}

}  // namespace
