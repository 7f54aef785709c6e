#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

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
  // Why a file that is there could not be read (the settings are then the defaults);
  // empty when it was read or there was none.
  const QString& ReadFailure() const { return Unreadable; }
  // Where the first UpdateFile moved such a file; empty before.
  const QString& KeptAsideAs() const { return KeptAside; }

 private:
  QString Unreadable;
  QString KeptAside;
  // Whether the file read was UTF-8 (with its byte-order mark) rather than code page 932.
  bool Utf8 = false;
  struct TLine {
    QString Text;
    // The bytes read, written back unchanged while the line is untouched: some code
    // page 932 characters have two byte forms, and bytes that are not valid in the
    // file's encoding must not turn into U+FFFD.
    std::optional<QByteArray> Original;
  };

  // Index of the line holding key in section, -1 when there is none.
  qsizetype FindKey(const QString& section, const QString& key) const;
  // Index of the line after which a new key of section goes, -1 when the section is missing.
  qsizetype EndOfSection(const QString& section) const;
  QByteArray Encoded() const;

  QString Path;
  QList<TLine> Lines;
};
