#pragma once

#include <QString>
#include <stdexcept>

// A real failure (unreadable file, failed write) that the caller shows to the user.
class EVopaError : public std::runtime_error {
 public:
  explicit EVopaError(const QString& message) : std::runtime_error(message.toStdString()), Message(message) {}
  QString Message;
};
