// The Open dialog as the main window sees it. The window owns one for its whole life;
// tests give it a stand-in so that cancel and dialog errors can be driven directly.
#pragma once

#include <QString>

#include "open_command.h"

class QWidget;

namespace quorvex {

class OpenDialog {
 public:
  virtual ~OpenDialog() = default;

  // Full path of the last chosen file; before any choice, a folder plus a wildcard name.
  virtual QString FileName() const = 0;
  virtual void SetFileName(const QString& fileName) = 0;

  virtual int Flags() const = 0;
  virtual void SetFlags(int flags) = 0;

  // Shows the dialog modally over parent. On a choice, FileName and FileTitle describe
  // the chosen file; on cancel (kDialogCancelled) or error it raises DialogFailure and
  // changes nothing.
  virtual void ShowOpen(QWidget* parent) = 0;

  // The chosen file's name without its folder.
  virtual QString FileTitle() const = 0;
};

}  // namespace quorvex
