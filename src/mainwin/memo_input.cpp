#include "mainwin/main_window.h"

#include "book/file_manager.h"
#include "book/vopa_error.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>

void TForm1::ConnectMemoActions() {
  const auto dispatch = [this](QAction* action, auto command) {
    connect(action, &QAction::triggered, this, [this, command] { DoMemoCommand(command()); });
  };
  const auto fixed = [](TMemoCommand code) { return [code] { return code; }; };
  dispatch(Actions.acNewMemo, fixed(mcNewMemo));
  dispatch(Actions.acUp, fixed(mcUp));
  dispatch(Actions.acDown, fixed(mcDown));
  dispatch(Actions.acNextMemo, fixed(mcNext));
  dispatch(Actions.acPreviousMemo, fixed(mcPrevious));
  dispatch(Actions.acTop, fixed(mcFirst));
  dispatch(Actions.acBottom, fixed(mcLast));
  dispatch(Actions.acDevide, fixed(mcDivide));
  dispatch(Actions.acJoint, fixed(mcJoin));
  dispatch(Actions.acEscapeFocus, fixed(mcEscape));
  for (QAction* up : {Actions.acMoveUp, Actions.acMoveTop})
    dispatch(up, [this] { return ShiftHeld() ? mcMoveTop : mcMoveUp; });
  for (QAction* down : {Actions.acMoveDown, Actions.acMoveBottom})
    dispatch(down, [this] { return ShiftHeld() ? mcMoveBottom : mcMoveDown; });
  connect(Actions.acSave, &QAction::triggered, this, &TForm1::SaveOpenBooks);
  for (QAction* action : Actions.RoutedThroughWindow()) RoutedKeys.append(action->shortcuts());
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != this) return QMainWindow::eventFilter(watched, event);
  // "While Shift is held" is judged by the input that led to a command.
  if (event->isInputEvent()) InputModifiers = static_cast<QInputEvent*>(event)->modifiers();
  if (event->type() == QEvent::Wheel || event->type() == QEvent::MouseButtonPress ||
      event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::MouseMove)
    InputButtons = static_cast<QSinglePointEvent*>(event)->buttons();
  if (event->type() == QEvent::ShortcutOverride) {
    // Editors claim arrow keys and the like for themselves; these belong to the window's actions.
    auto* key = static_cast<QKeyEvent*>(event);
    if (RoutedKeys.contains(QKeySequence(key->keyCombination()))) {
      key->ignore();
      return true;
    }
  } else if (event->type() == QEvent::Wheel) {
    WheelToCommand(static_cast<QWheelEvent*>(event));
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TForm1::WheelToCommand(QWheelEvent* event) {
  event->accept();
  WheelRest += event->angleDelta().y();
  const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
  const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
  // One command per notch; fine-grained wheels add up to whole notches.
  while (qAbs(WheelRest) >= QWheelEvent::DefaultDeltasPerStep) {
    const bool up = WheelRest > 0;
    WheelRest += up ? -QWheelEvent::DefaultDeltasPerStep : QWheelEvent::DefaultDeltasPerStep;
    if (!ctrl)
      DoMemoCommand(up ? mcWheelUp : mcWheelDown);
    else if (shift)
      DoMemoCommand(up ? mcMoveTop : mcMoveBottom);
    else
      DoMemoCommand(up ? mcMoveUp : mcMoveDown);
  }
}
