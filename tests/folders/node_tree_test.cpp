#include "book/code_page.h"
#include "book/vopa_error.h"
#include "folder_fixture.h"
#include "folders/extension_filter.h"
#include "folders/folder_paths.h"
#include "folders/sort_file.h"
#include "test_support.h"
#include "view/case_name.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <optional>

namespace {

struct TOrderCase {
  std::string name;
  QStringList Entries;               // made on disk
  std::optional<QStringList> Sort;   // the sort file before opening, none for no file
  QStringList Shown;                 // captions after opening, in order
  std::optional<QStringList> After;  // the sort file afterwards, none when left as it was
};

class SortOrderTest : public ::testing::TestWithParam<TOrderCase> {};

TEST_P(SortOrderTest, OpeningOrdersByTheSortFile) {
  const TOrderCase& c = GetParam();
  TFolderFixture folder;
  folder.Make(c.Entries);
  if (c.Sort) folder.WriteSort(QString(), *c.Sort);
  const QByteArray before = folder.SortBytes(QString());

  const auto root = folder.OpenRoot();

  EXPECT_EQ(Captions(*root), c.Shown);
  EXPECT_EQ(folder.SortBytes(QString()), c.After ? CrLfLines(*c.After) : before);
}

const TOrderCase kOrderCases[] = {
    // Without a sort file the listing order stands; the file is made with what is shown.
    {"NoSortFileIsCreated", {"a.vopa"}, std::nullopt, {"a"}, QStringList{"a.vopa=a"}},
    {"NewFileComesFirst",
     {"a.vopa", "b.vopa", "c.vopa"},
     QStringList{"b.vopa=b", "a.vopa=a"},
     {"c", "b", "a"},
     QStringList{"c.vopa=c", "b.vopa=b", "a.vopa=a"}},
    {"VanishedEntryIsDropped",
     {"a.vopa", "c.vopa"},
     QStringList{"c.vopa=c", "b.vopa=b", "a.vopa=a"},
     {"c", "a"},
     QStringList{"c.vopa=c", "a.vopa=a"}},
    {"VanishedAndNewWithEqualCountsKeepTheFile",
     {"a.vopa", "c.vopa"},
     QStringList{"b.vopa=b", "a.vopa=a"},
     {"c", "a"},
     std::nullopt},
    {"NamesMatchRegardlessOfCase",
     {"Book.vopa", "z.vopa"},
     QStringList{"z.vopa=z", "book.VOPA=book"},
     {"z", "Book"},
     std::nullopt},
    {"NameWithEqualsSignIsUnnamed",
     {"a=b.vopa", "c.vopa"},
     QStringList{"c.vopa=c", "a=b.vopa=a=b"},
     {"a=b", "c"},
     std::nullopt},
    {"OtherFilesHiddenEntriesAndTheSortFileAreLeftOut",
     {"a.vopa", "notes.txt", "b.VOPA", ".hidden.vopa", "sub/"},
     QStringList{"a.vopa=a", "sub=sub"},
     {"a", "sub"},
     std::nullopt},
    {"LinesWithoutEqualsSignMatchNothing",
     {"a.vopa", "b.vopa"},
     QStringList{"b.vopa=b", "a.vopa", "a.vopa=a"},
     {"b", "a"},
     QStringList{"b.vopa=b", "a.vopa=a"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, SortOrderTest, ::testing::ValuesIn(kOrderCases), TCaseName());

TEST(SortFileTest, JapaneseNamesAreWrittenInCodePage932) {
  TFolderFixture folder;
  folder.Make({QStringLiteral("日記.vopa")});
  folder.OpenRoot();
  EXPECT_EQ(folder.SortBytes(QString()), *EncodeCp932(QStringLiteral("日記.vopa=日記\r\n")));
}

TEST(SortFileTest, NamesOutsideCodePage932AreWrittenAsUtf8WithMark) {
  TFolderFixture folder;
  folder.Make({QStringLiteral("日記.vopa"), QStringLiteral("한국.vopa")});
  folder.WriteSort(QString(), {});
  const auto root = folder.OpenRoot();
  const QString text = Captions(*root).join(u',');
  const QByteArray expected =
      "\xEF\xBB\xBF" +
      QStringLiteral("%1.vopa=%1\r\n%2.vopa=%2\r\n").arg(Captions(*root)[0], Captions(*root)[1]).toUtf8();
  EXPECT_EQ(folder.SortBytes(QString()), expected) << text.toStdString();

  // And it reads back: the order of the file holds on the next opening.
  root->Children.front().swap(root->Children.back());
  root->SaveOrder();
  EXPECT_EQ(Captions(*folder.OpenRoot()), Captions(*root));
}

TEST(SortFileTest, EmptyCaptionGetsNoLineAndALaterDuplicateKeepsThePlace) {
  TFolderFixture folder;
  WriteSortFile(folder.Root(), {{"a.vopa", "a"}, {"blank.vopa", ""}, {"b.vopa", "b"}, {"A.VOPA", "renamed"}});
  EXPECT_EQ(folder.SortBytes(QString()), CrLfLines({"a.vopa=renamed", "b.vopa=b"}));
}

TEST(SortFileTest, FailedWriteThrowsAndKeepsTheOldFile) {
  TFolderFixture folder;
  folder.WriteSort(QString(), {"a.vopa=a"});
  TFileSizeLimit limit(8);
  EXPECT_THROW(WriteSortFile(folder.Root(), {{"long-name.vopa", "long-name"}}), EVopaError);
  EXPECT_EQ(folder.SortBytes(QString()), CrLfLines({"a.vopa=a"}));
}

// A FIFO or a device in the sort file's place would block or never end: it counts as no file.
TEST(SortFileTest, ASortFileThatIsNoRegularFileIsNotRead) {
  TFolderFixture folder;
  ASSERT_EQ(::mkfifo(QFile::encodeName(folder.Root() + kSortFileName).constData(), 0600), 0);
  EXPECT_FALSE(TSortOrder::Read(folder.Root()).has_value());
  QFile::remove(folder.Root() + kSortFileName);
  ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), folder.Root() + kSortFileName));
  EXPECT_FALSE(TSortOrder::Read(folder.Root()).has_value());
}

TEST(NodeTreeTest, ATreeWithoutSaveSortNeverWrites) {
  TFolderFixture folder;
  folder.Make({"a.vopa"});
  folder.OpenRoot(false);
  EXPECT_FALSE(QFile::exists(folder.Root() + kSortFileName));
}

TEST(NodeTreeTest, ClosingFreesChildrenAndReopeningRescans) {
  TFolderFixture folder;
  folder.Make({"sub/", "sub/x.vopa"});
  const auto root = folder.OpenRoot();
  TVopaNode* sub = ChildNamed(*root, "sub");
  ASSERT_TRUE(sub->Open());
  EXPECT_FALSE(sub->Open());
  EXPECT_EQ(sub->ImageIndex, TVopaFileNode::ImageOpenFolder);
  EXPECT_EQ(Captions(*sub), QStringList{"x"});
  EXPECT_EQ(sub->Children[0]->Level, 2);
  EXPECT_EQ(static_cast<TVopaFileNode&>(*sub->Children[0]).FullPath(), folder.Root() + "sub/x.vopa");

  ASSERT_TRUE(sub->Close());
  EXPECT_TRUE(sub->Children.empty());
  EXPECT_EQ(sub->ImageIndex, TVopaFileNode::ImageClosedFolder);
  folder.Make({"sub/y.vopa"});
  sub->Open();
  EXPECT_EQ(Captions(*sub), (QStringList{"y", "x"}));
}

TEST(NodeTreeTest, AttachingIntoAClosedFolderRescansSavesTheOrderAndLeavesItClosed) {
  TFolderFixture folder;
  folder.Make({"a.vopa", "sub/", "sub/x.vopa", "sub/y.vopa"});
  folder.WriteSort("sub/", {"x.vopa=x", "y.vopa=y"});
  const auto root = folder.OpenRoot();
  auto* sub = static_cast<TVopaFileNode*>(ChildNamed(*root, "sub"));
  ASSERT_TRUE(QDir().rename(folder.Root() + "a.vopa", folder.Root() + "sub/a.vopa"));

  auto moved = root->TakeChild(ChildNamed(*root, "a"));
  int position = 1;
  EXPECT_EQ(TVopaNode::AttachTo(std::move(moved), *sub, position), nullptr);

  EXPECT_EQ(position, 1);
  EXPECT_FALSE(sub->Opened);
  EXPECT_EQ(folder.SortBytes("sub/"), CrLfLines({"x.vopa=x", "a.vopa=a", "y.vopa=y"}));
  sub->Open();
  EXPECT_EQ(Captions(*sub), (QStringList{"x", "a", "y"}));
}

TEST(NodeTreeTest, AttachingIntoAnOpenFolderUpdatesLevelsAndPathsBelow) {
  TFolderFixture folder;
  folder.Make({"inner/", "inner/deep/", "inner/deep/x.vopa", "target/", "target/t.vopa"});
  const auto root = folder.OpenRoot();
  auto* inner = ChildNamed(*root, "inner");
  auto* target = ChildNamed(*root, "target");
  inner->Open();
  inner->Children[0]->Open();
  target->Open();

  int position = 99;
  TVopaNode* attached = TVopaNode::AttachTo(root->TakeChild(inner), *target, position);

  ASSERT_EQ(attached, inner);
  EXPECT_EQ(position, 1);
  EXPECT_EQ(Captions(*target), (QStringList{"t", "inner"}));
  auto* x = static_cast<TVopaFileNode*>(inner->Children[0]->Children[0].get());
  EXPECT_EQ(x->Level, 4);
  EXPECT_EQ(x->FullPath(), folder.Root() + "target/inner/deep/x.vopa");
  EXPECT_EQ(folder.SortBytes("target/"), CrLfLines({"t.vopa=t", "inner=inner"}));
}

TEST(NodeTreeTest, PreOrderWalkStaysInItsSubtreeAndAncestryIsKnown) {
  TFolderFixture folder;
  folder.Make({"a/", "a/b/", "a/b/c.vopa", "a/d.vopa", "z.vopa"});
  folder.WriteSort(QString(), {"a=a", "z.vopa=z"});
  folder.WriteSort("a/", {"b=b", "d.vopa=d"});
  const auto root = folder.OpenRoot();
  TVopaNode* a = ChildNamed(*root, "a");
  a->Open();
  a->Children[0]->Open();

  QStringList walked;
  for (TVopaNode* node = a; node; TVopaNode::NextInSubtree(a, node)) walked << node->Caption;
  EXPECT_EQ(walked, (QStringList{"a", "b", "c", "d"}));
  TVopaNode* c = a->Children[0]->Children[0].get();
  EXPECT_TRUE(c->IsWithin(a));
  EXPECT_TRUE(a->IsWithin(a));
  EXPECT_FALSE(a->IsWithin(c));
  EXPECT_EQ(a->Children[1]->IndexInParent(), 1);
}

struct TSplitCase {
  std::string name;
  QString Path, Folder, Name;
};

class SplitPathTest : public ::testing::TestWithParam<TSplitCase> {};

TEST_P(SplitPathTest, Splits) {
  const auto [folder, name] = SplitPath(GetParam().Path);
  EXPECT_EQ(folder, GetParam().Folder);
  EXPECT_EQ(name, GetParam().Name);
}

const TSplitCase kSplitCases[] = {
    {"File", "/a/b/c.vopa", "/a/b/", "c.vopa"},
    {"FolderWithSeparators", "/a/b//", "/a/", "b"},
    {"Empty", "", "", ""},
    {"NoSeparator", "c.vopa", "", "c.vopa"},
};

INSTANTIATE_TEST_SUITE_P(Cases, SplitPathTest, ::testing::ValuesIn(kSplitCases), TCaseName());

TEST(FolderPathsTest, UniquePathCountsFromTwo) {
  TFolderFixture folder;
  const QString root = folder.Root();
  EXPECT_EQ(UniquePath(root + "NewBook.vopa"), root + "NewBook.vopa");
  folder.Make({"NewBook.vopa", "NewBook2.vopa", "新規フォルダ/", "dot."});
  EXPECT_EQ(UniquePath(root + "NewBook.vopa"), root + "NewBook3.vopa");
  EXPECT_EQ(UniquePath(root + "新規フォルダ"), root + "新規フォルダ2");
  EXPECT_EQ(UniquePath(root + "dot."), root + "dot2");
}

TEST(FolderPathsTest, NormalizeDirTellsWhetherTheFolderExists) {
  TFolderFixture folder;
  QString existing = "  " + folder.Root() + "x/../  ";
  EXPECT_TRUE(NormalizeDir(existing, true));
  EXPECT_EQ(existing, folder.Root());
  QString free = folder.Root() + "free";
  EXPECT_TRUE(NormalizeDir(free, false));
  EXPECT_EQ(free, folder.Root() + "free/");
}

TEST(FolderPathsTest, PlainEntryNamesStayInTheirFolder) {
  for (const QString bad : {"", ".", "..", "a/b", "../up"}) EXPECT_FALSE(IsPlainEntryName(bad)) << bad.toStdString();
  for (const QString good : {"a", "a.b", "...", "日記"}) EXPECT_TRUE(IsPlainEntryName(good)) << good.toStdString();
}

}  // namespace
