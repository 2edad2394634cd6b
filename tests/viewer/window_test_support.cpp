#include "window_test_support.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>

#include "dump.h"

namespace quorvex::testing {

QString TestFiles::Write(const QString& name, const QByteArray& bytes) const {
  QFile file(PathOf(name));
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return {};
  return file.fileName();
}

QByteArray CountingBytes(int count) {
  QByteArray bytes(count, '\0');
  for (int i = 0; i < count; ++i) bytes[i] = static_cast<char>(i & 0xFF);
  return bytes;
}

QString ExpectedShown(const QByteArray& bytes) {
  const ByteBuffer buffer(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  return QString::fromStdU16String(DumpText(buffer)).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QPlainTextEdit* Display(const HexDumpForm& form) { return form.findChild<QPlainTextEdit*>(QStringLiteral("rchDisplay")); }

QString ShownText(const HexDumpForm& form) {
  // toPlainText would turn a no-break space into a blank.
  return Display(form)->document()->toRawText().replace(QChar::ParagraphSeparator, QChar(u'\n'));
}

QString Caption(const HexDumpForm& form) {
  return form.windowHandle() != nullptr ? form.windowHandle()->title() : form.windowTitle();
}

QAction* Action(const HexDumpForm& form, const char* name) { return form.findChild<QAction*>(QString::fromLatin1(name)); }

bool ShowAndWait(HexDumpForm& form) {
  form.show();
  return QTest::qWaitForWindowExposed(&form);
}

void AnswerModals(const std::function<void()>& action, const std::function<void(QWidget&)>& answer) {
  // The code under test sits in the modal window's own loop, so answers come from timers.
  std::vector<QPointer<QWidget>> answered;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible() || QApplication::activeWindow() != modal) return;
    if (std::find(answered.begin(), answered.end(), modal) != answered.end()) return;
    answered.emplace_back(modal);
    answer(*modal);
  });
  bool timedOut = false;
  QTimer watchdog;
  QObject::connect(&watchdog, &QTimer::timeout, [&] {
    watchdog.setInterval(100);
    if (QWidget* modal = QApplication::activeModalWidget()) {
      timedOut = true;
      modal->close();
    }
  });
  poll.start(5);
  watchdog.start(10000);
  action();
  EXPECT_FALSE(timedOut) << "a modal window was left unanswered";
}

QLineEdit& NameBox(QFileDialog& dialog) {
  auto* box = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  if (box == nullptr) throw std::runtime_error("the file dialog has no name box");
  return *box;
}

QPushButton& DialogButton(QFileDialog& dialog, QDialogButtonBox::StandardButton which) {
  auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
  QPushButton* button = buttons != nullptr ? buttons->button(which) : nullptr;
  if (button == nullptr) throw std::runtime_error("the file dialog lacks a button");
  return *button;
}

void TypeAndOpen(QFileDialog& dialog, const QString& name) {
  NameBox(dialog).setText(name);
  DialogButton(dialog, QDialogButtonBox::Open).click();
}

SeenFileDialog StartOf(QFileDialog& dialog) {
  return {QFileInfo(dialog.directory().absolutePath()).canonicalFilePath(), NameBox(dialog).text()};
}

Answers AnswerAll(const std::function<void()>& action, const QString& name) {
  Answers answers;
  AnswerModals(action, [&](QWidget& modal) {
    if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
      answers.boxes.push_back({box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                               static_cast<int>(box->buttons().size()), box->textFormat()});
      box->button(QMessageBox::Ok) != nullptr ? box->button(QMessageBox::Ok)->click() : box->reject();
    } else if (auto* dialog = qobject_cast<QFileDialog*>(&modal); dialog != nullptr && !answers.dialog) {
      answers.dialog = StartOf(*dialog);
      name.isEmpty() ? dialog->reject() : TypeAndOpen(*dialog, name);
    }
  });
  return answers;
}

}  // namespace quorvex::testing
