// What the viewer's tests share: test files, a stand-in Open dialog, reading the window
// as its user sees it, and answering the modal windows it opens.
#pragma once

#include <QByteArray>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <functional>
#include <optional>
#include <vector>

#include "dump_test_support.h"
#include "hex_dump_form.h"
#include "native_path.h"
#include "open_dialog.h"
#include "shown_dump.h"

namespace quorvex::testing {

using test::CountingBytes;
using test::ShownDump;

// The engine tests' temporary folder, with the paths the window takes.
class TestFiles {
 public:
  QString Folder() const { return QtPath(dir_.Path()); }
  QString PathOf(const QString& name) const { return QtPath(dir_.Path() / NativePath(name)); }
  QString Write(const QString& name, const QByteArray& bytes) const {
    return QtPath(dir_.Write(NativePath(name), bytes));
  }
  // A file whose name is those bytes, UTF-8 or not.
  void WriteNamed(const std::string& name, const QByteArray& bytes) const { dir_.Write(name, bytes); }

 private:
  static QString QtPath(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
  }
  test::TempDir dir_;
};

// Each ShowOpen runs the test's script, which may choose a file or raise a failure.
struct FakeOpenDialog final : OpenDialog {
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

  QString fileName, fileTitle;
  int flags = 0, shows = 0, flagsWhenShown = 0;
  std::function<void()> onShowOpen;
};

inline QPlainTextEdit* Display(const HexDumpForm& form) { return form.findChild<QPlainTextEdit*>(u"rchDisplay"_qs); }
// Every character as stored (toPlainText would turn a no-break space into a blank), its
// rows ended by CR LF as the dump's are.
inline std::u16string ShownText(const HexDumpForm& form) {
  return Display(form)->document()->toRawText().replace(QChar::ParagraphSeparator, u"\r\n"_qs).toStdU16String();
}
// The caption as the window system shows it.
inline QString Caption(const HexDumpForm& form) {
  return form.windowHandle() != nullptr ? form.windowHandle()->title() : form.windowTitle();
}
inline QAction* Action(const HexDumpForm& form, const char* name) {
  return form.findChild<QAction*>(QString::fromLatin1(name));
}
inline bool ShowAndWait(HexDumpForm& form) {
  form.show();
  return QTest::qWaitForWindowExposed(&form);
}

// Runs action and hands each modal window it opens to answer, once, when the window is
// shown and has the focus (Qt's file dialog only drops its preselection for a name
// typed with the focus in its name box). A window left unanswered past a deadline is
// closed and the test fails: a broken test never hangs.
void AnswerModals(const std::function<void()>& action, const std::function<void(QWidget&)>& answer);

QLineEdit& NameBox(QFileDialog& dialog);
QPushButton& DialogButton(QFileDialog& dialog, QDialogButtonBox::StandardButton which);
inline void TypeAndOpen(QFileDialog& dialog, const QString& name) {
  NameBox(dialog).setText(name);
  DialogButton(dialog, QDialogButtonBox::Open).click();
}

// Where a file dialog started: its folder (canonical) and the text of its name box.
struct SeenFileDialog {
  QString folder, nameBox;
  bool operator==(const SeenFileDialog&) const = default;
};
inline SeenFileDialog StartOf(QFileDialog& dialog) {
  return {QFileInfo(dialog.directory().absolutePath()).canonicalFilePath(), NameBox(dialog).text()};
}

struct SeenMessageBox {
  QString title, text;
  QMessageBox::Icon icon;
  QMessageBox::StandardButtons buttons;
  qsizetype buttonCount;
  Qt::TextFormat textFormat;
  QString okText;
  // The box is no wider than the screen, and its text not cut off.
  bool wholeOnScreen;
};

struct Answers {
  std::vector<SeenMessageBox> boxes;
  std::optional<SeenFileDialog> dialog;
};

// Runs action and answers what it opens: message boxes with OK, recording each; the
// first file dialog by typing name and pressing Open, or by cancelling if name is empty.
Answers AnswerAll(const std::function<void()>& action, const QString& name = {});

}  // namespace quorvex::testing
