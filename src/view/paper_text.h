#pragma once

#include <QFont>
#include <QString>
#include <QTextOption>

class QPlainTextEdit;

// A memo's text (CR LF breaks) as an editor holds it (one '\n' per break).
QString ToEditorText(const QString& memoText);
// An editor's raw text (paragraph and line separators) as a memo stores it, with CR LF.
QString ToMemoText(const QString& editorText);
// Number of lines the text takes when laid out like an editor's document at textWidth.
int WrappedLineCount(const QString& editorText, const QFont& font, const QTextOption& option, qreal textWidth);
// Puts the caret at the end of the memo's text: before the line break every loaded memo ends with.
void PutCaretAtTextEnd(QPlainTextEdit& editor);
