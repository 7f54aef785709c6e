#include "view/memo_editor.h"

#include <QMimeData>

bool TMemoEditor::canInsertFromMimeData(const QMimeData* source) const { return source && source->hasText(); }

void TMemoEditor::insertFromMimeData(const QMimeData* source) {
  if (!canInsertFromMimeData(source)) return;
  insertPlainText(source->text());
  ensureCursorVisible();
}
