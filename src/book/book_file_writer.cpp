#include "book/book_file_writer.h"

#include "book/book.h"
#include "book/book_snapshot.h"
#include "book/vopa_error.h"
#include "book/xml_text_codec.h"
#include "vopa_version.h"

#include <QSaveFile>
#include <QStringEncoder>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <pugixml.hpp>

namespace {

constexpr unsigned kFormat = pugi::format_indent | pugi::format_no_escapes;
constexpr qsizetype kChunkSize = qsizetype(1) << 20;
const QByteArray kRootEnd = QByteArrayLiteral("</VopaMemoBook>\n");

// Passes pugixml's output to the file in large unbuffered writes, turning each LF it
// emits into CR LF. A failed write stops all further writes and is kept for Finish().
class TBookFileWriter : public pugi::xml_writer {
 public:
  explicit TBookFileWriter(QSaveFile& file) : File(file) { Chunk.reserve(kChunkSize + 64 * 1024); }
  void write(const void* data, size_t size) override {
    const char* begin = static_cast<const char*>(data);
    const char* const end = begin + size;
    const qsizetype used = Chunk.size();
    Chunk.resize(used + 2 * qsizetype(size));  // room for a CR before every byte
    char* out = Chunk.data() + used;
    for (const char* lf; (lf = static_cast<const char*>(memchr(begin, '\n', size_t(end - begin)))); begin = lf + 1) {
      out = std::copy(begin, lf, out);
      *out++ = '\r';
      *out++ = '\n';
    }
    out = std::copy(begin, end, out);
    Chunk.resize(out - Chunk.constData());
    if (Chunk.size() >= kChunkSize) Flush();
  }
  bool Finish() {
    Flush();
    return Written;
  }
  // The system's error number of the failed write, 0 when there was none.
  int Error() const { return WriteError; }

 private:
  void Flush() {
    if (Written && !Chunk.isEmpty()) {
      Written = File.write(Chunk) == Chunk.size();
      if (!Written) WriteError = errno;
    }
    Chunk.resize(0);
  }

  QSaveFile& File;
  QByteArray Chunk;
  bool Written = true;
  int WriteError = 0;
};
// Collects pugixml's output as it is.
struct TBufferWriter : pugi::xml_writer {
  void write(const void* data, size_t size) override { Bytes.append(static_cast<const char*>(data), qsizetype(size)); }
  QByteArray Bytes;
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

void AppendAttribute(pugi::xml_node element, const QString& name, const QString& value, TEscaper& escaper) {
  pugi::xml_attribute attribute = element.append_attribute(name.toUtf8().constData());
  const std::string& escaped = escaper.Escape(value, false);
  attribute.set_value(escaped.data(), escaped.size());
}

// One attribute per option name with the first value, as Get shows it; options whose
// names XML cannot hold are left out, so the rest still reaches the disk. The option
// named replaced->first (when given) keeps its place with the value replaced->second;
// the result says whether it was there.
bool AppendOptionAttributes(pugi::xml_node element, const TOptionList& options, TEscaper& escaper,
                            const std::pair<QString, QString>* replaced = nullptr) {
  TOptionNames names;
  bool metReplaced = false;
  for (int i = 0; i < options.Count(); ++i) {
    const QString name = options.NameAt(i);
    if (!IsXmlName(name) || !names.Add(name)) continue;
    const bool replace = replaced && name.compare(replaced->first, Qt::CaseInsensitive) == 0;
    metReplaced = metReplaced || replace;
    AppendAttribute(element, name, replace ? replaced->second : options.ValueAt(i), escaper);
  }
  return metReplaced;
}

// The root and its attributes as pugixml prints them; the memos are printed one by one
// in between, each from a small tree of its own, so no copy of the whole book is held.
void WriteBook(const TBookSnapshot& book, pugi::xml_writer& writer) {
  TEscaper escaper;
  pugi::xml_document document;
  pugi::xml_node root = document.append_child("VopaMemoBook");
  // A "SaveVirsion" that came with the options keeps its place and gets the new value.
  const std::pair<QString, QString> version(QStringLiteral("SaveVirsion"), QStringLiteral(VOPA_VERSION_TEXT));
  if (!AppendOptionAttributes(root, book.Options, escaper, &version))
    AppendAttribute(root, version.first, version.second, escaper);
  if (book.Memos.empty()) {
    document.save(writer, "  ", kFormat, pugi::encoding_utf8);
    return;
  }
  // Printed without children the root comes as start tag and end tag; the memos go between.
  TBufferWriter shell;
  document.save(shell, "  ", kFormat | pugi::format_no_empty_element_tags, pugi::encoding_utf8);
  const QByteArray start = shell.Bytes.chopped(kRootEnd.size()) + '\n';
  writer.write(start.constData(), size_t(start.size()));
  for (const auto& memo : book.Memos) {
    pugi::xml_document memoDocument;
    pugi::xml_node element = memoDocument.append_child("Memo");
    AppendOptionAttributes(element, memo.Options, escaper);
    const std::string& text = escaper.Escape(memo.Text, true);
    element.append_child("text").append_child(pugi::node_pcdata).set_value(text.data(), text.size());
    element.print(writer, "  ", kFormat, pugi::encoding_utf8, 1);
  }
  writer.write(kRootEnd.constData(), size_t(kRootEnd.size()));
}

}  // namespace

QString SaveFailureText(const QString& path, int error, const QString& detail) {
  if (error == ENOSPC || error == EDQUOT)
    return QStringLiteral("ディスクの空き容量が足りないため保存できません: %1").arg(path);
  return QStringLiteral("ブックを保存できません: %1\n%2")
      .arg(path, error ? QString::fromLocal8Bit(strerror(error)) : detail);
}

void SaveBookFile(const TBookSnapshot& book, const QString& path) {
  QSaveFile file(path);
  // Unbuffered: Qt 6.4's commit() overlooks a write error that only shows when its
  // buffer is flushed (a full disk), and would replace the old file with a cut one.
  errno = 0;
  bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
  int error = written ? 0 : errno;
  if (written) {
    TBookFileWriter writer(file);
    WriteBook(book, writer);
    written = writer.Finish() && file.error() == QFileDevice::NoError;
    error = writer.Error();
  }
  if (written) {
    errno = 0;
    written = file.commit();
    error = written ? 0 : errno;
  }
  if (!written) throw EVopaError(SaveFailureText(path, error, file.errorString()));
}
