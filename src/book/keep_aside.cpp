#include "book/keep_aside.h"

#include "book/vopa_error.h"

#include <QFile>
#include <QFileInfo>

namespace {

QString FreeAsideName(const QString& path, const QString& suffix) {
  QString aside = path + suffix;
  // A dangling link is a name taken too.
  for (int n = 2; QFileInfo::exists(aside) || QFileInfo(aside).isSymLink(); ++n)
    aside = path + suffix + QString::number(n);
  return aside;
}

}  // namespace

QString KeepAside(const QString& path) {
  const QString aside = FreeAsideName(path, QStringLiteral(".unreadable"));
  if (!QFile::rename(path, aside)) throw EVopaError(QStringLiteral("%1 を読めず、退避もできませんでした。").arg(path));
  return aside;
}

QString KeepDamagedCopy(const QString& path) {
  const QString aside = FreeAsideName(path, QStringLiteral(".damaged"));
  if (!QFile::copy(path, aside))
    throw EVopaError(
        QStringLiteral("%1 は壊れていますが、元のファイルを %2 に残せないため開きません。").arg(path, aside));
  return aside;
}
