// The Open dialog's entries whose names are not UTF-8, which Qt's file model leaves out
// of every folder: added to the model's rows, and chosen in the dialog as its own are.
#pragma once

#include <QFileDialog>
#include <QIdentityProxyModel>

#include <map>
#include <vector>

#include "native_path.h"

namespace quorvex {

// The dialog's file model with, after each folder's own rows, the entries it left out,
// read again whenever the model has read that folder. Such a row has no counterpart in
// the file model: mapToSource gives an invalid index for it.
class UnlistedEntriesModel : public QIdentityProxyModel {
  Q_OBJECT

 public:
  using QIdentityProxyModel::QIdentityProxyModel;

  // The entry an added row shows; nullptr for the file model's own rows.
  const UnlistedEntry* Unlisted(const QModelIndex& index) const;

  void setSourceModel(QAbstractItemModel* source) override;
  int rowCount(const QModelIndex& parent = {}) const override;
  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  QModelIndex sibling(int row, int column, const QModelIndex& index) const override;
  bool hasChildren(const QModelIndex& parent = {}) const override;
  bool canFetchMore(const QModelIndex& parent) const override;
  QModelIndex mapToSource(const QModelIndex& proxyIndex) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  struct Folder {
    QPersistentModelIndex source;
    std::vector<UnlistedEntry> entries;
  };
  // The folder an added row belongs to, or nullptr.
  const Folder* AddedTo(const QModelIndex& index) const;
  const Folder* FolderAt(const QModelIndex& sourceParent) const;
  void Reread(const QString& path);

  // By the file model's node of the folder, which keeps its address while it lives.
  std::map<const void*, Folder> folders_;
};

// Qt's file dialog choosing the added rows as well: by the list (arrow keys, Enter,
// double click) and by a typed or completed name, which Qt itself would find no file for.
// Also lets a file in a folder the user may not search through, to be refused by the reader.
class AnyNameFileDialog final : public QFileDialog {
  Q_OBJECT

 public:
  using QFileDialog::QFileDialog;
  // Once the dialog has its model (ShowDetailsInChinese): follows its list and name box.
  void FollowUnlistedEntries();
  void accept() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const UnlistedEntry* UnlistedAt(const QModelIndex& index) const;
};

}  // namespace quorvex
