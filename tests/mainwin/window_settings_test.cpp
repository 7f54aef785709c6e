// The window takes its bounds, list width and caption from the settings file and writes them back.
#include "window_fixture.h"

#include "book/file_manager.h"
#include "test_support.h"

#include <QSplitter>
#include <QStringEncoder>

namespace {

QByteArray Cp932(const QString& text) { return QStringEncoder("windows-31j").encode(text); }

TEST_F(WindowTest, BoundsListWidthAndCaptionComeFromTheSettingsAndGoBack) {
  WriteBytes(Home.filePath(QStringLiteral("vopamemo.ini")),
             Cp932(QStringLiteral("; kept\r\n[Position]\r\nLeft=50\r\nTop=60\r\nWidth=640\r\nHeight=480\r\n"
                                  "ListWidth=180\r\n[Parameters]\r\nWindowCaption=メモ帳\r\n[Mine]\r\nx=1\r\n")));
  Open({QStringLiteral("a")}, -1, QSize());
  EXPECT_EQ(Form->windowTitle(), QStringLiteral("メモ帳"));
  EXPECT_EQ(Form->size(), QSize(640, 480));
  EXPECT_EQ(Form->findChild<QWidget*>(QStringLiteral("ListPane"))->width(), 180);
  Form.reset();
  const QByteArray ini = ReadBytes(Home.filePath(QStringLiteral("vopamemo.ini")));
  for (const char* expected : {"; kept\r\n[Position]\r\n", "Left=50\r\n", "Top=60\r\n", "Width=640\r\n",
                               "Height=480\r\n", "ListWidth=180\r\n", "[Mine]\r\nx=1\r\n"})
    EXPECT_TRUE(ini.contains(expected)) << expected << "\n" << ini.constData();
  EXPECT_TRUE(ini.contains(Cp932(QStringLiteral("WindowCaption=メモ帳\r\n"))));
}

// The trash file must never be open twice: its two objects would save over each other.
TEST_F(WindowTest, TrashCurrentAtShutdownIsTheTrashItselfAtTheNextStart) {
  Open({QStringLiteral("a")});
  Form->SetCurrentBook(Form->TrashBook.get());
  Form.reset();
  Form = std::make_unique<TForm1>(Root());
  Form->QuietShutdown = true;
  EXPECT_EQ(Form->CurrentBook, Form->TrashBook.get());
  EXPECT_EQ(Form->FileManager->FindFile(Form->TrashBook->GetPath()), nullptr);
}

}  // namespace
