// Damaged and hostile files as the start-up book, the trash and the settings file: the window
// starts (or says why not), tells the user, and every original stays as it was or is kept aside.
#include "window_fixture.h"

#include "test_support.h"
#include "view/case_name.h"

#include <sys/stat.h>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

enum class TRole { Book, Trash, Settings };
enum class TKind { Truncated, InvalidUtf8, Nul, MarkupInText, PlainText, LinkToDevZero, Fifo, Oversized, Directory };
// What becomes of the original.
enum class TFate { Unchanged, CopiedAside, MovedAside };

const QByteArray kHead = "<?xml version=\"1.0\"?>\r\n<VopaMemoBook Type=\"Book\" SaveVirsion=\"1.7.0.31\">\r\n";
const QByteArray kMemo = "  <Memo Title=\"一\">\r\n    <text>二番目のメモ</text>\r\n  </Memo>\r\n";
const QByteArray kTail = "</VopaMemoBook>\r\n";

struct THostileCase {
  std::string name;
  TRole Role;
  TKind Kind;
  TFate Fate;
  const char* Message;    // a part of what the user is told; nullptr: nothing
  QStringList MemoTexts;  // the book read (start-up book or trash)
};

void PrintTo(const THostileCase& c, std::ostream* out) { *out << c.name; }

// The file's identity without reading a huge or endless one: kind, link target, size, content hash.
QString Identity(const QString& path) {
  const QFileInfo info(path);
  struct stat status {};
  if (::lstat(QFile::encodeName(path).constData(), &status) != 0) return QStringLiteral("missing");
  if (S_ISLNK(status.st_mode)) return QStringLiteral("link to ") + info.symLinkTarget();
  if (S_ISFIFO(status.st_mode)) return QStringLiteral("fifo");
  if (S_ISDIR(status.st_mode)) return QStringLiteral("dir with ") + QDir(path).entryList(QDir::Files).join(u',');
  if (status.st_size > (1 << 20)) return QStringLiteral("file of %1 bytes").arg(status.st_size);
  return QString::fromLatin1(QCryptographicHash::hash(ReadBytes(path), QCryptographicHash::Sha1).toHex());
}

QByteArray BookBytes(TKind kind) {
  switch (kind) {
    case TKind::Truncated:
      return kHead + kMemo.left(kMemo.indexOf("のメモ"));
    case TKind::InvalidUtf8:
      return kHead + QByteArray(kMemo).replace("番目", "番\xFF目") + kTail;
    case TKind::Nul:
      return kHead + QByteArray(kMemo).replace("番目", QByteArray("番\0目", 7)) + kTail;
    case TKind::PlainText:
      return "ただのテキスト <b>\r\n";
    default:
      return kHead + "<Memo><text>前<!--c-->中<![CDATA[<&>]]>後<b>太</b>尾</text></Memo>" + kTail;
  }
}

QByteArray SettingsBytes(TKind kind) {
  if (kind == TKind::InvalidUtf8) return "\xEF\xBB\xBF[Mine]\r\nJunk=\xFF\xFE kept\r\nName=日本語\r\n";
  return QByteArray("[Mine]\r\nNul=a\0b\r\n", 17);
}

void Make(const QString& path, TRole role, TKind kind) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  const QByteArray encoded = QFile::encodeName(path);
  switch (kind) {
    case TKind::LinkToDevZero:
      QFile::link(QStringLiteral("/dev/zero"), path);
      return;
    case TKind::Fifo:
      ::mkfifo(encoded.constData(), 0600);
      return;
    case TKind::Oversized: {
      QFile file(path);
      if (file.open(QIODevice::WriteOnly)) file.resize((qint64(1) << 30) * 3);
      return;
    }
    case TKind::Directory:
      WriteBytes(path + QStringLiteral("/inside"), "kept");
      return;
    default:
      WriteBytes(path, role == TRole::Settings ? SettingsBytes(kind) : BookBytes(kind));
  }
}

class HostileFiles : public WindowTest, public testing::WithParamInterface<THostileCase> {
 protected:
  QString PathFor(TRole role) const {
    switch (role) {
      case TRole::Book:
        return Root() + QStringLiteral("Books/Start.vopa");
      case TRole::Trash:
        return Root() + QStringLiteral("Extra/Trash.vopa");
      case TRole::Settings:
        return Root() + QStringLiteral("vopamemo.ini");
    }
    return QString();
  }
};

TEST_P(HostileFiles, StartTellsAndKeepsTheOriginal) {
  const THostileCase& c = GetParam();
  ASSERT_TRUE(Home.isValid());
  const QString path = PathFor(c.Role);
  if (c.Role != TRole::Settings)
    WriteBytes(Root() + QStringLiteral("vopamemo.ini"),
               "[Startup]\r\nSpecificBook=1\r\nBook=" + QFile::encodeName(PathFor(TRole::Book)) + "\r\n");
  Make(path, c.Role, c.Kind);
  const QString before = Identity(path);

  testing::internal::CaptureStderr();
  Form = std::make_unique<TForm1>(Root());
  Form->SetQuietShutdown(true);
  const QString told = QString::fromStdString(testing::internal::GetCapturedStderr());
  // The window's reports go to standard error as well, each after "vopamemo:".
  if (c.Message) {
    EXPECT_TRUE(told.contains(QString::fromUtf8(c.Message))) << told.toStdString();
  } else {
    EXPECT_FALSE(told.contains(QStringLiteral("vopamemo:"))) << told.toStdString();
  }
  if (!c.MemoTexts.isEmpty()) {
    EXPECT_EQ(Texts(c.Role == TRole::Trash ? Trash() : Book()), c.MemoTexts);
  }
  if (c.Role == TRole::Book && !c.Message) {
    EXPECT_EQ(Book().GetPath(), path);
  } else if (c.Role == TRole::Book && c.Fate == TFate::Unchanged) {
    EXPECT_EQ(Book().GetPath(), Root() + QStringLiteral("Books/Book1.vopa")) << "a new book takes its place";
  }
  Form.reset();

  switch (c.Fate) {
    case TFate::Unchanged:
      // Settings get their keys written; their untouched lines are checked below.
      // The trash is written at every shut-down (its memos get their dates), with the whole text.
      if (c.Role == TRole::Book) {
        EXPECT_EQ(Identity(path), before);
      }
      break;
    case TFate::CopiedAside:
      EXPECT_EQ(Identity(path + QStringLiteral(".damaged")), before);
      break;
    case TFate::MovedAside:
      EXPECT_EQ(Identity(path + QStringLiteral(".unreadable")), before);
      EXPECT_TRUE(QFileInfo(path).isFile()) << "a new file took its place";
      break;
  }
  if (c.Role == TRole::Settings && c.Fate == TFate::Unchanged) {
    const QByteArray kept = SettingsBytes(c.Kind).mid(c.Kind == TKind::InvalidUtf8 ? 3 : 0);
    for (const QByteArray& line : kept.split('\n'))
      EXPECT_TRUE(ReadBytes(path).contains(line)) << "untouched line kept byte for byte: " << line.toHex().constData();
  }
}

std::vector<THostileCase> Cases() {
  const QStringList recovered = {"二番目"};
  const QStringList recoveredBad = {QString::fromUtf16(u"二番\uFFFD目のメモ")};
  const QStringList whole = {"前中<&>後太尾"};
  const char* damaged = ".damaged";
  const char* refused = "を開けません";
  const char* trashRefused = "ごみ箱のファイルを読めなかったため";
  const char* settingsRefused = "設定ファイル";
  return {
      {"BookTruncated", TRole::Book, TKind::Truncated, TFate::CopiedAside, damaged, recovered},
      {"BookInvalidUtf8", TRole::Book, TKind::InvalidUtf8, TFate::CopiedAside, damaged, recoveredBad},
      {"BookNul", TRole::Book, TKind::Nul, TFate::CopiedAside, damaged, recoveredBad},
      {"BookMarkupInText", TRole::Book, TKind::MarkupInText, TFate::Unchanged, nullptr, whole},
      {"BookPlainText", TRole::Book, TKind::PlainText, TFate::Unchanged, nullptr, {"", "ただのテキスト <b>\r\n"}},
      {"BookLinkToDevZero", TRole::Book, TKind::LinkToDevZero, TFate::Unchanged, refused, {}},
      {"BookFifo", TRole::Book, TKind::Fifo, TFate::Unchanged, refused, {}},
      {"BookOversized", TRole::Book, TKind::Oversized, TFate::Unchanged, "大きすぎます", {}},
      {"BookDirectory", TRole::Book, TKind::Directory, TFate::Unchanged, "フォルダです", {}},
      {"TrashTruncated", TRole::Trash, TKind::Truncated, TFate::CopiedAside, damaged, recovered},
      {"TrashInvalidUtf8", TRole::Trash, TKind::InvalidUtf8, TFate::CopiedAside, damaged, recoveredBad},
      {"TrashNul", TRole::Trash, TKind::Nul, TFate::CopiedAside, damaged, recoveredBad},
      {"TrashMarkupInText", TRole::Trash, TKind::MarkupInText, TFate::Unchanged, nullptr, whole},
      // Plain text is no trash: read as one it would be saved back as a memo of raw text.
      {"TrashPlainText", TRole::Trash, TKind::PlainText, TFate::MovedAside, trashRefused, {}},
      {"TrashLinkToDevZero", TRole::Trash, TKind::LinkToDevZero, TFate::MovedAside, trashRefused, {}},
      {"TrashFifo", TRole::Trash, TKind::Fifo, TFate::MovedAside, trashRefused, {}},
      {"TrashOversized", TRole::Trash, TKind::Oversized, TFate::MovedAside, "大きすぎます", {}},
      {"TrashDirectory", TRole::Trash, TKind::Directory, TFate::MovedAside, "フォルダです", {}},
      {"SettingsInvalidUtf8", TRole::Settings, TKind::InvalidUtf8, TFate::Unchanged, nullptr, {}},
      {"SettingsNul", TRole::Settings, TKind::Nul, TFate::Unchanged, nullptr, {}},
      {"SettingsLinkToDevZero", TRole::Settings, TKind::LinkToDevZero, TFate::MovedAside, settingsRefused, {}},
      {"SettingsFifo", TRole::Settings, TKind::Fifo, TFate::MovedAside, settingsRefused, {}},
      {"SettingsOversized", TRole::Settings, TKind::Oversized, TFate::MovedAside, "大きすぎます", {}},
      {"SettingsDirectory", TRole::Settings, TKind::Directory, TFate::MovedAside, "フォルダです", {}},
  };
}

INSTANTIATE_TEST_SUITE_P(Table, HostileFiles, testing::ValuesIn(Cases()), TCaseName());

}  // namespace
