#include "view/paper_measurer.h"

#include <QMetaObject>

TPaperMeasurer::TPaperMeasurer(TDone done) : Done(std::move(done)) {}

TPaperMeasurer::~TPaperMeasurer() {
  Pool.clear();
  Pool.waitForDone();
}

int TPaperMeasurer::Capacity() const { return 2 * Pool.maxThreadCount(); }

void TPaperMeasurer::Measure(int generation, const TPaperMetrics& metrics, TBatch batch) {
  ++InFlight;
  auto shared = std::make_shared<TBatch>(std::move(batch));
  // A copy of a QFont shares its engine cache with the original; the worker gets a font
  // of its own, made from the description.
  const QString font = metrics.Font.toString();
  const QTextOption option = metrics.Option;
  const qreal width = metrics.TextWidth;
  const int lineHeight = metrics.LineHeight;
  Pool.start([this, generation, font, option, width, lineHeight, shared] {
    TPaperMetrics own{QFont(), option, width, lineHeight};
    own.Font.fromString(font);
    for (TItem& item : *shared) item.Height = ExactPaperHeight(item.Text, own);
    // Queued to this object: delivered on its thread, dropped if it is gone by then.
    QMetaObject::invokeMethod(
        this,
        [this, generation, shared] {
          --InFlight;
          Done(generation, *shared);
        },
        Qt::QueuedConnection);
  });
}
