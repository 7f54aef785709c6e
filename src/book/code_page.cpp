#include "book/code_page.h"

#include "book/in_parallel.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <array>
#include <atomic>

namespace {

constexpr char kCodePage[] = "windows-31j";
const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// ICU's code page 932 table swaps the control bytes 0x1A, 0x1C and 0x7F among
// their code points (an IBM PC legacy). Find out what the converter does once and
// undo it, so these bytes keep their ASCII meaning in both directions.
struct TControlSwap {
  std::array<char16_t, 3> Ascii{0x1A, 0x1C, 0x7F};
  std::array<char16_t, 3> Decoded = Ascii;

  TControlSwap() {
    QStringDecoder decoder(kCodePage);
    if (!decoder.isValid()) return;
    const QString text = decoder.decode(QByteArray("\x1A\x1C\x7F"));
    if (text.size() == 3)
      for (int i = 0; i < 3; ++i) Decoded[i] = text[i].unicode();
  }

  // Maps every character of text found in from to the one at the same place in to.
  static void Map(QString& text, const std::array<char16_t, 3>& from, const std::array<char16_t, 3>& to) {
    for (QChar& c : text)
      for (int i = 0; i < 3; ++i)
        if (c.unicode() == from[i]) {
          c = QChar(to[i]);
          break;
        }
  }
};

const TControlSwap& ControlSwap() {
  static const TControlSwap swap;
  return swap;
}

}  // namespace

std::optional<QByteArray> EncodeCp932(const QString& text) {
  QStringEncoder encoder(kCodePage);
  if (!encoder.isValid()) return std::nullopt;
  QString source = text;
  TControlSwap::Map(source, ControlSwap().Ascii, ControlSwap().Decoded);
  QByteArray bytes = encoder.encode(source);
  if (encoder.hasError()) return std::nullopt;
  return bytes;
}

QString DecodeCp932(const QByteArray& bytes) {
  QStringDecoder decoder(kCodePage);
  // Without a code page 932 converter, ASCII text still reads right as UTF-8.
  if (!decoder.isValid()) return QString::fromUtf8(bytes);
  QString text = decoder.decode(bytes);
  TControlSwap::Map(text, ControlSwap().Decoded, ControlSwap().Ascii);
  return text;
}

QByteArray EncodeCp932OrUtf8(const QString& text) {
  if (std::optional<QByteArray> bytes = EncodeCp932(text)) return *bytes;
  return kUtf8Bom + text.toUtf8();
}

QString DecodeCp932OrUtf8(const QByteArray& bytes) {
  if (bytes.startsWith(kUtf8Bom)) return DecodeUtf8Exactly(QByteArrayView(bytes).sliced(kUtf8Bom.size()));
  return DecodeCp932(bytes);
}

QString DecodeUtf8Exactly(QByteArrayView bytes) {
  // fromUtf8 is Qt's fastest decoder; only the marks it would drop are put back.
  qsizetype marks = 0;
  while (bytes.sliced(marks * kUtf8Bom.size()).startsWith(kUtf8Bom)) ++marks;
  if (marks == 0) return QString::fromUtf8(bytes);
  return QString(marks, QChar::ByteOrderMark) + QString::fromUtf8(bytes.sliced(marks * kUtf8Bom.size()));
}

bool IsValidUtf8(QByteArrayView bytes) {
  // An ASCII byte always starts a character, so pieces cut just before one are checked alone.
  const auto cutBefore = [bytes](qsizetype at) {
    while (at < bytes.size() && static_cast<unsigned char>(bytes[at]) >= 0x80) ++at;
    return at;
  };
  constexpr std::size_t kPieceBytes = 1 << 20;
  std::atomic<bool> valid = true;
  InParallel(std::size_t(bytes.size()), kPieceBytes, [&](std::size_t begin, std::size_t end) {
    const qsizetype from = begin == 0 ? 0 : cutBefore(qsizetype(begin));
    const qsizetype to = cutBefore(qsizetype(end));
    if (from < to && !bytes.sliced(from, to - from).isValidUtf8()) valid = false;
  });
  return valid;
}
