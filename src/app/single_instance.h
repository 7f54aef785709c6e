#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLocalSocket;

// Keeps one process per user and scope (the data directory): the first start
// listens, a later start asks it to show its window and then ends.
class TSingleInstance : public QObject {
  Q_OBJECT
 public:
  // scope separates instances that keep their data apart (and lets tests use their own name).
  explicit TSingleInstance(const QString& scope = QString(), QObject* parent = nullptr);
  ~TSingleInstance() override;

  // True when this process is the first; false after another instance was asked to show itself.
  bool Claim();

  const QString& ServerName() const { return Name; }
  QString LockPath() const;

 signals:
  void ActivationRequested();

 private:
  void AskRunningInstanceToShow() const;
  void ReadRequests();
  void ReadLines(QLocalSocket* socket);

  QString Name;
  std::unique_ptr<QLockFile> Lock;
  QLocalServer* Server = nullptr;
};
