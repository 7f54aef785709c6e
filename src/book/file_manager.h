#pragma once

#include "book/persistent.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

// The open-book manager: every book opened or created during the run, most recent first.
class TQumFileManager {
 public:
  using TFileClass = std::function<std::unique_ptr<TQumFile>()>;
  // Called for a file whose save failed while it was being closed; the file is freed afterwards.
  using TCloseFailure = std::function<void(TQumFile& file, const QString& error)>;

  explicit TQumFileManager(TFileClass fileClass) : FileClass(std::move(fileClass)) {}
  // Closes every file, last in the list first (saving modified ones).
  ~TQumFileManager();

  TQumFile* FindFile(const QString& path) const;
  // The open file for path, else the file read from disk (front of the list), else none.
  TQumFile* OpenFile(const QString& path);
  // Creates and writes a new file; throws EVopaError when a file exists at path.
  TQumFile* NewFile(const QString& path);
  void CloseFile(TQumFile* file);
  // Closes the file (saving it if modified), then deletes it from disk.
  void RemoveFile(TQumFile* file);
  // Open files follow a move of oldPath to newPath: the file itself, or everything inside a
  // folder (a path with a trailing separator). Paths compare exactly, as the file system does.
  void ReplacePath(const QString& oldPath, const QString& newPath);
  // The file becomes the most recently opened one.
  void MoveToFront(TQumFile* file);
  // Saves every modified file; returns one message per file that failed, after trying each.
  [[nodiscard]] QStringList SaveAll();
  // Closes every file, last first; a save failure is handed to onFailure instead of thrown.
  void CloseAll(const TCloseFailure& onFailure);

  static std::unique_ptr<TQumFile> OpenExisting(const TFileClass& fileClass, const QString& path);
  static std::unique_ptr<TQumFile> CreateNew(const TFileClass& fileClass, const QString& path);

  TFileClass FileClass;
  std::vector<std::unique_ptr<TQumFile>> Files;
};
