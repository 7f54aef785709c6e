#include "book/trash_book.h"

#include "book/book_host.h"
#include "book/date_text.h"

void TTrashBook::New() {
  TBook::New();
  Options.Set(QStringLiteral("Type"), QStringLiteral("Trash"));
}

void TTrashBook::Activate(TBookHost& host) { host.BookEntered(TBookKind::Trash); }

void TTrashBook::Deactivate(TBookHost& host) { host.BookLeft(TBookKind::Trash); }

int TTrashBook::AcceptMemo(std::unique_ptr<TSMemo> memo, int index) {
  TSMemo& arrived = *memo;
  index = TBook::AcceptMemo(std::move(memo), index);
  arrived.SetOption(kOptTrashDateTime, DateTimeText(QDateTime::currentDateTime()));
  return index;
}

void PurgeTrash(TBook& trash, bool autoCleanup, int days, const QDateTime& now) {
  if (!autoCleanup) return;
  constexpr double kMsecsPerDay = 24.0 * 60 * 60 * 1000;
  for (int i = trash.Count() - 1; i >= 0; --i) {
    TSMemo* memo = trash.MemoAt(i);
    QDateTime arrival = now;
    if (const auto stamped = ParseDateTimeText(memo->GetOption(kOptTrashDateTime)))
      arrival = *stamped;
    else
      memo->SetOption(kOptTrashDateTime, DateTimeText(now));
    if (arrival.msecsTo(now) / kMsecsPerDay > days) trash.DeleteMemo(i);
  }
}
