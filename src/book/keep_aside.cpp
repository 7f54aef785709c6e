#include "book/keep_aside.h"

#include "book/vopa_error.h"

#include <QFile>
#include <QFileInfo>

QString KeepAside(const QString& path) {
  QString aside = path + QStringLiteral(".unreadable");
  for (int n = 2; QFileInfo::exists(aside); ++n) aside = path + QStringLiteral(".unreadable%1").arg(n);
  if (!QFile::rename(path, aside)) throw EVopaError(QStringLiteral("%1 を読めず、退避もできませんでした。").arg(path));
  return aside;
}
