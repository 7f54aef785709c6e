#include "book/legacy_book_reader.h"

#include "book/book.h"
#include "book/code_page.h"
#include "book/text_trim.h"

#include <QRegularExpression>
#include <QStringList>
#include <optional>

namespace {

// Lines split at CR LF, CR or LF; a break at the very end opens no further line.
QStringList SplitLines(const QString& text) {
  static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
  QStringList lines = text.split(lineBreak);
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

// Earlier books are code page 932; text that is valid UTF-8 (plain text written on
// this system) reads as UTF-8, which code page 932 text practically never is.
QString DecodeText(const QByteArray& bytes) {
  if (!bytes.startsWith("\xEF\xBB\xBF") && QByteArrayView(bytes).isValidUtf8()) return QString::fromUtf8(bytes);
  return DecodeCp932OrUtf8(bytes);
}

struct TBlock {
  int First = 0;  // first content line
  int End = 0;    // line of the closing tag
};

class TLineBlocks {
 public:
  explicit TLineBlocks(QStringList lines) : Lines(std::move(lines)) {}

  // The first block named name between lines from and last; none leaves the caller's position alone.
  std::optional<TBlock> Find(const QString& name, int from, int last) const {
    if (from > last) return std::nullopt;
    const QString open = QLatin1Char('<') + name + QLatin1Char('>');
    const QString close = QStringLiteral("</") + name + QLatin1Char('>');
    const int opening = IndexIn(open, from, last);
    if (opening < 0) return std::nullopt;
    const int closing = IndexIn(close, opening, last);
    if (closing < 0) return std::nullopt;
    return TBlock{opening + 1, closing};
  }

  QStringList Content(const TBlock& block) const { return Lines.mid(block.First, block.End - block.First); }

  const QStringList Lines;

 private:
  int IndexIn(const QString& line, int from, int last) const {
    const int index = int(Lines.indexOf(line, from));
    return index <= last ? index : -1;
  }
};

QString JoinWithCrLf(const QStringList& lines) {
  QString text;
  for (const QString& line : lines) text += line + QStringLiteral("\r\n");
  return text;
}

void ReadMemo(const TLineBlocks& blocks, const TBlock& memoBlock, TBook& book) {
  TSMemo* memo = book.MemoAt(book.AddMemo(QString(), book.Count()));
  const int last = memoBlock.End - 1;
  int from = memoBlock.First;
  if (const auto header = blocks.Find(QStringLiteral("MemoHeader"), from, last)) {
    for (const QString& line : blocks.Content(*header))
      if (!line.isEmpty()) memo->Options.AddLine(line);
    from = header->End + 1;
  }
  if (const auto text = blocks.Find(QStringLiteral("MemoText"), from, last))
    memo->Text = TrimControls(JoinWithCrLf(blocks.Content(*text)).replace(QStringLiteral("<<"), QStringLiteral("<")));
}

}  // namespace

void LoadLegacyBook(TBook& book, const QByteArray& bytes) {
  const TLineBlocks blocks(SplitLines(DecodeText(bytes)));
  const int last = int(blocks.Lines.size()) - 1;
  const auto whole = blocks.Find(QStringLiteral("VopaMemoBook"), 0, last);
  if (!whole) {
    book.LoadedForm = TBookForm::PlainText;
    book.New();
    book.AddMemo(JoinWithCrLf(blocks.Lines), book.Count());
    return;
  }
  book.LoadedForm = TBookForm::EarlierForm;
  int from = whole->First;
  if (const auto header = blocks.Find(QStringLiteral("BookHeader"), from, last)) {
    for (const QString& line : blocks.Content(*header)) book.Options.AddLine(line);
    from = header->End + 1;
  }
  while (const auto memo = blocks.Find(QStringLiteral("Memo"), from, last)) {
    ReadMemo(blocks, *memo, book);
    from = memo->End + 1;
  }
}
