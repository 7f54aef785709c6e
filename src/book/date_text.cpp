#include "book/date_text.h"

#include <QRegularExpression>

QString DateTimeText(const QDateTime& moment) {
  const bool midnight = moment.time() == QTime(0, 0);
  return moment.toString(midnight ? QStringLiteral("yyyy/MM/dd") : QStringLiteral("yyyy/MM/dd H:mm:ss"));
}

std::optional<QDateTime> ParseDateTimeText(const QString& text) {
  static const QRegularExpression form(
      QStringLiteral(R"(^\s*(\d{1,4})/(\d{1,2})/(\d{1,2})(?:\s+(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?)?\s*$)"));
  const QRegularExpressionMatch match = form.match(text);
  if (!match.hasMatch()) return std::nullopt;
  const auto number = [&match](int group) { return match.captured(group).toInt(); };
  const QDate date(number(1), number(2), number(3));
  const QTime time(number(4), number(5), number(6));
  if (!date.isValid() || !time.isValid()) return std::nullopt;
  return QDateTime(date, time);
}
