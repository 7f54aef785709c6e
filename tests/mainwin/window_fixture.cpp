#include "window_fixture.h"

#include "book/book.h"
#include "mainwin/memo_list_box.h"
#include "view/pile_paper.h"
#include "view/pile_view.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

void WindowTest::TearDown() { Form.reset(); }

void WindowTest::WriteBook(const QString& relativePath, const QStringList& memoTexts) {
  TBook book;
  for (const QString& text : memoTexts) book.AddMemo(text, book.Count());
  book.SetPath(Home.filePath(relativePath));
  QDir().mkpath(book.Dir);
  book.Save();
}

void WindowTest::Open(const QStringList& memoTexts, QSize size) {
  ASSERT_TRUE(Home.isValid());
  WriteBook(QStringLiteral("Books/Test.vopa"), memoTexts);
  Form = std::make_unique<TForm1>(Home.path() + QLatin1Char('/'));
  Form->resize(size);
  Form->show();
  QApplication::setActiveWindow(Form.get());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
  QApplication::processEvents();
}

TPileView& WindowTest::Pile() const { return static_cast<TPileView&>(*Form->PileView); }

TQumColListBox& WindowTest::List() const {
  return *Form->findChild<TQumColListBox*>(QStringLiteral("QumColListBox1"));
}

QString WindowTest::MemoText(int index) const { return Form->CurrentBook->MemoAt(index)->Text; }

int WindowTest::MemoCount() const { return Form->CurrentBook->Count(); }

QPlainTextEdit* WindowTest::FocusedEditor() const {
  return qobject_cast<QPlainTextEdit*>(QApplication::focusWidget());
}

void WindowTest::Enter(int index, int caret) {
  Form->SelectMemoAt(index);
  auto* paper = static_cast<TSimplePilePaper*>(Pile().CurrentPaper());
  paper->EnsureEditor();
  paper->SetCaret(caret);
  paper->DoCommand(pcFocus);
  QApplication::processEvents();
}

int WindowTest::Caret() const { return FocusedEditor() ? FocusedEditor()->textCursor().position() : -1; }

int WindowTest::ScrollPos() const { return Pile().ScrollBox()->verticalScrollBar()->value(); }

void WindowTest::SetScrollPos(int position) { Pile().ScrollBox()->verticalScrollBar()->setValue(position); }

void WindowTest::Press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : Form.get();
  QTest::keyClick(target, key, modifiers);
  QApplication::processEvents();
}

void WindowTest::Wheel(int notches, Qt::KeyboardModifiers modifiers) {
  QWidget* target = Pile().ScrollBox()->viewport();
  const QPointF at(target->width() / 2.0, 10);
  QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, notches * 120), Qt::NoButton, modifiers,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(target, &event);
  QApplication::processEvents();
}
