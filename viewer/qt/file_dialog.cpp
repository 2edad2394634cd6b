#include "file_dialog.h"

#include <QApplication>
#include <QCompleter>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>

#include "completion_input_method.h"
#include "file_details.h"
#include "file_icon_provider.h"
#include "open_command.h"
#include "texts.h"
#include "unlisted_entries.h"
#include "window_focus.h"

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
  QFileDialog* const kept = dialog_;  // looked at once: GCC sees a null in every look
  if (kept == nullptr) {
    auto* dialog = new AnyNameFileDialog(parent);
    dialog_ = dialog;
    // Qt's own dialog everywhere, so that no platform dialog reads files to draw them
    // or keeps a list of recent files.
    dialog_->setOption(QFileDialog::DontUseNativeDialog);
    dialog_->setIconProvider(iconProvider_.get());
    dialog_->setAcceptMode(QFileDialog::AcceptOpen);
    // "*", not "*.*": on Linux "*.*" would hide every file whose name has no dot.
    dialog_->setNameFilter(QStringLiteral("*"));
    ShowDetailsInChinese(*dialog_);
    dialog->FollowUnlistedEntries();
    auto* nameBox = dialog_->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    // Owned by the completion list it watches.
    if (nameBox != nullptr && nameBox->completer() != nullptr) new CompletionInputMethod(*nameBox);
  } else if (kept->parentWidget() != parent) {
    kept->setParent(parent, kept->windowFlags());
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
  // Watched, as the dialog is below: it is used again after the modal loop.
  const QPointer<QLineEdit> nameBox = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  if (nameBox != nullptr) nameBox->clear();
  if (!start.selection.isEmpty()) dialog.selectFile(start.selection);
  // Selected, so that a name the user types replaces it rather than adding to it, and
  // selected again each time the dialog sets it anew (once its folder has been read),
  // which drops a selection, until the user edits it. Not left for the focus to come:
  // in a Wayland session keys reach the dialog before Qt knows it is active.
  QMetaObject::Connection reselect, edited;
  if (nameBox != nullptr) {
    nameBox->selectAll();
    reselect = QObject::connect(nameBox, &QLineEdit::textChanged, nameBox, [nameBox] { nameBox->selectAll(); });
    edited = QObject::connect(nameBox, &QLineEdit::textEdited, nameBox, [&reselect, &edited] {
      QObject::disconnect(reselect);
      QObject::disconnect(edited);
    });
  }

  // Watched: the dialog is a child of parent, which could go away while the modal loop
  // runs and take the dialog with it.
  QPointer<QFileDialog> shown = &dialog;
  QPointer<QWidget> owner = parent;
  const bool chosen = dialog.exec() == QDialog::Accepted && shown &&
                      !shown->selectedFiles().isEmpty();
  QObject::disconnect(reselect);
  QObject::disconnect(edited);
  // The dialog is hidden and kept, not destroyed: a fresh one for each showing would
  // cost about 12.5 KiB of memory for every Open. So whatever it left open, such as the
  // name box's completion list, outlives the showing unless closed here, and would take
  // every key meant for the window. A completion still waiting for its folder to be
  // read is dropped too: it would open the list later, over the hidden dialog.
  if (QCompleter* completer = nameBox != nullptr ? nameBox->completer() : nullptr) {
    completer->setCompletionPrefix(QString());
  }
  while (QWidget* popup = QApplication::activePopupWidget()) {
    if (!popup->close()) break;
  }
  // A dialog that is hidden, not destroyed, leaves the activation where it was; with no
  // window manager to hand it back, the window would stay deaf to keys. And a warning
  // box about the chosen file must not open before the window is active again.
  ReturnKeysTo(owner);
  if (!chosen) throw DialogFailure(kDialogCancelled, std::u16string(texts::kFileChoiceCancelled));

  const QString path = shown->selectedFiles().constFirst();
  fileName_ = QDir::toNativeSeparators(path);
  fileTitle_ = QFileInfo(path).fileName();
}

}  // namespace quorvex
