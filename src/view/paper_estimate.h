#pragma once

#include <QFont>
#include <QStringView>

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
  float Advance(char16_t c) const;

  float Ascii[128] = {};
  float Wide = 0;
  float Other = 0;
};
