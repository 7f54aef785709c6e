#include "book/xml_text_codec.h"

#include "book/code_page.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

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

// Sixteen bytes at a time (GCC vector extensions, SIMD on every target): a mask with
// 0xFF for each special byte, as two words in memory order.
using TBytes16 = unsigned char __attribute__((vector_size(16)));

std::array<uint64_t, 2> SpecialMask(const unsigned char* p) {
  TBytes16 bytes;
  std::memcpy(&bytes, p, sizeof bytes);
  const auto special =
      (bytes < 0x20) | (bytes == '&') | (bytes == '<') | (bytes == '>') | (bytes == '"') | (bytes == kPictureLead);
  std::array<uint64_t, 2> halves;
  std::memcpy(halves.data(), &special, sizeof halves);
  return halves;
}

int FirstMarkedByte(uint64_t mask) {
  return (std::endian::native == std::endian::little ? std::countr_zero(mask) : std::countl_zero(mask)) / 8;
}

const unsigned char* SkipPlainBytes(const unsigned char* p, const unsigned char* end) {
  for (; end - p >= 16; p += 16) {
    const std::array<uint64_t, 2> mask = SpecialMask(p);
    if (mask[0]) return p + FirstMarkedByte(mask[0]);
    if (mask[1]) return p + 8 + FirstMarkedByte(mask[1]);
  }
  while (p < end && !kSpecialBytes[*p]) ++p;
  return p;
}

// memchr finds the rare lead byte far faster than memmem finds the pair.
bool HasPictures(const char* utf8, size_t size) {
  if (size == 0) return false;  // an empty view may have no data at all, and memchr needs some
  const char* const end = utf8 + size;
  for (const char* p = utf8; (p = static_cast<const char*>(memchr(p, kPictureLead, size_t(end - p)))); ++p)
    if (p + 1 < end && static_cast<unsigned char>(p[1]) == kPictureSecond) return true;
  return false;
}

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
  for (const auto* p = SkipPlainBytes(begin, end); p < end; p = SkipPlainBytes(p + 1, end)) {
    const unsigned char c = *p;
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

namespace {

// Searched break by break: the fast character search keeps a long text of CR LF breaks cheap.
bool HasLoneBreak(QStringView text) {
  for (qsizetype i = text.indexOf(u'\n'); i >= 0; i = text.indexOf(u'\n', i + 1))
    if (i == 0 || text[i - 1] != u'\r') return true;
  for (qsizetype i = text.indexOf(u'\r'); i >= 0; i = text.indexOf(u'\r', i + 1))
    if (i + 1 == text.size() || text[i + 1] != u'\n') return true;
  return false;
}

}  // namespace

QString LineBreaksToCrLf(const QString& text) {
  if (!HasLoneBreak(text)) return text;
  // Every literal break of the file is one line break, as XML end-of-line handling sees it.
  QString out;
  out.reserve(text.size() + text.size() / 8);
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c != u'\r' && c != u'\n') {
      out += c;
      continue;
    }
    out += QLatin1String("\r\n");
    if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
  }
  return out;
}

namespace {

constexpr char32_t kNoCharacter = 0xFFFFFFFF;

// The character of "&name;" (name without & and ;), kNoCharacter when it names none.
char32_t ReferencedCharacter(std::string_view name) {
  if (name == "lt") return '<';
  if (name == "gt") return '>';
  if (name == "amp") return '&';
  if (name == "quot") return '"';
  if (name == "apos") return '\'';
  if (name.size() < 2 || name[0] != '#') return kNoCharacter;
  const bool hex = name[1] == 'x';
  const std::string_view digits = name.substr(hex ? 2 : 1);
  if (digits.empty() || digits.size() > 8) return kNoCharacter;
  char32_t code = 0;
  for (const char c : digits) {
    int digit = -1;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (hex && c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (hex && c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    if (digit < 0) return kNoCharacter;
    code = code * (hex ? 16 : 10) + char32_t(digit);
  }
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  return code > 0x10FFFF || surrogate ? kNoCharacter : code;
}

constexpr size_t kLongestReference = 12;  // "&#x0010FFFF;" less its ends, with room

void AppendUtf8(QByteArray& out, char32_t c) {
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xF0 | (c >> 18));
    out += char(0x80 | ((c >> 12) & 0x3F));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
}

}  // namespace

void AppendResolved(QByteArray& out, const char* utf8, size_t size) {
  const char* const end = utf8 + size;
  const char* run = utf8;
  for (const char* amp = static_cast<const char*>(memchr(utf8, '&', size)); amp;
       amp = static_cast<const char*>(memchr(amp + 1, '&', size_t(end - amp - 1)))) {
    const size_t room = std::min(size_t(end - amp - 1), kLongestReference);
    const char* semicolon = static_cast<const char*>(memchr(amp + 1, ';', room));
    if (!semicolon) continue;
    const char32_t c = ReferencedCharacter(std::string_view(amp + 1, size_t(semicolon - amp - 1)));
    if (c == kNoCharacter) continue;
    out.append(run, amp - run);
    AppendUtf8(out, c);
    run = semicolon + 1;
    amp = semicolon;
  }
  out.append(run, end - run);
}

QString RevealStoredText(QByteArrayView utf8, bool memoText) {
  QString text = DecodeUtf8Exactly(utf8);
  // Literal line breaks come first: the pictures of lone breaks are no line breaks of the file.
  if (memoText) text = LineBreaksToCrLf(text);
  return HasPictures(utf8.data(), size_t(utf8.size())) ? RevealControls(text) : text;
}

QString ReadXmlValue(const char* utf8, bool memoText) {
  const size_t size = std::strlen(utf8);
  if (!memchr(utf8, '&', size)) return RevealStoredText(QByteArrayView(utf8, qsizetype(size)), memoText);
  QByteArray resolved;
  resolved.reserve(qsizetype(size));
  AppendResolved(resolved, utf8, size);
  return RevealStoredText(resolved, memoText);
}

bool IsXmlName(const QString& name) {
  if (name.isEmpty()) return false;
  const auto isStart = [](QChar c) { return c.isLetter() || c == u'_' || c == u':'; };
  if (!isStart(name[0])) return false;
  return std::all_of(name.begin() + 1, name.end(), [&isStart](QChar c) {
    return isStart(c) || c.isDigit() || c.isMark() || c == u'-' || c == u'.' || c == u'\u00B7';
  });
}
