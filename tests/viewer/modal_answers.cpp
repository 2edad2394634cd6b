#include "modal_answers.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace quorvex::testing {
namespace {

SeenMessageBox Record(const QMessageBox& box) {
  return {box.windowTitle(), box.text(),           box.icon(), box.standardButtons(),
          static_cast<int>(box.buttons().size()), box.textFormat()};
}

// Polls for modal windows while action runs (modal loops keep timers going).
void WhileRunning(const std::function<void()>& action, const std::function<void(QWidget*)>& answer) {
  QTimer poll;
  poll.setInterval(5);
  QObject::connect(&poll, &QTimer::timeout, [&answer] {
    if (QWidget* modal = QApplication::activeModalWidget()) answer(modal);
  });
  poll.start();
  action();
  poll.stop();
}

bool AnswerIfMessageBox(QWidget* modal, std::vector<SeenMessageBox>* boxes) {
  auto* box = qobject_cast<QMessageBox*>(modal);
  if (box == nullptr || !box->isVisible()) return false;
  if (boxes != nullptr) boxes->push_back(Record(*box));
  box->button(QMessageBox::Ok) != nullptr ? box->button(QMessageBox::Ok)->click() : box->reject();
  return true;
}

}  // namespace

std::vector<SeenMessageBox> AnswerMessageBoxes(const std::function<void()>& action) {
  std::vector<SeenMessageBox> boxes;
  WhileRunning(action, [&boxes](QWidget* modal) { AnswerIfMessageBox(modal, &boxes); });
  return boxes;
}

std::optional<SeenFileDialog> AnswerFileDialog(const std::function<void()>& action,
                                               const std::optional<QString>& name,
                                               std::vector<SeenMessageBox>* boxes) {
  std::optional<SeenFileDialog> seen;
  WhileRunning(action, [&](QWidget* modal) {
    if (AnswerIfMessageBox(modal, boxes)) return;
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (dialog == nullptr || !dialog->isVisible() || seen) return;
    auto* nameBox = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    seen = SeenFileDialog{dialog->directory().absolutePath(), nameBox ? nameBox->text() : QString()};
    if (!name || name->isEmpty() || nameBox == nullptr) {
      dialog->reject();
      return;
    }
    nameBox->setText(*name);
    auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    QAbstractButton* open = buttons ? buttons->button(QDialogButtonBox::Open) : nullptr;
    if (open != nullptr) {
      open->click();
    } else {
      QMetaObject::invokeMethod(dialog, "accept");
    }
  });
  return seen;
}

}  // namespace quorvex::testing
