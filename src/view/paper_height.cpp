#include "view/paper_height.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QtMath>

namespace {

constexpr int kMinLines = 2;
constexpr int kPaperPadding = 10;

// Calls f for each line of a memo text as an editor loads it: the text's lines and the
// empty line after its last break; an empty memo loads as one empty line.
template <typename F>
void ForEachLoadedLine(QStringView text, F f) {
  qsizetype start = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c != u'\r' && c != u'\n') continue;
    f(text.mid(start, i - start));
    if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) f(text.mid(start));
  f(QStringView());
}

}  // namespace

void TPaperHeight::AddLine(qreal height) {
  ++LineCount;
  Pixels += qMax(LineHeight, qCeil(height));
}

int TPaperHeight::Result() const { return Pixels + qMax(0, kMinLines - LineCount) * LineHeight + kPaperPadding; }

int ExactPaperHeight(QStringView memoText, const TPaperMetrics& metrics) {
  TPaperHeight height(metrics.LineHeight);
  QTextLayout layout;
  layout.setFont(metrics.Font);
  layout.setTextOption(metrics.Option);
  ForEachLoadedLine(memoText, [&](QStringView line) {
    layout.setText(line.toString());
    layout.beginLayout();
    for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine()) {
      row.setLeadingIncluded(true);
      row.setLineWidth(metrics.TextWidth);
      height.AddLine(row.height());
    }
    layout.endLayout();
  });
  return height.Result();
}

int DocumentPaperHeight(QTextDocument& document, int lineHeight) {
  TPaperHeight height(lineHeight);
  QAbstractTextDocumentLayout* layout = document.documentLayout();
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    layout->blockBoundingRect(block);  // lays the block out if needed
    const QTextLayout* rows = block.layout();
    for (int i = 0; i < rows->lineCount(); ++i) height.AddLine(rows->lineAt(i).height());
  }
  return height.Result();
}
