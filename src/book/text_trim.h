#pragma once

#include <QString>

// The text without leading and trailing characters of code 32 and below.
QString TrimControls(const QString& text);
// The text as a memo keeps it: without trailing characters of code 32 and below and
// without leading lines that hold nothing else; the first line keeps its indentation.
QString TrimMemoText(const QString& text);
