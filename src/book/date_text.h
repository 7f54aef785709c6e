#pragma once

#include <QDateTime>
#include <optional>

// "yyyy/MM/dd H:mm:ss", the time left out at exactly midnight.
QString DateTimeText(const QDateTime& moment);
// Reads that form, with or without the time and leading zeros.
std::optional<QDateTime> ParseDateTimeText(const QString& text);
