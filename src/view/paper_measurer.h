#pragma once

#include "view/paper_height.h"

#include <QObject>
#include <QString>
#include <QThreadPool>

#include <functional>
#include <memory>
#include <vector>

// Measures paper heights on worker threads while the window goes on answering.
// QTextLayout and fonts are reentrant (fontconfig fonts may be laid out on any thread),
// and each job lays out its own copies of the texts with its own copy of the metrics,
// so nothing is shared with the widgets. Results come back on the owner's thread.
class TPaperMeasurer : public QObject {
 public:
  struct TItem {
    int Index = 0;  // of the paper when the job was made
    QString Text;   // the memo text measured (shared, not copied)
    int Height = 0;
  };
  using TBatch = std::vector<TItem>;
  using TDone = std::function<void(int generation, TBatch& batch)>;

  explicit TPaperMeasurer(TDone done);
  // Waits for running jobs; their results are dropped.
  ~TPaperMeasurer() override;

  void Measure(int generation, const TPaperMetrics& metrics, TBatch batch);
  int Pending() const { return InFlight; }
  int Capacity() const;

 private:
  TDone Done;
  QThreadPool Pool;
  int InFlight = 0;
};
