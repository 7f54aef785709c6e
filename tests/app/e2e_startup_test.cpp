// Starts the real program in a temporary directory and checks what it leaves on disk.
#include "test_support.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <functional>

namespace {

class ProgramRun : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Home.isValid());
    Program = Home.filePath(QStringLiteral("vopamemo"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(VOPA_BINARY), Program));
  }

  QString Path(const QString& relative) const { return Home.filePath(relative); }

  // Starts the program and waits until it has written readyFile. A stop signal from then on is
  // handled by the window's orderly shut-down, however soon it comes.
  void Start(QProcess& process, const QString& readyFile,
             QProcess::ProcessChannelMode channels = QProcess::ForwardedErrorChannel) {
    process.setProgram(Program);
    process.setProcessChannelMode(channels);
    process.start();
    ASSERT_TRUE(process.waitForStarted(10000));
    ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(readyFile); })) << qPrintable(readyFile);
  }

  // Lets the event loop run (a process's output comes in) until done() holds or 10 s have passed.
  static bool WaitFor(const std::function<bool()>& done) { return QTest::qWaitFor(done, 10000); }

  void Stop(QProcess& process, int signalNumber = SIGTERM) {
    ::kill(pid_t(process.processId()), signalNumber);
    ASSERT_TRUE(process.waitForFinished(15000));
    EXPECT_EQ(process.exitStatus(), signalNumber == SIGKILL ? QProcess::CrashExit : QProcess::NormalExit);
  }

  QTemporaryDir Home;
  QString Program;
};

QByteArray Cp932(const char* utf8) { return QStringEncoder("windows-31j").encode(QString::fromUtf8(utf8)); }

TEST_F(ProgramRun, FirstStartCreatesDirectoriesBooksAndSettingsForEachStopSignal) {
  for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
    QDir(Path(QStringLiteral("Books"))).removeRecursively();
    QDir(Path(QStringLiteral("Extra"))).removeRecursively();
    QFile::remove(Path(QStringLiteral("vopamemo.ini")));
    QProcess process;
    Start(process, Path(QStringLiteral("Books/Book1.vopa")));
    EXPECT_TRUE(QFileInfo::exists(Path(QStringLiteral("Extra/Trash.vopa"))));
    Stop(process, signalNumber);
    EXPECT_EQ(process.exitCode(), 0);
    const QByteArray ini = ReadBytes(Path(QStringLiteral("vopamemo.ini")));
    EXPECT_TRUE(ini.contains("Paper=-16777211\r\n")) << ini.constData();
    EXPECT_TRUE(ini.contains("PaperFont=-16777208\r\n"));
    EXPECT_TRUE(ini.contains(Cp932("CloseQ=前回多分正常終了\r\n")));
    EXPECT_TRUE(ini.contains(("Book=" + Path(QStringLiteral("Books/Book1.vopa"))).toUtf8()));
  }
}

TEST_F(ProgramRun, MissingStartupBookFallsBackToFirstBookOfTheTree) {
  const QByteArray book = "<?xml version=\"1.0\"?>\r\n<VopaMemoBook Type=\"Book\"/>\r\n";
  WriteBytes(Path(QStringLiteral("Books/a-sub/inner.vopa")), book);
  WriteBytes(Path(QStringLiteral("Books/zz-own.vopa")), book);
  WriteBytes(Path(QStringLiteral("vopamemo.ini")),
             "[Startup]\r\nSpecificBook=1\r\nBook=" + Path(QStringLiteral("Books/gone.vopa")).toUtf8() + "\r\n");
  QProcess process;
  Start(process, Path(QStringLiteral("Extra/Trash.vopa")));
  Stop(process);
  const QByteArray ini = ReadBytes(Path(QStringLiteral("vopamemo.ini")));
  EXPECT_TRUE(ini.contains(("Book=" + Path(QStringLiteral("Books/zz-own.vopa"))).toUtf8())) << ini.constData();
  EXPECT_TRUE(ini.contains("SpecificBook=0\r\n"));
  EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("Books/Book1.vopa"))));
}

TEST_F(ProgramRun, UnreadableTrashAndFirstBookAreKeptAndNewOnesMadeBesideThem) {
  const QByteArray foreign = "<?xml version=\"1.0\"?>\r\n<SomethingElse/>\r\n";
  WriteBytes(Path(QStringLiteral("Extra/Trash.vopa")), foreign);
  WriteBytes(Path(QStringLiteral("Books/Book1.vopa")), foreign);
  QProcess process;
  Start(process, Path(QStringLiteral("Books/Book2.vopa")));
  EXPECT_EQ(ReadBytes(Path(QStringLiteral("Extra/Trash.vopa.unreadable"))), foreign);
  EXPECT_TRUE(ReadBytes(Path(QStringLiteral("Extra/Trash.vopa"))).contains("Type=\"Trash\""));
  EXPECT_EQ(ReadBytes(Path(QStringLiteral("Books/Book1.vopa"))), foreign);
  Stop(process);
  EXPECT_EQ(process.exitCode(), 0);
}

// A start-up book the user may not read: the program starts on a new book and says which
// book it could not open and why (as root, the program runs as "nobody" to meet one).
TEST_F(ProgramRun, AStartupBookThatCannotBeReadIsNamedWithTheReason) {
  const QByteArray secret = "<?xml version=\"1.0\"?>\r\n<VopaMemoBook Type=\"Book\"/>\r\n";
  const QString book = Path(QStringLiteral("Books/Secret.vopa"));
  WriteBytes(book, secret);
  WriteBytes(Path(QStringLiteral("vopamemo.ini")), "[Startup]\r\nSpecificBook=1\r\nBook=" + book.toUtf8() + "\r\n");
  QFile::setPermissions(book, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  QProcess process;
  if (geteuid() == 0) {
    for (const QString& dir : {Home.path(), Path(QStringLiteral("Books"))})
      QFile::setPermissions(dir, QFileDevice::Permissions(0x7777));
    process.setChildProcessModifier([] {
      if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(99);
    });
  } else {
    QFile::setPermissions(book, QFileDevice::Permissions());
  }
  process.setProgram(Program);
  process.start();
  ASSERT_TRUE(process.waitForStarted(10000));
  const QString fallback = Path(QStringLiteral("Books/Book1.vopa"));
  ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(fallback); })) << process.readAllStandardError().constData();
  Stop(process);
  const QString told = QString::fromUtf8(process.readAllStandardError());
  EXPECT_TRUE(told.contains(book + QStringLiteral(" を開けません: 読み取りの権限がありません"))) << told.toStdString();
  QFile::setPermissions(book, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  EXPECT_EQ(ReadBytes(book), secret);
}

// A start-up error box (here: "BookDir" names a file) must not keep a logout waiting.
TEST_F(ProgramRun, SigtermEndsTheProgramWhileTheStartupErrorBoxIsShown) {
  WriteBytes(Path(QStringLiteral("not-a-folder")), "x");
  WriteBytes(Path(QStringLiteral("vopamemo.ini")),
             "[Path]\r\nBookDir=" + Path(QStringLiteral("not-a-folder")).toUtf8() + "\r\n");
  QProcess process;
  process.setProgram(Program);
  process.start();
  ASSERT_TRUE(process.waitForStarted(10000));
  // The message reaches standard error just before the box opens.
  QByteArray told;
  ASSERT_TRUE(WaitFor([&] {
    told += process.readAllStandardError();
    return told.contains("not-a-folder");
  })) << told.constData();
  ASSERT_FALSE(process.waitForFinished(500)) << "the box waits for an answer";
  ::kill(pid_t(process.processId()), SIGTERM);
  ASSERT_TRUE(process.waitForFinished(5000));
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(process.exitCode(), 1);
}

TEST_F(ProgramRun, SecondStartLeavesOneProcessAndDoesNotTouchTheSettings) {
  QProcess first;
  // The settings file is written after the first book: once it is there, the first is done with it.
  Start(first, Path(QStringLiteral("vopamemo.ini")));
  WriteBytes(Path(QStringLiteral("vopamemo.ini")), "; placed while the first runs\r\n");
  QProcess second;
  second.setProgram(Program);
  second.start();
  ASSERT_TRUE(second.waitForFinished(15000));
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_EQ(ReadBytes(Path(QStringLiteral("vopamemo.ini"))), QByteArray("; placed while the first runs\r\n"));
  EXPECT_EQ(first.state(), QProcess::Running);
  Stop(first);
}

TEST_F(ProgramRun, KilledFirstInstanceDoesNotStopTheNextStart) {
  QProcess first;
  Start(first, Path(QStringLiteral("Books/Book1.vopa")));
  Stop(first, SIGKILL);
  QFile::remove(Path(QStringLiteral("Books/Book1.vopa")));
  QProcess next;
  // Writing the book shows it claimed the instance the killed one left behind.
  Start(next, Path(QStringLiteral("Books/Book1.vopa")));
  EXPECT_EQ(next.state(), QProcess::Running);
  Stop(next);
  EXPECT_TRUE(ReadBytes(Path(QStringLiteral("vopamemo.ini"))).contains("CloseQ="));
}

// Runs the program to completion with arguments, with no display to open a window on.
struct TTerminalRun {
  int ExitCode = -1;
  QByteArray Out;
  QByteArray Err;
};

TTerminalRun RunWithoutDisplay(const QString& program, const QStringList& arguments) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(QStringLiteral("DISPLAY"));
  environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
  // Any attempt at a window would abort for want of an X server.
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  process.setProcessEnvironment(environment);
  process.start(program, arguments);
  if (!process.waitForFinished(15000)) return {};
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
          process.readAllStandardError()};
}

TEST_F(ProgramRun, VersionHelpAndUnknownOptionsAnswerOnTheTerminalAndTouchNoFile) {
  const TTerminalRun version = RunWithoutDisplay(Program, {QStringLiteral("--version")});
  EXPECT_EQ(version.ExitCode, 0);
  EXPECT_EQ(version.Out, QByteArray("VopaMemo 1.7.0.31\n"));
  const TTerminalRun help = RunWithoutDisplay(Program, {QStringLiteral("--help")});
  EXPECT_EQ(help.ExitCode, 0);
  EXPECT_TRUE(help.Out.contains("--version")) << help.Out.constData();
  EXPECT_TRUE(help.Out.startsWith(QStringLiteral("使い方: vopamemo").toUtf8()));
  const TTerminalRun unknown = RunWithoutDisplay(Program, {QStringLiteral("some.vopa"), QStringLiteral("--frob")});
  EXPECT_EQ(unknown.ExitCode, 2);
  EXPECT_TRUE(unknown.Out.isEmpty());
  EXPECT_TRUE(unknown.Err.contains("--frob")) << unknown.Err.constData();
  EXPECT_EQ(QDir(Home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList{QStringLiteral("vopamemo")});
}

const QByteArray kOutsideBook =
    "<?xml version=\"1.0\"?>\r\n<VopaMemoBook Type=\"Book\"><Memo>from outside</Memo></VopaMemoBook>\r\n";

TEST_F(ProgramRun, BookPathOnTheCommandLineOpensThatBook) {
  const QString book = Path(QStringLiteral("elsewhere/mine.vopa"));
  WriteBytes(book, kOutsideBook);
  QProcess process;
  process.setArguments({book});
  Start(process, Path(QStringLiteral("Extra/Trash.vopa")));
  Stop(process);
  EXPECT_TRUE(ReadBytes(Path(QStringLiteral("vopamemo.ini"))).contains(("Book=" + book).toUtf8()));
}

TEST_F(ProgramRun, BookPathOfASecondStartOpensInTheRunningInstance) {
  WriteBytes(Path(QStringLiteral("elsewhere/mine.vopa")), kOutsideBook);
  QProcess first;
  Start(first, Path(QStringLiteral("Books/Book1.vopa")), QProcess::SeparateChannels);
  QProcess second;
  second.setWorkingDirectory(Path(QStringLiteral("elsewhere")));
  // Paths are relative to where the second start was made. The first takes them in order: once
  // it names the missing one, it has opened mine.vopa.
  second.start(Program, {QStringLiteral("mine.vopa"), QStringLiteral("missing.vopa")});
  ASSERT_TRUE(second.waitForFinished(15000));
  EXPECT_EQ(second.exitCode(), 0);
  QByteArray told;
  ASSERT_TRUE(WaitFor([&] {
    told += first.readAllStandardError();
    return told.contains("missing.vopa");
  })) << told.constData();
  EXPECT_EQ(first.state(), QProcess::Running);
  Stop(first);
  EXPECT_TRUE(ReadBytes(Path(QStringLiteral("vopamemo.ini")))
                  .contains(("Book=" + Path(QStringLiteral("elsewhere/mine.vopa"))).toUtf8()))
      << (told + first.readAllStandardError()).constData();
}

}  // namespace
