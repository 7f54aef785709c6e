#include "app/vopa_prm.h"

#include "app/app_dirs.h"
#include "app/ini_file.h"

#include <limits>

namespace {

const QString kColor = QStringLiteral("Color");
const QString kParameters = QStringLiteral("Parameters");
const QString kList = QStringLiteral("List");
const QString kStartup = QStringLiteral("Startup");
const QString kPosition = QStringLiteral("Position");

int ReadInt(const TIniFile& ini, const QString& section, const QString& key, int def) {
  const qint64 value = ini.ReadInteger(section, key, def);
  const bool fits = value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
  return fits ? static_cast<int>(value) : def;
}

// Colours are 32-bit: a negative decimal and a "0x…" text give the same bits.
TColor ReadColor(const TIniFile& ini, const QString& key, TColor def) {
  return static_cast<TColor>(ini.ReadInteger(kColor, key, def));
}

// The file keeps colours as signed 32-bit decimals: 0xFF000005 is -16777211.
void WriteColor(TIniFile& ini, const QString& key, TColor color) {
  ini.WriteInteger(kColor, key, static_cast<qint32>(color));
}

TColorSet ReadColorSet(const TIniFile& ini, const QString& backKey, TColor backDef, TColor fontDef) {
  return TColorSet{ReadColor(ini, backKey + QStringLiteral("Font"), fontDef), ReadColor(ini, backKey, backDef), clNone};
}

void WriteColorSet(TIniFile& ini, const QString& backKey, const TColorSet& colors, bool fontFirst) {
  const QString fontKey = backKey + QStringLiteral("Font");
  if (fontFirst) WriteColor(ini, fontKey, colors.FontColor);
  WriteColor(ini, backKey, colors.BackColor);
  if (!fontFirst) WriteColor(ini, fontKey, colors.FontColor);
}

QString ReadFontName(const TIniFile& ini, const QString& section, const QString& key,
                     bool (*isFontInstalled)(const QString&)) {
  const QString name = ini.ReadString(section, key, kDefaultFontName);
  return !isFontInstalled || isFontInstalled(name) ? name : kDefaultFontName;
}

}  // namespace

void ReadSettings(const TIniFile& ini, TVopaPrm& prm, THeaderColors& headers, TWindowBounds& bounds,
                  bool (*isFontInstalled)(const QString& family)) {
  headers.MemoHeaderColor = ReadColor(ini, QStringLiteral("MemoHeader"), 15780518);
  headers.BookHeaderColor = ReadColor(ini, QStringLiteral("BookHeader"), 12639424);
  headers.ExtraHeaderColor = ReadColor(ini, QStringLiteral("ExtraHeader"), 14737663);

  prm.PaperColors = ReadColorSet(ini, QStringLiteral("Paper"), clWindow, clWindowText);
  prm.ActivePaperColors = ReadColorSet(ini, QStringLiteral("ActivePaper"), 0xAAFFFF, 0xFF0000);
  prm.TransferedPaperColors = ReadColorSet(ini, QStringLiteral("TransferedPaper"), 11197951, clWindowText);
  prm.PagePaperColors = ReadColorSet(ini, QStringLiteral("PagePaper"), 0xEEFFFF, clWindowText);

  prm.PileFontName = ReadFontName(ini, kParameters, QStringLiteral("PileFontName"), isFontInstalled);
  prm.PileFontSize = ReadInt(ini, kParameters, QStringLiteral("PileFontSize"), 10);
  prm.PageFontName = ReadFontName(ini, kParameters, QStringLiteral("PageFontName"), isFontInstalled);
  prm.PageFontSize = ReadInt(ini, kParameters, QStringLiteral("PageFontSize"), 12);
  prm.AAFontName = ReadFontName(ini, kParameters, QStringLiteral("AAFontName"), isFontInstalled);

  prm.ListFontName = ReadFontName(ini, kList, QStringLiteral("FontName"), isFontInstalled);
  prm.ListFontSize = ReadInt(ini, kList, QStringLiteral("FontSize"), 10);
  prm.ItemOffset = ReadInt(ini, kList, QStringLiteral("ItemOffset"), 1);
  prm.ItemHeight = ReadInt(ini, kList, QStringLiteral("ItemHeight"), 17);

  prm.AutoCleanup = ini.ReadBool(kParameters, QStringLiteral("AutoCleanup"), true);
  prm.DayAutoCleanup = ReadInt(ini, kParameters, QStringLiteral("DayAutoCleanup"), 7);
  prm.TaskTrayIcon = ini.ReadBool(kParameters, QStringLiteral("TaskTrayIcon"), false);
  prm.TaskBarIcon = ini.ReadBool(kParameters, QStringLiteral("TaskBarIcon"), true);
  prm.WindowCaption = ini.ReadString(kParameters, QStringLiteral("WindowCaption"), QStringLiteral("ヴォパメモ"));
  prm.TabLength = ReadInt(ini, kParameters, QStringLiteral("TabLength"), 8);

  prm.SpecificBook = ini.ReadBool(kStartup, QStringLiteral("SpecificBook"), false);
  prm.StartupBook = NormalizeSettingsPath(ini.ReadString(kStartup, QStringLiteral("Book"), QString()));
  prm.LastBook = NormalizeSettingsPath(ini.ReadString(kStartup, QStringLiteral("LastBook"), QString()));
  prm.DropTextToSpecificBook = ini.ReadBool(kParameters, QStringLiteral("DropTextToSpecificBook"), false);
  prm.DropTextBook = NormalizeSettingsPath(ini.ReadString(kParameters, QStringLiteral("DropTextBook"), QString()));
  prm.ShowingFront = false;

  bounds.Width = ReadInt(ini, kPosition, QStringLiteral("Width"), 400);
  bounds.Height = ReadInt(ini, kPosition, QStringLiteral("Height"), 500);
  bounds.Top = ReadInt(ini, kPosition, QStringLiteral("Top"), 100);
  bounds.Left = ReadInt(ini, kPosition, QStringLiteral("Left"), 100);
  bounds.ListWidth = ReadInt(ini, kPosition, QStringLiteral("ListWidth"), 100);
  bounds.Maximized = ini.ReadBool(kPosition, QStringLiteral("Maximized"), false);
}

void WriteSettings(TIniFile& ini, TVopaPrm& prm, const THeaderColors& headers, const TWindowBounds& bounds,
                   const QString& currentBookPath) {
  WriteColor(ini, QStringLiteral("MemoHeader"), headers.MemoHeaderColor);
  WriteColor(ini, QStringLiteral("BookHeader"), headers.BookHeaderColor);
  WriteColor(ini, QStringLiteral("ExtraHeader"), headers.ExtraHeaderColor);
  WriteColorSet(ini, QStringLiteral("Paper"), prm.PaperColors, false);
  WriteColorSet(ini, QStringLiteral("ActivePaper"), prm.ActivePaperColors, false);
  WriteColorSet(ini, QStringLiteral("TransferedPaper"), prm.TransferedPaperColors, true);
  WriteColorSet(ini, QStringLiteral("PagePaper"), prm.PagePaperColors, true);

  ini.WriteString(kParameters, QStringLiteral("PileFontName"), prm.PileFontName);
  ini.WriteInteger(kParameters, QStringLiteral("PileFontSize"), prm.PileFontSize);
  ini.WriteString(kParameters, QStringLiteral("PageFontName"), prm.PageFontName);
  ini.WriteInteger(kParameters, QStringLiteral("PageFontSize"), prm.PageFontSize);
  ini.WriteString(kParameters, QStringLiteral("AAFontName"), prm.AAFontName);
  ini.WriteInteger(kParameters, QStringLiteral("TabLength"), prm.TabLength);

  ini.WriteString(kList, QStringLiteral("FontName"), prm.ListFontName);
  ini.WriteInteger(kList, QStringLiteral("FontSize"), prm.ListFontSize);
  ini.WriteInteger(kList, QStringLiteral("ItemHeight"), prm.ItemHeight);
  ini.WriteInteger(kList, QStringLiteral("ItemOffset"), prm.ItemOffset);

  ini.WriteBool(kParameters, QStringLiteral("AutoCleanup"), prm.AutoCleanup);
  ini.WriteInteger(kParameters, QStringLiteral("DayAutoCleanup"), prm.DayAutoCleanup);
  ini.WriteBool(kParameters, QStringLiteral("TaskTrayIcon"), prm.TaskTrayIcon);
  ini.WriteBool(kParameters, QStringLiteral("TaskBarIcon"), prm.TaskBarIcon);
  ini.WriteString(kParameters, QStringLiteral("WindowCaption"), prm.WindowCaption);

  if (!prm.SpecificBook) prm.StartupBook = currentBookPath;
  if (currentBookPath.isEmpty()) {
    prm.StartupBook.clear();
    prm.SpecificBook = false;
  }
  ini.WriteBool(kStartup, QStringLiteral("SpecificBook"), prm.SpecificBook);
  ini.WriteString(kStartup, QStringLiteral("Book"), prm.StartupBook);
  if (prm.LastBook.isEmpty())
    ini.DeleteKey(kStartup, QStringLiteral("LastBook"));
  else
    ini.WriteString(kStartup, QStringLiteral("LastBook"), prm.LastBook);

  ini.WriteBool(kParameters, QStringLiteral("DropTextToSpecificBook"), prm.DropTextToSpecificBook);
  if (prm.DropTextToSpecificBook)
    ini.WriteString(kParameters, QStringLiteral("DropTextBook"), prm.DropTextBook);
  else
    ini.DeleteKey(kParameters, QStringLiteral("DropTextBook"));

  ini.WriteInteger(kPosition, QStringLiteral("Top"), bounds.Top);
  ini.WriteInteger(kPosition, QStringLiteral("Left"), bounds.Left);
  ini.WriteInteger(kPosition, QStringLiteral("Height"), bounds.Height);
  ini.WriteInteger(kPosition, QStringLiteral("Width"), bounds.Width);
  ini.WriteInteger(kPosition, QStringLiteral("ListWidth"), bounds.ListWidth);
  ini.WriteBool(kPosition, QStringLiteral("Maximized"), bounds.Maximized);

  ini.UpdateFile();
}
