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
// Moves or renames a file or folder (with its contents) to a name that is still free; false
// when the target exists or the move fails, and nothing changed then.
bool MoveEntry(const QString& from, const QString& to);
// Where path is after oldPath moved to newPath: the same entry, or (for a folder, with its
// trailing separator) anything inside it; any other path is returned as it is.
QString FollowMove(const QString& path, const QString& oldPath, const QString& newPath);
