#pragma once

#include "book/option_list.h"

#include <QString>
#include <vector>

class TBook;

// What a book's file is written from. The strings are shared with the book, not copied, so
// taking one is cheap, and the book may go on changing while another thread writes it.
struct TBookSnapshot {
  struct TMemoPart {
    TOptionList Options;
    QString Text;
  };

  explicit TBookSnapshot(const TBook& book);

  TOptionList Options;
  // The memos with text, top first: an empty memo is not stored.
  std::vector<TMemoPart> Memos;
};
