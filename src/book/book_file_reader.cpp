#include "book/book_file_reader.h"

#include "book/book.h"
#include "book/legacy_book_reader.h"
#include "book/vopa_error.h"
#include "book/xml_text_codec.h"

#include <QFile>
#include <QXmlStreamReader>
#include <cstring>
#include <optional>
#include <pugixml.hpp>

namespace {

// No end-of-line handling: literal line breaks reach LineBreaksToCrLf as they are in the file.
constexpr unsigned kParseOptions =
    pugi::parse_cdata | pugi::parse_escapes | pugi::parse_wconv_attribute | pugi::parse_ws_pcdata_single;

void ReadOptions(pugi::xml_node element, TOptionList& options) {
  for (pugi::xml_attribute attribute : element.attributes())
    options.Set(QString::fromUtf8(attribute.name()), ReadXmlValue(attribute.value(), false));
}

// Earlier-form files that happen to be well-formed XML keep their text in "MemoText".
bool HoldsEarlierFormMemo(pugi::xml_node root) {
  for (pugi::xml_node memo : root.children("Memo"))
    if (memo.child("MemoText") && !memo.child("text")) return true;
  return false;
}

void ReadMemos(pugi::xml_node root, TBook& book) {
  for (pugi::xml_node element : root.children("Memo")) {
    auto memo = std::make_unique<TSMemo>(&book);
    ReadOptions(element, memo->Options);
    if (pugi::xml_node text = element.child("text")) memo->Text = ReadXmlValue(text.child_value(), true);
    book.Memos.push_back(std::move(memo));
  }
}

std::optional<QByteArray> ReadWholeFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return std::nullopt;
  return bytes;
}

// pugixml takes text around tags for a document; the strict reader says whether it is one.
bool IsWellFormedXml(const QByteArray& bytes) {
  QXmlStreamReader reader(bytes);
  while (!reader.atEnd()) reader.readNext();
  return !reader.hasError();
}

// Reads the XML form, parsing bytes in place; false when the file is not in that form.
bool ReadXmlBook(TBook& book, QByteArray& bytes, const QString& path) {
  const qsizetype start = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
  // pugixml does not check the encoding; bytes that are not UTF-8 are the earlier form.
  if (!QByteArrayView(bytes).sliced(start).isValidUtf8()) return false;
  pugi::xml_document document;
  if (!document.load_buffer_inplace(bytes.data() + start, size_t(bytes.size() - start), kParseOptions,
                                    pugi::encoding_utf8))
    return false;
  const pugi::xml_node root = document.document_element();
  if (std::strcmp(root.name(), "VopaMemoBook") != 0) {
    // Text with tags in it is no XML document: it goes to the earlier-form reader as plain text.
    const std::optional<QByteArray> original = ReadWholeFile(path);
    if (!original || !IsWellFormedXml(*original)) return false;
    throw EVopaError(
        QStringLiteral("%1 はブックではありません (ルート要素 \"%2\")。").arg(path, QString::fromUtf8(root.name())));
  }
  if (HoldsEarlierFormMemo(root)) return false;
  ReadOptions(root, book.Options);
  ReadMemos(root, book);
  return true;
}

}  // namespace

bool LoadBookFile(TBook& book, const QString& path) {
  std::optional<QByteArray> bytes = ReadWholeFile(path);
  if (!bytes) return false;
  if (ReadXmlBook(book, *bytes, path)) return true;
  // The XML attempt may have parsed the bytes in place; the earlier-form reader reads afresh.
  bytes = ReadWholeFile(path);
  if (!bytes) return false;
  LoadLegacyBook(book, *bytes);
  return true;
}
