#include "book/persistent.h"

#include <QFile>

bool TQumPersistent::LoadClean() {
  const bool loaded = Load();
  Modified = !LoadNote.isEmpty();
  return loaded;
}

bool TQumPersistent::SaveIfModified() {
  if (!Modified) return false;
  // A throwing save leaves Modified set so the next autosave tries again.
  const bool saved = Save();
  if (saved) Modified = false;
  return saved;
}

QString TQumFile::GetTitle() const {
  const qsizetype dot = FileName.lastIndexOf(QLatin1Char('.'));
  return dot < 0 ? FileName : FileName.left(dot);
}

bool TQumFile::Rename(const QString& newTitle) {
  const qsizetype dot = FileName.lastIndexOf(QLatin1Char('.'));
  const QString target = Dir + newTitle + (dot < 0 ? QString() : FileName.mid(dot));
  // QFile::rename refuses an existing target, as the move it stands for does.
  if (!QFile::rename(GetPath(), target)) return false;
  SetPath(target);
  return true;
}

void TQumFile::SetPath(const QString& path) {
  QString trimmed = path;
  while (trimmed.endsWith(QLatin1Char('/'))) trimmed.chop(1);
  const qsizetype separator = trimmed.lastIndexOf(QLatin1Char('/'));
  Dir = trimmed.left(separator + 1);
  FileName = trimmed.mid(separator + 1);
}
