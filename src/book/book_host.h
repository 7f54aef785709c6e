#pragma once

#include <QtGlobal>

// Which kind of book a host is told about.
enum class TBookKind : quint8 { Book, Trash };

// Whoever shows the current book. A book tells it when it becomes or stops being current and what
// kind of book it is; what that means on screen is the host's business.
class TBookHost {
 public:
  virtual ~TBookHost() = default;
  virtual void BookEntered(TBookKind kind) = 0;
  virtual void BookLeft(TBookKind kind) = 0;
};
