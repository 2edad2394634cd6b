// A stand-in for the Open dialog: each ShowOpen runs the test's script, which may
// choose a file or raise a failure as the real dialog would.
#pragma once

#include <QFileInfo>
#include <QString>

#include <functional>

#include "open_dialog.h"

namespace quorvex::testing {

class FakeOpenDialog final : public OpenDialog {
 public:
  QString FileName() const override { return fileName; }
  void SetFileName(const QString& name) override { fileName = name; }
  int Flags() const override { return flags; }
  void SetFlags(int value) override { flags = value; }
  QString FileTitle() const override { return fileTitle; }

  void ShowOpen(QWidget*) override {
    ++shows;
    flagsWhenShown = flags;
    if (onShowOpen) onShowOpen();
  }

  void Choose(const QString& path) {
    fileName = path;
    fileTitle = QFileInfo(path).fileName();
  }

  QString fileName;
  QString fileTitle;
  int flags = 0;
  int shows = 0;
  int flagsWhenShown = 0;
  std::function<void()> onShowOpen;
};

}  // namespace quorvex::testing
