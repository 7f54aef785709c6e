#include "folders/file_menu.h"

#include "folders/extension_filter.h"
#include "folders/folder_paths.h"

#include <QAction>
#include <QMenu>

namespace {

const QString kNoFiles = QStringLiteral("No Files");
const QString kEmptyFolder = QStringLiteral("ﾌｧｲﾙがありません");

}  // namespace

TVopaFileMenu::TVopaFileMenu(QObject* owner)
    : QObject(owner), RootNode(std::make_unique<TVopaFileNode>(true, nullptr, QString())) {
  RootNode->SaveSort = false;
}

TVopaFileMenu::~TVopaFileMenu() { ClearItems(); }

void TVopaFileMenu::SetTargetMenu(QMenu* menu, QAction* target) {
  Q_ASSERT_X(!Target, "TVopaFileMenu", "実行時の使い回しはなしよ");
  Menu = menu;
  Target = target;
  target->setText(kNoFiles);
  target->setEnabled(false);
  Hook();
}

void TVopaFileMenu::SetRefreshTiming(TVopaMenuRefreshTiming timing) {
  if (timing == Timing) return;
  Unhook();
  Timing = timing;
  Hook();
}

void TVopaFileMenu::Hook() {
  if (!Menu || (Timing != TVopaMenuRefreshTiming::tmrOnPopup && Timing != TVopaMenuRefreshTiming::tmrOnParentClick))
    return;
  // A popup and a submenu both announce themselves before they show.
  Trigger = connect(Menu, &QMenu::aboutToShow, this, &TVopaFileMenu::Refresh);
}

void TVopaFileMenu::Unhook() { disconnect(Trigger); }

void TVopaFileMenu::SetRootPath(const QString& path) {
  if (path.isEmpty()) {
    FRootPath.clear();
    return;
  }
  QString normal = path;
  if (!NormalizeDir(normal, true)) return;
  FRootPath = normal;
  RootNode->SetPath(normal);
  if (Timing == TVopaMenuRefreshTiming::tmrOnSetPath) Refresh();
}

void TVopaFileMenu::SetFileExtention(const QString& extension) { FFileExtention = DottedExtension(extension); }

void TVopaFileMenu::ClearItems() {
  // The entries go before the nodes they show; a folder's entry goes with its submenu.
  for (const QPointer<QAction>& item : Items) {
    if (!item) continue;
    if (QMenu* submenu = item->menu())
      delete submenu;
    else
      delete item.data();
  }
  Items.clear();
}

void TVopaFileMenu::Refresh() {
  if (!Menu || !Target) return;
  ClearItems();
  RootNode->Close();
  RootNode->Filter = ExtensionFilter(FFileExtention, HideExtention);
  if (!FRootPath.isEmpty()) RootNode->Open();
  const QList<QAction*> actions = Menu->actions();
  const qsizetype at = actions.indexOf(Target.data());
  QAction* before = at + 1 < actions.size() ? actions[at + 1] : nullptr;
  for (const auto& child : RootNode->Children) Items.emplace_back(AddItem(Menu, before, child.get()));
  Target->setVisible(RootNode->Children.empty());
}

QAction* TVopaFileMenu::AddItem(QMenu* menu, QAction* before, TVopaNode* node) {
  if (node->IsFolder()) {
    auto* submenu = new QMenu(node->Caption, menu);
    QAction* placeholder = submenu->addAction(kEmptyFolder);
    placeholder->setEnabled(false);
    // Filled once, when first opened; the next rebuild makes a fresh submenu.
    auto fill = std::make_shared<QMetaObject::Connection>();
    *fill = connect(submenu, &QMenu::aboutToShow, this, [this, submenu, placeholder, node, fill] {
      disconnect(*fill);
      FillSubmenu(submenu, placeholder, node);
    });
    menu->insertMenu(before, submenu);
    return submenu->menuAction();
  }
  auto* item = new QAction(node->Caption, menu);
  const QString path = PathOf(node);
  connect(item, &QAction::triggered, this, [this, path] {
    if (OnFileItemClick) OnFileItemClick(path, this);
  });
  menu->insertAction(before, item);
  return item;
}

void TVopaFileMenu::FillSubmenu(QMenu* submenu, QAction* placeholder, TVopaNode* folder) {
  if (!folder->Open()) return;
  for (const auto& child : folder->Children) AddItem(submenu, nullptr, child.get());
  placeholder->setVisible(folder->Children.empty());
}
