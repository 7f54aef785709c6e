#include "book/xml_text_codec.h"

#include <QRegularExpression>
#include <algorithm>

namespace {

constexpr char16_t kPictureBase = 0x2400;
constexpr char16_t kPictureEscape = 0x2420;

bool IsPictureRange(char16_t c) { return c >= kPictureBase && c <= kPictureEscape; }

bool IsCrLfAt(const QString& text, qsizetype i) {
  return text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n';
}

}  // namespace

QString HideControls(const QString& text, bool keepTabsAndCrLf) {
  QString out;
  bool changed = false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    const bool kept = keepTabsAndCrLf && (c == u'\t' || IsCrLfAt(text, i) || (c == u'\n' && i > 0 && text[i - 1] == u'\r'));
    const bool control = c < 0x20 && !kept;
    if (!changed && !control && !IsPictureRange(c)) continue;
    if (!changed) {
      out.reserve(text.size() + 16);
      out.append(QStringView(text).left(i));
      changed = true;
    }
    if (control) {
      out.append(QChar(char16_t(kPictureBase + c)));
    } else {
      if (IsPictureRange(c)) out.append(QChar(kPictureEscape));
      out.append(QChar(c));
    }
  }
  return changed ? out : text;
}

QString RevealControls(const QString& text) {
  const auto first = std::find_if(text.begin(), text.end(), [](QChar c) { return IsPictureRange(c.unicode()); });
  if (first == text.end()) return text;
  QString out = text.left(first - text.begin());
  for (qsizetype i = out.size(); i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    if (c == kPictureEscape && i + 1 < text.size())
      out.append(text[++i]);
    else if (IsPictureRange(c) && c != kPictureEscape)
      out.append(QChar(char16_t(c - kPictureBase)));
    else
      out.append(QChar(c));
  }
  return out;
}

void AppendXmlEscaped(std::string& out, const QByteArray& utf8, bool attribute) {
  for (const char c : utf8) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '\r': break;
      case '"':
        if (attribute) {
          out += "&quot;";
          break;
        }
        [[fallthrough]];
      default: out += c;
    }
  }
}

QString LineBreaksToCrLf(const QString& text) {
  const auto first = std::find_if(text.begin(), text.end(), [](QChar c) { return c == u'\r' || c == u'\n'; });
  if (first == text.end() || IsCrLfAt(text, first - text.begin())) return text;
  // Only lone breaks become CR LF, so a text of mixed breaks never gets CR CR LF.
  static const QRegularExpression loneBreak(QStringLiteral("\r(?!\n)|(?<!\r)\n"));
  return QString(text).replace(loneBreak, QStringLiteral("\r\n"));
}

bool IsXmlName(const QString& name) {
  if (name.isEmpty()) return false;
  const auto isStart = [](QChar c) { return c.isLetter() || c == u'_' || c == u':'; };
  if (!isStart(name[0])) return false;
  return std::all_of(name.begin() + 1, name.end(), [&isStart](QChar c) {
    return isStart(c) || c.isDigit() || c.isMark() || c == u'-' || c == u'.' || c == u'\u00B7';
  });
}
