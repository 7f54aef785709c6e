// A book the autosave cannot write: told once, retried quietly, and its recovery told once.
#include "window_fixture.h"

#include "book/book_file_writer.h"
#include "test_support.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <cerrno>

namespace {

TEST(SaveFailureTextTest, AFullDiskIsSaidInWordsTheUserCanActOn) {
  const QString path = QStringLiteral("/home/u/Books/Book1.vopa");
  EXPECT_EQ(SaveFailureText(path, ENOSPC, QStringLiteral("Unknown error")),
            QStringLiteral("ディスクの空き容量が足りないため保存できません: /home/u/Books/Book1.vopa"));
  EXPECT_EQ(SaveFailureText(path, EDQUOT, QString()), SaveFailureText(path, ENOSPC, QString()));
  EXPECT_EQ(SaveFailureText(path, 0, QStringLiteral("detail")),
            QStringLiteral("ブックを保存できません: /home/u/Books/Book1.vopa\ndetail"));
  EXPECT_FALSE(SaveFailureText(path, ENOENT, QStringLiteral("Unknown error")).contains(QStringLiteral("Unknown")));
}

TEST_F(WindowTest, AFailingAutosaveIsToldOnceAndItsRecoveryOnce) {
  Open({QStringLiteral("a")});
  QStringList boxes;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&boxes] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      boxes.append(box->text());
      box->close();
    }
  });
  closer.start(10);
  auto* state = Child<QLabel>("SaveState");
  const auto tick = [this] {
    Form->Timer1Timer();
    QTest::qWait(50);
    WaitForSaves();
    QTest::qWait(20);
  };
  tick();
  Type("b");
  // The book's folder is gone: the book cannot be written until it is back.
  ASSERT_TRUE(QDir(Home.filePath(QStringLiteral("Books"))).removeRecursively());
  for (int pass = 0; pass < 3; ++pass) tick();
  ASSERT_EQ(boxes.size(), 1);
  EXPECT_TRUE(boxes.first().contains(Book().GetPath()));
  EXPECT_TRUE(Book().Modified);
  EXPECT_FALSE(state->text().isEmpty());

  ASSERT_TRUE(QDir().mkpath(Home.filePath(QStringLiteral("Books"))));
  tick();
  EXPECT_FALSE(Book().Modified);
  EXPECT_TRUE(ReadBytes(Book().GetPath()).contains("ab"));
  tick();
  EXPECT_EQ(state->text(), QStringLiteral("保存できるようになりました。"));
  EXPECT_EQ(boxes.size(), 1);
}

TEST_F(WindowTest, TypingWhileCtrlSWritesIsSavedByTheNextPass) {
  Open({QStringLiteral("a")});
  Enter(0, 1);
  Type("b");
  Press(Qt::Key_S, Qt::ControlModifier);
  Type("c");
  WaitForSaves();
  EXPECT_TRUE(ReadBytes(Book().GetPath()).contains("<text>ab</text>"));
  EXPECT_TRUE(Book().Modified);
  Press(Qt::Key_S, Qt::ControlModifier);
  WaitForSaves();
  EXPECT_TRUE(ReadBytes(Book().GetPath()).contains("<text>abc</text>"));
  EXPECT_FALSE(Book().Modified);
}

}  // namespace
