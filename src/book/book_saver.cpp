#include "book/book_saver.h"

#include "book/book.h"
#include "book/book_file_writer.h"
#include "book/book_snapshot.h"
#include "book/vopa_error.h"

#include <utility>

struct TBookSaver::TPass {
  struct TJob {
    TBook* Book;
    QString Path;
    TBookSnapshot Snapshot;
    QString Failure;
  };
  // On the worker: touches nothing but the pass.
  void Write() {
    for (TJob& job : Jobs) {
      try {
        SaveBookFile(job.Snapshot, job.Path);
      } catch (const EVopaError& error) {
        job.Failure = error.Message;
      } catch (const std::exception& error) {
        job.Failure = SaveFailureText(job.Path, 0, QString::fromLocal8Bit(error.what()));
      }
    }
  }
  std::vector<TJob> Jobs;
};

TBookSaver::TBookSaver() {
  // One writer: passes follow each other, and the disk gets one file at a time.
  Worker.setMaxThreadCount(1);
}

TBookSaver::~TBookSaver() { Wait(); }

bool TBookSaver::Start(const std::vector<TBook*>& books) {
  if (InFlight) return false;
  auto pass = std::make_shared<TPass>();
  for (TBook* book : books) {
    if (!book || !book->Modified) continue;
    pass->Jobs.push_back({book, book->GetPath(), TBookSnapshot(*book), QString()});
    book->Modified = false;
  }
  InFlight = pass;
  Worker.start([this, pass] {
    pass->Write();
    QMetaObject::invokeMethod(
        this,
        [this, pass] {
          if (InFlight == pass) Conclude();
        },
        Qt::QueuedConnection);
  });
  return true;
}

void TBookSaver::Wait() {
  if (!InFlight) return;
  Worker.waitForDone();
  Conclude();
}

void TBookSaver::Conclude() {
  const std::shared_ptr<TPass> pass = std::exchange(InFlight, nullptr);
  QStringList failures;
  for (const auto& job : pass->Jobs) {
    if (job.Failure.isEmpty()) continue;
    job.Book->SetModified();
    failures.append(job.Failure);
  }
  emit Finished(failures);
}
