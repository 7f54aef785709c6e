#pragma once

#include "folders/tree_box.h"

#include <functional>

class TVopaFileNode;

// The tree box over a directory of book files: folders and the files of one extension, in
// the order of their sort files. Its operations by path let the book commands tell it what
// they changed on disk; a drop moves the file or folder on disk too.
class TVopaFileBox : public TVopaTreeBox {
  Q_OBJECT
 public:
  using TFileItemClickEvent = std::function<void(const QString& path, TVopaFileBox* sender)>;
  using TFileMoveEvent = std::function<void(const QString& oldPath, const QString& newPath, TVopaFileBox* sender)>;

  explicit TVopaFileBox(QWidget* parent = nullptr);

  QString RootPath() const { return FRootPath; }
  // An existing directory other than the current one rebuilds the tree from scratch.
  void SetRootPath(const QString& path);
  QString FileExtention() const { return FFileExtention; }
  void SetFileExtention(const QString& extension);

  // The entry of the last right click; the root when it was on no row.
  TVopaNode* PopupNode() const { return NodeAt(PopupIndex); }
  QString PopupPath() const;
  // The current folder of the tree, else RootPath.
  QString CurrentFolderPath() const;
  // The row of a full path (exact), -1 for none.
  int IndexOfPath(const QString& path) const;
  QString CurrentPath() const { return FCurrentPath; }
  void SetCurrentPath(const QString& path);
  void SetHotPath(const QString& path, bool hot);

  // Opens the folders down to an existing path under RootPath and marks it; false when the
  // path is not there or not under RootPath.
  bool Locate(const QString& path);
  // Rescans a folder row (-1: the whole tree).
  bool ReloadFolder(int row);
  // Shows a new entry first in its folder when that folder is open; the filter's verdict.
  bool AddPath(const QString& path, bool isFolder);
  void RemovePath(const QString& path);
  void RenamePath(const QString& oldPath, const QString& newPath);
  // Centres the icons in the rows; call after changing ItemHeight.
  void UpdateImageTop();

  void Rebuild() override;
  TVopaNode* GetCurrentNode() override;
  void SetCurrentNode(TVopaNode* node) override;

  bool SaveSort = false;
  bool HideExtention = true;
  TFileItemClickEvent OnFileItemClick;
  TFileMoveEvent OnFileMove;
  TFileMoveEvent OnFolderMove;
  // Runs before a drop moves a file or folder on disk.
  std::function<void()> BeforeMove;

 protected:
  void FileItemClick(TVopaNode* node) override;
  void DoMove() override;
  void ResetCaches() override;

 private:
  // The row of path, walking into closed folders on its way; -1 when not found. deepestOpen
  // gets the deepest folder row on the way that was open already.
  int WalkTo(const QString& path, int& deepestOpen);
  void ApplyFilter(TVopaFileNode& node) const;

  QString FRootPath;
  QString FFileExtention;
  QString FCurrentPath;
  TVopaNode* CurrentLookup = nullptr;
  bool CurrentLookupValid = false;
};
