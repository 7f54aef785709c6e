#pragma once

#include <QString>
#include <utility>

// Folder part (with its trailing separator) and name of a path; trailing separators are
// ignored, so a folder path gives its parent and the folder's name.
std::pair<QString, QString> SplitPath(const QString& path);
// Trims blanks, makes path absolute with a trailing separator; true exactly when the
// directory's existence equals mustExist (with false: the name is still free).
bool NormalizeDir(QString& path, bool mustExist);
// path itself when nothing of that name exists, else base + 2, 3, ... + extension.
QString UniquePath(const QString& path);
// A name the user typed for a book or folder stays inside its folder: no separator, not "." or "..".
bool IsPlainEntryName(const QString& name);
