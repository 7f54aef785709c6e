#include "book/book_file_writer.h"

#include "book/book.h"
#include "book/vopa_error.h"
#include "book/xml_text_codec.h"
#include "vopa_version.h"

#include <QSaveFile>
#include <QStringEncoder>
#include <pugixml.hpp>
#include <cstring>

namespace {

// Collects pugixml's output, turning each LF it emits into CR LF.
class TCrLfWriter : public pugi::xml_writer {
 public:
  explicit TCrLfWriter(QByteArray& out) : Out(out) {}
  void write(const void* data, size_t size) override {
    const char* begin = static_cast<const char*>(data);
    const char* end = begin + size;
    while (begin < end) {
      const char* lf = static_cast<const char*>(memchr(begin, '\n', size_t(end - begin)));
      if (!lf) {
        Out.append(begin, end - begin);
        return;
      }
      Out.append(begin, lf - begin);
      Out.append("\r\n", 2);
      begin = lf + 1;
    }
  }

 private:
  QByteArray& Out;
};

// Reusable buffers for the UTF-8 and the escaped form of every attribute and memo text.
class TEscaper {
 public:
  const std::string& Escape(const QString& text, bool memoText) {
    Utf8.resize(Encoder.requiredSpace(text.size()));
    const char* end = Encoder.appendToBuffer(Utf8.data(), text);
    Escaped.clear();
    AppendXmlEscaped(Escaped, Utf8.constData(), end - Utf8.constData(), memoText);
    return Escaped;
  }

 private:
  QStringEncoder Encoder{QStringEncoder::Utf8, QStringConverter::Flag::Stateless};
  QByteArray Utf8;
  std::string Escaped;
};

void SetAttribute(pugi::xml_node element, const QString& name, const QString& value, TEscaper& escaper) {
  const QByteArray utf8Name = name.toUtf8();
  pugi::xml_attribute attribute = element.attribute(utf8Name.constData());
  if (!attribute) attribute = element.append_attribute(utf8Name.constData());
  const std::string& escaped = escaper.Escape(value, false);
  attribute.set_value(escaped.data(), escaped.size());
}

// Options whose names XML cannot hold are left out, so the rest still reaches the disk.
void SetOptionAttributes(pugi::xml_node element, const TOptionList& options, TEscaper& escaper) {
  for (int i = 0; i < options.Count(); ++i) {
    const QString name = options.NameAt(i);
    if (IsXmlName(name)) SetAttribute(element, name, options.ValueAt(i), escaper);
  }
}

}  // namespace

QByteArray BookFileBytes(const TBook& book) {
  TEscaper escaper;
  pugi::xml_document document;
  pugi::xml_node root = document.append_child("VopaMemoBook");
  SetOptionAttributes(root, book.Options, escaper);
  SetAttribute(root, QStringLiteral("SaveVirsion"), QStringLiteral(VOPA_VERSION_TEXT), escaper);
  qsizetype textSize = 0;
  for (const auto& memo : book.Memos) {
    if (memo->Text.isEmpty()) continue;
    pugi::xml_node element = root.append_child("Memo");
    SetOptionAttributes(element, memo->Options, escaper);
    const std::string& text = escaper.Escape(memo->Text, true);
    element.append_child("text").append_child(pugi::node_pcdata).set_value(text.data(), text.size());
    textSize += qsizetype(text.size());
  }
  QByteArray bytes;
  bytes.reserve(textSize + textSize / 8 + 4096);
  TCrLfWriter writer(bytes);
  document.save(writer, "  ", pugi::format_indent | pugi::format_no_escapes, pugi::encoding_utf8);
  return bytes;
}

void SaveBookFile(const TBook& book, const QString& path) {
  const QByteArray bytes = BookFileBytes(book);
  QSaveFile file(path);
  // Unbuffered: Qt 6.4's commit() overlooks a write error that only shows when its
  // buffer is flushed (a full disk), and would replace the old file with a cut one.
  const bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(bytes) == bytes.size() &&
                       file.error() == QFileDevice::NoError;
  if (!written || !file.commit())
    throw EVopaError(QStringLiteral("ブックを保存できません: %1\n%2").arg(path, file.errorString()));
}
