#include "folders/folder_paths.h"

#include <QDir>
#include <QFileInfo>

std::pair<QString, QString> SplitPath(const QString& path) {
  QString trimmed = path;
  while (trimmed.endsWith(u'/')) trimmed.chop(1);
  const qsizetype separator = trimmed.lastIndexOf(u'/');
  return {trimmed.left(separator + 1), trimmed.mid(separator + 1)};
}

bool NormalizeDir(QString& path, bool mustExist) {
  path = QDir::cleanPath(QDir::current().absoluteFilePath(path.trimmed()));
  if (!path.endsWith(u'/')) path += u'/';
  return QFileInfo(path).isDir() == mustExist;
}

QString UniquePath(const QString& path) {
  if (!QFileInfo::exists(path)) return path;
  const auto [folder, name] = SplitPath(path);
  // The extension is what follows the last dot of the name; a lone trailing dot counts as none.
  const qsizetype dot = name.lastIndexOf(u'.');
  QString base = folder + name;
  QString extension;
  if (dot > 0) {
    base = folder + name.left(dot);
    extension = name.mid(dot);
    if (extension == QStringLiteral(".")) extension.clear();
  }
  QString candidate;
  for (int n = 2;; ++n) {
    candidate = base + QString::number(n) + extension;
    if (!QFileInfo::exists(candidate)) return candidate;
  }
}

bool IsPlainEntryName(const QString& name) {
  return !name.isEmpty() && name != QStringLiteral(".") && name != QStringLiteral("..") && !name.contains(u'/') &&
         !name.contains(QChar(0));
}

bool MoveEntry(const QString& from, const QString& to) {
  QString source = from;
  QString target = to;
  while (source.endsWith(u'/')) source.chop(1);
  while (target.endsWith(u'/')) target.chop(1);
  // The system's rename would replace an existing file or empty folder of that name.
  if (QFileInfo::exists(target) || QFileInfo(target).isSymLink()) return false;
  return QDir().rename(source, target);
}

QString FollowMove(const QString& path, const QString& oldPath, const QString& newPath) {
  if (path == oldPath || (oldPath.endsWith(u'/') && path.startsWith(oldPath)))
    return newPath + path.mid(oldPath.size());
  return path;
}
