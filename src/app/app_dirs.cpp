#include "app/app_dirs.h"

#include "app/ini_file.h"
#include "book/vopa_error.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>

namespace {

QString WithTrailingSeparator(const QString& dir) { return dir.endsWith(u'/') ? dir : dir + u'/'; }

// The directory named by "Path"/key, relative names taken from exeDir, created when missing.
QString ResolveDir(const TIniFile& ini, const QString& key, const QString& exeDir, const QString& defaultName) {
  QString dir = NormalizeSettingsPath(ini.ReadString(QStringLiteral("Path"), key, QString()));
  if (dir.isEmpty()) dir = defaultName;
  dir = WithTrailingSeparator(QDir::cleanPath(QDir(exeDir).absoluteFilePath(dir)));
  const QFileInfo info(dir);
  if (info.isDir()) return dir;
  // One level only: a missing parent means the setting points somewhere wrong.
  if (info.exists() || !QDir().mkdir(dir))
    throw EVopaError(QStringLiteral("フォルダ %1 を作成できません。").arg(QDir::toNativeSeparators(dir)));
  return dir;
}

QString FindFirstBookIn(const QString& dir, const QString& skip, QSet<QString>& visited) {
  // A folder reached twice through a link would loop forever.
  if (visited.contains(QFileInfo(dir).canonicalFilePath())) return QString();
  visited.insert(QFileInfo(dir).canonicalFilePath());
  const QDir folder(dir);
  const QDir::SortFlags order = QDir::Name | QDir::IgnoreCase;
  for (const QFileInfo& file : folder.entryInfoList({QStringLiteral("*.vopa")}, QDir::Files, order)) {
    const QString path = dir + file.fileName();
    if (skip.isEmpty() || !path.startsWith(skip)) return path;
  }
  for (const QFileInfo& sub : folder.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, order)) {
    const QString found = FindFirstBookIn(dir + sub.fileName() + u'/', skip, visited);
    if (!found.isEmpty()) return found;
  }
  return QString();
}

}  // namespace

QString NormalizeSettingsPath(const QString& path) {
  QString native = path;
  return native.replace(u'\\', u'/');
}

QString DataHomeFor(const QString& executableDir) {
  // Installed, the program sits in a "bin" beside "share/applications" with its menu entry: its data
  // belongs in the user's home even for a user who may write there (root).
  const bool installed = QFileInfo::exists(executableDir + QStringLiteral("/../share/applications/vopamemo.desktop"));
  if (!installed && QFileInfo(executableDir).isWritable()) return WithTrailingSeparator(executableDir);
  const QString dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  // A failure here surfaces as the directory error of ResolveBookDirs.
  QDir().mkpath(dataDir);
  return WithTrailingSeparator(dataDir);
}

void ResolveBookDirs(const TIniFile& ini, TAppDirs& dirs) {
  dirs.BookDir = ResolveDir(ini, QStringLiteral("BookDir"), dirs.ExeDir, QStringLiteral("Books"));
  dirs.ExtraDir = ResolveDir(ini, QStringLiteral("ExtraDir"), dirs.ExeDir, QStringLiteral("Extra"));
}

QString FindFirstBook(const QString& dir, const QString& skip) {
  if (dir.isEmpty()) return QString();  // never the file system's root
  QSet<QString> visited;
  return FindFirstBookIn(WithTrailingSeparator(dir), skip, visited);
}
