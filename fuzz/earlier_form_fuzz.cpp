// Any bytes through the reader of the earlier line-oriented form (and plain text): what it
// reads survives a save in the XML form.
#include "book/book.h"
#include "book/legacy_book_reader.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TBook book;
  LoadLegacyBook(book, QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
  Require(book.LoadedForm != TBookForm::PlainText || book.Count() == 2, "plain text gives two memos");
  RequireRoundTrip(book);
  return 0;
}
