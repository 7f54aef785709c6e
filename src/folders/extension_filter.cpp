#include "folders/extension_filter.h"

#include "folders/sort_file.h"

namespace {

// The extension as the system splits a name: from the last dot on, empty without one.
QString ExtensionOf(const QString& name) {
  const qsizetype dot = name.lastIndexOf(u'.');
  return dot < 0 ? QString() : name.mid(dot);
}

}  // namespace

TVopaNodeFilter ExtensionFilter(const QString& extension, bool hideExtension) {
  return [extension, hideExtension](TVopaFileNode& node) {
    if (node.IsFolder()) return true;
    // The order of the folder is no entry of it, whatever the extension asked for.
    if (node.FileName.compare(kSortFileName, Qt::CaseInsensitive) == 0) return false;
    const QString own = ExtensionOf(node.FileName);
    if (extension != QStringLiteral(".") && own != extension) return false;
    if (hideExtension) node.Caption = node.FileName.left(node.FileName.size() - own.size());
    return true;
  };
}

QString DottedExtension(const QString& extension) { return extension.startsWith(u'.') ? extension : u'.' + extension; }
