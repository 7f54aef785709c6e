#pragma once

#include <QFont>
#include <QStringView>

#include <cstdint>
#include <vector>

// Cheap guesses of paper heights for papers not measured yet: each line's width from
// per-character advances of the papers' font, wrapped by division at the text width.
class TPaperEstimator {
 public:
  explicit TPaperEstimator(const QFont& font = QFont());

  // The pixel width of each line of a memo text as an editor loads it; independent of
  // the text width, so a resize only divides again.
  std::vector<float> LineWidths(QStringView memoText) const;
  static int Height(const std::vector<float>& lineWidths, qreal textWidth, int lineHeight);

 private:
  float Width(const char16_t* from, const char16_t* to) const;

  // The advance of every UTF-16 code unit in 64ths of a pixel.
  std::vector<std::uint32_t> Advances;
};
