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

#include "file_dialog.h"
#include "form_metrics.h"
#include "initial_file_name.h"
#include "message_box.h"
#include "messages.h"
#include "native_path.h"
#include "open_command.h"
#include "qt_text.h"
#include "show_file.h"
#include "texts.h"
#include "window_focus.h"

namespace quorvex {
namespace {

// Where Courier New is missing, its metric twins keep the rows as wide as on Windows,
// then faces nearly every Linux system has. Named in order, since left to fontconfig the
// type-writer hint goes by the interface's language (FC_LANG=zh-cn) and can pick a
// Chinese face, in which the stand-in □ is not as wide as the Latin letters.
QFont DisplayFont() {
  QFont font;
  font.setFamilies({QtText(kDisplayFontFace), QStringLiteral("Liberation Mono"), QStringLiteral("Cousine"),
                    QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Noto Sans Mono")});
  font.setPointSizeF(kDisplayFontCentipoints / 100.0);
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
  resize(kInitialClientWidthPixels, kInitialClientHeightPixels + menuBar()->sizeHint().height());
  Load();
}

HexDumpForm::~HexDumpForm() = default;

void HexDumpForm::CreateDisplay() {
  rchDisplay_ = new QPlainTextEdit(this);
  rchDisplay_->setObjectName(QStringLiteral("rchDisplay"));
  rchDisplay_->setAccessibleName(QtText(texts::kDisplayName));
  rchDisplay_->setReadOnly(true);
  rchDisplay_->setUndoRedoEnabled(false);
  rchDisplay_->setLineWrapMode(QPlainTextEdit::NoWrap);
  rchDisplay_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  rchDisplay_->setFont(DisplayFont());
  setCentralWidget(rchDisplay_);
  // Whatever gives the window the focus, after a box or the dialog, gives it the display.
  setFocusProxy(rchDisplay_);
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
  if (!event->spontaneous()) GiveKeysTo(this);
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
  RunShowFile(QDir::toNativeSeparators(path).toStdU16String(), title.toStdU16String(), {
      .clearDisplay = [this] { rchDisplay_->clear(); },
      // A "[*]" in the caption (a file named "*", say) is doubled, or Qt would take it
      // for the unsaved-changes mark and drop it.
      .setCaption = [this](const std::u16string& caption) {
        setWindowTitle(QtText(caption).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")));
      },
      .paint = [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); },
      .readFile = [&path] { return ReadWholeFile(NativePath(path)); },
      // The display takes a plain line feed as a row's end.
      .showText = [this](const std::u16string& text) {
        rchDisplay_->setPlainText(QtText(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        rchDisplay_->verticalScrollBar()->setValue(0);
        rchDisplay_->horizontalScrollBar()->setValue(0);
      },
      .reportFailure = [this](const std::u16string& text) {
        ShowMessageBox(this, QMessageBox::Warning, QtText(texts::kAppName), QtText(text));
      },
  });
}

}  // namespace quorvex
