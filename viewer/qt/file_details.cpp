#include "file_details.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QTreeView>

#include "qt_text.h"
#include "texts.h"

namespace quorvex {
namespace {

// The columns of Qt's file model.
enum Column { kName = 0, kSize = 1, kType = 2, kModified = 3 };

}  // namespace

QVariant ChineseFileDetails::data(const QModelIndex& index, int role) const {
  const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
  if (role != Qt::DisplayRole || files == nullptr) return UnlistedEntriesModel::data(index, role);
  const UnlistedEntry* added = Unlisted(index);
  const QModelIndex file = mapToSource(index);
  switch (index.column()) {
    case kSize:
      // Folders have no size shown; files in the units a Chinese system shows ("kB").
      if (added != nullptr ? added->folder : files->isDir(file)) break;
      return chinese_.formattedDataSize(added != nullptr ? added->size : files->size(file), 2,
                                        QLocale::DataSizeTraditionalFormat);
    case kModified:
      return chinese_.toString(added != nullptr ? added->modified : files->lastModified(file), QLocale::ShortFormat);
  }
  return UnlistedEntriesModel::data(index, role);
}

QVariant ChineseFileDetails::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role == Qt::DisplayRole && orientation == Qt::Horizontal && section == kSize) {
    return QtText(texts::kSizeColumn);
  }
  return UnlistedEntriesModel::headerData(section, orientation, role);
}

void ShowDetailsInChinese(QFileDialog& dialog) {
  // The dialog owns the proxy and hands it its file model.
  dialog.setProxyModel(new ChineseFileDetails(&dialog));
  auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
  if (details == nullptr) return;
  QHeaderView* header = details->header();
  header->setStretchLastSection(false);
  header->setSectionResizeMode(QHeaderView::ResizeToContents);
  header->setSectionResizeMode(kName, QHeaderView::Stretch);
}

}  // namespace quorvex
