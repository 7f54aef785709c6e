#include "mainwin/trash_panel.h"

#include "app/vopa_prm.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

TTrashPanel::TTrashPanel(TVopaPrm& prm, std::function<void()> emptyTrash, QWidget* parent) : QFrame(parent), Prm(prm) {
  setObjectName(QStringLiteral("TrashPanel"));
  // Aligned to the bottom of the pane: its full width, at its own height.
  setFixedHeight(94);
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Raised);
  setFocusPolicy(Qt::TabFocus);
  setAutoFillBackground(true);
  QPalette panelPalette = palette();
  panelPalette.setColor(QPalette::Window, QColor(0xFF, 0xE0, 0xE0));
  setPalette(panelPalette);

  auto* image = new QLabel(this);
  image->setObjectName(QStringLiteral("Image8"));
  image->setGeometry(8, 8, 16, 16);
  image->setPixmap(QIcon(QStringLiteral(":/icons/trash.png")).pixmap(16, 16));
  auto* caption = new QLabel(QStringLiteral("ごみ箱のオプション"), this);
  caption->setObjectName(QStringLiteral("Label1"));
  caption->move(32, 8);

  CheckTrash = new QCheckBox(QStringLiteral("　　　日後にごみ箱からも削除する。"), this);
  CheckTrash->setObjectName(QStringLiteral("CheckTrash"));
  // Wide enough for the whole sentence in whatever font the desktop gives it.
  CheckTrash->setGeometry(24, 32, qMax(199, CheckTrash->sizeHint().width()), 17);
  CheckTrash->setChecked(Prm.AutoCleanup);
  // The day field lies over the blank start of the caption, so the line reads as one sentence.
  EditTrasjDay = new QLineEdit(QString::number(Prm.DayAutoCleanup), this);
  EditTrasjDay->setObjectName(QStringLiteral("EditTrasjDay"));
  EditTrasjDay->setGeometry(40, 30, 25, 21);
  EditTrasjDay->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), EditTrasjDay));
  EditTrasjDay->setEnabled(Prm.AutoCleanup);
  EditTrasjDay->raise();

  BtnNowBurn = new QPushButton(QStringLiteral("今すぐごみ箱を空にする"), this);
  BtnNowBurn->setObjectName(QStringLiteral("BtnNowBurn"));
  BtnNowBurn->setGeometry(24, 57, 169, 25);

  connect(CheckTrash, &QCheckBox::clicked, this, &TTrashPanel::Apply);
  connect(EditTrasjDay, &QLineEdit::textEdited, this, &TTrashPanel::Apply);
  connect(BtnNowBurn, &QPushButton::clicked, this, [emptyTrash = std::move(emptyTrash)] { emptyTrash(); });
}

void TTrashPanel::Apply() {
  Prm.AutoCleanup = CheckTrash->isChecked();
  bool valid = false;
  const int days = EditTrasjDay->text().toInt(&valid);
  if (valid) Prm.DayAutoCleanup = days;
  EditTrasjDay->setEnabled(Prm.AutoCleanup);
  // Never left empty: a deleted last digit brings the value back, leading zeros go.
  const QString shown = QString::number(Prm.DayAutoCleanup);
  if (EditTrasjDay->text() != shown) EditTrasjDay->setText(shown);
}
