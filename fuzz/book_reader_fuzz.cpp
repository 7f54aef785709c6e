// Any bytes as a book file: read, saved and read again, nothing of what was read is lost.
#include "book/book.h"
#include "book/vopa_error.h"
#include "fuzz_support.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString path = WriteInput("input.vopa", data, size);
  TBook book;
  book.SetPath(path);
  try {
    Require(book.Load(), "an existing file loads");
  } catch (const EVopaError&) {
    return 0;  // another root element: refused, the file untouched
  }
  if (book.LoadedForm == TBookForm::Repaired) {
    const QString aside = path + QStringLiteral(".damaged");
    QFile copy(aside);
    Require(copy.open(QIODevice::ReadOnly) &&
                copy.readAll() == QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)),
            "a damaged file is copied aside byte for byte");
    QFile::remove(aside);
  }
  RequireRoundTrip(book);
  return 0;
}
