#pragma once

#include <QByteArray>

class TBook;

// Fills an empty book from the earlier line-oriented form (code page 932), or
// makes a book of plain text: a new book's empty memo, then the whole text.
void LoadLegacyBook(TBook& book, const QByteArray& bytes);
