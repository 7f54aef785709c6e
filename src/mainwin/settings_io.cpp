#include "mainwin/main_window.h"

#include "app/ini_file.h"
#include "book/book.h"
#include "folders/file_box.h"
#include "mainwin/memo_list_box.h"

#include <QFont>
#include <QFontDatabase>
#include <QSplitter>

namespace {

// Japanese Windows font names that stored settings use, drawn with an installed Japanese font.
void RegisterFontSubstitutes() {
  const QStringList japanese = {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                                QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL PGothic")};
  for (const QString& name :
       {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS UI Gothic"),
        QStringLiteral("MS PGothic"), QStringLiteral("MS Gothic"), QStringLiteral("Meiryo")})
    QFont::insertSubstitutions(name, japanese);
}

bool IsFontInstalled(const QString& family) {
  // Asked once per setting at start-up; the font list is read once.
  static const QStringList installed = QFontDatabase::families();
  return installed.contains(family, Qt::CaseInsensitive) || !QFont::substitutes(family).isEmpty();
}

}  // namespace

void TForm1::LoadSettings() {
  RegisterFontSubstitutes();
  TWindowBounds bounds;
  ReadSettings(*IniFile, Prm, Headers, bounds, IsFontInstalled);
  ApplyListLook();
  ShowCaption();
  SetTrayIcon(Prm.TaskTrayIcon);
  move(bounds.Left, bounds.Top);
  resize(bounds.Width, bounds.Height);
  PaneSplitter->setSizes({bounds.ListWidth, qMax(1, bounds.Width - bounds.ListWidth)});
  if (bounds.Maximized) setWindowState(windowState() | Qt::WindowMaximized);
}

void TForm1::ApplyListLook() {
  QumColListBox1->setFont(QFont(Prm.ListFontName, Prm.ListFontSize));
  QumColListBox1->SetItemOffset(Prm.ItemOffset);
  QumColListBox1->SetItemHeight(Prm.ItemHeight);
  FileBox->setFont(QumColListBox1->font());
  FileBox->ItemOffset = Prm.ItemOffset;
  FileBox->SetItemHeight(Prm.ItemHeight);
  FileBox->UpdateImageTop();
}

TWindowBounds TForm1::CurrentBounds() const {
  TWindowBounds bounds;
  // A maximised window keeps the bounds it returns to; the frame's offset is the same.
  bounds.Maximized = isMaximized();
  const QRect normal = bounds.Maximized ? normalGeometry() : geometry();
  bounds.Left = normal.x() - (geometry().x() - x());
  bounds.Top = normal.y() - (geometry().y() - y());
  bounds.Width = normal.width();
  bounds.Height = normal.height();
  bounds.ListWidth = PaneSplitter->sizes().value(0, bounds.ListWidth);
  if (Compact.On) {
    // The full window's bounds; the splitter beside the list is not counted.
    bounds.ListWidth = Compact.ListWidth;
    bounds.Left -= Compact.ListWidth;
    bounds.Top -= Compact.TopBarHeight;
    bounds.Width += Compact.ListWidth;
    bounds.Height += Compact.TopBarHeight;
  }
  return bounds;
}

void TForm1::SaveSettings() {
  WriteSettings(*IniFile, Prm, Headers, CurrentBounds(), Current.Book() ? Current.Book()->GetPath() : QString());
}
