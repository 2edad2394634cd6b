// The Open dialog of the main window: the platform's standard file dialog, remembering
// the last chosen file so that each showing starts there.
#pragma once

#include <QString>

#include "open_dialog.h"

namespace quorvex {

class FileDialog final : public OpenDialog {
 public:
  FileDialog() = default;

  QString FileName() const override { return fileName_; }
  void SetFileName(const QString& fileName) override { fileName_ = fileName; }

  int Flags() const override { return flags_; }
  void SetFlags(int flags) override { flags_ = flags; }

  void ShowOpen(QWidget* parent) override;

  QString FileTitle() const override { return fileTitle_; }

 private:
  QString fileName_;
  QString fileTitle_;
  int flags_ = 0;
};

}  // namespace quorvex
