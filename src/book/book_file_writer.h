#pragma once

#include <QByteArray>
#include <QString>

class TBook;

// The bytes of a book file: the XML declaration, CR LF between elements, two spaces
// of indentation per level, the root "VopaMemoBook" and one "Memo" per non-empty memo.
QByteArray BookFileBytes(const TBook& book);
// Writes the whole file through a temporary file; throws EVopaError on any failure
// and then leaves the previous file as it was.
void SaveBookFile(const TBook& book, const QString& path);
