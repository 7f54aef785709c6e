#pragma once

#include <QFrame>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;
struct TVopaPrm;

// The trash options shown under the view while the trash is the current book.
class TTrashPanel : public QFrame {
  Q_OBJECT
 public:
  // Changes take effect in prm at once; emptyTrash deletes every trash memo.
  TTrashPanel(TVopaPrm& prm, std::function<void()> emptyTrash, QWidget* parent = nullptr);

  QCheckBox* CheckTrash;
  QLineEdit* EditTrasjDay;
  QPushButton* BtnNowBurn;

 private:
  void PlaceDayField();
  void Apply();

  TVopaPrm& Prm;
};
