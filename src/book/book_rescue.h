#pragma once

#include <QString>

class TBook;

// Writes a book that could not be saved to a new file "<title> (rescued <stamp>).vopa",
// beside the book or else in fallbackDir. Returns the path written; throws EVopaError
// when neither place takes it. The book keeps its own path.
QString WriteRescueFile(TBook& book, const QString& fallbackDir);
