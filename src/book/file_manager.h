#pragma once

#include "book/book.h"
#include "book/book_saver.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

// The open-book manager: every book opened or created during the run, most recent first.
class TQumFileManager {
 public:
  using TFileClass = std::function<std::unique_ptr<TBook>()>;
  // Called for a book whose save failed while it was being closed; the book is freed afterwards.
  using TCloseFailure = std::function<void(TBook& book, const QString& error)>;

  explicit TQumFileManager(TFileClass fileClass);
  // Closes every book, last in the list first (saving modified ones).
  ~TQumFileManager();

  TBook* FindFile(const QString& path) const;
  // The open book for path, else the book read from disk (front of the list), else none.
  TBook* OpenFile(const QString& path);
  // Creates and writes a new book; throws EVopaError when a file exists at path.
  TBook* NewFile(const QString& path);
  void CloseFile(TBook* book);
  // Closes the book (saving it if modified), then deletes its file.
  void RemoveFile(TBook* book);
  // Open books follow a move of oldPath to newPath: the book itself, or everything inside a
  // folder (a path with a trailing separator). Paths compare exactly, as the file system does.
  void ReplacePath(const QString& oldPath, const QString& newPath);
  // The book becomes the most recently opened one.
  void MoveToFront(TBook* book);
  // Starts writing every modified open book and the modified ones of others on the saver's
  // worker; false while a pass is in flight. Saver.Finished tells the failures.
  bool StartSavingAll(const std::vector<TBook*>& others);
  // Blocks until the pass in flight is written; whatever moves, deletes or frees a book waits so.
  void WaitForSaves() { Saver.Wait(); }
  // Closes every book, last first; a save failure is handed to onFailure instead of thrown.
  void CloseAll(const TCloseFailure& onFailure);

  // A book of kind TKind read from path; none when there is no file or it cannot be read at all.
  template <class TKind>
  static std::unique_ptr<TKind> OpenExisting(const QString& path) {
    auto book = std::make_unique<TKind>();
    if (!ReadAt(*book, path)) return nullptr;
    return book;
  }
  // A new book of kind TKind, written to path at once.
  template <class TKind>
  static std::unique_ptr<TKind> CreateNew(const QString& path) {
    auto book = std::make_unique<TKind>();
    CreateAt(*book, path);
    return book;
  }

  TFileClass FileClass;
  std::vector<std::unique_ptr<TBook>> Files;
  TBookSaver Saver;

 private:
  static bool ReadAt(TBook& book, const QString& path);
  static void CreateAt(TBook& book, const QString& path);
};
