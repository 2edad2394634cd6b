// The Open command's sequence, the same in every window: show the dialog, end quietly
// on a cancel, report any other dialog failure, then show whatever file the dialog holds.
#pragma once

#include <exception>
#include <functional>
#include <string>
#include <utility>

namespace quorvex {

// The dialog's flags, in the Windows Open dialog's numbering; the command sets
// kOpenFlags before each showing.
inline constexpr int kHideReadOnlyFlag = 0x4;
inline constexpr int kFileMustExistFlag = 0x1000;
inline constexpr int kLongNamesFlag = 0x200000;
inline constexpr int kOpenFlags = kLongNamesFlag | kFileMustExistFlag | kHideReadOnlyFlag;

// How an Open dialog ends without a choice: a cancel (kDialogCancelled) or a failure of
// the dialog itself, with the dialog's own number and description. Only the Open command
// catches it.
class DialogFailure : public std::exception {
 public:
  DialogFailure(int number, std::u16string description) : number_(number), description_(std::move(description)) {}

  int Number() const noexcept { return number_; }
  const std::u16string& Description() const noexcept { return description_; }
  const char* what() const noexcept override { return "the Open dialog ended without a choice"; }

 private:
  int number_;
  std::u16string description_;
};

// The DialogFailure number an Open dialog raises when the user cancels it.
inline constexpr int kDialogCancelled = 32755;

struct OpenCommandSteps {
  // Shows the dialog; raises DialogFailure on a cancel or a failure of the dialog.
  std::function<void()> showOpen;
  // Shows the "Error N selecting file." text in a modal box.
  std::function<void(const std::u16string& text)> reportDialogError;
  // ShowFile with the dialog's file name and title, whatever they hold.
  std::function<void()> showChosenFile;
};

// A failure of the dialog is noted and dealt with once the dialog is closed; failures of
// showChosenFile pass to the caller.
void RunOpenCommand(const OpenCommandSteps& steps);

}  // namespace quorvex
