#include "book/file_manager.h"

#include "book/book.h"
#include "book/vopa_error.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

TQumFileManager::TQumFileManager(TFileClass fileClass) : FileClass(std::move(fileClass)) {}

TQumFileManager::~TQumFileManager() {
  // Whoever wanted the failures reported closed the files already; nothing may escape here.
  try {
    CloseAll([](TBook&, const QString&) {});
  } catch (...) {
  }
}

TBook* TQumFileManager::FindFile(const QString& path) const {
  for (const auto& file : Files)
    if (file->GetPath() == path) return file.get();
  return nullptr;
}

TBook* TQumFileManager::OpenFile(const QString& path) {
  if (TBook* open = FindFile(path)) return open;
  auto book = FileClass();
  if (!ReadAt(*book, path)) return nullptr;
  Files.insert(Files.begin(), std::move(book));
  return Files.front().get();
}

TBook* TQumFileManager::NewFile(const QString& path) {
  if (QFileInfo::exists(path)) throw EVopaError(QStringLiteral("%1 は既にあります。").arg(path));
  auto book = FileClass();
  CreateAt(*book, path);
  Files.insert(Files.begin(), std::move(book));
  return Files.front().get();
}

void TQumFileManager::CloseFile(TBook* file) {
  WaitForSaves();
  // A failed save throws before the file is freed, so nothing is lost.
  file->SaveIfModified();
  std::erase_if(Files, [file](const auto& open) { return open.get() == file; });
}

void TQumFileManager::RemoveFile(TBook* file) {
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

void TQumFileManager::MoveToFront(TBook* file) {
  const auto found = std::find_if(Files.begin(), Files.end(), [file](const auto& open) { return open.get() == file; });
  if (found != Files.end()) std::rotate(Files.begin(), found, found + 1);
}

bool TQumFileManager::StartSavingAll(const std::vector<TBook*>& others) {
  std::vector<TBook*> books;
  for (const auto& file : Files) books.push_back(file.get());
  books.insert(books.end(), others.begin(), others.end());
  return Saver.Start(books);
}

void TQumFileManager::CloseAll(const TCloseFailure& onFailure) {
  WaitForSaves();
  while (!Files.empty()) {
    TBook& file = *Files.back();
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

bool TQumFileManager::ReadAt(TBook& book, const QString& path) {
  if (!QFileInfo::exists(path)) return false;
  book.SetPath(path);
  return book.LoadClean();
}

void TQumFileManager::CreateAt(TBook& book, const QString& path) {
  book.SetPath(path);
  book.New();
  book.SetModified();
  book.SaveIfModified();
}
