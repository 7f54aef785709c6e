#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>

// Books, the trash and the settings are held whole in memory; a file larger than this
// is refused rather than read (1 GiB).
inline constexpr qint64 kMaxReadSize = qint64(1) << 30;

// Why a file could not be read, in the user's words.
struct TReadFailure {
  bool Missing = false;  // nothing at all at the path
  QString Reason;
};

// The whole content of the regular file at path. A directory, FIFO, device or socket is
// never opened for reading (a FIFO would block, a device never end), and a file larger
// than kMaxReadSize is refused; failure (when given) then says why.
std::optional<QByteArray> ReadWholeFile(const QString& path, TReadFailure* failure = nullptr);
