#pragma once

#include <QString>
#include <QStringList>

// The settings file kept whole in memory, line for line: sections and keys match
// ignoring ASCII case, and everything the program does not touch (unknown entries,
// comments, blank lines) is written back as it was read. Code page 932 on disk.
class TIniFile {
 public:
  explicit TIniFile(QString path);

  QString ReadString(const QString& section, const QString& key, const QString& def) const;
  // Decimal, "0x…"/"0X…" or "$…" hexadecimal; anything else gives def.
  qint64 ReadInteger(const QString& section, const QString& key, qint64 def) const;
  bool ReadBool(const QString& section, const QString& key, bool def) const;
  bool ValueExists(const QString& section, const QString& key) const;

  void WriteString(const QString& section, const QString& key, const QString& value);
  void WriteInteger(const QString& section, const QString& key, qint64 value);
  void WriteBool(const QString& section, const QString& key, bool value);
  void DeleteKey(const QString& section, const QString& key);

  // Writes the whole file; throws EVopaError when it cannot be written.
  void UpdateFile();

  const QString& FileName() const { return Path; }

 private:
  QString Path;
  QStringList Lines;
};
