#include "file_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>

#include "dialog_failure.h"
#include "file_details.h"
#include "file_icon_provider.h"
#include "texts.h"

namespace quorvex {
namespace {

// Where a dialog opens: a folder, and the file to preselect in it (empty for none).
struct StartPoint {
  QString folder;
  QString selection;
};

bool HasWildcard(const QString& name) {
  return name.contains(u'*') || name.contains(u'?');
}

// A wildcard name such as "*.*" stands for "every file in this folder": it picks the
// folder only, and is never offered as a name to choose. A file may hold "*" or "?" in
// its own name, though: a name that exists is that file.
StartPoint StartFrom(const QString& fileName) {
  if (fileName.isEmpty()) return {};
  const QFileInfo file(QDir::fromNativeSeparators(fileName));
  if (HasWildcard(file.fileName()) && !file.exists()) return {file.path(), QString()};
  return {file.path(), file.filePath()};
}

}  // namespace

FileDialog::FileDialog() : iconProvider_(std::make_unique<FileIconProvider>()) {}

FileDialog::FileDialog(FileDialog&&) noexcept = default;

FileDialog::~FileDialog() { delete dialog_; }

QFileDialog& FileDialog::DialogOver(QWidget* parent) {
  if (dialog_ == nullptr) {
    dialog_ = new QFileDialog(parent);
    // Qt's own dialog everywhere, so that no platform dialog reads files to draw them
    // or keeps a list of recent files.
    dialog_->setOption(QFileDialog::DontUseNativeDialog);
    dialog_->setIconProvider(iconProvider_.get());
    dialog_->setAcceptMode(QFileDialog::AcceptOpen);
    // "*", not "*.*": on Linux "*.*" would hide every file whose name has no dot.
    dialog_->setNameFilter(QStringLiteral("*"));
    ShowDetailsInChinese(*dialog_);
  } else if (dialog_->parentWidget() != parent) {
    dialog_->setParent(parent, dialog_->windowFlags());
  }
  return *dialog_;
}

void FileDialog::ShowOpen(QWidget* parent) {
  QFileDialog& dialog = DialogOver(parent);
  // The hide-read-only and long-name flags need nothing here: Qt's dialogs have no
  // read-only check box and always use long names.
  dialog.setFileMode((flags_ & kFileMustExistFlag) != 0 ? QFileDialog::ExistingFile
                                                    : QFileDialog::AnyFile);

  // Whatever was typed or chosen in an earlier showing goes.
  const StartPoint start = StartFrom(fileName_);
  if (!start.folder.isEmpty()) dialog.setDirectory(start.folder);
  if (auto* nameBox = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) nameBox->clear();
  if (!start.selection.isEmpty()) dialog.selectFile(start.selection);

  // Watched: the dialog is a child of parent, which could go away while the modal loop
  // runs and take the dialog with it.
  QPointer<QFileDialog> shown = &dialog;
  const bool chosen = dialog.exec() == QDialog::Accepted && shown &&
                      !shown->selectedFiles().isEmpty();
  // A dialog that is hidden, not destroyed, leaves the activation where it was; with no
  // window manager to hand it back, the window would stay deaf to keys.
  if (parent != nullptr) parent->activateWindow();
  if (!chosen) throw DialogFailure(kDialogCancelled, std::u16string(texts::kFileChoiceCancelled));

  const QString path = shown->selectedFiles().constFirst();
  fileName_ = QDir::toNativeSeparators(path);
  fileTitle_ = QFileInfo(path).fileName();
}

}  // namespace quorvex
