#include "folders/file_box.h"

#include "folders/extension_filter.h"
#include "folders/folder_paths.h"

#include <QFileInfo>

static void InitFolderIcons() { Q_INIT_RESOURCE(folder_icons); }

TVopaFileBox::TVopaFileBox(QWidget* parent) : TVopaTreeBox(parent) {
  InitFolderIcons();
  ItemOffset = 1;
  for (const char* name : {"BClosedFolder", "BOpenFolder", "BFile"})
    Images.emplace_back(QStringLiteral(":/folders/") + QLatin1String(name));
  UpdateImageTop();
}

void TVopaFileBox::SetRootPath(const QString& path) {
  QString normal = path;
  if (!NormalizeDir(normal, true) || normal == FRootPath) return;
  FRootPath = normal;
  Rebuild();
}

void TVopaFileBox::SetFileExtention(const QString& extension) { FFileExtention = DottedExtension(extension); }

QString TVopaFileBox::PopupPath() const { return PathOf(PopupNode()); }

QString TVopaFileBox::CurrentFolderPath() const {
  const QString path = PathOf(CurrentFolder);
  return path.isEmpty() ? FRootPath : path;
}

int TVopaFileBox::IndexOfPath(const QString& path) const {
  if (path.isEmpty()) return -1;
  const auto [folder, name] = SplitPath(path);
  for (int row = 0; row < Count(); ++row) {
    const auto* node = static_cast<const TVopaFileNode*>(Rows[size_t(row)]);
    if (node->FileName == name && node->Dir == folder) return row;
  }
  return -1;
}

void TVopaFileBox::SetCurrentPath(const QString& path) {
  if (path == FCurrentPath) return;
  FCurrentPath = path;
  CurrentLookupValid = false;
  TVopaTreeBox::ResetCaches();
  viewport()->update();
}

void TVopaFileBox::SetHotPath(const QString& path, bool hot) { SetHot(IndexOfPath(path), hot); }

void TVopaFileBox::UpdateImageTop() { ImageTop = (ItemHeight() - Images.front().height() + 2) / 2; }

void TVopaFileBox::ApplyFilter(TVopaFileNode& node) const {
  node.Caption = node.FileName;
  if (node.Filter) node.Filter(node);
}

void TVopaFileBox::Rebuild() {
  TVopaTreeBox::Rebuild();
  if (FRootPath.isEmpty()) return;
  auto root = std::make_unique<TVopaFileNode>(true, nullptr, FRootPath);
  root->Filter = ExtensionFilter(FFileExtention, HideExtention);
  root->SaveSort = SaveSort;
  ReplaceRoot(std::move(root));
  CurrentLookupValid = false;
  OpenRow(-1);
}

void TVopaFileBox::ResetCaches() {
  TVopaTreeBox::ResetCaches();
  CurrentLookupValid = false;
}

TVopaNode* TVopaFileBox::GetCurrentNode() {
  if (!CurrentLookupValid) {
    const int row = IndexOfPath(FCurrentPath);
    CurrentLookup = row >= 0 ? Rows[size_t(row)] : nullptr;
    CurrentLookupValid = true;
  }
  return CurrentLookup;
}

void TVopaFileBox::SetCurrentNode(TVopaNode* node) {
  TVopaTreeBox::SetCurrentNode(node);
  const QString path = PathOf(node);
  if (!path.isEmpty()) SetCurrentPath(path);
}

void TVopaFileBox::FileItemClick(TVopaNode* node) {
  if (node->IsFolder() || !OnFileItemClick) return;
  const QString path = PathOf(node);
  if (!path.isEmpty()) OnFileItemClick(path, this);
}

void TVopaFileBox::DoMove() {
  const auto* dragged = static_cast<const TVopaFileNode*>(Drag.DraggedNode);
  if (dragged->Parent != Drag.DropParent) {
    const QString oldPath = dragged->FullPath();
    const QString newPath =
        PathOf(Drag.DropParent) + dragged->FileName + (dragged->IsFolder() ? QStringLiteral("/") : QString());
    if (BeforeMove) BeforeMove();
    if (!MoveEntry(oldPath, newPath)) return;
    // The current book moves with its file or folder.
    SetCurrentPath(FollowMove(FCurrentPath, oldPath, newPath));
    const TFileMoveEvent& moved = dragged->IsFolder() ? OnFolderMove : OnFileMove;
    if (moved) moved(oldPath, newPath, this);
  }
  TVopaTreeBox::DoMove();
}

int TVopaFileBox::WalkTo(const QString& path, int& deepestOpen) {
  for (int row = 0; row < Count(); ++row) {
    TVopaNode* node = Rows[size_t(row)];
    const QString nodePath = PathOf(node);
    if (nodePath == path) return row;
    if (!node->IsFolder() || !path.startsWith(nodePath)) continue;
    if (node->Opened)
      deepestOpen = row;
    else
      OpenRow(row);
  }
  return -1;
}

bool TVopaFileBox::Locate(const QString& path) {
  const QFileInfo info(path);
  if (FRootPath.isEmpty() || !info.exists() || !path.startsWith(FRootPath)) return false;
  int deepestOpen = -1;
  int row = WalkTo(path, deepestOpen);
  if (row < 0) {
    // Something new on disk: that folder is read again.
    ReloadFolder(deepestOpen);
    row = WalkTo(path, deepestOpen);
    if (row < 0) return false;
  }
  if (Rows[size_t(row)]->IsFolder())
    OpenRow(row);
  else
    SetCurrentPath(path);
  UpdateNow();
  return true;
}

bool TVopaFileBox::ReloadFolder(int row) {
  if (row < 0) {
    CloseAll();
    OpenRow(-1);
    return true;
  }
  if (row >= Count() || !Rows[size_t(row)]->IsFolder()) return false;
  CloseRow(row);
  OpenRow(row);
  return true;
}

bool TVopaFileBox::AddPath(const QString& path, bool isFolder) {
  if (IndexOfPath(path) >= 0) return false;
  const QString folder = SplitPath(path).first;
  int parentRow = -1;
  if (folder != FRootPath) {
    parentRow = IndexOfPath(folder);
    if (parentRow < 0) return false;
  }
  TVopaNode* parent = NodeAt(parentRow);
  if (!parent->Opened || PathOf(parent).isEmpty()) return false;
  auto node = std::make_unique<TVopaFileNode>(isFolder, parent, path);
  const bool kept = !node->Filter || node->Filter(*node);
  TVopaNode* added = parent->InsertChild(0, std::move(node));
  Tolerating([parent] { parent->SaveOrder(); });
  InsertRows(parentRow + 1, {added});
  UpdateNow();
  return kept;
}

void TVopaFileBox::RemovePath(const QString& path) {
  const int row = IndexOfPath(path);
  if (row >= 0) RemoveNode(Rows[size_t(row)]);
}

void TVopaFileBox::RenamePath(const QString& oldPath, const QString& newPath) {
  if (oldPath == newPath) return;
  if (SplitPath(oldPath).first != SplitPath(newPath).first) {
    RemovePath(oldPath);
    AddPath(newPath, false);
    return;
  }
  const int row = IndexOfPath(oldPath);
  if (row < 0) return;
  auto* node = static_cast<TVopaFileNode*>(Rows[size_t(row)]);
  node->FileName = SplitPath(newPath).second;
  // A folder keeps its whole name; a book loses its extension as the filter shows it.
  ApplyFilter(*node);
  Tolerating([node] { node->Parent->SaveOrder(); });
  node->FollowParents();
  SetCurrentPath(FollowMove(FCurrentPath, oldPath, newPath));
  ResetCaches();
  RedrawNode(node);
}
