#include "book/code_page.h"

#include <gtest/gtest.h>

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

struct TCodePageCase {
  const char* Name;
  QString Text;
  QByteArray Bytes;
};

class CodePageRoundTrip : public testing::TestWithParam<TCodePageCase> {};

TEST_P(CodePageRoundTrip, EncodesToBytesAndBack) {
  const TCodePageCase& c = GetParam();
  EXPECT_EQ(EncodeCp932OrUtf8(c.Text), c.Bytes);
  EXPECT_EQ(DecodeCp932OrUtf8(c.Bytes), c.Text);
}

INSTANTIATE_TEST_SUITE_P(
    CodePage, CodePageRoundTrip,
    testing::Values(
        TCodePageCase{"Empty", QString(), QByteArray()},
        TCodePageCase{"Ascii", QStringLiteral("Paper=-16777211\\~"), QByteArray("Paper=-16777211\\~")},
        TCodePageCase{"Japanese", QStringLiteral("ヴォパメモ"), QByteArray("\x83\x94\x83\x48\x83\x70\x83\x81\x83\x82")},
        // The converter's table swaps these three among each other; on disk they are plain ASCII.
        TCodePageCase{"ControlBytes",
                      QString::fromUtf16(u"a\x1A"
                                         "b\x1C"
                                         "c\x7F"
                                         "d"),
                      QByteArray("a\x1A"
                                 "b\x1C"
                                 "c\x7F"
                                 "d")},
        TCodePageCase{"ControlsBesideKanji", QString::fromUtf16(u"\x1A漢\x7F"), QByteArray("\x1A\x8A\xBF\x7F")},
        // Characters code page 932 cannot hold make the whole text UTF-8 with a byte-order mark.
        TCodePageCase{"Emoji", QStringLiteral("メモ😀\x1A"), kUtf8Bom + QStringLiteral("メモ😀\x1A").toUtf8()},
        TCodePageCase{"Euro", QStringLiteral("5€"), kUtf8Bom + QByteArray("5\xE2\x82\xAC")}),
    [](const testing::TestParamInfo<TCodePageCase>& info) { return std::string(info.param.Name); });

TEST(CodePage, EveryControlByteReadsAsItsAsciiCharacter) {
  QByteArray bytes;
  QString text;
  for (int b = 1; b < 0x20; ++b) {
    bytes.append(char(b));
    text.append(QChar(b));
  }
  bytes.append('\x7F');
  text.append(QChar(0x7F));
  EXPECT_EQ(DecodeCp932OrUtf8(bytes), text);
  EXPECT_EQ(EncodeCp932OrUtf8(text), bytes);
}

TEST(CodePage, ByteOrderMarkAloneDecidesUtf8) {
  EXPECT_EQ(DecodeCp932OrUtf8(kUtf8Bom + QByteArray("\xE3\x81\x82")), QStringLiteral("あ"));
  // The same bytes without the mark are code page 932, not UTF-8.
  EXPECT_NE(DecodeCp932OrUtf8(QByteArray("\xE3\x81\x82")), QStringLiteral("あ"));
  EXPECT_EQ(DecodeCp932OrUtf8(QByteArray("\x82\xA0")), QStringLiteral("あ"));
}

}  // namespace

// Big texts are checked in pieces on several threads; a fault is found wherever it lies,
// a piece boundary included, and a character across a boundary is no fault.
TEST(Utf8Check, FindsEveryFaultInABigText) {
  QByteArray text;
  while (text.size() < 5 * (1 << 20))
    text += QByteArray("日本語のメモ and English, ") + QByteArray::number(text.size()) + '\n';
  EXPECT_TRUE(IsValidUtf8(text));
  // Without one ASCII byte the whole text is one piece.
  const QByteArray noAscii = QString(1 << 20, QChar(0x65E5)).toUtf8();
  EXPECT_TRUE(IsValidUtf8(noAscii));
  EXPECT_FALSE(IsValidUtf8(noAscii.chopped(1)));
  for (const qsizetype at : {qsizetype(0), qsizetype(1 << 20) - 1, qsizetype(1 << 20), qsizetype(1 << 20) + 1,
                             text.size() / 2, text.size() - 1}) {
    SCOPED_TRACE(at);
    QByteArray bad = text;
    bad[at] = '\xFF';
    EXPECT_FALSE(IsValidUtf8(bad));
    QByteArray cut = text;  // a lead byte with its followers replaced by ASCII
    cut[at] = '\xE6';
    if (at + 1 < cut.size()) cut[at + 1] = 'a';
    EXPECT_FALSE(IsValidUtf8(cut));
  }
  EXPECT_FALSE(IsValidUtf8(text + "\xE6\x97"));
  EXPECT_TRUE(IsValidUtf8(QByteArray()));
}
