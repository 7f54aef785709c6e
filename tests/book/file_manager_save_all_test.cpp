#include "book/book.h"
#include "book/file_manager.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>

namespace {

TEST(FileManagerSaveAll, AFailingBookDoesNotKeepTheOthersFromTheDisk) {
  QTemporaryDir home;
  TQumFileManager manager([] { return std::make_unique<TBook>(); });
  QDir().mkpath(home.filePath(QStringLiteral("gone")));
  auto* kept = manager.NewFile(home.filePath(QStringLiteral("Kept.vopa")));
  auto* lost = manager.NewFile(home.filePath(QStringLiteral("gone/Lost.vopa")));
  lost->AddMemo(QStringLiteral("cannot be written"), 0);
  kept->AddMemo(QStringLiteral("written"), 0);
  // Newest first: the failing book is tried before the other one.
  ASSERT_EQ(manager.Files.front().get(), lost);
  ASSERT_TRUE(QDir(home.filePath(QStringLiteral("gone"))).removeRecursively());

  const QStringList failures = manager.SaveAll();
  ASSERT_EQ(failures.size(), 1);
  EXPECT_TRUE(failures.first().contains(lost->GetPath()));
  EXPECT_TRUE(lost->Modified);
  EXPECT_FALSE(kept->Modified);
  TBook reread;
  reread.SetPath(kept->GetPath());
  ASSERT_TRUE(reread.Load());
  EXPECT_EQ(reread.Count(), 1);
}

}  // namespace
