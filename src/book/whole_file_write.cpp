#include "book/whole_file_write.h"

#include <QSaveFile>

bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString* error) {
  QSaveFile file(path);
  // Unbuffered: Qt 6.4's commit() overlooks a write error that only shows when its
  // buffer is flushed (a full disk), and would replace the old file with a cut one.
  const bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(bytes) == bytes.size() &&
                       file.error() == QFileDevice::NoError;
  if (written && file.commit()) return true;
  if (error) *error = file.errorString();
  return false;
}
