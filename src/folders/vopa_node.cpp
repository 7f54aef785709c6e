#include "folders/vopa_node.h"

#include "book/vopa_error.h"
#include "folders/folder_paths.h"
#include "folders/sort_file.h"

#include <QDirIterator>
#include <QScopeGuard>
#include <algorithm>
#include <climits>

TVopaNode::TVopaNode(TVopaNode* parent) : Parent(parent) {
  if (parent) {
    Level = parent->Level + 1;
    SaveSort = parent->SaveSort;
  }
}

void TVopaNode::UnloadChildren() {
  for (auto child = Children.size(); child-- > 0;) {
    if (Children[child]->Temporary)
      Children.erase(Children.begin() + qsizetype(child));
    else
      Children[child]->Close();
  }
}

bool TVopaNode::Open() {
  if (!Folder || Opened) return false;
  LoadChildren();
  // Open before ordering: the order is in place when writing its sort file fails.
  Opened = true;
  SortChildren();
  return true;
}

bool TVopaNode::Close() {
  if (!Folder || !Opened) return false;
  UnloadChildren();
  Opened = false;
  return true;
}

void TVopaNode::SetIsFolder(bool folder) {
  if (folder == Folder) return;
  if (!folder) Children.clear();
  Folder = folder;
}

std::unique_ptr<TVopaNode> TVopaNode::TakeChild(TVopaNode* child) {
  const int index = child->IndexInParent();
  std::unique_ptr<TVopaNode> taken = std::move(Children[size_t(index)]);
  Children.erase(Children.begin() + index);
  taken->Parent = nullptr;
  return taken;
}

TVopaNode* TVopaNode::InsertChild(int position, std::unique_ptr<TVopaNode> child) {
  position = std::clamp(position, 0, int(Children.size()));
  child->Parent = this;
  return Children.insert(Children.begin() + position, std::move(child))->get();
}

void TVopaNode::FollowParent() { Level = Parent->Level + 1; }

TVopaNode* TVopaNode::AttachTo(std::unique_ptr<TVopaNode> node, TVopaNode& newParent, int& position) {
  Q_ASSERT(node && !node->Parent);
  node->Parent = &newParent;
  node->FollowParent();
  node->FollowParents();
  const bool wasOpen = newParent.Opened;
  if (!wasOpen) {
    try {
      newParent.Open();
    } catch (const EVopaError&) {
      // The order is written once more below, and a failure then is reported.
    }
    // The rescan already found the moved entry on disk; the node takes its place.
    const QString name = node->GetName();
    std::erase_if(newParent.Children, [&name](const auto& child) { return child->GetName() == name; });
  }
  position = std::min(position, int(newParent.Children.size()));
  TVopaNode* attached = newParent.InsertChild(position, std::move(node));
  if (wasOpen) {
    newParent.SaveOrder();
    return attached;
  }
  // Closing frees the node, whether or not the order could be written.
  const auto closeAgain = qScopeGuard([&newParent] { newParent.Close(); });
  newParent.SaveOrder();
  return nullptr;
}

void TVopaNode::FollowParents() {
  TVopaNode* each = this;
  while (NextInSubtree(this, each)) each->FollowParent();
}

bool TVopaNode::NextInSubtree(const TVopaNode* subtreeRoot, TVopaNode*& node) {
  if (!node->Children.empty()) {
    node = node->Children.front().get();
    return true;
  }
  for (TVopaNode* at = node; at != subtreeRoot && at->Parent; at = at->Parent) {
    const size_t next = size_t(at->IndexInParent()) + 1;
    if (next < at->Parent->Children.size()) {
      node = at->Parent->Children[next].get();
      return true;
    }
  }
  node = nullptr;
  return false;
}

int TVopaNode::IndexInParent() const {
  Q_ASSERT_X(Parent, "TVopaNode", "親無しノードのインデックスを取得しようとしました");
  const auto& siblings = Parent->Children;
  const auto found =
      std::find_if(siblings.begin(), siblings.end(), [this](const auto& child) { return child.get() == this; });
  Q_ASSERT_X(found != siblings.end(), "TVopaNode", "Indexエラー.親ノードは子供だと思ってません><");
  return int(found - siblings.begin());
}

bool TVopaNode::IsWithin(const TVopaNode* x) const {
  for (const TVopaNode* at = this; at; at = at->Parent)
    if (at == x) return true;
  return false;
}

TVopaFileNode::TVopaFileNode(bool isFolder, TVopaNode* parent, const QString& path) : TVopaNode(parent) {
  Temporary = true;
  SetPath(path);
  if (auto* fileParent = dynamic_cast<TVopaFileNode*>(parent)) {
    Dir = fileParent->FullPath();
    Filter = fileParent->Filter;
  }
  Caption = FileName;
  SetIsFolder(isFolder);
  ImageIndex = isFolder ? ImageClosedFolder : ImageFile;
}

QString TVopaFileNode::FullPath() const { return Dir + FileName + (IsFolder() ? QStringLiteral("/") : QString()); }

void TVopaFileNode::SetPath(const QString& path) { std::tie(Dir, FileName) = SplitPath(path); }

void TVopaFileNode::FollowParent() {
  TVopaNode::FollowParent();
  if (auto* fileParent = dynamic_cast<TVopaFileNode*>(Parent)) Dir = fileParent->FullPath();
}

void TVopaFileNode::LoadChildren() {
  Q_ASSERT(IsFolder());
  // Hidden entries stay out of the tree, as the system's own listing leaves them out.
  QDirIterator listing(FullPath(), QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot);
  while (listing.hasNext()) {
    listing.next();
    auto child = std::make_unique<TVopaFileNode>(listing.fileInfo().isDir(), this, listing.fileName());
    if (!Filter || Filter(*child)) Children.push_back(std::move(child));
  }
  ImageIndex = ImageOpenFolder;
}

void TVopaFileNode::UnloadChildren() {
  TVopaNode::UnloadChildren();
  ImageIndex = ImageClosedFolder;
}

void TVopaFileNode::SortChildren() {
  const std::optional<TSortOrder> order = TSortOrder::Read(FullPath());
  if (!order) {
    SaveOrder();
    return;
  }
  std::vector<std::pair<int, std::unique_ptr<TVopaNode>>> keyed;
  keyed.reserve(Children.size());
  for (auto& child : Children) keyed.emplace_back(order->IndexOf(child->GetName()), std::move(child));
  // Entries the file does not name come first, in listing order.
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (size_t i = 0; i < keyed.size(); ++i) Children[i] = std::move(keyed[i].second);
  if (order->LineCount() != int(Children.size())) SaveOrder();
}

void TVopaFileNode::SaveOrder() {
  if (!SaveSort) return;
  std::vector<std::pair<QString, QString>> entries;
  entries.reserve(Children.size());
  for (const auto& child : Children) entries.emplace_back(child->GetName(), child->Caption);
  WriteSortFile(FullPath(), entries);
}

QString PathOf(const TVopaNode* node) {
  const auto* file = dynamic_cast<const TVopaFileNode*>(node);
  return file ? file->FullPath() : QString();
}
