#include "book/book_snapshot.h"

#include "book/book.h"

TBookSnapshot::TBookSnapshot(const TBook& book) : Options(book.Options) {
  Memos.reserve(book.Memos.size());
  for (const auto& memo : book.Memos)
    if (!memo->Text.isEmpty()) Memos.push_back({memo->Options, memo->Text});
}
