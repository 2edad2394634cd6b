// Icons and type names for the Open dialog's list, taken from each entry's name and kind
// alone. Qt's own provider sniffs a file's first bytes to learn its type, and a read of
// some files never returns (/proc/kmsg, a FIFO with no writer): the dialog would freeze.
#pragma once

#include <QFileIconProvider>
#include <QMimeDatabase>

namespace quorvex {

class FileIconProvider final : public QFileIconProvider {
 public:
  using QFileIconProvider::icon;
  QIcon icon(const QFileInfo& info) const override;
  QString type(const QFileInfo& info) const override;

 private:
  QMimeDatabase mimeTypes_;
};

}  // namespace quorvex
