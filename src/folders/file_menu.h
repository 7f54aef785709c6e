#pragma once

#include "folders/vopa_node.h"

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QMenu;

// When a book menu reads its folders again.
enum class TVopaMenuRefreshTiming {
  tmrManual,         // only on Refresh
  tmrOnSetPath,      // whenever RootPath is set to an existing directory
  tmrOnPopup,        // each time the popup menu holding the target shows
  tmrOnParentClick,  // each time the submenu holding the target opens
};

// Lists the folders and files under RootPath in a menu, in the order of their sort files:
// folders become submenus, filled when first opened; files become items. The entries go
// right after a placeholder item, the target, which shows alone (disabled) when there is
// nothing to list. Sort files are read, never written.
class TVopaFileMenu : public QObject {
  Q_OBJECT
 public:
  using TFileItemClickEvent = std::function<void(const QString& path, TVopaFileMenu* sender)>;

  explicit TVopaFileMenu(QObject* owner = nullptr);
  ~TVopaFileMenu() override;

  // Takes the placeholder once; it reads "No Files" and is disabled.
  void SetTargetMenu(QMenu* menu, QAction* target);
  void SetRefreshTiming(TVopaMenuRefreshTiming timing);
  // Reads the top folder again and rebuilds the entries.
  void Refresh();

  QString RootPath() const { return FRootPath; }
  // An empty path empties it; an existing directory is taken; anything else is ignored.
  void SetRootPath(const QString& path);
  void SetFileExtention(const QString& extension);
  QString FileExtention() const { return FFileExtention; }

  bool HideExtention = true;
  TFileItemClickEvent OnFileItemClick;

 private:
  void Hook();
  void Unhook();
  void ClearItems();
  // Adds the entry of node to menu before `before` (at the end when null).
  QAction* AddItem(QMenu* menu, QAction* before, TVopaNode* node);
  void FillSubmenu(QMenu* submenu, QAction* placeholder, TVopaNode* folder);

  std::unique_ptr<TVopaFileNode> RootNode;
  QPointer<QMenu> Menu;
  QPointer<QAction> Target;
  TVopaMenuRefreshTiming Timing = TVopaMenuRefreshTiming::tmrManual;
  QMetaObject::Connection Trigger;
  std::vector<QPointer<QAction>> Items;
  QString FRootPath;
  QString FFileExtention = QStringLiteral(".");
};
