#pragma once

#include <QDialog>

class QLabel;

// "バージョン情報": the program's name, version and comment, and the ways to its web
// page, its help and its maker.
class TAboutBox : public QDialog {
  Q_OBJECT
 public:
  explicit TAboutBox(QWidget* parent = nullptr);

  QLabel* Version;
};
