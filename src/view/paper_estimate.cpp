#include "view/paper_estimate.h"

#include "view/paper_height.h"

#include <QFontMetricsF>
#include <QtMath>

#include <algorithm>

namespace {

constexpr int kTabStopChars = 8;

// Ideographs, kana, hangul and full-width forms take about one em.
bool IsWide(char16_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || QChar::isHighSurrogate(c);
}

}  // namespace

TPaperEstimator::TPaperEstimator(const QFont& font) : Advances(0x10000, 0) {
  const QFontMetricsF metrics(font);
  // FreeType's advances are in 64ths of a pixel: as integers they add up exactly.
  const auto units = [](qreal pixels) { return std::uint32_t(qMax(0, qRound(pixels * 64))); };
  const std::uint32_t other = units(metrics.averageCharWidth());
  const std::uint32_t wide = units(metrics.horizontalAdvance(QChar(0x3042)));
  for (std::size_t c = 128; c < Advances.size(); ++c)
    if (!QChar::isLowSurrogate(char32_t(c))) Advances[c] = IsWide(char16_t(c)) ? wide : other;
  for (char16_t c = 32; c < 127; ++c) Advances[c] = units(metrics.horizontalAdvance(QChar(c)));
  Advances[u'\t'] = other * kTabStopChars;
}

// One load and one add per character, without a branch: this loop runs over every
// character of a book.
float TPaperEstimator::Width(const char16_t* from, const char16_t* to) const {
  std::uint64_t width = 0;
  for (; from < to; ++from) width += Advances[*from];
  return float(width) / 64;
}

std::vector<float> TPaperEstimator::LineWidths(QStringView memoText) const {
  std::vector<float> widths;
  if (memoText.isEmpty()) return widths;
  const char16_t* c = memoText.utf16();
  const char16_t* const end = c + memoText.size();
  while (c < end) {
    const char16_t* const lineEnd = std::find_if(c, end, [](char16_t x) { return x == u'\r' || x == u'\n'; });
    widths.push_back(Width(c, lineEnd));
    c = lineEnd;
    if (c == end) break;
    if (*c == u'\r' && c + 1 < end && c[1] == u'\n') ++c;
    ++c;
  }
  widths.push_back(0);  // the editor holds the text and a line break: an empty line ends it
  return widths;
}

int TPaperEstimator::Height(const std::vector<float>& lineWidths, qreal textWidth, int lineHeight) {
  TPaperHeight height(lineHeight);
  for (const float width : lineWidths) {
    const int rows = textWidth > 0 && width > textWidth ? qCeil(width / textWidth) : 1;
    for (int row = 0; row < rows; ++row) height.AddLine(0);
  }
  return height.Result();
}
