#include "mainwin/book_choice_menu.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace {

const char* const kAddedMark = "bookChoice";

// Adds the folders and books of dir; true when it added any book.
bool AddFolder(QMenu* menu, const QString& dir, const std::function<void(const QString&)>& chosen) {
  bool any = false;
  const QDir folder(dir);
  for (const QFileInfo& sub : folder.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
    auto* subMenu = new QMenu(sub.fileName(), menu);
    if (!AddFolder(subMenu, sub.filePath(), chosen)) {
      delete subMenu;
      continue;
    }
    menu->addMenu(subMenu)->setProperty(kAddedMark, true);
    any = true;
  }
  for (const QFileInfo& book :
       folder.entryInfoList({QStringLiteral("*.vopa")}, QDir::Files, QDir::Name | QDir::IgnoreCase)) {
    QAction* entry = menu->addAction(book.completeBaseName());
    entry->setProperty(kAddedMark, true);
    const QString path = book.filePath();
    QObject::connect(entry, &QAction::triggered, menu, [chosen, path] { chosen(path); });
    any = true;
  }
  return any;
}

}  // namespace

void FillBookChoiceMenu(QMenu* menu, QAction* placeholder, const QString& root,
                        const std::function<void(const QString& path)>& chosen) {
  for (QAction* action : menu->actions())
    if (action->property(kAddedMark).toBool()) {
      menu->removeAction(action);
      // A submenu's entry belongs to the submenu and goes with it.
      if (action->menu())
        action->menu()->deleteLater();
      else
        action->deleteLater();
    }
  placeholder->setVisible(!AddFolder(menu, root, chosen));
}
