#pragma once

#include "app/color_set.h"

#include <QString>

class TIniFile;

// The parameter record: every setting of the settings file while the program runs.
struct TVopaPrm {
  TColorSet TransferedPaperColors;
  bool TaskBarIcon = true;
  bool ShowingFront = false;
  TColorSet PaperColors;
  QString WindowCaption;
  bool TaskTrayIcon = false;
  int ListFontSize = 10;
  bool DropTextToSpecificBook = false;
  bool AutoCleanup = true;
  QString DropTextBook;
  QString ListFontName;
  bool SpecificBook = false;
  int TabLength = 8;
  QString PileFontName;
  int PileFontSize = 10;
  QString PageFontName;
  int PageFontSize = 12;
  QString AAFontName;
  QString StartupBook;
  int DayAutoCleanup = 7;
  TColorSet PagePaperColors;
  TColorSet ActivePaperColors;
  int ItemHeight = 17;
  int ItemOffset = 1;
  // Added to the design: the last ordinary book that was current ("Startup"/"LastBook"),
  // the way back from the trash after a restart.
  QString LastBook;

  void Assign(const TVopaPrm& source) { *this = source; }
};

// Process-wide header colours kept beside the record.
struct THeaderColors {
  TColor MemoHeaderColor = 15780518;
  TColor BookHeaderColor = 12639424;
  TColor ExtraHeaderColor = 14737663;
};

// Window geometry as stored under "Position"; a maximised window keeps its normal bounds
// beside the mark ("Maximized", added to the design).
struct TWindowBounds {
  int Left = 100, Top = 100, Width = 400, Height = 500, ListWidth = 100;
  bool Maximized = false;
};

// Reads every stored setting with its default. isFontInstalled decides whether a
// stored font name is kept or replaced by "ＭＳ Ｐゴシック".
void ReadSettings(const TIniFile& ini, TVopaPrm& prm, THeaderColors& headers, TWindowBounds& bounds,
                  bool (*isFontInstalled)(const QString& family));
// Writes the settings in their fixed order and flushes the file. currentBookPath is
// empty when no book is current; bounds are the full window's (compact mode already undone).
void WriteSettings(TIniFile& ini, TVopaPrm& prm, const THeaderColors& headers, const TWindowBounds& bounds,
                   const QString& currentBookPath);

inline const QString kDefaultFontName = QStringLiteral("ＭＳ Ｐゴシック");
