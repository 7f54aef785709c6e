#pragma once

#include "book/book.h"
#include "book/trash_book.h"
#include "mainwin/main_window.h"
#include "mainwin/memo_list_box.h"

#include <gtest/gtest.h>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

class TPileView;

// The real main window, started in its own temporary directory on a book "Books/Test.vopa",
// shown and active.
class WindowTest : public ::testing::Test {
 protected:
  void TearDown() override;

  // Starts the window on a book of memoTexts (top first) with memo `current` current (-1: none),
  // at size, or where the settings file puts it when size is invalid.
  void Open(const QStringList& memoTexts, int current = -1, QSize size = QSize(500, 600));
  // Shuts a running window down and starts a new one in the same directory, shown and active.
  void Start(QSize size = QSize(500, 600));
  // Writes a book file the window can open.
  void WriteBook(const QString& relativePath, const QStringList& memoTexts);
  // Makes the running window's current book hold exactly texts and makes memo `current` current.
  void Fill(const QStringList& texts, int current);

  QString Root() const { return Home.path() + QLatin1Char('/'); }
  TBook& Book() const { return *Form->GetCurrent().Book(); }
  TTrashBook& Trash() const { return *Form->GetTrashBook(); }
  static QStringList Texts(const TBook& book);
  QString MemoText(int index) const { return Book().MemoAt(index)->Text; }
  int CurrentIndex() const { return Form->GetCurrent().MemoIndex(); }

  QAction* Action(const char* name) const { return Child<QAction>(name); }
  template <class T>
  T* Child(const char* name) const {
    T* child = Form->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  TPileView& Pile() const;
  TQumColListBox& List() const;
  // The focused editor, the page view's editor and the pile paper editor of one memo.
  QPlainTextEdit* FocusedEditor() const;
  QPlainTextEdit* PageEditor() const { return Child<QPlainTextEdit>("TextPaper"); }
  QPlainTextEdit* PileEditor(int index) const;
  // Makes memo index current with the caret at position in its pile paper, as a click would.
  void Enter(int index, int caret);
  int Caret() const;
  int ScrollPos() const;
  void SetScrollPos(int position);
  void ShowPage();
  // Blocks until the save pass in flight (Ctrl+S, the autosave) has written its books.
  void WaitForSaves();

  // Real input: a key to whatever has the keyboard focus, a click, and wheel notches (up > 0)
  // over a widget (the pile by default) with the modifiers and mouse buttons held.
  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  // Plain ASCII text typed to whatever has the keyboard focus (the window when nothing has).
  void Type(const char* text);
  void Click(QWidget* widget);
  void Wheel(int notches, Qt::KeyboardModifiers modifiers = Qt::NoModifier, QWidget* over = nullptr,
             Qt::MouseButtons buttons = Qt::NoButton);

  QTemporaryDir Home;
  std::unique_ptr<TForm1> Form;
};
