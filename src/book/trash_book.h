#pragma once

#include "book/book.h"

#include <QDateTime>

// The book deleted memos go to; stamps each arrival with "TrashDateTime".
class TTrashBook : public TBook {
 public:
  void New() override;
  void Activate(TBookHost& host) override;
  void Deactivate(TBookHost& host) override;
  int AcceptMemo(std::unique_ptr<TSMemo> memo, int index) override;
};

// Deletes memos that have lain in the trash longer than days; stamps undated ones with now.
void PurgeTrash(TBook& trash, bool autoCleanup, int days, const QDateTime& now);
