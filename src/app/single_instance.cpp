#include "app/single_instance.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QUrl>
#include <cstdio>

#include <pwd.h>

namespace {

const QByteArray kInstanceName("This Tokyo Deserts");
const QByteArray kShowRequest("show\n");
const QByteArray kOpenRequest("open ");
constexpr int kLockTimeoutMs = 200;
constexpr int kConnectTimeoutMs = 2000;
// Longer than any percent-encoded path; a peer sending more without a line break is cut off.
constexpr qint64 kMaxRequestBytes = 64 * 1024;

QString UserName() {
  if (const passwd* entry = getpwuid(getuid())) return QString::fromLocal8Bit(entry->pw_name);
  return qEnvironmentVariable("USER");
}

// A real directory (not a link) of this user that nobody else may enter.
bool IsPrivateDir(const QString& dir) {
  struct stat info = {};
  return !dir.isEmpty() && ::lstat(QFile::encodeName(dir).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
         info.st_uid == getuid() && (info.st_mode & 077) == 0;
}

// The session's runtime directory, else one of our own under the temporary directory.
QString PrivateDir() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (IsPrivateDir(runtime)) return runtime;
  const QString own = QDir::temp().filePath(QStringLiteral("vopamemo-%1").arg(getuid()));
  ::mkdir(QFile::encodeName(own).constData(), 0700);
  // Someone else's entry of that name is not ours to use.
  return IsPrivateDir(own) ? own : QString();
}

bool PeerIsThisUser(const QLocalSocket& socket) {
  ucred peer = {};
  socklen_t size = sizeof peer;
  return ::getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
         peer.uid == getuid();
}

}  // namespace

TSingleInstance::TSingleInstance(const QString& scope, QObject* parent) : QObject(parent) {
  const QString dir = PrivateDir();
  if (dir.isEmpty()) return;
  // Hash the parts: socket paths are short.
  const QByteArray key = kInstanceName + '\n' + UserName().toUtf8() + '\n' + scope.toUtf8();
  Name = dir + QStringLiteral("/vopamemo-") +
         QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(20));
}

TSingleInstance::~TSingleInstance() = default;

QString TSingleInstance::LockPath() const { return Name.isEmpty() ? QString() : Name + QStringLiteral(".lock"); }

bool TSingleInstance::Claim(const QStringList& bookPaths) {
  // Without a private directory there is no safe place to meet: better run unguarded than not at all.
  if (Name.isEmpty()) return true;
  // QLockFile takes over a lock whose process has died; a live holder keeps it
  // (it holds flock on the file), however old the file is.
  Lock = std::make_unique<QLockFile>(LockPath());
  if (!Lock->tryLock(kLockTimeoutMs)) {
    const bool heldByAnother = Lock->error() == QLockFile::LockFailedError;
    Lock.reset();
    if (heldByAnother) {
      HandOver(bookPaths);
      return false;
    }
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

void TSingleInstance::HandOver(const QStringList& bookPaths) const {
  QLocalSocket socket;
  socket.connectToServer(Name);
  if (!socket.waitForConnected(kConnectTimeoutMs) || !PeerIsThisUser(socket)) {
    std::fputs("vopamemo: 起動中のヴォパメモに接続できませんでした。\n", stderr);
    return;
  }
  for (const QString& path : bookPaths) socket.write(kOpenRequest + QUrl::toPercentEncoding(path) + '\n');
  socket.write(kShowRequest);
  socket.waitForBytesWritten(kConnectTimeoutMs);
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(kConnectTimeoutMs);
}

void TSingleInstance::ReadRequests() {
  while (QLocalSocket* socket = Server->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    if (!PeerIsThisUser(*socket)) {
      socket->abort();
      socket->deleteLater();
      continue;
    }
    socket->setReadBufferSize(kMaxRequestBytes);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadLines(socket); });
    ReadLines(socket);
  }
}

void TSingleInstance::ReadLines(QLocalSocket* socket) {
  QByteArrayList lines;
  while (socket->canReadLine()) lines.append(socket->readLine());
  if (socket->bytesAvailable() >= kMaxRequestBytes) socket->abort();
  // Handled once the socket's own signal has returned: a request may open a message box whose
  // event loop sees the other side hang up and deletes the socket.
  if (!lines.isEmpty())
    QMetaObject::invokeMethod(
        this, [this, lines] { HandleRequests(lines); }, Qt::QueuedConnection);
}

void TSingleInstance::HandleRequests(const QByteArrayList& lines) {
  // One request per line; lines we do not understand are passed over.
  for (const QByteArray& line : lines) {
    if (line == kShowRequest) {
      emit ActivationRequested();
    } else if (line.startsWith(kOpenRequest) && line.endsWith('\n')) {
      const QString path = QString::fromUtf8(QByteArray::fromPercentEncoding(line.mid(kOpenRequest.size()).chopped(1)));
      if (QDir::isAbsolutePath(path)) emit OpenRequested(path);
    }
  }
}
