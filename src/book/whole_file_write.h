#pragma once

#include <QByteArray>
#include <QString>

// Writes bytes as the whole new content of path through a temporary file renamed over the
// old one; on failure the old file stays as it was and error (when given) says why.
bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString* error = nullptr);
