// The input method while the Open dialog's name box shows its completion list. Qt hands
// the keyboard to the list as it opens: the list's window becomes the focus window and
// the list the focus object. The list takes no input method, so the input method lets
// every key past unread and pinyin lands in the box as plain letters ("w嗯间.bin"); an
// input method that keeps a state for each window (fcitx5) would find the list's window
// in a state of its own as well.
#pragma once

#include <QObject>
#include <QPointer>

class QLineEdit;
class QWidget;

namespace quorvex {

// Watches the completion list of nameBox, for as long as the list lives:
// - where the window system lets it (X), the list gives the keyboard back to the dialog's
//   window once it is shown, so the input method carries on in the dialog's window as it
//   was; Qt still hands the list the keys that are its own (Up, Down, Return, Escape);
// - where it cannot (Wayland), the list answers the input method as the name box would,
//   and what the input method sends goes to the name box.
class CompletionInputMethod final : public QObject {
 public:
  explicit CompletionInputMethod(QLineEdit& nameBox);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QLineEdit> nameBox_;
  QWidget* list_;
};

}  // namespace quorvex
