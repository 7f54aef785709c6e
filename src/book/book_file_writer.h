#pragma once

#include <QString>

struct TBookSnapshot;

// Writes the whole book file through a temporary file: the XML declaration, CR LF
// between elements, two spaces of indentation per level, the root "VopaMemoBook" and
// one "Memo" per non-empty memo. Throws EVopaError on any failure and then leaves the
// previous file as it was.
void SaveBookFile(const TBookSnapshot& book, const QString& path);

// What a failed book save tells the user: a full disk in words the user can act on,
// anything else with the system's own description (error, else detail).
QString SaveFailureText(const QString& path, int error, const QString& detail);
