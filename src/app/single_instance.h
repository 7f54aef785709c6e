#pragma once

#include <QByteArrayList>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class QLocalServer;
class QLocalSocket;

// Keeps one process per user and scope (the data directory): the first start
// listens, a later start hands its book paths over, asks it to show its window and ends.
// The socket and its lock live in a directory only the user can enter, and both ends
// check that the other side belongs to the same user.
class TSingleInstance : public QObject {
  Q_OBJECT
 public:
  // scope separates instances that keep their data apart (and lets tests use their own name).
  explicit TSingleInstance(const QString& scope = QString(), QObject* parent = nullptr);
  ~TSingleInstance() override;

  // True when this process is the first; false after the running instance was asked to
  // open bookPaths (absolute) and to show itself.
  bool Claim(const QStringList& bookPaths = {});

  // Full path of the socket; empty when no private directory could be had.
  const QString& ServerName() const { return Name; }
  QString LockPath() const;

 signals:
  void ActivationRequested();
  void OpenRequested(const QString& bookPath);

 private:
  void HandOver(const QStringList& bookPaths) const;
  void ReadRequests();
  void ReadLines(QLocalSocket* socket);
  void HandleRequests(const QByteArrayList& lines);

  QString Name;
  std::unique_ptr<QLockFile> Lock;
  QLocalServer* Server = nullptr;
};
