#pragma once

#include "book/book.h"
#include "book/trash_book.h"
#include "mainwin/main_window.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

class QPlainTextEdit;
class QToolButton;

// The real main window started in its own temporary directory, shown and active.
class TWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Makes the current book hold exactly texts (top first) and makes memo `current` current.
  void Fill(const QStringList& texts, int current);
  static QStringList Texts(const TBook& book);
  TBook& Book() const { return *Form->CurrentBook; }
  TTrashBook& Trash() const { return *Form->TrashBook; }
  QString Root() const { return Dir.path() + QLatin1Char('/'); }

  QAction* Action(const char* name) const;
  template <class T>
  T* Child(const char* name) const {
    T* child = Form->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  // The page view's editor and the pile paper editor of one memo.
  QPlainTextEdit* PageEditor() const;
  QPlainTextEdit* PileEditor(int index) const;
  // Sends a key to whatever has the focus in the window, as the keyboard would.
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const;
  void Click(QWidget* widget) const;
  void ShowPage();

  QTemporaryDir Dir;
  std::unique_ptr<TForm1> Form;
};
