#include "view/paper_estimate.h"

#include "view/paper_height.h"

#include <QFontMetricsF>
#include <QtMath>

namespace {

constexpr int kTabStopChars = 8;

// Ideographs, kana, hangul and full-width forms take about one em.
bool IsWide(char16_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || QChar::isHighSurrogate(c);
}

}  // namespace

TPaperEstimator::TPaperEstimator(const QFont& font) {
  const QFontMetricsF metrics(font);
  Other = float(metrics.averageCharWidth());
  Wide = float(metrics.horizontalAdvance(QChar(0x3042)));
  for (char16_t c = 32; c < 127; ++c) Ascii[c] = float(metrics.horizontalAdvance(QChar(c)));
  Ascii[u'\t'] = Other * kTabStopChars;
}

float TPaperEstimator::Advance(char16_t c) const {
  if (c < 128) return Ascii[c];
  if (QChar::isLowSurrogate(c)) return 0;
  return IsWide(c) ? Wide : Other;
}

std::vector<float> TPaperEstimator::LineWidths(QStringView memoText) const {
  std::vector<float> widths;
  float width = 0;
  for (qsizetype i = 0; i < memoText.size(); ++i) {
    const char16_t c = memoText[i].unicode();
    if (c != u'\r' && c != u'\n') {
      width += Advance(c);
      continue;
    }
    widths.push_back(width);
    width = 0;
    if (c == u'\r' && i + 1 < memoText.size() && memoText[i + 1] == u'\n') ++i;
  }
  const bool endsWithBreak = !memoText.isEmpty() && (memoText.back() == u'\r' || memoText.back() == u'\n');
  if (!endsWithBreak) widths.push_back(width);
  if (!memoText.isEmpty()) widths.push_back(0);  // the line after the last break
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
