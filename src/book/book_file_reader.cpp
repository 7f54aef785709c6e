#include "book/book_file_reader.h"

#include "book/book.h"
#include "book/legacy_book_reader.h"
#include "book/vopa_error.h"
#include "book/xml_text_codec.h"

#include <QFile>
#include <pugixml.hpp>
#include <cstring>

namespace {

// No end-of-line handling: literal line breaks reach LineBreaksToCrLf as they are in the file.
constexpr unsigned kParseOptions =
    pugi::parse_cdata | pugi::parse_escapes | pugi::parse_wconv_attribute | pugi::parse_ws_pcdata_single;

QString ReadValue(const char* utf8) { return RevealControls(QString::fromUtf8(utf8)); }

void ReadOptions(pugi::xml_node element, TOptionList& options) {
  for (pugi::xml_attribute attribute : element.attributes())
    options.Set(QString::fromUtf8(attribute.name()), ReadValue(attribute.value()));
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
    if (pugi::xml_node text = element.child("text"))
      memo->Text = RevealControls(LineBreaksToCrLf(QString::fromUtf8(text.child_value())));
    book.Memos.push_back(std::move(memo));
  }
}

}  // namespace

bool LoadBookFile(TBook& book, const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return false;

  const bool bom = bytes.startsWith("\xEF\xBB\xBF");
  const QByteArrayView content = QByteArrayView(bytes).sliced(bom ? 3 : 0);
  if (content.isValidUtf8()) {
    // Parsed in a copy, as pugixml parses in place and the earlier-form reader may still need the bytes.
    QByteArray buffer = content.toByteArray();
    pugi::xml_document document;
    if (document.load_buffer_inplace(buffer.data(), size_t(buffer.size()), kParseOptions, pugi::encoding_utf8)) {
      const pugi::xml_node root = document.document_element();
      if (std::strcmp(root.name(), "VopaMemoBook") != 0)
        throw EVopaError(QStringLiteral("%1 はブックではありません (ルート要素 \"%2\")。").arg(path, QString::fromUtf8(root.name())));
      if (!HoldsEarlierFormMemo(root)) {
        ReadOptions(root, book.Options);
        ReadMemos(root, book);
        return true;
      }
    }
  }
  LoadLegacyBook(book, bytes);
  return true;
}
