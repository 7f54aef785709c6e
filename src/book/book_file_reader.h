#pragma once

#include <QString>

class TBook;

// Fills an empty book from the file at path: the XML form, else the earlier
// line-oriented form or plain text; book.LoadedForm says which. A file that opens as
// the XML form but is damaged (cut short, bytes that are not UTF-8) is copied aside
// and read up to the damage, and book.LoadNote tells the user. False when there is no
// file; throws EVopaError for a file that cannot be read (the reason included), one
// that is no regular file or too large, and well-formed XML with another root.
bool LoadBookFile(TBook& book, const QString& path);
