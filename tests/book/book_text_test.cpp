#include "book/book_text.h"
#include "book/book.h"

#include <gtest/gtest.h>

namespace {

QByteArray TextOf(const QStringList& memos) {
  TBook book;
  for (const QString& text : memos) book.AddMemo(text, book.Count());
  return BookAsText(book);
}

TEST(BookTextTest, EachMemoIsFollowedByAnEmptyLine) {
  EXPECT_EQ(TextOf({"A", "B"}), QByteArray("A\r\n\r\nB\r\n\r\n"));
  EXPECT_EQ(TextOf({"two\r\nlines"}), QByteArray("two\r\nlines\r\n\r\n"));
  EXPECT_EQ(TextOf({}), QByteArray());
}

TEST(BookTextTest, CodePage932WhereItHoldsTheTextElseUtf8WithMark) {
  EXPECT_EQ(TextOf({"メモ"}), QByteArray("\x83\x81\x83\x82\r\n\r\n"));
  const QString beyond = QString::fromUtf8("\xF0\x9F\x98\x80 smile");  // an emoji
  EXPECT_EQ(TextOf({"メモ", beyond}), "\xEF\xBB\xBF" + QString("メモ\r\n\r\n" + beyond + "\r\n\r\n").toUtf8());
}

}  // namespace
