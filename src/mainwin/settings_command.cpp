#include "mainwin/main_window.h"

#include "book/book.h"
#include "book/memo_type.h"
#include "mainwin/settings_dialog.h"
#include "view/view.h"

void TForm1::acShowOptionExecute() {
  TPagesDlg dialog(Prm, Dirs.BookDir, this);
  dialog.InitControls();
  if (dialog.exec() == QDialog::Accepted) ApplySettings(dialog.newPRM);
  update();
}

void TForm1::ApplySettings(const TVopaPrm& prm) {
  const bool artFontChanged = prm.AAFontName != Prm.AAFontName;
  Prm.Assign(prm);
  ShowCaption();
  // Also gives the taskbar button its new state, now that the tray icon's is known.
  SetTrayIcon(Prm.TaskTrayIcon);
  ApplyListLook();
  RepaintMemoList();
  PileView->SetColors(Prm.PaperColors);
  PileView->SetFontName(Prm.PileFontName);
  PileView->SetFontSize(Prm.PileFontSize);
  PageView->SetColors(Prm.PagePaperColors);
  PageView->SetFontName(Prm.PageFontName);
  PageView->SetFontSize(Prm.PageFontSize);
  // Art is drawn once in its font: a new font needs new pictures.
  for (int index = 0; artFontChanged && CurrentView && Current.Book() && index < Current.Book()->Count(); ++index) {
    TSMemo* memo = Current.Book()->MemoAt(index);
    if (MemoTypeOf(memo->GetOption(kOptType)) == kAAMemo) CurrentView->MemoTypeChanged(memo, kAAMemo);
  }
  // The views rebuild the current memo's paper in the new colours.
  Current.EnterAgain();
  PanesResized();
}
