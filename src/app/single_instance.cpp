#include "app/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

#include <pwd.h>
#include <unistd.h>

namespace {

const QByteArray kInstanceName("This Tokyo Deserts");
const QByteArray kShowRequest("show\n");
constexpr int kLockTimeoutMs = 200;
constexpr int kConnectTimeoutMs = 2000;

QString UserName() {
  if (const passwd* entry = getpwuid(getuid())) return QString::fromLocal8Bit(entry->pw_name);
  return qEnvironmentVariable("USER");
}

}  // namespace

TSingleInstance::TSingleInstance(const QString& scope, QObject* parent) : QObject(parent) {
  // Socket names are short and shared by every user of the machine: hash the parts.
  const QByteArray key = kInstanceName + '\n' + UserName().toUtf8() + '\n' + scope.toUtf8();
  Name = QStringLiteral("vopamemo-") +
         QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(20));
}

TSingleInstance::~TSingleInstance() = default;

QString TSingleInstance::LockPath() const { return QDir::temp().filePath(Name + QStringLiteral(".lock")); }

bool TSingleInstance::Claim() {
  // QLockFile takes over a lock whose process has died; a live holder keeps it
  // (it holds flock on the file), however old the file is.
  Lock = std::make_unique<QLockFile>(LockPath());
  if (!Lock->tryLock(kLockTimeoutMs)) {
    const bool heldByAnother = Lock->error() == QLockFile::LockFailedError;
    Lock.reset();
    if (heldByAnother) {
      AskRunningInstanceToShow();
      return false;
    }
    // No usable temporary directory: better run unguarded than not at all.
  }
  // Holding the lock, any socket of that name is left over from a crash.
  QLocalServer::removeServer(Name);
  Server = new QLocalServer(this);
  Server->setSocketOptions(QLocalServer::UserAccessOption);
  connect(Server, &QLocalServer::newConnection, this, &TSingleInstance::ReadRequests);
  // Without the server a second start could not reach us, but this process still runs alone.
  Server->listen(Name);
  return true;
}

void TSingleInstance::AskRunningInstanceToShow() const {
  QLocalSocket socket;
  socket.connectToServer(Name);
  if (!socket.waitForConnected(kConnectTimeoutMs)) return;
  socket.write(kShowRequest);
  socket.waitForBytesWritten(kConnectTimeoutMs);
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(kConnectTimeoutMs);
}

void TSingleInstance::ReadRequests() {
  while (QLocalSocket* socket = Server->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadLines(socket); });
    ReadLines(socket);
  }
}

void TSingleInstance::ReadLines(QLocalSocket* socket) {
  // Every complete request line is one request to show the window.
  while (socket->canReadLine())
    if (socket->readLine() == kShowRequest) emit ActivationRequested();
}
