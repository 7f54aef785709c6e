#pragma once

#include <QString>

// Moves a file that could not be read out of the way before a new one takes its
// place, to the first free "<path>.unreadable", "<path>.unreadable2", ... Returns
// that name; throws EVopaError when the file cannot be moved.
QString KeepAside(const QString& path);

// Copies a damaged file, byte for byte, to the first free "<path>.damaged",
// "<path>.damaged2", ... before a repaired form is written over it. Returns that
// name; throws EVopaError when the copy cannot be made.
QString KeepDamagedCopy(const QString& path);
