#pragma once

#include <QByteArray>
#include <QString>

// Reads a whole file; empty when it cannot be read.
QByteArray ReadBytes(const QString& path);
// Writes a whole file, creating missing parent directories.
void WriteBytes(const QString& path, const QByteArray& bytes);
// Path of a file under tests/fixtures.
QString FixturePath(const QString& name);
