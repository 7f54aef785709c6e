#include "window_fixture.h"

#include "book/file_manager.h"
#include "view/pile_paper.h"
#include "view/pile_view.h"

#include <QAbstractButton>
#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>

void WindowTest::TearDown() { Form.reset(); }

void WindowTest::WriteBook(const QString& relativePath, const QStringList& memoTexts) {
  TBook book;
  for (const QString& text : memoTexts) book.AddMemo(text, book.Count());
  book.SetPath(Home.filePath(relativePath));
  QDir().mkpath(book.Dir);
  book.Save();
}

void WindowTest::Open(const QStringList& memoTexts, int current, QSize size) {
  ASSERT_TRUE(Home.isValid());
  WriteBook(QStringLiteral("Books/Test.vopa"), memoTexts);
  Start(size);
  if (current >= 0) Form->GetCurrent().SelectMemoAt(current);
  QApplication::processEvents();
}

void WindowTest::Start(QSize size) {
  Form.reset();
  Form = std::make_unique<TForm1>(Root());
  // Errors left at shut-down would wait in message boxes nobody answers.
  Form->SetQuietShutdown(true);
  if (size.isValid()) Form->resize(size);
  Form->show();
  Form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
}

void WindowTest::Fill(const QStringList& texts, int current) {
  {
    TUpdateGuard update(*Form);
    for (int index = Book().Count() - 1; index >= 0; --index) Form->GetCurrent().RemoveMemo(index);
    for (const QString& text : texts) Form->GetCurrent().InsertMemo(text, Book().Count(), nullptr);
  }
  Form->GetCurrent().SelectMemoAt(current);
}

QStringList WindowTest::Texts(const TBook& book) {
  QStringList texts;
  for (int index = 0; index < book.Count(); ++index) texts << book.MemoAt(index)->Text;
  return texts;
}

TPileView& WindowTest::Pile() const { return static_cast<TPileView&>(*Form->GetPileView()); }

TQumColListBox& WindowTest::List() const { return *Child<TQumColListBox>("QumColListBox1"); }

QPlainTextEdit* WindowTest::FocusedEditor() const { return qobject_cast<QPlainTextEdit*>(QApplication::focusWidget()); }

QPlainTextEdit* WindowTest::PileEditor(int index) const {
  return qobject_cast<QPlainTextEdit*>(Pile().Papers.at(size_t(index))->Control.data());
}

void WindowTest::Enter(int index, int caret) {
  Form->GetCurrent().SelectMemoAt(index);
  auto* paper = static_cast<TSimplePilePaper*>(Pile().CurrentPaper());
  paper->EnsureEditor();
  paper->SetCaret(caret);
  paper->DoCommand(pcFocus);
  QApplication::processEvents();
}

int WindowTest::Caret() const { return FocusedEditor() ? FocusedEditor()->textCursor().position() : -1; }

int WindowTest::ScrollPos() const { return Pile().ScrollBox()->verticalScrollBar()->value(); }

void WindowTest::SetScrollPos(int position) { Pile().ScrollBox()->verticalScrollBar()->setValue(position); }

void WindowTest::ShowPage() {
  Click(Child<QAbstractButton>("MiniPileViewBtn"));
  ASSERT_EQ(Form->GetCurrentView(), Form->GetPageView());
}

void WindowTest::Press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : Form.get();
  QTest::keyClick(target, key, modifiers);
  QApplication::processEvents();
}

void WindowTest::Type(const char* text) {
  QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : Form.get();
  QTest::keyClicks(target, QString::fromLatin1(text));
  QApplication::processEvents();
}

void WindowTest::Click(QWidget* widget) {
  QTest::mouseClick(widget, Qt::LeftButton);
  QApplication::processEvents();
}

void WindowTest::Wheel(int notches, Qt::KeyboardModifiers modifiers, QWidget* over, Qt::MouseButtons buttons) {
  QWidget* target = over ? over : Pile().ScrollBox()->viewport();
  const QPointF at(target->width() / 2.0, target->height() / 2.0);
  QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, notches * 120), buttons, modifiers,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(target, &event);
  QApplication::processEvents();
}

void WindowTest::WaitForSaves() { Form->GetFileManager()->WaitForSaves(); }
