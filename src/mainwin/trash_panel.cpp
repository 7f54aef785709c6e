#include "mainwin/trash_panel.h"

#include "app/vopa_prm.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QStyleOptionButton>

namespace {

// Days the field takes: up to 9999, some 27 years.
constexpr int kMaxDayDigits = 4;
// QLineEdit keeps this much room on either side of its text.
constexpr int kLineEditInnerMargin = 2;
// Room between the field and the caption's words.
constexpr int kCaptionGap = 4;

}  // namespace

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

  CheckTrash = new QCheckBox(this);
  CheckTrash->setObjectName(QStringLiteral("CheckTrash"));
  CheckTrash->setChecked(Prm.AutoCleanup);
  // The day field lies over the blank start of the caption, so the line reads as one sentence.
  EditTrasjDay = new QLineEdit(QString::number(Prm.DayAutoCleanup), this);
  EditTrasjDay->setObjectName(QStringLiteral("EditTrasjDay"));
  EditTrasjDay->setValidator(new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(kMaxDayDigits)), EditTrasjDay));
  EditTrasjDay->setEnabled(Prm.AutoCleanup);
  PlaceDayField();
  EditTrasjDay->raise();

  BtnNowBurn = new QPushButton(QStringLiteral("今すぐごみ箱を空にする"), this);
  BtnNowBurn->setObjectName(QStringLiteral("BtnNowBurn"));
  BtnNowBurn->setGeometry(24, 57, 169, 25);

  connect(CheckTrash, &QCheckBox::clicked, this, &TTrashPanel::Apply);
  connect(EditTrasjDay, &QLineEdit::textEdited, this, &TTrashPanel::Apply);
  connect(BtnNowBurn, &QPushButton::clicked, this, [emptyTrash = std::move(emptyTrash)] { emptyTrash(); });
}

void TTrashPanel::PlaceDayField() {
  // Wide enough for the largest number of days it takes (or a larger one from the file).
  const int digits = qMax(kMaxDayDigits, int(EditTrasjDay->text().size()));
  const QFontMetrics metrics = EditTrasjDay->fontMetrics();
  const QMargins margins = EditTrasjDay->textMargins();
  const int frame = EditTrasjDay->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, EditTrasjDay);
  const int width = metrics.horizontalAdvance(QString(digits, QLatin1Char('0'))) + margins.left() + margins.right() +
                    2 * frame + 2 * kLineEditInnerMargin + 2;
  EditTrasjDay->setGeometry(40, 30, qMax(25, width), 21);
  // The caption's blank start is at least as wide as the field lying over it.
  QStyleOptionButton option;
  option.initFrom(CheckTrash);
  const int textLeft =
      24 + CheckTrash->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, CheckTrash).left();
  const int blankWidth = EditTrasjDay->geometry().right() + kCaptionGap - textLeft;
  const int space = CheckTrash->fontMetrics().horizontalAdvance(QChar(0x3000));
  const int blanks = qMax(3, (blankWidth + space - 1) / space);
  CheckTrash->setText(QString(blanks, QChar(0x3000)) + QStringLiteral("日後にごみ箱からも削除する。"));
  // Wide enough for the whole sentence in whatever font the desktop gives it.
  CheckTrash->setGeometry(24, 32, qMax(199, CheckTrash->sizeHint().width()), 17);
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
