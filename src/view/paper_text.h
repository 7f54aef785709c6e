#pragma once

#include <QString>

class QPlainTextEdit;

// A memo's text (CR LF breaks) as an editor holds it (one '\n' per break).
QString ToEditorText(const QString& memoText);
// An editor's raw text (paragraph and line separators) as a memo stores it, with CR LF.
QString ToMemoText(const QString& editorText);
// Puts the caret at the end of the memo's text: before the line break every loaded memo ends with.
void PutCaretAtTextEnd(QPlainTextEdit& editor);
