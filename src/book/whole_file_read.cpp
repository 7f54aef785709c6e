#include "book/whole_file_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <cerrno>
#include <cstring>

namespace {

constexpr qint64 kChunk = 64 * 1024;

QString ReasonOf(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return QStringLiteral("読み取りの権限がありません");
    case ENOENT:
      return QStringLiteral("ファイルがありません");
    case ELOOP:
      return QStringLiteral("リンクが循環しています");
    default:
      return QString::fromLocal8Bit(std::strerror(error));
  }
}

QString TooLarge() { return QStringLiteral("ファイルが大きすぎます (上限 %1 MB)").arg(kMaxReadSize / (1024 * 1024)); }

class TFd {
 public:
  explicit TFd(int fd) : Fd(fd) {}
  ~TFd() {
    if (Fd >= 0) ::close(Fd);
  }
  TFd(const TFd&) = delete;
  TFd& operator=(const TFd&) = delete;
  const int Fd;
};

std::optional<QByteArray> Fail(TReadFailure* failure, QString reason, bool missing = false) {
  if (failure) *failure = {missing, std::move(reason)};
  return std::nullopt;
}

}  // namespace

std::optional<QByteArray> ReadWholeFile(const QString& path, TReadFailure* failure) {
  // Non-blocking, so that opening a FIFO does not wait for a writer; fstat then refuses it.
  const TFd file(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (file.Fd < 0) return Fail(failure, ReasonOf(errno), errno == ENOENT);
  struct stat status {};
  if (::fstat(file.Fd, &status) != 0) return Fail(failure, ReasonOf(errno));
  if (S_ISDIR(status.st_mode)) return Fail(failure, QStringLiteral("フォルダです"));
  if (!S_ISREG(status.st_mode)) return Fail(failure, QStringLiteral("通常のファイルではありません"));
  if (status.st_size > kMaxReadSize) return Fail(failure, TooLarge());
  // The size is a hint only: the file may change while it is read, and some report none.
  QByteArray bytes;
  bytes.resize(qsizetype(status.st_size) + kChunk);
  qint64 done = 0;
  for (;;) {
    if (done == bytes.size()) {
      if (done > kMaxReadSize) return Fail(failure, TooLarge());
      bytes.resize(bytes.size() + std::max(kChunk, qint64(bytes.size() / 2)));
    }
    const ssize_t got = ::read(file.Fd, bytes.data() + done, size_t(bytes.size() - done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return Fail(failure, ReasonOf(errno));
    if (got == 0) break;
    done += got;
  }
  if (done > kMaxReadSize) return Fail(failure, TooLarge());
  bytes.truncate(qsizetype(done));
  return bytes;
}
