#include "mainwin/main_window.h"

#include "mainwin/trash_panel.h"

#include <QLayout>

void TForm1::BookEntered(TBookKind kind) {
  const bool trash = kind == TBookKind::Trash;
  if (trash) SetTrashPanelVisible(true);
  ColorBookTitleBar(trash ? Headers.ExtraHeaderColor : Headers.BookHeaderColor);
}

void TForm1::BookLeft(TBookKind kind) {
  if (kind == TBookKind::Trash) SetTrashPanelVisible(false);
}

void TForm1::SetTrashPanelVisible(bool visible) {
  if (visible && !TrashPanel) {
    TrashPanel = new TTrashPanel(
        Prm, [this] { EmptyTrash(); }, Panel2);
    // Last in the right-hand pane: under the view, across its whole width.
    Panel2->layout()->addWidget(TrashPanel);
  }
  if (TrashPanel) TrashPanel->setVisible(visible);
}
