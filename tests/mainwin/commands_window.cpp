#include "commands_window.h"

#include "view/pile_view.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPlainTextEdit>

void TWindowTest::SetUp() {
  ASSERT_TRUE(Dir.isValid());
  Form = std::make_unique<TForm1>(Root());
  Form->QuietShutdown = true;
  Form->show();
  Form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
}

void TWindowTest::TearDown() { Form.reset(); }

void TWindowTest::Fill(const QStringList& texts, int current) {
  Form->UpdateState(ukBegin);
  for (int index = Book().Count() - 1; index >= 0; --index) Form->RemoveMemo(index);
  for (const QString& text : texts) Form->InsertMemo(text, Book().Count(), nullptr);
  Form->UpdateState(ukEnd);
  Form->SelectMemoAt(current);
}

QStringList TWindowTest::Texts(const TBook& book) {
  QStringList texts;
  for (int index = 0; index < book.Count(); ++index) texts << book.MemoAt(index)->Text;
  return texts;
}

QAction* TWindowTest::Action(const char* name) const { return Child<QAction>(name); }

QPlainTextEdit* TWindowTest::PageEditor() const { return Child<QPlainTextEdit>("TextPaper"); }

QPlainTextEdit* TWindowTest::PileEditor(int index) const {
  auto& pile = static_cast<TPileView&>(*Form->PileView);
  return qobject_cast<QPlainTextEdit*>(pile.Papers.at(size_t(index))->Control.data());
}

void TWindowTest::Key(Qt::Key key, Qt::KeyboardModifiers modifiers) const {
  QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : Form.get();
  QTest::keyClick(target, key, modifiers);
}

void TWindowTest::Click(QWidget* widget) const { QTest::mouseClick(widget, Qt::LeftButton); }

void TWindowTest::ShowPage() {
  Click(Child<QAbstractButton>("MiniPileViewBtn"));
  ASSERT_EQ(Form->CurrentView, Form->PageView.get());
}
