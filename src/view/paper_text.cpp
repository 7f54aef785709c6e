#include "view/paper_text.h"

#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextLayout>

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

int WrappedLineCount(const QString& editorText, const QFont& font, const QTextOption& option, qreal textWidth) {
  int lines = 0;
  for (const QStringView block : QStringView(editorText).split(u'\n')) {
    if (block.isEmpty()) {
      ++lines;
      continue;
    }
    QTextLayout layout(block.toString(), font);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(textWidth);
      ++lines;
    }
    layout.endLayout();
  }
  return lines;
}

void PutCaretAtTextEnd(QPlainTextEdit& editor) {
  QTextCursor cursor = editor.textCursor();
  cursor.movePosition(QTextCursor::End);
  if (editor.document()->characterAt(cursor.position() - 1) == QChar::ParagraphSeparator)
    cursor.movePosition(QTextCursor::PreviousCharacter);
  editor.setTextCursor(cursor);
}
