// Tests never wait for a person: these run an action and answer the modal windows it
// opens, recording what they showed.
#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace quorvex::testing {

struct SeenMessageBox {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
  int buttonCount = 0;
  Qt::TextFormat textFormat = Qt::AutoText;
};

// Runs action; every message box it opens is recorded and closed with its OK button.
std::vector<SeenMessageBox> AnswerMessageBoxes(const std::function<void()>& action);

struct SeenFileDialog {
  QString folder;    // the folder the dialog opened in
  QString nameBox;   // the file name box's text when it opened
};

// Runs action and answers the file dialog it opens: types name into the name box and
// presses Open, or cancels when name is empty. Message boxes met on the way are
// answered too and added to boxes when it is given.
std::optional<SeenFileDialog> AnswerFileDialog(const std::function<void()>& action,
                                               const std::optional<QString>& name,
                                               std::vector<SeenMessageBox>* boxes = nullptr);

}  // namespace quorvex::testing
