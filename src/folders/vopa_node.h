#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

// One entry of a lazily loaded tree: a folder loads its children when opened and frees
// the temporary ones again when closed.
class TVopaNode {
 public:
  explicit TVopaNode(TVopaNode* parent = nullptr);
  virtual ~TVopaNode() = default;
  TVopaNode(const TVopaNode&) = delete;
  TVopaNode& operator=(const TVopaNode&) = delete;

  // The name the sort file knows the node by.
  virtual QString GetName() const { return Caption; }
  virtual void LoadChildren() {}
  // Frees every temporary child and closes the others.
  virtual void UnloadChildren();
  virtual void SortChildren() {}
  virtual void SaveOrder() {}

  // Loads and orders the children of a closed folder; false for anything else.
  bool Open();
  // Unloads the children of an open folder; false for anything else.
  bool Close();
  bool IsFolder() const { return Folder; }
  void SetIsFolder(bool folder);

  // Puts a node without parent under newParent at position (clamped to the end) and saves
  // newParent's order. A closed newParent is rescanned and closed again, which frees the node:
  // the result is then null, else the node.
  static TVopaNode* AttachTo(std::unique_ptr<TVopaNode> node, TVopaNode& newParent, int& position);
  // Takes child out of this node's children; it has no parent afterwards.
  std::unique_ptr<TVopaNode> TakeChild(TVopaNode* child);
  TVopaNode* InsertChild(int position, std::unique_ptr<TVopaNode> child);

  // Every loaded descendant takes its depth and folder from its parent again.
  void FollowParents();
  // Pre-order step within subtreeRoot; false (and null) at its end.
  static bool NextInSubtree(const TVopaNode* subtreeRoot, TVopaNode*& node);
  int IndexInParent() const;
  // True when x is this node or one of its ancestors.
  bool IsWithin(const TVopaNode* x) const;

  TVopaNode* Parent = nullptr;
  int Level = 0;
  QString Caption;
  bool Opened = false;
  int ImageIndex = -1;
  bool SaveSort = false;
  bool Temporary = false;
  std::vector<std::unique_ptr<TVopaNode>> Children;
  bool Hot = false;

 protected:
  // Takes the depth (and, for a file node, the folder) from the current parent.
  virtual void FollowParent();

 private:
  bool Folder = false;
};

class TVopaFileNode;
// Decides whether a scanned entry is kept; may set its Caption and ImageIndex.
using TVopaNodeFilter = std::function<bool(TVopaFileNode& node)>;

// A folder or file on disk; node identity is (Dir, FileName), compared exactly.
class TVopaFileNode : public TVopaNode {
 public:
  enum : int { ImageClosedFolder = 0, ImageOpenFolder = 1, ImageFile = 2 };

  // path is a full path, or just the entry's name when parent is a file node.
  TVopaFileNode(bool isFolder, TVopaNode* parent, const QString& path);

  QString GetName() const override { return FileName; }
  void LoadChildren() override;
  void UnloadChildren() override;
  void SortChildren() override;
  void SaveOrder() override;

  // Dir + FileName, with a trailing separator for a folder.
  QString FullPath() const;
  void SetPath(const QString& path);

  QString Dir;
  QString FileName;
  TVopaNodeFilter Filter;

 protected:
  void FollowParent() override;
};

// The full path of a file node; empty for any other node.
QString PathOf(const TVopaNode* node);
