// How an Open dialog ends without a choice: a cancel (kDialogCancelled) or a failure of
// the dialog itself, with the dialog's own number and description. Only the Open command
// catches it.
#pragma once

#include <exception>
#include <string>
#include <utility>

namespace quorvex {

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

}  // namespace quorvex
