#include "unlisted_entries.h"

#include <QAbstractFileIconProvider>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileSystemModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMimeDatabase>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeView>

namespace quorvex {

const UnlistedEntriesModel::Folder* UnlistedEntriesModel::AddedTo(const QModelIndex& index) const {
  if (!index.isValid() || index.model() != this) return nullptr;
  for (const auto& [node, folder] : folders_) {
    if (&folder == index.internalPointer()) return &folder;
  }
  return nullptr;
}

const UnlistedEntriesModel::Folder* UnlistedEntriesModel::FolderAt(const QModelIndex& sourceParent) const {
  const auto found = folders_.find(sourceParent.internalPointer());
  return sourceParent.isValid() && found != folders_.end() && found->second.source == sourceParent ? &found->second
                                                                                                 : nullptr;
}

const UnlistedEntry* UnlistedEntriesModel::Unlisted(const QModelIndex& index) const {
  const Folder* folder = AddedTo(index);
  if (folder == nullptr) return nullptr;
  const auto added = static_cast<std::size_t>(index.row() - sourceModel()->rowCount(folder->source));
  return added < folder->entries.size() ? &folder->entries[added] : nullptr;
}

void UnlistedEntriesModel::setSourceModel(QAbstractItemModel* source) {
  folders_.clear();
  QIdentityProxyModel::setSourceModel(source);
  if (auto* files = qobject_cast<QFileSystemModel*>(source)) {
    connect(files, &QFileSystemModel::directoryLoaded, this, &UnlistedEntriesModel::Reread);
    connect(files, &QAbstractItemModel::modelAboutToBeReset, this, [this] { folders_.clear(); });
  }
}

void UnlistedEntriesModel::Reread(const QString& path) {
  const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
  const QModelIndex source = files != nullptr ? files->index(path) : QModelIndex();
  if (!source.isValid()) return;
  std::vector<UnlistedEntry> entries = UnlistedEntries(path);
  // Only folders with such entries are kept: each added row's index is looked up among them.
  if (entries.empty() && !folders_.contains(source.internalPointer())) return;
  Folder& folder = folders_[source.internalPointer()];
  if (folder.source != source) folder = {source, {}};  // a new node where a removed one was
  if (entries == folder.entries) return;
  const QModelIndex parent = mapFromSource(source);
  const int first = files->rowCount(source);
  if (!folder.entries.empty()) {
    beginRemoveRows(parent, first, first + static_cast<int>(folder.entries.size()) - 1);
    folder.entries.clear();
    endRemoveRows();
  }
  if (!entries.empty()) {
    beginInsertRows(parent, first, first + static_cast<int>(entries.size()) - 1);
    folder.entries = std::move(entries);
    endInsertRows();
  }
}

int UnlistedEntriesModel::rowCount(const QModelIndex& parent) const {
  if (AddedTo(parent) != nullptr) return 0;
  const Folder* folder = parent.column() <= 0 ? FolderAt(mapToSource(parent)) : nullptr;
  return QIdentityProxyModel::rowCount(parent) + (folder != nullptr ? static_cast<int>(folder->entries.size()) : 0);
}

QModelIndex UnlistedEntriesModel::index(int row, int column, const QModelIndex& parent) const {
  if (row < 0 || column < 0 || AddedTo(parent) != nullptr) return {};
  const QModelIndex sourceParent = mapToSource(parent);
  const int own = sourceModel()->rowCount(sourceParent);
  if (row < own) return QIdentityProxyModel::index(row, column, parent);
  const Folder* folder = FolderAt(sourceParent);
  if (folder == nullptr || row - own >= static_cast<int>(folder->entries.size()) || column >= columnCount(parent)) {
    return {};
  }
  return createIndex(row, column, const_cast<Folder*>(folder));
}

QModelIndex UnlistedEntriesModel::parent(const QModelIndex& child) const {
  const Folder* folder = AddedTo(child);
  return folder != nullptr ? mapFromSource(folder->source) : QIdentityProxyModel::parent(child);
}

QModelIndex UnlistedEntriesModel::sibling(int row, int column, const QModelIndex& index) const {
  return this->index(row, column, parent(index));
}

bool UnlistedEntriesModel::hasChildren(const QModelIndex& parent) const {
  return AddedTo(parent) == nullptr && QIdentityProxyModel::hasChildren(parent);
}

bool UnlistedEntriesModel::canFetchMore(const QModelIndex& parent) const {
  return AddedTo(parent) == nullptr && QIdentityProxyModel::canFetchMore(parent);
}

QModelIndex UnlistedEntriesModel::mapToSource(const QModelIndex& proxyIndex) const {
  return AddedTo(proxyIndex) != nullptr ? QModelIndex() : QIdentityProxyModel::mapToSource(proxyIndex);
}

// Name, icon and type as the file model gives its own rows; sizes and dates are shown
// by the dialog's own details, which know these rows.
QVariant UnlistedEntriesModel::data(const QModelIndex& index, int role) const {
  const UnlistedEntry* entry = Unlisted(index);
  if (entry == nullptr) return QIdentityProxyModel::data(index, role);
  const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      if (index.column() == 0) return entry->shown;
      if (index.column() != 2) return {};
      if (entry->folder) return QCoreApplication::translate("QFileDialog", "Folder", "All other platforms");
      return QMimeDatabase().mimeTypeForFile(entry->shown, QMimeDatabase::MatchExtension).comment();
    case QFileSystemModel::FileNameRole:
      return entry->shown;
    case QFileSystemModel::FilePathRole:
      return QDir(files->filePath(AddedTo(index)->source)).filePath(entry->shown);
    case Qt::DecorationRole:
      if (index.column() != 0 || files->iconProvider() == nullptr) return {};
      return files->iconProvider()->icon(entry->folder ? QAbstractFileIconProvider::Folder
                                                       : QAbstractFileIconProvider::File);
    case Qt::TextAlignmentRole:
      if (index.column() == 1) return QVariant::fromValue(Qt::AlignTrailing | Qt::AlignVCenter);
      return {};
  }
  return {};
}

Qt::ItemFlags UnlistedEntriesModel::flags(const QModelIndex& index) const {
  if (Unlisted(index) == nullptr) return QIdentityProxyModel::flags(index);
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

const UnlistedEntry* AnyNameFileDialog::UnlistedAt(const QModelIndex& index) const {
  const auto* model = qobject_cast<const UnlistedEntriesModel*>(proxyModel());
  return model != nullptr ? model->Unlisted(index) : nullptr;
}

void AnyNameFileDialog::FollowUnlistedEntries() {
  auto* list = findChild<QListView*>(QStringLiteral("listView"));
  auto* details = findChild<QTreeView*>(QStringLiteral("treeView"));
  auto* nameBox = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  auto* buttons = findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
  if (list == nullptr || details == nullptr || nameBox == nullptr || buttons == nullptr) return;
  // Qt writes a chosen row's name in the name box only when it has a file for it (and
  // never selects an added row itself, as it does its own rows for the name typed)...
  connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, nameBox, [this, list, nameBox] {
    const QModelIndexList rows = list->selectionModel()->selectedRows();
    const UnlistedEntry* entry = rows.size() == 1 ? UnlistedAt(rows.first()) : nullptr;
    if (entry != nullptr && !entry->folder) nameBox->setText(entry->shown);
  });
  // ...and disables Open for a name it has no file for.
  connect(nameBox, &QLineEdit::textChanged, buttons, [this, buttons] {
    QPushButton* open = buttons->button(QDialogButtonBox::Open);
    const QStringList files = selectedFiles();
    if (open != nullptr && !open->isEnabled() && fileMode() == ExistingFile && files.size() == 1 &&
        MayNameFile(files.first())) {
      open->setEnabled(true);
    }
  });
  for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(list), static_cast<QAbstractItemView*>(details)}) {
    view->installEventFilter(this);
    view->viewport()->installEventFilter(this);
  }
}

// Qt would take an added row, which has no file in its model, for the computer's root
// and go there.
bool AnyNameFileDialog::eventFilter(QObject* watched, QEvent* event) {
  QModelIndex chosen;
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    auto* view = qobject_cast<QAbstractItemView*>(watched);
    if (view != nullptr && (key == Qt::Key_Return || key == Qt::Key_Enter)) chosen = view->currentIndex();
  } else if (event->type() == QEvent::MouseButtonDblClick) {
    if (auto* view = qobject_cast<QAbstractItemView*>(watched->parent())) {
      chosen = view->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
    }
  }
  const UnlistedEntry* entry = UnlistedAt(chosen);
  if (entry == nullptr) return QFileDialog::eventFilter(watched, event);
  // Qt cannot list what is inside a folder it cannot name: such a folder is not entered.
  if (!entry->folder) accept();
  return true;
}

void AnyNameFileDialog::accept() {
  const QStringList files = selectedFiles();
  // Qt finds no file under a shown name of ours, nor behind a folder that may not be
  // searched; it would say the file is not there.
  if (fileMode() == ExistingFile && files.size() == 1 && !QFileInfo::exists(files.first()) &&
      MayNameFile(files.first())) {
    // Past QFileDialog's own check, which would say the file is not there.
    QDialog::accept();  // NOLINT(bugprone-parent-virtual-call): skipping that check is the point.
    return;
  }
  QFileDialog::accept();
}

}  // namespace quorvex
