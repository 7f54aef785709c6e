#include "mainwin/text_drop_target.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

TVrTextDropTarget::TVrTextDropTarget(QObject* owner) : QObject(owner) {
  setObjectName(QStringLiteral("VrTextDropTarget1"));
}

void TVrTextDropTarget::SetWindow(QWidget* window) {
  if (FWindow) qApp->removeEventFilter(this);
  FWindow = window;
  if (!window) return;
  // Drops over any widget of the window come here first, the memo editors' included.
  window->setAcceptDrops(true);
  qApp->installEventFilter(this);
}

bool TVrTextDropTarget::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  auto* drop = static_cast<QDropEvent*>(event);
  if (!FWindow || !widget || widget->window() != FWindow || drop->source()) return false;
  if (type != QEvent::DragMove) OffersText = drop->mimeData()->hasFormat(QStringLiteral("text/plain"));
  if (!OffersText) {
    drop->ignore();
    return true;
  }
  drop->setDropAction(Qt::CopyAction);
  drop->accept();
  if (type == QEvent::Drop && OnTextDrop) OnTextDrop(drop->mimeData()->text());
  return true;
}
