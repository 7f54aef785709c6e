#include "folders/sort_file.h"

#include "book/code_page.h"
#include "book/vopa_error.h"
#include "book/whole_file_read.h"
#include "book/whole_file_write.h"

std::optional<TSortOrder> TSortOrder::Read(const QString& folderPath) {
  // Never blocks on a FIFO or reads a device in the file's place.
  const std::optional<QByteArray> bytes = ReadWholeFile(folderPath + kSortFileName);
  if (!bytes) return std::nullopt;
  const QString text = DecodeCp932OrUtf8(*bytes);
  QStringList lines = text.split(u'\n');
  // The line break after the last line does not start another one.
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  TSortOrder order;
  order.Count = int(lines.size());
  for (int i = 0; i < order.Count; ++i) {
    const QString& line = lines[i];
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0) continue;
    // The first line of a name wins, as a lookup by name finds it first.
    const QString key = line.left(equals).toCaseFolded();
    if (!order.Lines.contains(key)) order.Lines.insert(key, i);
  }
  return order;
}

void WriteSortFile(const QString& folderPath, const std::vector<std::pair<QString, QString>>& entries) {
  QStringList names;
  QStringList captions;
  QHash<QString, qsizetype> lineOf;
  for (const auto& [name, caption] : entries) {
    const QString key = name.toCaseFolded();
    const auto found = lineOf.constFind(key);
    if (caption.isEmpty()) {
      if (found != lineOf.cend()) captions[*found].clear();
      continue;
    }
    if (found != lineOf.cend()) {
      captions[*found] = caption;
      continue;
    }
    lineOf.insert(key, names.size());
    names.append(name);
    captions.append(caption);
  }
  QString text;
  for (qsizetype i = 0; i < names.size(); ++i)
    if (!captions[i].isEmpty()) text += names[i] + u'=' + captions[i] + QStringLiteral("\r\n");

  const QString path = folderPath + kSortFileName;
  QString error;
  if (!WriteWholeFile(path, EncodeCp932OrUtf8(text), &error))
    throw EVopaError(QStringLiteral("並び順のファイル %1 を書き込めませんでした。\n%2").arg(path, error));
}
