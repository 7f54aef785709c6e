#include "view/colors.h"

#include <QGuiApplication>

namespace {

constexpr TColor kSystemFlag = 0xFF000000;

QPalette::ColorRole SystemRole(quint32 index) {
  switch (index) {
    case 0x05:
      return QPalette::Base;  // window background
    case 0x08:
      return QPalette::Text;  // window text
    case 0x10:
      return QPalette::Dark;  // button shadow
    default:
      return QPalette::Window;
  }
}

}  // namespace

QColor ToQColor(TColor color, const QPalette& palette) {
  if (color == clNone) return {};
  if ((color & 0xFF000000) == kSystemFlag) return palette.color(SystemRole(color & 0xFF));
  return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

QColor ToQColor(TColor color) { return ToQColor(color, QGuiApplication::palette()); }

TColor FromQColor(const QColor& color) {
  return TColor(color.red()) | (TColor(color.green()) << 8) | (TColor(color.blue()) << 16);
}
