// Any bytes as a folder's sort file; then entries made from them are written and read back.
#include "folders/sort_file.h"
#include "fuzz_support.h"

#include "book/code_page.h"

#include <QDir>
#include <QRegularExpression>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString folder = FuzzDir() + QStringLiteral("folder/");
  QDir().mkpath(folder);
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  WriteInput("folder/VopaSort.dat", data, size);
  const std::optional<TSortOrder> read = TSortOrder::Read(folder);
  Require(read.has_value(), "a sort file is read");

  // Each line "name=caption" of the input as an entry, in order.
  std::vector<std::pair<QString, QString>> entries;
  for (const QString& line : DecodeCp932OrUtf8(bytes).split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
    const qsizetype equals = line.indexOf(u'=');
    if (equals > 0) entries.emplace_back(line.left(equals), line.mid(equals + 1));
  }
  WriteSortFile(folder, entries);
  const std::optional<TSortOrder> back = TSortOrder::Read(folder);
  Require(back.has_value(), "the written sort file is read");
  // A name takes its line where it first comes with a caption; its last caption says
  // whether it stays (an empty one leaves it out).
  QStringList placed;
  QHash<QString, QString> caption;
  for (const auto& [name, text] : entries) {
    const QString key = name.toCaseFolded();
    if (!caption.contains(key)) {
      if (text.isEmpty()) continue;
      placed.append(name);
    }
    caption.insert(key, text);
  }
  int line = 0;
  for (const QString& name : placed) {
    const bool stays = !caption.value(name.toCaseFolded()).isEmpty();
    Require(back->IndexOf(name) == (stays ? line : -1), "each entry is found on its line");
    if (stays) ++line;
  }
  return 0;
}
