#include "app/single_instance.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QUuid>
#include <cstring>

namespace {

const char kScopeVariable[] = "VOPA_TEST_INSTANCE_SCOPE";
const QByteArray kClaimedMark("VOPA-INSTANCE-CLAIMED");

// A scope of its own per test, so runs in parallel never meet.
QString FreshScope() { return QUuid::createUuid().toString(); }

TEST(SingleInstance, SecondClaimAsksTheFirstToShowItself) {
  const QString scope = FreshScope();
  TSingleInstance first(scope);
  ASSERT_TRUE(first.Claim());
  QSignalSpy activations(&first, &TSingleInstance::ActivationRequested);
  TSingleInstance second(scope);
  EXPECT_FALSE(second.Claim());
  EXPECT_TRUE(activations.wait(5000));
  EXPECT_EQ(activations.count(), 1);
}

TEST(SingleInstance, SecondClaimHandsItsBookPathsOverInOrder) {
  const QString scope = FreshScope();
  TSingleInstance first(scope);
  ASSERT_TRUE(first.Claim());
  QStringList opened;
  QObject::connect(&first, &TSingleInstance::OpenRequested, [&opened](const QString& path) { opened.append(path); });
  QSignalSpy activations(&first, &TSingleInstance::ActivationRequested);
  const QStringList paths = {QStringLiteral("/tmp/メモ 帳.vopa"), QStringLiteral("/tmp/odd\nname%20.vopa"),
                             QStringLiteral("/tmp/line\nbreak.vopa")};
  TSingleInstance second(scope);
  EXPECT_FALSE(second.Claim(paths));
  ASSERT_TRUE(activations.wait(5000));
  EXPECT_EQ(opened, paths);
}

// Opening a book may show a message box; its event loop must be able to see the other side hang
// up and delete the connection without harm.
TEST(SingleInstance, ARequestHandledInANestedEventLoopOutlivesItsConnection) {
  TSingleInstance first(FreshScope());
  ASSERT_TRUE(first.Claim());
  QStringList opened;
  QObject::connect(&first, &TSingleInstance::OpenRequested, [&opened](const QString& path) {
    QTest::qWait(200);  // as a message box would
    opened.append(path);
  });
  QSignalSpy activations(&first, &TSingleInstance::ActivationRequested);
  QLocalSocket talker;
  talker.connectToServer(first.ServerName());
  ASSERT_TRUE(talker.waitForConnected(5000));
  QTest::qWait(50);  // the first takes the connection before anything arrives on it
  talker.write("open /tmp/a.vopa\nopen /tmp/b.vopa\nshow\n");
  ASSERT_TRUE(talker.waitForBytesWritten(5000));
  talker.disconnectFromServer();
  ASSERT_TRUE(activations.wait(5000));
  EXPECT_EQ(opened, QStringList({"/tmp/a.vopa", "/tmp/b.vopa"}));
}

TEST(SingleInstance, SocketLivesInADirectoryOnlyTheUserCanEnter) {
  TSingleInstance instance(FreshScope());
  ASSERT_TRUE(instance.Claim());
  struct stat dir = {};
  ASSERT_EQ(::lstat(QFile::encodeName(QFileInfo(instance.ServerName()).path()).constData(), &dir), 0);
  EXPECT_TRUE(S_ISDIR(dir.st_mode));
  EXPECT_EQ(dir.st_uid, getuid());
  EXPECT_EQ(dir.st_mode & 077, 0u);
}

TEST(SingleInstance, MessagesItDoesNotUnderstandAreIgnored) {
  TSingleInstance first(FreshScope());
  ASSERT_TRUE(first.Claim());
  QSignalSpy activations(&first, &TSingleInstance::ActivationRequested);
  QSignalSpy opens(&first, &TSingleInstance::OpenRequested);
  QLocalSocket talker;
  talker.connectToServer(first.ServerName());
  ASSERT_TRUE(talker.waitForConnected(5000));
  talker.write("hello\nSHOW\nshow please\nopen relative.vopa\nopen \n\xff\xfe\n");
  ASSERT_TRUE(talker.waitForBytesWritten(5000));
  EXPECT_FALSE(activations.wait(500));
  EXPECT_EQ(opens.count(), 0);

  // An endless line is cut off instead of filling the memory.
  QLocalSocket flooder;
  flooder.connectToServer(first.ServerName());
  ASSERT_TRUE(flooder.waitForConnected(5000));
  flooder.write(QByteArray(256 * 1024, 'x'));
  // Both ends live in this thread: let the events run while the server reads.
  for (int i = 0; i < 250 && flooder.state() == QLocalSocket::ConnectedState; ++i) QTest::qWait(20);
  EXPECT_EQ(flooder.state(), QLocalSocket::UnconnectedState);

  talker.write("show\n");
  EXPECT_TRUE(activations.wait(5000));
}

// Connects to the socket path as another user (forked, so no Qt runs in the child) and asks to show.
// True when the connection was made.
bool KnockAsUser(const QString& socketPath, uid_t uid) {
  const QByteArray path = QFile::encodeName(socketPath);
  const pid_t child = fork();
  if (child == 0) {
    if (setgid(uid) != 0 || setuid(uid) != 0) _exit(3);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) _exit(1);
    [[maybe_unused]] auto written = ::write(fd, "show\n", 5);
    ::sleep(1);
    _exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(SingleInstance, AnotherUserCannotMakeItAct) {
  if (getuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  // A runtime directory of this test's own, so opening it up below disturbs no other test.
  QTemporaryDir runtime;
  const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
  qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
  TSingleInstance first(FreshScope());
  savedRuntime.isNull() ? qunsetenv("XDG_RUNTIME_DIR") : qputenv("XDG_RUNTIME_DIR", savedRuntime);
  ASSERT_TRUE(first.ServerName().startsWith(runtime.path()));
  ASSERT_TRUE(first.Claim());
  QSignalSpy activations(&first, &TSingleInstance::ActivationRequested);
  EXPECT_FALSE(KnockAsUser(first.ServerName(), 65534));
  EXPECT_FALSE(activations.wait(1000));
  // Even a socket others may reach answers only its own user.
  ASSERT_EQ(::chmod(QFile::encodeName(runtime.path()).constData(), 0755), 0);
  ASSERT_EQ(::chmod(QFile::encodeName(first.ServerName()).constData(), 0777), 0);
  EXPECT_TRUE(KnockAsUser(first.ServerName(), 65534));
  EXPECT_FALSE(activations.wait(1000));
}

TEST(SingleInstance, DifferentScopesDoNotMeet) {
  TSingleInstance first(FreshScope());
  TSingleInstance other(FreshScope());
  EXPECT_TRUE(first.Claim());
  EXPECT_TRUE(other.Claim());
}

// Run by the test below in a child process: claims the instance and waits to be killed.
TEST(SingleInstanceChild, HoldsTheInstanceUntilKilled) {
  const QString scope = qEnvironmentVariable(kScopeVariable);
  if (scope.isEmpty()) GTEST_SKIP() << "only as a child process";
  TSingleInstance instance(scope);
  if (!instance.Claim()) return;
  printf("%s\n", kClaimedMark.constData());
  fflush(stdout);
  for (;;) QThread::sleep(1);
}

TEST(SingleInstance, KilledFirstInstanceDoesNotStopTheNextStart) {
  const QString scope = FreshScope();
  QProcess child;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(kScopeVariable, scope);
  child.setProcessEnvironment(environment);
  child.start(QCoreApplication::applicationFilePath(),
              {QStringLiteral("--gtest_filter=SingleInstanceChild.HoldsTheInstanceUntilKilled")});
  QByteArray output;
  while (!output.contains(kClaimedMark) && child.waitForReadyRead(10000)) output += child.readAllStandardOutput();
  ASSERT_TRUE(output.contains(kClaimedMark)) << output.constData();
  child.kill();  // SIGKILL: the lock file and the socket stay behind
  ASSERT_TRUE(child.waitForFinished(10000));

  TSingleInstance next(scope);
  ASSERT_TRUE(QFileInfo::exists(next.LockPath()));
  ASSERT_TRUE(QFileInfo::exists(next.ServerName()));
  ASSERT_TRUE(next.Claim());
  QSignalSpy activations(&next, &TSingleInstance::ActivationRequested);
  TSingleInstance later(scope);
  EXPECT_FALSE(later.Claim());
  EXPECT_TRUE(activations.wait(5000));
}

}  // namespace
