// The Open dialog's detail view, in Chinese and wide enough for what it shows. Qt's file
// model writes sizes and dates in the system's locale ("256 bytes" under an English one),
// and the view starts with column widths measured on short Latin samples, which cut
// Chinese type names and longer dates.
#pragma once

#include <QLocale>

#include "unlisted_entries.h"

class QFileDialog;

namespace quorvex {

// The file model as the views show it, with the entries it leaves out, sizes and dates
// in Simplified Chinese, and the size column headed as Chinese users know it.
class ChineseFileDetails final : public UnlistedEntriesModel {
  Q_OBJECT

 public:
  using UnlistedEntriesModel::UnlistedEntriesModel;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  QLocale chinese_{QLocale::Chinese, QLocale::China};
};

// Puts ChineseFileDetails between the dialog's file model and its views, and sizes the
// detail view's size, type and date columns to their contents; the name takes the rest.
void ShowDetailsInChinese(QFileDialog& dialog);

}  // namespace quorvex
