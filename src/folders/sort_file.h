#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

// "VopaSort.dat": one "name=caption" line per entry of a folder, in display order, in code
// page 932 (UTF-8 with a byte-order mark when a name needs it), lines ended by CR LF.
inline const QString kSortFileName = QStringLiteral("VopaSort.dat");

// The order a sort file gives: the line of each name, names matched regardless of case.
class TSortOrder {
 public:
  // nullopt when the folder has no sort file (or it cannot be read).
  static std::optional<TSortOrder> Read(const QString& folderPath);

  // The line index of name, -1 when no line names it.
  int IndexOf(const QString& name) const { return Lines.value(name.toCaseFolded(), -1); }
  int LineCount() const { return Count; }

 private:
  QHash<QString, int> Lines;
  int Count = 0;
};

// Writes the entries (name, caption) in order, replacing the old file at once. A name given
// twice keeps its first place with the later caption; an empty caption leaves the entry out.
// Throws EVopaError when the file cannot be written (the old file then stays as it was).
void WriteSortFile(const QString& folderPath, const std::vector<std::pair<QString, QString>>& entries);
