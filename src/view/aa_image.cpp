#include "view/aa_image.h"

#include "book/text_trim.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <vector>

namespace {

constexpr int kAAPointSize = 12;
constexpr uint kWhite = 0;
constexpr uint kBlack = 1;

QImage NewPicture(QSize size) {
  QImage picture(size, QImage::Format_Mono);
  picture.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
  picture.fill(kWhite);
  return picture;
}

bool IsBlack(const uchar* line, int x) { return (line[x >> 3] >> (7 - (x & 7))) & 1; }

void SetBlack(uchar* line, int x) { line[x >> 3] |= uchar(0x80 >> (x & 7)); }

// The first source index each destination index covers, plus the end: count + 1 entries.
std::vector<int> CoveredStarts(int source, int destination) {
  std::vector<int> starts(size_t(destination) + 1);
  for (int i = 0; i <= destination; ++i) starts[size_t(i)] = int(qint64(i) * source / destination);
  return starts;
}

// Enlarging covers fewer than one source pixel: each destination pixel still takes one.
int CoveredEnd(const std::vector<int>& starts, int i) { return std::max(starts[size_t(i) + 1], starts[size_t(i)] + 1); }

}  // namespace

QFont AAFont(const QString& family) {
  QFont font(family);
  font.setPointSize(kAAPointSize);
  font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

QImage RenderAAText(const QString& memoText, const QFont& font) {
  QStringList lines = memoText.split(QStringLiteral("\r\n"));
  if (TrimControls(memoText.trimmed()).isEmpty()) lines = {QStringLiteral("ﾑﾀﾞｲ")};
  const QFontMetrics metrics(font);
  int width = 1;
  for (const QString& line : lines) width = std::max(width, metrics.horizontalAdvance(line));
  const int lineHeight = metrics.height();
  const int height = lineHeight * int(lines.size());

  QImage canvas(width, height, QImage::Format_Grayscale8);
  canvas.fill(Qt::white);
  {
    QPainter painter(&canvas);
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (int i = 0; i < int(lines.size()); ++i) {
      const QRect lineRect(0, i * lineHeight, width, height - i * lineHeight);
      painter.setClipRect(lineRect);
      painter.drawText(QPoint(0, i * lineHeight + metrics.ascent()), lines[i]);
    }
  }
  QImage picture = NewPicture(canvas.size());
  for (int y = 0; y < height; ++y) {
    const uchar* gray = canvas.constScanLine(y);
    uchar* bits = picture.scanLine(y);
    for (int x = 0; x < width; ++x)
      if (gray[x] < 128) SetBlack(bits, x);
  }
  return picture;
}

QImage StretchAA(const QImage& picture, QSize size) {
  if (size.isEmpty() || picture.isNull()) return {};
  QImage stretched = NewPicture(size);
  const std::vector<int> columns = CoveredStarts(picture.width(), size.width());
  const std::vector<int> rows = CoveredStarts(picture.height(), size.height());
  std::vector<char> rowBlack(size_t(picture.width()));
  for (int y = 0; y < size.height(); ++y) {
    // Which source columns hold black in any source row this destination row covers.
    std::fill(rowBlack.begin(), rowBlack.end(), 0);
    for (int sy = rows[size_t(y)]; sy < CoveredEnd(rows, y) && sy < picture.height(); ++sy) {
      const uchar* source = picture.constScanLine(sy);
      for (int sx = 0; sx < picture.width(); ++sx)
        if (IsBlack(source, sx)) rowBlack[size_t(sx)] = 1;
    }
    uchar* line = stretched.scanLine(y);
    for (int x = 0; x < size.width(); ++x) {
      const int end = std::min(CoveredEnd(columns, x), picture.width());
      if (std::any_of(rowBlack.begin() + columns[size_t(x)], rowBlack.begin() + end, [](char b) { return b; }))
        SetBlack(line, x);
    }
  }
  return stretched;
}

QImage ColorAA(const QImage& picture, const QColor& font, const QColor& back) {
  const bool fontColoured = font.rgb() != qRgb(0, 0, 0);
  const bool backColoured = back.rgb() != qRgb(255, 255, 255);
  if (!fontColoured && !backColoured) return picture;
  QImage coloured = picture;
  coloured.setColor(kWhite, back.rgb());
  coloured.setColor(kBlack, font.rgb());
  return coloured.convertToFormat(QImage::Format_RGB888);
}
