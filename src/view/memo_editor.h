#pragma once

#include <QPlainTextEdit>

// The editor of a memo text. It takes plain text only from the clipboard and from
// drops, and nothing when they hold no text: Qt 6.4 crashes inserting a clipboard
// that holds no data at all.
class TMemoEditor : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit TMemoEditor(QWidget* parent = nullptr) : QPlainTextEdit(parent) {}

 protected:
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;
};
