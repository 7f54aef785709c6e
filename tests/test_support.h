#pragma once

#include <sys/resource.h>
#include <QByteArray>
#include <QString>

// Reads a whole file; empty when it cannot be read.
QByteArray ReadBytes(const QString& path);
// Writes a whole file, creating missing parent directories.
void WriteBytes(const QString& path, const QByteArray& bytes);
// Path of a file under tests/fixtures.
QString FixturePath(const QString& name);

// Caps the size of files this process may write while it lives, so a write fails as
// on a full disk.
class TFileSizeLimit {
 public:
  explicit TFileSizeLimit(rlim_t bytes);
  ~TFileSizeLimit();
  TFileSizeLimit(const TFileSizeLimit&) = delete;
  TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

 private:
  rlimit Saved{};
};
