#pragma once

#include "mainwin/main_window.h"

#include <QPlainTextEdit>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

class TPileView;
class TQumColListBox;

// The real main window, started in its own temporary data directory on a book
// "Books/Test.vopa" holding the given memo texts.
class WindowTest : public ::testing::Test {
 protected:
  void TearDown() override;

  void Open(const QStringList& memoTexts, QSize size = QSize(500, 600));
  // Writes a book file the window can open.
  void WriteBook(const QString& relativePath, const QStringList& memoTexts);

  TPileView& Pile() const;
  TQumColListBox& List() const;
  int CurrentIndex() const { return Form->CurrentMemoIndex(); }
  QString MemoText(int index) const;
  int MemoCount() const;
  // The focused editor (the current paper's, in the pile view).
  QPlainTextEdit* FocusedEditor() const;
  // Makes memo index current with the caret at position, as a click would.
  void Enter(int index, int caret);
  int Caret() const;
  int ScrollPos() const;
  void SetScrollPos(int position);
  // Real key presses sent to whatever has the keyboard focus.
  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  void Wheel(int notches, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

  QTemporaryDir Home;
  std::unique_ptr<TForm1> Form;
};
