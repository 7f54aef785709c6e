#include "app/single_instance.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QThread>
#include <QUuid>

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
  ASSERT_TRUE(QFileInfo::exists(QDir::temp().filePath(next.ServerName())));
  ASSERT_TRUE(next.Claim());
  QSignalSpy activations(&next, &TSingleInstance::ActivationRequested);
  TSingleInstance later(scope);
  EXPECT_FALSE(later.Claim());
  EXPECT_TRUE(activations.wait(5000));
}

}  // namespace
