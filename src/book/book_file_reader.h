#pragma once

#include <QString>

class TBook;

// Fills an empty book from the file at path: the XML form, else the earlier
// line-oriented form or plain text. False only when the file cannot be read at all;
// throws EVopaError for well-formed XML with another root element.
bool LoadBookFile(TBook& book, const QString& path);
