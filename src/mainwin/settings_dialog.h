#pragma once

#include "app/vopa_prm.h"

#include <QDialog>

class QButtonGroup;
class QColorDialog;
class QComboBox;
class QFrame;
class QLineEdit;
class QMenu;
class QPushButton;
class QSpinBox;
class TVopaFileBox;
class TVopaFileMenu;

// "ヴォパメモ－設定": edits a private copy of the settings (newPRM), previews fonts and
// colours on its own sample controls, and writes the copy only when OK is pressed.
class TPagesDlg : public QDialog {
  Q_OBJECT
 public:
  // Colour slots of the samples; kNoSlot until one is chosen.
  enum : quint8 { kPileSlot = 0, kActiveSlot = 1, kMovedSlot = 2, kPageSlot = 3, kNoSlot = 255 };

  TPagesDlg(const TVopaPrm& prm, const QString& bookDir, QWidget* parent = nullptr);

  // Fills every control from newPRM.
  void InitControls();
  // OK: the controls' values into newPRM, then the dialog closes accepted.
  void OKBtnClick();

  TVopaPrm newPRM;
  quint8 SelectedSlot = kNoSlot;
  QColorDialog* ColorDialog1;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildBasicPage();
  QWidget* BuildMemoPage();
  QWidget* BuildListPage();
  QSpinBox* NewUpDown(const char* name, const char* editName, int low, int high, int formDefault);
  QComboBox* NewFontList(const char* name);
  QLineEdit* NewColorSample(const char* name, quint8 slot);
  QPushButton* NewBookButton(const char* name, QMenu* popup);
  QMenu* NewBookPopup(const char* name, const char* firstName, const QString& firstCaption, const char* placeholderName,
                      QPushButton* const* button, QString TVopaPrm::*path);
  TColorSet& SlotColors(quint8 slot);
  void SelectSlot(quint8 slot);
  void PlaceShape();
  void ShowColorSamples();
  void EditColor(bool fontColor);
  void ApplyFontPreviews();
  void ApplyListPreview();
  void ResetMemoPage();
  void ResetListPage();

  QString BookDir;
  QLineEdit* opCaption;
  QPushButton* opStartupBookBtn = nullptr;
  QPushButton* opDroptextBookBtn = nullptr;
  QButtonGroup* opIcons;
  QComboBox* ComboBox1;
  QComboBox* ComboBox2;
  QComboBox* ComboBox3;
  QComboBox* ComboBox4;
  QSpinBox* UpDown1;
  QSpinBox* UpDown2;
  QSpinBox* UpDown3;
  QSpinBox* UpDown4;
  QSpinBox* UpDown5;
  QSpinBox* UpDown6;
  QLineEdit* Samples[4];
  QFrame* Shape1;
  TVopaFileBox* VopaFileBox1;
  // VopaFileMenu1 (start-up book) and VopaFileMenu2 (drop book).
  QList<TVopaFileMenu*> BookMenus;
};
