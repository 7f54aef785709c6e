#pragma once

#include <QObject>
#include <QStringList>
#include <QThreadPool>
#include <memory>
#include <vector>

class TBook;

// Writes books on a worker thread, so the window goes on answering while a large book
// reaches the disk. A pass starts from snapshots taken on the calling thread: its books
// count as saved from then on, and a book whose write fails is modified again. An edit
// made during the write marks its book modified as usual, so a later pass saves it.
class TBookSaver : public QObject {
  Q_OBJECT
 public:
  TBookSaver();
  // Waits for the pass in flight.
  ~TBookSaver() override;

  // Starts a pass over the modified ones of books; false, starting nothing, while one is in flight.
  bool Start(const std::vector<TBook*>& books);
  bool Busy() const { return bool(InFlight); }
  // Blocks until the pass in flight is written and concluded. A book of a pass must not be
  // freed, moved or written otherwise before this.
  void Wait();

 signals:
  // Ends each pass: one message per book that could not be written.
  void Finished(const QStringList& failures);

 private:
  struct TPass;
  void Conclude();

  std::shared_ptr<TPass> InFlight;
  QThreadPool Worker;
};
