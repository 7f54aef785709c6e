#include "book/xml_text_codec.h"

#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr char16_t kPictureBase = 0x2400;
constexpr char16_t kPictureEscape = 0x2420;
// In UTF-8 the pictures U+2400..U+2420 are E2 90 80..E2 90 A0.
constexpr unsigned char kPictureLead = 0xE2;
constexpr unsigned char kPictureSecond = 0x90;
constexpr unsigned char kPictureEscapeLast = 0xA0;

bool IsPictureRange(char16_t c) { return c >= kPictureBase && c <= kPictureEscape; }

// Bytes that end a plain run: controls, & < > " and the lead byte of a picture.
constexpr std::array<bool, 256> kSpecialBytes = [] {
  std::array<bool, 256> special{};
  for (int c = 0; c < 0x20; ++c) special[c] = true;
  for (const int c : std::initializer_list<int>{'&', '<', '>', '"', kPictureLead}) special[c] = true;
  return special;
}();

void AppendPicture(std::string& out, unsigned char last) {
  out += char(kPictureLead);
  out += char(kPictureSecond);
  out += char(last);
}

}  // namespace

void AppendXmlEscaped(std::string& out, const char* utf8, qsizetype size, bool memoText) {
  const auto* const begin = reinterpret_cast<const unsigned char*>(utf8);
  const auto* const end = begin + size;
  const auto* run = begin;
  // Plain runs are copied whole; only the few special bytes are looked at one by one.
  for (const auto* p = begin; p < end; ++p) {
    const unsigned char c = *p;
    if (!kSpecialBytes[c]) continue;
    const bool picture = c == kPictureLead && end - p >= 3 && p[1] == kPictureSecond && p[2] <= kPictureEscapeLast;
    const bool crOfCrLf = c == '\r' && p + 1 < end && p[1] == '\n';
    const bool keptBreak = memoText && (c == '\t' || (c == '\n' && p > begin && p[-1] == '\r'));
    if (keptBreak || (c == kPictureLead && !picture) || (c == '"' && memoText)) continue;
    out.append(reinterpret_cast<const char*>(run), size_t(p - run));
    run = p + 1;
    if (c == '&') {
      out += "&amp;";
    } else if (c == '<') {
      out += "&lt;";
    } else if (c == '>') {
      out += "&gt;";
    } else if (c == '"') {
      out += "&quot;";
    } else if (picture) {
      AppendPicture(out, kPictureEscapeLast);
      run = p;  // the picture itself follows its escape
      p += 2;
    } else if (!(memoText && crOfCrLf)) {
      AppendPicture(out, 0x80 + c);
    }
  }
  out.append(reinterpret_cast<const char*>(run), size_t(end - run));
}

QString RevealControls(const QString& text) {
  const auto* data = reinterpret_cast<const char16_t*>(text.constData());
  const qsizetype size = text.size();
  qsizetype i = 0;
  while (i < size && !IsPictureRange(data[i])) ++i;
  if (i == size) return text;
  QString out;
  out.reserve(size);
  out.append(QStringView(data, i));
  for (; i < size; ++i) {
    const char16_t c = data[i];
    if (c == kPictureEscape && i + 1 < size)
      out.append(QChar(data[++i]));
    else if (IsPictureRange(c) && c != kPictureEscape)
      out.append(QChar(char16_t(c - kPictureBase)));
    else
      out.append(QChar(c));
  }
  return out;
}

QString LineBreaksToCrLf(const QString& text) {
  const auto first = std::find_if(text.begin(), text.end(), [](QChar c) { return c == u'\r' || c == u'\n'; });
  if (first == text.end() || (*first == u'\r' && first + 1 != text.end() && first[1] == u'\n')) return text;
  // Only lone breaks become CR LF, so a text of mixed breaks never gets CR CR LF.
  static const QRegularExpression loneBreak(QStringLiteral("\r(?!\n)|(?<!\r)\n"));
  return QString(text).replace(loneBreak, QStringLiteral("\r\n"));
}

QString ReadXmlValue(const char* utf8, bool memoText) {
  const size_t size = std::strlen(utf8);
  QString value = QString::fromUtf8(utf8, qsizetype(size));
  // Literal line breaks come first: the pictures of lone breaks are no line breaks of the file.
  if (memoText) value = LineBreaksToCrLf(value);
  const char pictureStart[] = {char(kPictureLead), char(kPictureSecond)};
  return memmem(utf8, size, pictureStart, 2) ? RevealControls(value) : value;
}

bool IsXmlName(const QString& name) {
  if (name.isEmpty()) return false;
  const auto isStart = [](QChar c) { return c.isLetter() || c == u'_' || c == u':'; };
  if (!isStart(name[0])) return false;
  return std::all_of(name.begin() + 1, name.end(), [&isStart](QChar c) {
    return isStart(c) || c.isDigit() || c.isMark() || c == u'-' || c == u'.' || c == u'\u00B7';
  });
}
