#pragma once

#include <QString>

class TIniFile;

// The program's directories, each with a trailing separator.
struct TAppDirs {
  QString ExeDir;  // where the settings file, "Books" and "Extra" live by default
  QString BookDir;
  QString ExtraDir;
  QString IniPath;
};

// The executable's directory when writable (a portable folder), else, and always for an installed
// program, the per-user data directory.
QString DataHomeFor(const QString& executableDir);
// BookDir and ExtraDir from the settings (normalised, trailing separator) or their
// defaults; creates a missing one (one level). Throws EVopaError when it cannot.
void ResolveBookDirs(const TIniFile& ini, TAppDirs& dirs);
// The first ".vopa" file under dir, its own files before its subfolders; skip excludes a prefix.
// Entries are taken in name order (ignoring case), so the choice does not depend on the file system.
QString FindFirstBook(const QString& dir, const QString& skip);
// A path from the settings file with the separators of a Windows-style file made native.
QString NormalizeSettingsPath(const QString& path);
