// Pasting what the clipboard holds into the memo editors, empty and non-text clipboards included.
#include "window_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

namespace {

enum class TClipboard { Empty, ImageOnly, Text };

void FillClipboard(TClipboard content) {
  auto* data = new QMimeData;
  if (content == TClipboard::ImageOnly) data->setData(QStringLiteral("image/png"), QByteArray("\x89PNG", 4));
  if (content == TClipboard::Text) data->setText(QStringLiteral("貼った"));
  QApplication::clipboard()->setMimeData(data);
}

}  // namespace

using PasteCommands = WindowTest;

TEST_F(PasteCommands, EmptyOrNonTextClipboardPastesNothingInBothViewsByKeyAndMenu) {
  Open({"abc"}, 0);
  for (const bool page : {false, true}) {
    if (page) ShowPage();
    QPlainTextEdit* editor = page ? PageEditor() : PileEditor(0);
    editor->setFocus();
    for (const bool byMenu : {false, true}) {
      for (const TClipboard content : {TClipboard::Empty, TClipboard::ImageOnly, TClipboard::Text}) {
        SCOPED_TRACE(testing::Message() << "page " << page << ", menu " << byMenu << ", clipboard " << int(content));
        editor->setPlainText(QStringLiteral("abc"));
        editor->moveCursor(QTextCursor::Start);
        FillClipboard(content);
        if (byMenu)
          Action("EditPaste1Item")->trigger();
        else
          Press(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(Form->GetCurrent().Memo()->Text, content == TClipboard::Text ? QStringLiteral("貼ったabc") : "abc");
        EXPECT_EQ(editor->canPaste(), content == TClipboard::Text);
      }
    }
  }
}
