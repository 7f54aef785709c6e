#pragma once

#include <QString>
#include <functional>

class QAction;
class QMenu;

// Fills menu with the book files of the tree under root, in place of placeholder (shown
// only when there is none): folders as submenus, books by their names without the
// extension. Entries added by an earlier call are replaced. chosen gets the full path.
void FillBookChoiceMenu(QMenu* menu, QAction* placeholder, const QString& root,
                        const std::function<void(const QString& path)>& chosen);
