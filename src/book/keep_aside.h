#pragma once

#include <QString>

// Moves a file that could not be read out of the way before a new one takes its
// place, to the first free "<path>.unreadable", "<path>.unreadable2", ... Returns
// that name; throws EVopaError when the file cannot be moved.
QString KeepAside(const QString& path);
