#include "window_test_support.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace quorvex::testing {

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
  auto* box = dialog.findChild<QLineEdit*>(u"fileNameEdit"_qs);
  if (box == nullptr) throw std::runtime_error("the file dialog has no name box");
  return *box;
}

QPushButton& DialogButton(QFileDialog& dialog, QDialogButtonBox::StandardButton which) {
  auto* buttons = dialog.findChild<QDialogButtonBox*>(u"buttonBox"_qs);
  QPushButton* button = buttons != nullptr ? buttons->button(which) : nullptr;
  if (button == nullptr) throw std::runtime_error("the file dialog lacks a button");
  return *button;
}

static bool WholeOnScreen(const QMessageBox& box) {
  const auto* label = box.findChild<QLabel*>(u"qt_msgbox_label"_qs);
  if (label == nullptr) return false;
  const QSize needed = label->wordWrap() ? QSize(label->minimumSizeHint().width(), label->heightForWidth(label->width()))
                                         : label->sizeHint();
  return box.frameGeometry().width() <= box.screen()->availableGeometry().width() &&
         label->width() >= needed.width() && label->height() >= needed.height();
}

Answers AnswerAll(const std::function<void()>& action, const QString& name) {
  Answers answers;
  AnswerModals(action, [&](QWidget& modal) {
    if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
      QAbstractButton* ok = box->button(QMessageBox::Ok);
      answers.boxes.push_back({box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                               box->buttons().size(), box->textFormat(), ok != nullptr ? ok->text() : QString(),
                               WholeOnScreen(*box)});
      ok != nullptr ? ok->click() : box->reject();
    } else if (auto* dialog = qobject_cast<QFileDialog*>(&modal); dialog != nullptr && !answers.dialog) {
      answers.dialog = StartOf(*dialog);
      name.isEmpty() ? dialog->reject() : TypeAndOpen(*dialog, name);
    }
  });
  return answers;
}

}  // namespace quorvex::testing
