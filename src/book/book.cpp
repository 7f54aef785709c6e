#include "book/book.h"

#include "book/book_file_reader.h"
#include "book/book_file_writer.h"
#include "book/book_host.h"
#include "book/book_snapshot.h"
#include "book/date_text.h"

#include <pwd.h>
#include <unistd.h>
#include <QDateTime>

namespace {

QString LoginName() {
  const passwd* account = getpwuid(getuid());
  const QString name =
      account && account->pw_name ? QString::fromLocal8Bit(account->pw_name) : qEnvironmentVariable("USER");
  return name.left(255);
}

}  // namespace

bool TBook::Save() {
  SaveBookFile(TBookSnapshot(*this), GetPath());
  return true;
}

bool TBook::Load() { return LoadBookFile(*this, GetPath()); }

void TBook::New() {
  Options.Set(QStringLiteral("Type"), QStringLiteral("Book"));
  Options.Set(QStringLiteral("CreateDateTime"), DateTimeText(QDateTime::currentDateTime()));
  Options.Set(QStringLiteral("Creator"), LoginName());
  LastMemo = MemoAt(AddMemo(QString(), 0));
}

void TBook::Activate(TBookHost& host) { host.BookEntered(TBookKind::Book); }

void TBook::Deactivate(TBookHost& host) { host.BookLeft(TBookKind::Book); }

int TBook::AcceptMemo(std::unique_ptr<TSMemo> memo, int index) {
  Q_ASSERT(memo && index >= 0);
  index = std::min(index, Count());
  TSMemo& accepted = *memo;
  Memos.insert(Memos.begin() + index, std::move(memo));
  accepted.Book = this;
  accepted.SetOption(kOptTransfered, QStringLiteral("True"));
  LastMemo = nullptr;
  SetModified();
  return index;
}

std::unique_ptr<TSMemo> TBook::TakeMemo(int index) {
  Q_ASSERT(index >= 0 && index < Count());
  std::unique_ptr<TSMemo> memo = std::move(Memos[size_t(index)]);
  Memos.erase(Memos.begin() + index);
  if (LastMemo == memo.get()) LastMemo = nullptr;
  memo->Book = nullptr;
  SetModified();
  return memo;
}

int TBook::AddMemo(const QString& text, int index, const TOptionList* options) {
  index = std::min(index, Count());
  if (index < 0) return index;
  auto memo = std::make_unique<TSMemo>(this);
  memo->Text = text;
  if (options) memo->Options = *options;
  Memos.insert(Memos.begin() + index, std::move(memo));
  SetModified();
  return index;
}

void TBook::DeleteMemo(int index) {
  Q_ASSERT(index >= 0 && index < Count());
  // The remembered memo must never outlive its memo.
  if (LastMemo == MemoAt(index)) LastMemo = nullptr;
  Memos.erase(Memos.begin() + index);
  SetModified();
}

int TBook::MoveMemo(int from, int to) {
  if (from < 0 || to < 0) return -1;
  const int last = Count() - 1;
  if (from > last) return -1;
  to = std::min(to, last);
  auto memo = std::move(Memos[size_t(from)]);
  Memos.erase(Memos.begin() + from);
  Memos.insert(Memos.begin() + to, std::move(memo));
  SetModified();
  return to;
}

int TBook::IndexOf(const TSMemo* memo) const {
  for (int i = 0; i < Count(); ++i)
    if (MemoAt(i) == memo) return i;
  return -1;
}
