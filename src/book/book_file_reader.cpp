#include "book/book_file_reader.h"

#include "book/book.h"
#include "book/code_page.h"
#include "book/in_parallel.h"
#include "book/keep_aside.h"
#include "book/legacy_book_reader.h"
#include "book/vopa_error.h"
#include "book/whole_file_read.h"
#include "book/xml_text_codec.h"

#include <QXmlStreamReader>
#include <cstring>
#include <pugixml.hpp>

namespace {

// Escapes stay unresolved (a reference to NUL would cut the text short); no end-of-line
// handling, so literal line breaks reach LineBreaksToCrLf as they are in the file.
constexpr unsigned kParseOptions = pugi::parse_cdata | pugi::parse_wconv_attribute | pugi::parse_ws_pcdata;
const QByteArray kUtf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");

void ReadOptions(pugi::xml_node element, TOptionList& options) {
  TOptionNames names;
  for (pugi::xml_attribute attribute : element.attributes()) {
    const QString value = ReadXmlValue(attribute.value(), false);
    const QString name = QString::fromUtf8(attribute.name());
    // An empty value sets nothing; of a name given twice the first wins, as Get shows it.
    if (!value.isEmpty() && names.Add(name)) options.AddLine(name + QLatin1Char('=') + value);
  }
}

// Every character of "text" counts: comments, processing instructions and elements
// inside it cut nothing off.
class TTextCollector : public pugi::xml_tree_walker {
 public:
  bool for_each(pugi::xml_node& node) override {
    if (node.type() == pugi::node_pcdata) AppendResolved(Utf8, node.value(), std::strlen(node.value()));
    if (node.type() == pugi::node_cdata) Utf8.append(node.value());
    return true;
  }
  QByteArray Utf8;
};

QString ReadMemoText(pugi::xml_node text) {
  const pugi::xml_node first = text.first_child();
  if (!first) return QString();
  if (first.type() == pugi::node_pcdata && !first.next_sibling()) return ReadXmlValue(first.value(), true);
  TTextCollector collector;
  text.traverse(collector);
  return RevealStoredText(collector.Utf8, true);
}

// Earlier-form files that happen to be well-formed XML keep their text in "MemoText".
bool HoldsEarlierFormMemo(pugi::xml_node root) {
  for (pugi::xml_node memo : root.children("Memo"))
    if (memo.child("MemoText") && !memo.child("text")) return true;
  return false;
}

void ReadMemos(pugi::xml_node root, TBook& book) {
  std::vector<pugi::xml_node> elements;
  for (pugi::xml_node element : root.children("Memo")) elements.push_back(element);
  const std::size_t first = book.Memos.size();
  book.Memos.reserve(first + elements.size());
  for (std::size_t i = 0; i < elements.size(); ++i) book.Memos.push_back(std::make_unique<TSMemo>(&book));
  // Decoding is most of the reading of a big book, and every memo decodes on its own.
  constexpr std::size_t kMemosPerThread = 512;
  InParallel(elements.size(), kMemosPerThread, [&](std::size_t begin, std::size_t end) {
    for (std::size_t i = begin; i < end; ++i) {
      TSMemo& memo = *book.Memos[first + i];
      ReadOptions(elements[i], memo.Options);
      if (pugi::xml_node text = elements[i].child("text")) memo.Text = ReadMemoText(text);
    }
  });
}

// pugixml takes text around tags for a document; the strict reader says whether it is one.
bool IsWellFormedXml(const QByteArray& bytes) {
  QXmlStreamReader reader(bytes);
  while (!reader.atEnd()) reader.readNext();
  return !reader.hasError();
}

QByteArrayView WithoutBom(const QByteArray& bytes) {
  return QByteArrayView(bytes).sliced(bytes.startsWith(kUtf8Bom) ? kUtf8Bom.size() : 0);
}

QByteArrayView SkipSpace(QByteArrayView bytes) {
  while (!bytes.isEmpty() && (bytes[0] == ' ' || bytes[0] == '\t' || bytes[0] == '\r' || bytes[0] == '\n'))
    bytes = bytes.sliced(1);
  return bytes;
}

// Whether bytes open as this program writes a book: an XML declaration or a root tag with
// attributes, the root being "VopaMemoBook". Earlier-form files open with a bare
// "<VopaMemoBook>" line, and plain text with anything.
bool OpensAsXmlBook(QByteArrayView bytes) {
  bytes = SkipSpace(bytes);
  const bool declared = bytes.startsWith("<?xml");
  if (declared) {
    const qsizetype end = bytes.indexOf("?>");
    if (end < 0) return false;
    bytes = SkipSpace(bytes.sliced(end + 2));
    while (bytes.startsWith("<!--")) {
      const qsizetype close = bytes.indexOf("-->");
      if (close < 0) return false;
      bytes = SkipSpace(bytes.sliced(close + 3));
    }
  }
  static constexpr QByteArrayView kRoot("<VopaMemoBook");
  if (!bytes.startsWith(kRoot) || bytes.size() == kRoot.size()) return false;
  const char after = bytes[kRoot.size()];
  const bool attributes = after == ' ' || after == '\t' || after == '\r' || after == '\n';
  return attributes || (declared && (after == '>' || after == '/'));
}

enum class TXmlRead { Read, NotXml, Damaged };

// Reads the XML form, parsing bytes in place.
TXmlRead ReadXmlBook(TBook& book, QByteArray& bytes) {
  const qsizetype bom = bytes.startsWith(kUtf8Bom) ? kUtf8Bom.size() : 0;
  const QByteArrayView content = QByteArrayView(bytes).sliced(bom);
  const bool opensAsBook = OpensAsXmlBook(content);
  // pugixml checks no encoding and stops at a NUL: such bytes are damage or another form.
  if (!IsValidUtf8(content) || content.contains('\0')) return opensAsBook ? TXmlRead::Damaged : TXmlRead::NotXml;
  // The strict check is needed only where pugixml's leniency decides between a book and plain text.
  const QByteArray original = opensAsBook ? QByteArray() : bytes;
  const size_t size = size_t(content.size());
  pugi::xml_document document;
  if (!document.load_buffer_inplace(bytes.data() + bom, size, kParseOptions, pugi::encoding_utf8))
    return opensAsBook ? TXmlRead::Damaged : TXmlRead::NotXml;
  const pugi::xml_node root = document.document_element();
  if (std::strcmp(root.name(), "VopaMemoBook") != 0) {
    // Text with tags in it is no XML document: it goes to the earlier-form reader as plain text.
    if (!IsWellFormedXml(original)) return TXmlRead::NotXml;
    throw EVopaError(QStringLiteral("%1 はブックではありません (ルート要素 \"%2\")。")
                         .arg(book.GetPath(), QString::fromUtf8(root.name())));
  }
  if (HoldsEarlierFormMemo(root)) return TXmlRead::NotXml;
  ReadOptions(root, book.Options);
  ReadMemos(root, book);
  book.LoadedForm = TBookForm::Xml;
  return TXmlRead::Read;
}

// A book file damaged by a cut or by bytes that are not UTF-8: the original is copied
// aside first, then the memos up to the damage are read, with U+FFFD for bad bytes.
void RepairXmlBook(TBook& book, const QByteArray& original) {
  const QString aside = KeepDamagedCopy(book.GetPath());
  const QByteArray repaired =
      DecodeUtf8Exactly(WithoutBom(original)).replace(QChar(0), QChar::ReplacementCharacter).toUtf8();
  pugi::xml_document document;
  // The tree parsed up to the first error stays in the document. Parsed in place, the
  // end of a cut text would give way to pugixml's terminator.
  document.load_buffer(repaired.constData(), size_t(repaired.size()), kParseOptions, pugi::encoding_utf8);
  const pugi::xml_node root = document.child("VopaMemoBook");
  ReadOptions(root, book.Options);
  ReadMemos(root, book);
  book.LoadedForm = TBookForm::Repaired;
  book.LoadNote = QStringLiteral("%1 は壊れていました。元のファイルを %2 として残し、読めたメモ %3 件を開きました。")
                      .arg(book.GetPath(), aside)
                      .arg(book.Count());
}

EVopaError CannotOpen(const QString& path, const TReadFailure& failure) {
  return EVopaError(QStringLiteral("%1 を開けません: %2。").arg(path, failure.Reason));
}

}  // namespace

bool LoadBookFile(TBook& book, const QString& path) {
  TReadFailure failure;
  std::optional<QByteArray> bytes = ReadWholeFile(path, &failure);
  if (!bytes && failure.Missing) return false;
  if (!bytes) throw CannotOpen(path, failure);
  const TXmlRead read = ReadXmlBook(book, *bytes);
  if (read == TXmlRead::Read) return true;
  // The XML attempt may have parsed the bytes in place; the other readers read afresh.
  bytes = ReadWholeFile(path, &failure);
  if (!bytes) throw CannotOpen(path, failure);
  if (read == TXmlRead::Damaged)
    RepairXmlBook(book, *bytes);
  else
    LoadLegacyBook(book, *bytes);
  return true;
}
