#include "app/ini_file.h"

#include "book/code_page.h"
#include "book/keep_aside.h"
#include "book/vopa_error.h"
#include "book/whole_file_read.h"
#include "book/whole_file_write.h"

#include <algorithm>
#include <cctype>

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// Case folding of ASCII letters only: Japanese names must never fold.
bool SameName(QStringView a, QStringView b) {
  if (a.size() != b.size()) return false;
  for (qsizetype i = 0; i < a.size(); ++i) {
    char16_t x = a[i].unicode(), y = b[i].unicode();
    if (x >= 'A' && x <= 'Z') x += 'a' - 'A';
    if (y >= 'A' && y <= 'Z') y += 'a' - 'A';
    if (x != y) return false;
  }
  return true;
}

// The name of a "[Section]" line; nullopt for any other line.
std::optional<QStringView> SectionName(const QString& line) {
  const QStringView trimmed = QStringView(line).trimmed();
  if (!trimmed.startsWith(u'[')) return std::nullopt;
  const qsizetype close = trimmed.indexOf(u']');
  if (close < 0) return std::nullopt;
  return trimmed.mid(1, close - 1).trimmed();
}

// The key of a "key=value" line; nullopt for comments and lines without '='.
std::optional<QStringView> KeyName(const QString& line) {
  const QStringView trimmed = QStringView(line).trimmed();
  if (trimmed.startsWith(u';')) return std::nullopt;
  const qsizetype equals = trimmed.indexOf(u'=');
  if (equals <= 0) return std::nullopt;
  return trimmed.left(equals).trimmed();
}

QString ValueOf(const QString& line) { return line.mid(line.indexOf(u'=') + 1).trimmed(); }

// Splits at CR LF, CR or LF; a final line break adds no empty line.
QList<QByteArray> SplitLines(const QByteArray& bytes) {
  QList<QByteArray> lines;
  qsizetype start = 0;
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\r' && bytes[i] != '\n') continue;
    lines.append(bytes.mid(start, i - start));
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < bytes.size()) lines.append(bytes.mid(start));
  return lines;
}

std::optional<qint64> ParseInteger(QStringView text) {
  bool ok = false;
  qsizetype prefix = 0;
  if (text.startsWith(u"0x") || text.startsWith(u"0X")) {
    prefix = 2;
  } else if (text.startsWith(u'$')) {
    prefix = 1;
  } else {
    const qint64 value = text.toLongLong(&ok, 10);
    return ok ? std::optional<qint64>(value) : std::nullopt;
  }
  text = text.mid(prefix);
  // Only hexadecimal digits: toULongLong would also take a sign or a second "0x".
  const auto isHexDigit = [](QChar c) { return c.unicode() < 128 && std::isxdigit(c.unicode()); };
  if (text.isEmpty() || !std::all_of(text.begin(), text.end(), isHexDigit)) return std::nullopt;
  // Colours are unsigned 32-bit: 0xFF000005 reads as that bit pattern.
  const quint64 value = text.toULongLong(&ok, 16);
  return ok ? std::optional<qint64>(static_cast<qint64>(value)) : std::nullopt;
}

}  // namespace

TIniFile::TIniFile(QString path) : Path(std::move(path)) {
  TReadFailure failure;
  std::optional<QByteArray> bytes = ReadWholeFile(Path, &failure);
  if (!bytes) {
    if (!failure.Missing) Unreadable = failure.Reason;
    return;
  }
  Utf8 = bytes->startsWith(kUtf8Bom);
  if (Utf8) bytes->remove(0, kUtf8Bom.size());
  for (const QByteArray& line : SplitLines(*bytes))
    Lines.append({Utf8 ? QString::fromUtf8(line) : DecodeCp932(line), line});
}

qsizetype TIniFile::FindKey(const QString& section, const QString& key) const {
  bool inSection = false;
  for (qsizetype i = 0; i < Lines.size(); ++i) {
    if (const auto name = SectionName(Lines[i].Text)) {
      inSection = SameName(*name, section);
    } else if (inSection) {
      const auto lineKey = KeyName(Lines[i].Text);
      if (lineKey && SameName(*lineKey, key)) return i;
    }
  }
  return -1;
}

qsizetype TIniFile::EndOfSection(const QString& section) const {
  qsizetype end = -1;
  bool inSection = false;
  for (qsizetype i = 0; i < Lines.size(); ++i) {
    if (const auto name = SectionName(Lines[i].Text)) {
      if (end >= 0) break;  // the first section of that name takes new keys
      inSection = SameName(*name, section);
      if (inSection) end = i;
    } else if (inSection && KeyName(Lines[i].Text)) {
      end = i;
    }
  }
  return end;
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& def) const {
  const qsizetype index = FindKey(section, key);
  return index < 0 ? def : ValueOf(Lines[index].Text);
}

qint64 TIniFile::ReadInteger(const QString& section, const QString& key, qint64 def) const {
  const qsizetype index = FindKey(section, key);
  if (index < 0) return def;
  return ParseInteger(ValueOf(Lines[index].Text)).value_or(def);
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool TIniFile::ValueExists(const QString& section, const QString& key) const { return FindKey(section, key) >= 0; }

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
  const qsizetype index = FindKey(section, key);
  if (index >= 0) {
    TLine& line = Lines[index];
    if (ValueOf(line.Text) == value) return;  // an unchanged value keeps its line as written
    line = {KeyName(line.Text)->toString() + u'=' + value, std::nullopt};
    return;
  }
  const TLine entry{key + u'=' + value, std::nullopt};
  const qsizetype end = EndOfSection(section);
  if (end >= 0) {
    Lines.insert(end + 1, entry);
    return;
  }
  if (!Lines.isEmpty() && !Lines.last().Text.trimmed().isEmpty()) Lines.append({QString(), std::nullopt});
  Lines.append({u'[' + section + u']', std::nullopt});
  Lines.append(entry);
}

void TIniFile::WriteInteger(const QString& section, const QString& key, qint64 value) {
  WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString& section, const QString& key, bool value) {
  WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::DeleteKey(const QString& section, const QString& key) {
  for (qsizetype index = FindKey(section, key); index >= 0; index = FindKey(section, key)) Lines.removeAt(index);
}

QByteArray TIniFile::Encoded() const {
  static const QByteArray kLineBreak("\r\n");
  QByteArray bytes;
  for (const TLine& line : Lines) {
    std::optional<QByteArray> cp932 = line.Original && !Utf8 ? line.Original : EncodeCp932(line.Text);
    if (!cp932) {
      // Some character needs Unicode: the whole file goes as UTF-8 with a byte-order mark.
      QByteArray utf8 = kUtf8Bom;
      for (const TLine& each : Lines)
        utf8 += (each.Original && Utf8 ? *each.Original : each.Text.toUtf8()) + kLineBreak;
      return utf8;
    }
    bytes += *cp932 + kLineBreak;
  }
  return bytes;
}

void TIniFile::UpdateFile() {
  // A file that was there but could not be read is kept, not replaced by defaults.
  if (!Unreadable.isEmpty() && KeptAside.isEmpty()) KeptAside = KeepAside(Path);
  const QByteArray bytes = Encoded();
  QString error;
  if (!WriteWholeFile(Path, bytes, &error))
    throw EVopaError(QStringLiteral("設定ファイル \"%1\" を書き込めません: %2").arg(Path, error));
}
