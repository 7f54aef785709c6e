#include "folder_fixture.h"

#include "folders/extension_filter.h"
#include "folders/sort_file.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <QDir>

TFolderFixture::TFolderFixture() { QDir().mkpath(Root()); }

void TFolderFixture::Make(const QStringList& entries) const {
  for (const QString& entry : entries) {
    if (entry.endsWith(u'/'))
      QDir().mkpath(Root() + entry);
    else
      WriteBytes(Root() + entry, QByteArray());
  }
}

void TFolderFixture::WriteSort(const QString& folder, const QStringList& lines) const {
  WriteBytes(Root() + folder + kSortFileName, CrLfLines(lines));
}

QByteArray TFolderFixture::SortBytes(const QString& folder) const { return ReadBytes(Root() + folder + kSortFileName); }

std::unique_ptr<TVopaFileNode> TFolderFixture::OpenRoot(bool saveSort) const {
  auto root = std::make_unique<TVopaFileNode>(true, nullptr, Root());
  root->Filter = ExtensionFilter(QStringLiteral(".vopa"), true);
  root->SaveSort = saveSort;
  root->Open();
  return root;
}

QStringList Captions(const TVopaNode& node) {
  QStringList captions;
  for (const auto& child : node.Children) captions << child->Caption;
  return captions;
}

TVopaNode* ChildNamed(const TVopaNode& node, const QString& caption) {
  for (const auto& child : node.Children)
    if (child->Caption == caption) return child.get();
  ADD_FAILURE() << "no child " << caption.toStdString();
  return nullptr;
}

QByteArray CrLfLines(const QStringList& lines) {
  QByteArray bytes;
  for (const QString& line : lines) bytes += line.toUtf8() + "\r\n";
  return bytes;
}
