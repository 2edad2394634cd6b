// The Open dialog of the main window: the platform's standard file dialog, remembering
// the last chosen file so that each showing starts there. One Qt dialog serves every
// showing for the life of this object.
#pragma once

#include <QPointer>
#include <QString>

#include <memory>

#include "open_dialog.h"

class QFileDialog;

namespace quorvex {

class FileIconProvider;

class FileDialog final : public OpenDialog {
 public:
  FileDialog();
  ~FileDialog() override;
  FileDialog(FileDialog&&) noexcept;
  FileDialog& operator=(FileDialog&&) = delete;

  QString FileName() const override { return fileName_; }
  void SetFileName(const QString& fileName) override { fileName_ = fileName; }

  int Flags() const override { return flags_; }
  void SetFlags(int flags) override { flags_ = flags; }

  void ShowOpen(QWidget* parent) override;

  QString FileTitle() const override { return fileTitle_; }

 private:
  QFileDialog& DialogOver(QWidget* parent);

  QString fileName_;
  QString fileTitle_;
  int flags_ = 0;
  // Outlives the dialog, which only borrows it.
  std::unique_ptr<FileIconProvider> iconProvider_;
  // Made at the first showing. Held by QPointer: as a child of its parent it goes away
  // with the parent, should that die first.
  QPointer<QFileDialog> dialog_;
};

}  // namespace quorvex
