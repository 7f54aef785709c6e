#pragma once

#include "folders/vopa_node.h"

#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <ostream>

// Readable strings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

// A book directory in its own temporary directory.
class TFolderFixture {
 public:
  TFolderFixture();
  // The directory, with a trailing separator.
  QString Root() const { return Home.path() + QStringLiteral("/Books/"); }
  // Creates each entry under Root(): a name ending in "/" is a folder, any other an empty file.
  void Make(const QStringList& entries) const;
  // Writes a folder's sort file from its lines, each ended by CR LF.
  void WriteSort(const QString& folder, const QStringList& lines) const;
  QByteArray SortBytes(const QString& folder) const;
  // A root node over Root() filtering ".vopa" files with hidden extensions, writing sort files.
  std::unique_ptr<TVopaFileNode> OpenRoot(bool saveSort = true) const;

  QTemporaryDir Home;
};

// Captions of a node's children, in order.
QStringList Captions(const TVopaNode& node);
// The child with that caption; fails the test when there is none.
TVopaNode* ChildNamed(const TVopaNode& node, const QString& caption);
// Lines joined with CR LF after each, as the sort file holds them.
QByteArray CrLfLines(const QStringList& lines);
