#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

// Receives plain text dragged from other programs and dropped anywhere on Window. Drags
// inside the program (text moved within a memo) are left to the widgets.
class TVrTextDropTarget : public QObject {
  Q_OBJECT
 public:
  using TTextDropEvent = std::function<void(const QString& text)>;

  explicit TVrTextDropTarget(QObject* owner);

  void SetWindow(QWidget* window);
  QWidget* Window() const { return FWindow; }
  TTextDropEvent OnTextDrop;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QWidget> FWindow;
  // Whether the data being dragged offers text.
  bool OffersText = false;
};
