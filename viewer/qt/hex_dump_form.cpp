#include "hex_dump_form.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFont>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QShowEvent>

#include "dump.h"
#include "file_dialog.h"
#include "initial_file_name.h"
#include "message_box.h"
#include "messages.h"
#include "native_path.h"
#include "open_command.h"
#include "qt_text.h"
#include "texts.h"
#include "utf16.h"
#include "window_title.h"

namespace quorvex {
namespace {

// Courier New 8.25 pt; where it is missing, the type-writer hint picks another
// monospaced face (Liberation Mono on Debian).
QFont DisplayFont() {
  QFont font(QStringLiteral("Courier New"));
  font.setPointSizeF(8.25);
  font.setWeight(QFont::Normal);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  return font;
}

}  // namespace

HexDumpForm::HexDumpForm() : HexDumpForm(std::make_unique<FileDialog>()) {}

HexDumpForm::HexDumpForm(std::unique_ptr<OpenDialog> dialog, QWidget* parent)
    : QMainWindow(parent), dlgFile_(std::move(dialog)) {
  setObjectName(QStringLiteral("HexDumpForm"));
  setWindowTitle(QtText(texts::kAppName));
  CreateDisplay();
  CreateMenus();
  // The display is the central widget, so the window's layout keeps it filling the
  // client area at every size.
  resize(kInitialClientWidth, kInitialClientHeight + menuBar()->sizeHint().height());
  Load();
}

HexDumpForm::~HexDumpForm() = default;

void HexDumpForm::CreateDisplay() {
  rchDisplay_ = new QPlainTextEdit(this);
  rchDisplay_->setObjectName(QStringLiteral("rchDisplay"));
  rchDisplay_->setReadOnly(true);
  rchDisplay_->setUndoRedoEnabled(false);
  rchDisplay_->setLineWrapMode(QPlainTextEdit::NoWrap);
  rchDisplay_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  rchDisplay_->setFont(DisplayFont());
  setCentralWidget(rchDisplay_);
  // Whatever gives the window the focus, after a box or the dialog, gives it the display.
  setFocusProxy(rchDisplay_);
  displayText_ = std::make_unique<DisplayText>(rchDisplay_->font());
}

void HexDumpForm::CreateMenus() {
  QMenu* mnuFile = menuBar()->addMenu(QtText(texts::kFileMenu));
  mnuFile->setObjectName(QStringLiteral("mnuFile"));

  QAction* mnuFileOpen = mnuFile->addAction(QtText(texts::kFileOpen));
  mnuFileOpen->setObjectName(QStringLiteral("mnuFileOpen"));
  mnuFileOpen->setShortcut(QKeySequence::Open);
  connect(mnuFileOpen, &QAction::triggered, this, &HexDumpForm::FileOpenClick);

  QAction* mnuFileSep = mnuFile->addSeparator();
  mnuFileSep->setObjectName(QStringLiteral("mnuFileSep"));

  QAction* mnuFileExit = mnuFile->addAction(QtText(texts::kFileExit));
  mnuFileExit->setObjectName(QStringLiteral("mnuFileExit"));
  connect(mnuFileExit, &QAction::triggered, this, &QWidget::close);

  QAction* mnuAbout = menuBar()->addAction(QtText(texts::kAbout));
  mnuAbout->setObjectName(QStringLiteral("mnuAbout"));
  connect(mnuAbout, &QAction::triggered, this, &HexDumpForm::AboutClick);
}

void HexDumpForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // With no window manager, a window that is shown is not made active: it would take no
  // keys until clicked.
  if (!event->spontaneous()) ReturnKeysTo(this);
}

void HexDumpForm::Load() {
  const QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
  dlgFile_->SetFileName(QtText(InitialFileName(folder.toStdU16String(), QDir::separator().unicode())));
}

void HexDumpForm::AboutClick() {
  ShowMessageBox(this, QMessageBox::Information, QtText(texts::kAboutTitle), QtText(AboutText()));
}

void HexDumpForm::FileOpenClick() {
  dlgFile_->SetFlags(kOpenFlags);
  RunOpenCommand({
      .showOpen = [this] { dlgFile_->ShowOpen(this); },
      .reportDialogError =
          [this](const std::u16string& text) {
            ShowMessageBox(this, QMessageBox::NoIcon, QtText(texts::kAppName), QtText(text));
          },
      .showChosenFile = [this] { ShowFile(dlgFile_->FileName(), dlgFile_->FileTitle()); },
  });
}

void HexDumpForm::ShowFile(const QString& path, const QString& title) {
  rchDisplay_->clear();
  setWindowTitle(WindowTitle(title));
  // Paint the cleared display and the new caption before the read. Input waits, so
  // that a queued Ctrl+O cannot start a second Open in the middle of this one.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

  try {
    const ByteBuffer buffer = ReadWholeFile(NativePath(path));
    rchDisplay_->setPlainText(displayText_->From(DumpText(buffer)));
  } catch (const Failure& failure) {
    const std::u16string text = ShowFailureText(QDir::toNativeSeparators(path).toStdU16String(),
                                                failure.Number(), Utf16FromUtf8(failure.Description()));
    ShowMessageBox(this, QMessageBox::Warning, QtText(texts::kAppName), QtText(text));
    return;
  }
  rchDisplay_->verticalScrollBar()->setValue(0);
  rchDisplay_->horizontalScrollBar()->setValue(0);
}

}  // namespace quorvex
