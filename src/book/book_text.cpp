#include "book/book_text.h"

#include "book/book.h"
#include "book/code_page.h"

QByteArray BookAsText(const TBook& book) {
  const QString lineBreak = QStringLiteral("\r\n");
  QString text;
  for (int index = 0; index < book.Count(); ++index) text += book.MemoAt(index)->Text + lineBreak + lineBreak;
  return EncodeCp932OrUtf8(text);
}
