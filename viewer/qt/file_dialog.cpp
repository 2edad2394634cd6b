#include "file_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>
#include <QScopeGuard>

#include "dump.h"
#include "texts.h"
#include "utf16.h"

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
// folder only, and is never offered as a name to choose.
StartPoint StartFrom(const QString& fileName) {
  if (fileName.isEmpty()) return {};
  const QFileInfo file(QDir::fromNativeSeparators(fileName));
  if (HasWildcard(file.fileName())) return {file.path(), QString()};
  return {file.path(), file.filePath()};
}

}  // namespace

void FileDialog::ShowOpen(QWidget* parent) {
  // Held by QPointer: the dialog is a child of parent, which could go away while the
  // modal loop runs and take the dialog with it.
  QPointer<QFileDialog> dialog = new QFileDialog(parent);
  const auto release = qScopeGuard([&dialog] { delete dialog; });

  // The hide-read-only and long-name flags need nothing here: Qt's dialogs have no
  // read-only check box and always use long names.
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->setFileMode((flags_ & kFileMustExist) != 0 ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  // "*", not "*.*": on Linux "*.*" would hide every file whose name has no dot.
  dialog->setNameFilter(QStringLiteral("*"));

  const StartPoint start = StartFrom(fileName_);
  if (!start.folder.isEmpty()) dialog->setDirectory(start.folder);
  if (!start.selection.isEmpty()) dialog->selectFile(start.selection);

  const bool chosen = dialog->exec() == QDialog::Accepted && dialog &&
                      !dialog->selectedFiles().isEmpty();
  if (!chosen) throw Failure(kCancelled, Utf8FromUtf16(texts::kFileChoiceCancelled));

  const QString path = dialog->selectedFiles().constFirst();
  fileName_ = QDir::toNativeSeparators(path);
  fileTitle_ = QFileInfo(path).fileName();
}

}  // namespace quorvex
