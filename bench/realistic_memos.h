#pragma once

// Memos as users keep them: 14 lines of mixed Japanese and English, about 1 KB of UTF-8
// each, every memo different (short and long lines, some wrapping, tabs, digits).
#include "book/book.h"

#include <QDir>
#include <QString>
#include <QStringList>

#include <random>

inline QString RealisticMemoText(int index) {
  static const QStringList japanese = {
      QStringLiteral("今日の打ち合わせで決まったこと"), QStringLiteral("来週の予定を確認する"),
      QStringLiteral("書いたものは自動で保存されます"), QStringLiteral("駅前の本屋で新しい辞書を買った"),
      QStringLiteral("「かぎかっこ」の中の言葉"),       QStringLiteral("天気が良ければ散歩に出かける"),
      QStringLiteral("請求書の締め切りは月末まで"),     QStringLiteral("ヴォパメモは小さなメモ帳です"),
      QStringLiteral("会議室の予約を忘れないこと"),     QStringLiteral("牛乳、卵、パン、それからコーヒー豆"),
      QStringLiteral("電車が遅れて三十分待った"),       QStringLiteral("新しい企画の名前を考える")};
  static const QStringList english = {QStringLiteral("check the build on Debian 12"),
                                      QStringLiteral("the quick brown fox jumps over the lazy dog"),
                                      QStringLiteral("TODO:"),
                                      QStringLiteral("call back before Friday"),
                                      QStringLiteral("meeting notes & action items"),
                                      QStringLiteral("version 1.7.0.31"),
                                      QStringLiteral("see https://example.com/docs"),
                                      QStringLiteral("remember the milk"),
                                      QStringLiteral("draft -> review -> publish"),
                                      QStringLiteral("<tag> and \"quotes\"")};
  std::mt19937 random(std::uint32_t(index) * 2654435761u + 17u);
  auto pick = [&random](const QStringList& list) { return list[int(random() % std::uint32_t(list.size()))]; };
  QString text = QStringLiteral("メモ %1 %2\r\n").arg(index).arg(pick(english));
  for (int line = 1; line < 14; ++line) {
    const int parts = 1 + int(random() % 3);  // one to three pieces: a few lines wrap
    if (random() % 7 == 0) text += QLatin1Char('\t');
    for (int part = 0; part < parts; ++part) {
      text += random() % 3 == 0 ? pick(english) : pick(japanese);
      text += random() % 2 == 0 ? QStringLiteral("、") : QStringLiteral(" ");
    }
    text += QString::number(random() % 100000);
    if (line < 13) text += QStringLiteral("\r\n");
  }
  return text;
}

inline void FillRealisticBook(TBook& book, int memoCount) {
  book.Memos.reserve(size_t(memoCount));
  for (int i = 0; i < memoCount; ++i) book.AddMemo(RealisticMemoText(i), i);
}

// Writes "Books/Big.vopa" with memoCount memos under dataHome, as a user's data directory.
inline QString WriteRealisticBook(const QString& dataHome, int memoCount) {
  QDir(dataHome).mkpath(QStringLiteral("Books"));
  TBook book;
  book.SetPath(dataHome + QStringLiteral("/Books/Big.vopa"));
  book.New();
  FillRealisticBook(book, memoCount);
  book.Save();
  return book.GetPath();
}
