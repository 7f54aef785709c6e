#include "view/paper_text.h"

#include <QPlainTextEdit>
#include <QRegularExpression>

QString ToEditorText(const QString& memoText) {
  static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
  QString text = memoText;
  return text.replace(breaks, QStringLiteral("\n"));
}

QString ToMemoText(const QString& editorText) {
  static const QRegularExpression breaks(QStringLiteral("\r\n|[\r\n\u2028\u2029]"));
  QString text = editorText;
  return text.replace(breaks, QStringLiteral("\r\n"));
}

void PutCaretAtTextEnd(QPlainTextEdit& editor) {
  QTextCursor cursor = editor.textCursor();
  cursor.movePosition(QTextCursor::End);
  if (editor.document()->characterAt(cursor.position() - 1) == QChar::ParagraphSeparator)
    cursor.movePosition(QTextCursor::PreviousCharacter);
  editor.setTextCursor(cursor);
}
