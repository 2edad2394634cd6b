#include "file_icon_provider.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace quorvex {

// Called from the dialog's background thread as well: only names and the file's kind
// (from stat) are looked at, never its contents.
QIcon FileIconProvider::icon(const QFileInfo& info) const {
  if (info.isRoot()) return icon(Drive);
  if (info.isDir()) return icon(Folder);
  if (info.isFile()) {
    const QMimeType type = mimeTypes_.mimeTypeForFile(info, QMimeDatabase::MatchExtension);
    QIcon themed = QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName()));
    if (!themed.isNull()) return themed;
  }
  return icon(File);
}

// Qt's own words, under the name its translations file them.
QString FileIconProvider::type(const QFileInfo& info) const {
  const char* const context = "QFileDialog";
  if (info.isRoot()) return QCoreApplication::translate(context, "Drive");
  if (info.isFile()) {
    const QMimeType type = mimeTypes_.mimeTypeForFile(info, QMimeDatabase::MatchExtension);
    return type.comment().isEmpty() ? type.name() : type.comment();
  }
  if (info.isDir()) return QCoreApplication::translate(context, "Folder", "All other platforms");
  if (info.isSymLink()) return QCoreApplication::translate(context, "Alias", "All other platforms");
  return QCoreApplication::translate(context, "Unknown");
}

}  // namespace quorvex
