#pragma once

#include <QFont>
#include <QStringView>
#include <QTextOption>

class QTextDocument;

// What a pile paper's height depends on: the papers' font, wrapping and tab stops, the
// width the text wraps at, and the height of one ordinary line.
struct TPaperMetrics {
  QFont Font;
  QTextOption Option;
  qreal TextWidth = 0;
  int LineHeight = 0;
};

// A paper is as high as its lines plus 10 pixels, and at least two lines high. Each line
// counts the ordinary line height, or more when a taller fallback font draws part of it,
// so the editor's text always fits and never scrolls inside the paper.
class TPaperHeight {
 public:
  explicit TPaperHeight(int lineHeight) : LineHeight(lineHeight) {}
  void AddLine(qreal height);
  int Lines() const { return LineCount; }
  int Result() const;

 private:
  int LineHeight;
  int LineCount = 0;
  int Pixels = 0;
};

// The height of the paper of a memo text (CR LF breaks), laid out exactly as the paper's
// editor lays out the text it loads (the text and one line break). Safe on any thread:
// it uses only its own QTextLayout and copies of the metrics.
int ExactPaperHeight(QStringView memoText, const TPaperMetrics& metrics);
// The same height read from an editor's laid-out document.
int DocumentPaperHeight(QTextDocument& document, int lineHeight);
