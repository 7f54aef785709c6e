#pragma once

#include <QLockFile>
#include <QObject>
#include <memory>

class QLocalServer;

// Keeps one process per user: the first start listens, a later start asks it to
// show its window and then ends.
class TSingleInstance : public QObject {
  Q_OBJECT
 public:
  explicit TSingleInstance(QObject* parent = nullptr);
  ~TSingleInstance() override;

  // True when this process is the first; false after another instance was asked to show itself.
  bool Claim();

 signals:
  void ActivationRequested();

 private:
  std::unique_ptr<QLockFile> Lock;
  QLocalServer* Server = nullptr;
};
