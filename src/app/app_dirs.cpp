#include "app/app_dirs.h"

#include "app/ini_file.h"
#include "book/vopa_error.h"

#include <sys/stat.h>
#include <QDir>
#include <QFile>
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

// The walk keeps to the book tree's own file system: a "BookDir" of "/" must not wander
// into /proc (whose links lead into other processes' files), /sys, /dev or other mounts.
struct TTreeWalk {
  QString Skip;
  dev_t Device = 0;
  QSet<QString> Visited;

  bool Enter(const QString& dir) {
    const QString canonical = QFileInfo(dir).canonicalFilePath();
    // A folder reached twice through a link would loop forever.
    if (canonical.isEmpty() || Visited.contains(canonical)) return false;
    Visited.insert(canonical);
    for (const char* system : {"/proc", "/sys", "/dev"})
      if (canonical == QLatin1String(system) || canonical.startsWith(QLatin1String(system) + u'/')) return false;
    struct stat status {};
    if (::stat(QFile::encodeName(canonical).constData(), &status) != 0) return false;
    if (Visited.size() == 1) Device = status.st_dev;
    return status.st_dev == Device;
  }

  QString FindIn(const QString& dir) {
    if (!Enter(dir)) return QString();
    const QDir folder(dir);
    const QDir::SortFlags order = QDir::Name | QDir::IgnoreCase;
    for (const QFileInfo& file : folder.entryInfoList({QStringLiteral("*.vopa")}, QDir::Files, order)) {
      const QString path = dir + file.fileName();
      if (Skip.isEmpty() || !path.startsWith(Skip)) return path;
    }
    for (const QFileInfo& sub : folder.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, order)) {
      const QString found = FindIn(dir + sub.fileName() + u'/');
      if (!found.isEmpty()) return found;
    }
    return QString();
  }
};

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
  TTreeWalk walk;
  walk.Skip = skip;
  return walk.FindIn(WithTrailingSeparator(dir));
}
