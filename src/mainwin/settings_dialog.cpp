#include "mainwin/settings_dialog.h"

#include "folders/file_box.h"
#include "folders/file_menu.h"
#include "view/colors.h"

#include <QButtonGroup>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString kLastBook = QStringLiteral("前回終了時のブック");
const QString kShownBook = QStringLiteral("表示中のブック");
const QString kSampleText = QStringLiteral("あいうえお Abc");
constexpr QSize kClientSize(463, 325);
constexpr int kShapeMargin = 3;

// The installed fonts, after the program's default (drawn with an installed Japanese font).
QStringList ScreenFonts() {
  QStringList fonts{kDefaultFontName};
  for (const QString& family : QFontDatabase::families())
    if (!fonts.contains(family)) fonts << family;
  return fonts;
}

QString BookName(const QString& path) { return QFileInfo(path).completeBaseName(); }

}  // namespace

TPagesDlg::TPagesDlg(const TVopaPrm& prm, const QString& bookDir, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), newPRM(prm), BookDir(bookDir) {
  setObjectName(QStringLiteral("PagesDlg"));
  setWindowTitle(QStringLiteral("ヴォパメモ－設定"));
  setFont(QFont(QStringLiteral("Tahoma"), 8));
  setMinimumSize(kClientSize);
  ColorDialog1 = new QColorDialog(this);
  ColorDialog1->setObjectName(QStringLiteral("ColorDialog1"));

  auto* pages = new QTabWidget(this);
  pages->setObjectName(QStringLiteral("PageControl1"));
  pages->addTab(BuildBasicPage(), QStringLiteral("基本設定"));
  pages->addTab(BuildMemoPage(), QStringLiteral("メモ"));
  pages->addTab(BuildListPage(), QStringLiteral("リスト"));
  pages->setCurrentIndex(1);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("OKBtn"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &TPagesDlg::OKBtnClick);
  auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
  cancel->setObjectName(QStringLiteral("CancelBtn"));
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(5, 5, 5, 5);
  column->addWidget(pages, 1);
  column->addLayout(buttons);
}

QWidget* TPagesDlg::BuildBasicPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("TabSheet1"));
  auto* grid = new QGridLayout(page);
  opCaption = new QLineEdit(page);
  opCaption->setObjectName(QStringLiteral("opCaption"));
  grid->addWidget(new QLabel(QStringLiteral("ウインドウタイトル ："), page), 0, 0);
  grid->addWidget(opCaption, 0, 1);

  QMenu* startup = NewBookPopup("opStartupBookPopup", "N1", kLastBook, "N5", &opStartupBookBtn, &TVopaPrm::StartupBook);
  opStartupBookBtn = NewBookButton("opStartupBookBtn", startup);
  grid->addWidget(new QLabel(QStringLiteral("最初に表示するブック ："), page), 1, 0);
  grid->addWidget(opStartupBookBtn, 1, 1);
  QMenu* drop =
      NewBookPopup("opDropTextBookPopup", "N3", kShownBook, "N6", &opDroptextBookBtn, &TVopaPrm::DropTextBook);
  opDroptextBookBtn = NewBookButton("opDroptextBookBtn", drop);
  grid->addWidget(new QLabel(QStringLiteral("ドロップテキストの受け入れ先 ："), page), 2, 0);
  grid->addWidget(opDroptextBookBtn, 2, 1);

  auto* icons = new QGroupBox(QStringLiteral("アイコン表示"), page);
  icons->setObjectName(QStringLiteral("opIcons"));
  auto* row = new QHBoxLayout(icons);
  opIcons = new QButtonGroup(icons);
  int id = 0;
  for (const QString& caption :
       {QStringLiteral("タスクバー"), QStringLiteral("タスクトレイ"), QStringLiteral("両方")}) {
    auto* choice = new QRadioButton(caption, icons);
    choice->setObjectName(QStringLiteral("opIcons%1").arg(id));
    opIcons->addButton(choice, id++);
    row->addWidget(choice);
  }
  grid->addWidget(icons, 3, 0, 1, 2);
  grid->setRowStretch(4, 1);
  grid->setColumnStretch(1, 1);
  return page;
}

QPushButton* TPagesDlg::NewBookButton(const char* name, QMenu* popup) {
  auto* button = new QPushButton(this);
  button->setObjectName(QString::fromLatin1(name));
  connect(button, &QPushButton::clicked, popup,
          [button, popup] { popup->popup(button->mapToGlobal(button->rect().bottomLeft())); });
  return button;
}

QMenu* TPagesDlg::NewBookPopup(const char* name, const char* firstName, const QString& firstCaption,
                               const char* placeholderName, QPushButton* const* button, QString TVopaPrm::*path) {
  auto* popup = new QMenu(this);
  popup->setObjectName(QString::fromLatin1(name));
  QAction* first = popup->addAction(firstCaption);
  first->setObjectName(QString::fromLatin1(firstName));
  connect(first, &QAction::triggered, this, [button, firstCaption] { (*button)->setText(firstCaption); });
  popup->addSeparator();
  QAction* placeholder = popup->addAction(QString());
  placeholder->setObjectName(QString::fromLatin1(placeholderName));
  // The books of the tree, read anew each time the menu opens.
  auto* books = new TVopaFileMenu(this);
  books->setObjectName(QStringLiteral("VopaFileMenu%1").arg(BookMenus.size() + 1));
  books->SetTargetMenu(popup, placeholder);
  books->SetRefreshTiming(TVopaMenuRefreshTiming::tmrOnPopup);
  books->SetFileExtention(QStringLiteral(".vopa"));
  books->OnFileItemClick = [this, button, path](const QString& chosen, TVopaFileMenu*) {
    newPRM.*path = chosen;
    (*button)->setText(BookName(chosen));
  };
  BookMenus.push_back(books);
  return popup;
}

QSpinBox* TPagesDlg::NewUpDown(const char* name, const char* editName, int low, int high, int formDefault) {
  auto* upDown = new QSpinBox(this);
  upDown->setObjectName(QString::fromLatin1(name));
  upDown->setRange(low, high);
  upDown->setValue(formDefault);
  // The edit of the pair keeps its own name.
  upDown->findChild<QLineEdit*>()->setObjectName(QString::fromLatin1(editName));
  return upDown;
}

QComboBox* TPagesDlg::NewFontList(const char* name) {
  auto* fonts = new QComboBox(this);
  fonts->setObjectName(QString::fromLatin1(name));
  fonts->setMaxVisibleItems(10);
  fonts->addItems(ScreenFonts());
  return fonts;
}

QLineEdit* TPagesDlg::NewColorSample(const char* name, quint8 slot) {
  auto* sample = new QLineEdit(kSampleText, this);
  sample->setObjectName(QString::fromLatin1(name));
  sample->setReadOnly(true);
  sample->setFrame(false);
  sample->setProperty("tag", slot);
  sample->setFocusPolicy(Qt::ClickFocus);
  sample->installEventFilter(this);
  Samples[slot] = sample;
  return sample;
}

QWidget* TPagesDlg::BuildMemoPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("TabSheet3"));
  auto* fonts = new QGroupBox(QStringLiteral("フォント"), page);
  auto* fontGrid = new QGridLayout(fonts);
  ComboBox1 = NewFontList("ComboBox1");
  ComboBox3 = NewFontList("ComboBox3");
  ComboBox4 = NewFontList("ComboBox4");
  UpDown1 = NewUpDown("UpDown1", "opMemoFontSize", 5, 20, 10);
  UpDown4 = NewUpDown("UpDown4", "Edit2", 5, 20, 10);
  UpDown3 = NewUpDown("UpDown3", "Edit4", 1, 8, 2);
  fontGrid->addWidget(new QLabel(QStringLiteral("サイズ"), fonts), 0, 2);
  fontGrid->addWidget(new QLabel(QStringLiteral("パイルビュー"), fonts), 1, 0);
  fontGrid->addWidget(ComboBox1, 1, 1);
  fontGrid->addWidget(UpDown1, 1, 2);
  fontGrid->addWidget(new QLabel(QStringLiteral("ページビュー"), fonts), 2, 0);
  fontGrid->addWidget(ComboBox3, 2, 1);
  fontGrid->addWidget(UpDown4, 2, 2);
  fontGrid->addWidget(new QLabel(QStringLiteral("Ascii Art"), fonts), 3, 0);
  fontGrid->addWidget(ComboBox4, 3, 1);
  // The tab width is not offered, but its value still passes through the dialog.
  UpDown3->hide();
  fontGrid->setColumnStretch(1, 1);
  for (QComboBox* list : {ComboBox1, ComboBox3})
    connect(list, &QComboBox::currentTextChanged, this, &TPagesDlg::ApplyFontPreviews);
  for (QSpinBox* size : {UpDown1, UpDown4}) connect(size, &QSpinBox::valueChanged, this, &TPagesDlg::ApplyFontPreviews);

  auto* colors = new QGroupBox(QStringLiteral("配色"), page);
  colors->setObjectName(QStringLiteral("ColorGroup"));
  auto* colorGrid = new QGridLayout(colors);
  colorGrid->addWidget(new QLabel(QStringLiteral("パイルビュー"), colors), 0, 0, 1, 2);
  colorGrid->addWidget(new QLabel(QStringLiteral("ページビュー"), colors), 0, 2, 1, 2);
  const char* pileNames[] = {"Edit5", "Edit6", "Edit7"};
  const QString states[] = {QStringLiteral("閲覧時"), QStringLiteral("選択時"), QStringLiteral("移動時")};
  for (quint8 slot = kPileSlot; slot <= kMovedSlot; ++slot) {
    colorGrid->addWidget(new QLabel(states[slot], colors), slot + 1, 0);
    colorGrid->addWidget(NewColorSample(pileNames[slot], slot), slot + 1, 1);
  }
  colorGrid->addWidget(new QLabel(states[0], colors), 1, 2, Qt::AlignTop);
  QLineEdit* page1 = NewColorSample("Edit1", kPageSlot);
  page1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  page1->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
  colorGrid->addWidget(page1, 1, 3, 3, 1);
  Shape1 = new QFrame(colors);
  Shape1->setObjectName(QStringLiteral("Shape1"));
  Shape1->setAttribute(Qt::WA_TransparentForMouseEvents);
  Shape1->setStyleSheet(QStringLiteral("#Shape1 { border: 2px solid palette(highlight); background: transparent; }"));
  Shape1->hide();

  auto* fontColor = new QPushButton(QStringLiteral("文字色..."), colors);
  fontColor->setObjectName(QStringLiteral("Button2"));
  connect(fontColor, &QPushButton::clicked, this, [this] { EditColor(true); });
  auto* backColor = new QPushButton(QStringLiteral("背景色..."), colors);
  backColor->setObjectName(QStringLiteral("Button3"));
  connect(backColor, &QPushButton::clicked, this, [this] { EditColor(false); });
  auto* reset = new QPushButton(QStringLiteral("初期値に戻す"), page);
  reset->setObjectName(QStringLiteral("Button1"));
  connect(reset, &QPushButton::clicked, this, &TPagesDlg::ResetMemoPage);
  auto* colorButtons = new QHBoxLayout;
  colorButtons->addWidget(fontColor);
  colorButtons->addWidget(backColor);
  colorButtons->addStretch();
  colorGrid->addLayout(colorButtons, 4, 0, 1, 4);
  colorGrid->setColumnStretch(1, 1);
  colorGrid->setColumnStretch(3, 1);

  auto* column = new QVBoxLayout(page);
  column->addWidget(fonts);
  column->addWidget(colors, 1);
  column->addWidget(reset, 0, Qt::AlignRight);
  return page;
}

QWidget* TPagesDlg::BuildListPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("TabSheet2"));
  auto* list = new QGroupBox(QStringLiteral("リスト"), page);
  auto* grid = new QGridLayout(list);
  ComboBox2 = NewFontList("ComboBox2");
  UpDown2 = NewUpDown("UpDown2", "opListFontSize", 5, 15, 10);
  UpDown5 = NewUpDown("UpDown5", "Edit3", 5, 50, 10);
  UpDown6 = NewUpDown("UpDown6", "Edit8", -1, 10, 10);
  grid->addWidget(new QLabel(QStringLiteral("フォント"), list), 0, 0);
  grid->addWidget(ComboBox2, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("サイズ "), list), 1, 0);
  grid->addWidget(UpDown2, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("幅"), list), 2, 0);
  grid->addWidget(UpDown5, 2, 1);
  grid->addWidget(new QLabel(QStringLiteral("上下微調整"), list), 3, 0);
  grid->addWidget(UpDown6, 3, 1);
  grid->setRowStretch(4, 1);
  connect(ComboBox2, &QComboBox::currentTextChanged, this, &TPagesDlg::ApplyListPreview);
  for (QSpinBox* value : {UpDown2, UpDown5, UpDown6})
    connect(value, &QSpinBox::valueChanged, this, &TPagesDlg::ApplyListPreview);

  auto* sample = new QGroupBox(QStringLiteral("表示サンプル"), page);
  VopaFileBox1 = new TVopaFileBox(sample);
  VopaFileBox1->setObjectName(QStringLiteral("VopaFileBox1"));
  VopaFileBox1->setFrameShape(QFrame::Panel);
  VopaFileBox1->setFrameShadow(QFrame::Sunken);
  VopaFileBox1->Color = 0xFFFFFF;
  VopaFileBox1->FolderFontColor = 0x444466;
  VopaFileBox1->ItemOffset = 1;
  VopaFileBox1->SaveSort = false;
  VopaFileBox1->SetFileExtention(QStringLiteral(".vopa"));
  auto* sampleColumn = new QVBoxLayout(sample);
  sampleColumn->addWidget(VopaFileBox1);

  auto* reset = new QPushButton(QStringLiteral("初期値に戻す"), page);
  reset->setObjectName(QStringLiteral("Button4"));
  connect(reset, &QPushButton::clicked, this, &TPagesDlg::ResetListPage);
  auto* row = new QHBoxLayout;
  row->addWidget(list, 1);
  row->addWidget(sample, 1);
  auto* column = new QVBoxLayout(page);
  column->addLayout(row, 1);
  column->addWidget(reset, 0, Qt::AlignRight);
  return page;
}

void TPagesDlg::InitControls() {
  opCaption->setText(newPRM.WindowCaption);
  for (TVopaFileMenu* books : BookMenus) books->SetRootPath(BookDir);
  opStartupBookBtn->setText(newPRM.SpecificBook ? BookName(newPRM.StartupBook) : kLastBook);
  opDroptextBookBtn->setText(newPRM.DropTextToSpecificBook ? BookName(newPRM.DropTextBook) : kShownBook);
  const int icons = !newPRM.TaskTrayIcon ? 0 : newPRM.TaskBarIcon ? 2 : 1;
  opIcons->button(icons)->setChecked(true);
  // Each up-down keeps its position within its range.
  UpDown1->setValue(newPRM.PileFontSize);
  UpDown2->setValue(newPRM.ListFontSize);
  UpDown3->setValue(newPRM.TabLength / 4);
  UpDown4->setValue(newPRM.PageFontSize);
  UpDown5->setValue(newPRM.ItemHeight);
  UpDown6->setValue(newPRM.ItemOffset);
  ComboBox1->setCurrentIndex(ComboBox1->findText(newPRM.PileFontName));
  ComboBox2->setCurrentIndex(ComboBox2->findText(newPRM.ListFontName));
  ComboBox3->setCurrentIndex(ComboBox3->findText(newPRM.PageFontName));
  ComboBox4->setCurrentIndex(ComboBox4->findText(newPRM.AAFontName));
  SelectSlot(kPileSlot);
  ShowColorSamples();
  ApplyFontPreviews();
  VopaFileBox1->SetRootPath(BookDir);
  ApplyListPreview();
}

bool TPagesDlg::eventFilter(QObject* watched, QEvent* event) {
  const QVariant tag = watched->property("tag");
  if (tag.isValid() && event->type() == QEvent::MouseButtonPress) SelectSlot(quint8(tag.toUInt()));
  // The frame follows its sample when the layout places it.
  if (tag.isValid() && tag.toUInt() == SelectedSlot &&
      (event->type() == QEvent::Move || event->type() == QEvent::Resize))
    PlaceShape();
  return QDialog::eventFilter(watched, event);
}

TColorSet& TPagesDlg::SlotColors(quint8 slot) {
  switch (slot) {
    case kActiveSlot:
      return newPRM.ActivePaperColors;
    case kMovedSlot:
      return newPRM.TransferedPaperColors;
    case kPageSlot:
      return newPRM.PagePaperColors;
    default:
      return newPRM.PaperColors;
  }
}

void TPagesDlg::SelectSlot(quint8 slot) {
  SelectedSlot = slot;
  PlaceShape();
  Shape1->show();
}

void TPagesDlg::PlaceShape() {
  const QRect around = Samples[SelectedSlot]->geometry();
  Shape1->setGeometry(around.x() - kShapeMargin, around.y() - kShapeMargin, around.width() + 5, around.height() + 5);
  Shape1->raise();
}

void TPagesDlg::ShowColorSamples() {
  for (quint8 slot = kPileSlot; slot <= kPageSlot; ++slot) {
    const TColorSet& set = SlotColors(slot);
    QPalette palette = Samples[slot]->palette();
    palette.setColor(QPalette::Base, ToQColor(set.BackColor));
    palette.setColor(QPalette::Text, ToQColor(set.FontColor));
    Samples[slot]->setPalette(palette);
    // The colour dialog offers the eight colours as its custom colours "ColorA" to "ColorH".
    QColorDialog::setCustomColor(slot * 2, ToQColor(set.FontColor));
    QColorDialog::setCustomColor(slot * 2 + 1, ToQColor(set.BackColor));
  }
}

void TPagesDlg::EditColor(bool fontColor) {
  if (SelectedSlot == kNoSlot) return;
  TColorSet& set = SlotColors(SelectedSlot);
  TColor& color = fontColor ? set.FontColor : set.BackColor;
  ColorDialog1->setCurrentColor(ToQColor(color));
  if (ColorDialog1->exec() != QDialog::Accepted) return;
  color = FromQColor(ColorDialog1->selectedColor());
  ShowColorSamples();
}

void TPagesDlg::ApplyFontPreviews() {
  QFont pile(ComboBox1->currentIndex() >= 0 ? ComboBox1->currentText() : newPRM.PileFontName);
  pile.setPointSize(UpDown1->value());
  for (quint8 slot = kPileSlot; slot <= kMovedSlot; ++slot) Samples[slot]->setFont(pile);
  QFont page(ComboBox3->currentIndex() >= 0 ? ComboBox3->currentText() : newPRM.PageFontName);
  page.setPointSize(UpDown4->value());
  Samples[kPageSlot]->setFont(page);
}

void TPagesDlg::ApplyListPreview() {
  VopaFileBox1->setFont(
      QFont(ComboBox2->currentIndex() >= 0 ? ComboBox2->currentText() : newPRM.ListFontName, UpDown2->value()));
  VopaFileBox1->ItemOffset = UpDown6->value();
  if (VopaFileBox1->ItemHeight() != UpDown5->value()) {
    VopaFileBox1->SetItemHeight(UpDown5->value());
    VopaFileBox1->UpdateImageTop();
  }
  VopaFileBox1->viewport()->update();
}

void TPagesDlg::ResetMemoPage() {
  for (QComboBox* list : {ComboBox1, ComboBox3, ComboBox4}) list->setCurrentIndex(list->findText(kDefaultFontName));
  UpDown1->setValue(10);
  UpDown4->setValue(12);
  UpDown3->setValue(2);
  ApplyFontPreviews();
  newPRM.PaperColors = {clWindowText, clWindow, clNone};
  newPRM.PagePaperColors = {clWindowText, 0xEEFFFF, clNone};
  newPRM.ActivePaperColors = {0xFF0000, 0xAAFFFF, clNone};
  newPRM.TransferedPaperColors = {0x000000, 0xAADDFF, clNone};
  ShowColorSamples();
}

void TPagesDlg::ResetListPage() {
  ComboBox2->setCurrentIndex(ComboBox2->findText(kDefaultFontName));
  UpDown2->setValue(10);
  UpDown5->setValue(17);
  UpDown6->setValue(1);
  ApplyListPreview();
}

void TPagesDlg::OKBtnClick() {
  newPRM.WindowCaption = opCaption->text();
  newPRM.SpecificBook = opStartupBookBtn->text() != kLastBook;
  newPRM.DropTextToSpecificBook = opDroptextBookBtn->text() != kShownBook;
  newPRM.TaskBarIcon = opIcons->checkedId() != 1;
  newPRM.TaskTrayIcon = opIcons->checkedId() != 0;
  // A font not among the installed ones leaves its list unselected: the name stays.
  const auto chosenFont = [](const QComboBox* list, QString& name) {
    if (list->currentIndex() >= 0) name = list->currentText();
  };
  chosenFont(ComboBox1, newPRM.PileFontName);
  chosenFont(ComboBox3, newPRM.PageFontName);
  chosenFont(ComboBox4, newPRM.AAFontName);
  chosenFont(ComboBox2, newPRM.ListFontName);
  newPRM.PileFontSize = UpDown1->value();
  newPRM.PageFontSize = UpDown4->value();
  newPRM.TabLength = UpDown3->value() * 4;
  newPRM.ListFontSize = UpDown2->value();
  newPRM.ItemHeight = UpDown5->value();
  newPRM.ItemOffset = UpDown6->value();
  accept();
}
