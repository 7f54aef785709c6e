#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <csignal>

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
}

QString FixturePath(const QString& name) { return QStringLiteral(VOPA_FIXTURES "/") + name; }

TFileSizeLimit::TFileSizeLimit(rlim_t bytes) {
  std::signal(SIGXFSZ, SIG_IGN);
  getrlimit(RLIMIT_FSIZE, &Saved);
  rlimit limit = Saved;
  limit.rlim_cur = bytes;
  setrlimit(RLIMIT_FSIZE, &limit);
}

TFileSizeLimit::~TFileSizeLimit() { setrlimit(RLIMIT_FSIZE, &Saved); }
