// What the viewer's tests share: test files, a stand-in Open dialog, reading the window
// as its user sees it, and answering the modal windows it opens.
#pragma once

#include <QByteArray>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <optional>
#include <vector>

#include "hex_dump_form.h"
#include "open_dialog.h"

namespace quorvex::testing {

// Files in a folder of their own that goes away with the test.
class TestFiles {
 public:
  QString Folder() const { return dir_.path(); }
  QString PathOf(const QString& name) const { return dir_.filePath(name); }
  // The file's path, or an empty one if it could not be written.
  QString Write(const QString& name, const QByteArray& bytes) const;

 private:
  QTemporaryDir dir_;
};

// count bytes running through 0..255.
QByteArray CountingBytes(int count);

// What the display holds for bytes whose characters all have a width: DumpText's
// text with its rows ended by line feeds.
QString ExpectedShown(const QByteArray& bytes);

// Each ShowOpen runs the test's script, which may choose a file or raise a failure.
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

QPlainTextEdit* Display(const HexDumpForm& form);
// The display's text, rows ended by line feeds, every character as stored.
QString ShownText(const HexDumpForm& form);
// The caption as the window system shows it.
QString Caption(const HexDumpForm& form);
QAction* Action(const HexDumpForm& form, const char* name);
bool ShowAndWait(HexDumpForm& form);

// Runs action and hands each modal window it opens to answer, once, when the window is
// shown and has the focus (Qt's file dialog only drops its preselection for a name
// typed with the focus in its name box). A window left unanswered past a deadline is
// closed and the test fails: a broken test never hangs.
void AnswerModals(const std::function<void()>& action, const std::function<void(QWidget&)>& answer);

struct SeenMessageBox {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
  int buttonCount = 0;
  Qt::TextFormat textFormat = Qt::AutoText;
};

// Where a file dialog started: its folder (canonical) and the text of its name box.
struct SeenFileDialog {
  QString folder;
  QString nameBox;
  bool operator==(const SeenFileDialog&) const = default;
};

QLineEdit& NameBox(QFileDialog& dialog);
QPushButton& DialogButton(QFileDialog& dialog, QDialogButtonBox::StandardButton which);
void TypeAndOpen(QFileDialog& dialog, const QString& name);
SeenFileDialog StartOf(QFileDialog& dialog);

struct Answers {
  std::vector<SeenMessageBox> boxes;
  std::optional<SeenFileDialog> dialog;
};

// Runs action and answers what it opens: message boxes with OK, recording each; the
// first file dialog by typing name and pressing Open, or by cancelling if name is empty.
Answers AnswerAll(const std::function<void()>& action, const QString& name = {});

}  // namespace quorvex::testing
