#include "book/book_rescue.h"

#include "book/book.h"
#include "book/vopa_error.h"

#include <QDateTime>
#include <QFileInfo>

QString WriteRescueFile(TBook& book, const QString& fallbackDir) {
  const QString originalPath = book.GetPath();
  const QString name =
      QStringLiteral("%1 (rescued %2)%3")
          .arg(book.GetTitle(), QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")),
               QStringLiteral(".vopa"));
  QString lastError;
  for (const QString& dir : {book.Dir, fallbackDir}) {
    if (dir.isEmpty() || QFileInfo::exists(dir + name)) continue;
    book.SetPath(dir + name);
    try {
      book.Save();
      book.SetPath(originalPath);
      return dir + name;
    } catch (const EVopaError& error) {
      lastError = error.Message;
    }
  }
  book.SetPath(originalPath);
  throw EVopaError(QStringLiteral("%1 の退避ファイルも書けませんでした: %2").arg(originalPath, lastError));
}
