#include "book/file_manager.h"

#include "book/vopa_error.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

TQumFileManager::~TQumFileManager() {
  // Whoever wanted the failures reported closed the files already; nothing may escape here.
  try {
    CloseAll([](TQumFile&, const QString&) {});
  } catch (...) {
  }
}

TQumFile* TQumFileManager::FindFile(const QString& path) const {
  for (const auto& file : Files)
    if (file->GetPath() == path) return file.get();
  return nullptr;
}

TQumFile* TQumFileManager::OpenFile(const QString& path) {
  if (TQumFile* open = FindFile(path)) return open;
  auto file = OpenExisting(FileClass, path);
  if (!file) return nullptr;
  Files.insert(Files.begin(), std::move(file));
  return Files.front().get();
}

TQumFile* TQumFileManager::NewFile(const QString& path) {
  if (QFileInfo::exists(path)) throw EVopaError(QStringLiteral("%1 は既にあります。").arg(path));
  Files.insert(Files.begin(), CreateNew(FileClass, path));
  return Files.front().get();
}

void TQumFileManager::CloseFile(TQumFile* file) {
  // A failed save throws before the file is freed, so nothing is lost.
  file->SaveIfModified();
  std::erase_if(Files, [file](const auto& open) { return open.get() == file; });
}

void TQumFileManager::RemoveFile(TQumFile* file) {
  const QString path = file->GetPath();
  CloseFile(file);
  if (QFileInfo::exists(path) && !QFile::remove(path))
    throw EVopaError(QStringLiteral("%1 を削除できませんでした。").arg(path));
}

void TQumFileManager::ReplacePath(const QString& oldPath, const QString& newPath) {
  if (oldPath.isEmpty()) return;
  for (const auto& file : Files) {
    const QString path = file->GetPath();
    // A substring elsewhere in the path, or another name that merely starts the same, is no match.
    if (path == oldPath || (oldPath.endsWith(u'/') && path.startsWith(oldPath)))
      file->SetPath(newPath + path.mid(oldPath.size()));
  }
}

void TQumFileManager::MoveToFront(TQumFile* file) {
  const auto found = std::find_if(Files.begin(), Files.end(), [file](const auto& open) { return open.get() == file; });
  if (found != Files.end()) std::rotate(Files.begin(), found, found + 1);
}

QStringList TQumFileManager::SaveAll() {
  // One book that cannot be written must not keep the others from the disk.
  QStringList failures;
  for (const auto& file : Files) {
    try {
      file->SaveIfModified();
    } catch (const EVopaError& error) {
      failures.append(error.Message);
    }
  }
  return failures;
}

void TQumFileManager::CloseAll(const TCloseFailure& onFailure) {
  while (!Files.empty()) {
    TQumFile& file = *Files.back();
    try {
      file.SaveIfModified();
    } catch (const EVopaError& error) {
      onFailure(file, error.Message);
    } catch (const std::exception& error) {
      onFailure(file, QString::fromLocal8Bit(error.what()));
    }
    Files.pop_back();
  }
}

std::unique_ptr<TQumFile> TQumFileManager::OpenExisting(const TFileClass& fileClass, const QString& path) {
  if (!QFileInfo::exists(path)) return nullptr;
  auto file = fileClass();
  file->SetPath(path);
  if (!file->LoadClean()) return nullptr;
  return file;
}

std::unique_ptr<TQumFile> TQumFileManager::CreateNew(const TFileClass& fileClass, const QString& path) {
  auto file = fileClass();
  file->SetPath(path);
  file->New();
  file->SetModified();
  file->SaveIfModified();
  return file;
}
