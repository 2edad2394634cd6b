#include "messages.h"

#include "texts.h"
#include "utf16.h"

namespace quorvex {

namespace {
constexpr std::u16string_view kLineBreak = u"\r\n";

// A line break, then "错误 53：文件未找到".
void AppendFailure(std::u16string& text, const Failure& failure) {
  text += kLineBreak;
  text += texts::kErrorNumberBefore;
  text += DecimalText(failure.Number());
  text += texts::kErrorNumberEnd;
  text += Utf16FromUtf8(failure.Description());
}

}  // namespace

std::u16string AboutText() {
  std::u16string text(texts::kWebsiteLabel);
  text += texts::kMakerName;
  text += u' ';
  text += texts::kMakerWebsite;
  text += kLineBreak;
  text += texts::kEmailLabel;
  text += texts::kMakerEmail;
  return text;
}

std::u16string DialogErrorText(int number, std::u16string_view description) {
  std::u16string text(texts::kDialogErrorBefore);
  // The sign's place holds a blank for zero and positive numbers.
  if (number >= 0) text += u' ';
  text += DecimalText(number);
  text += texts::kDialogErrorAfter;
  text += kLineBreak;
  text += description;
  return text;
}

std::u16string ShowFailureText(std::u16string_view path, const Failure& failure) {
  std::u16string text(texts::kShowFailedBefore);
  text += path;
  text += texts::kShowFailedAfter;
  AppendFailure(text, failure);
  if (failure.Number() == kOverflow || failure.Number() == kOutOfRange) {
    text += kLineBreak;
    text += texts::kSizeLimit;
  }
  return text;
}

std::u16string StartupFailureText(const std::exception& error) {
  std::u16string text(texts::kStartupFailed);
  if (const auto* failure = dynamic_cast<const Failure*>(&error)) {
    AppendFailure(text, *failure);
  } else {
    text += kLineBreak;
    text += Utf16FromUtf8(error.what());
  }
  return text;
}

}  // namespace quorvex
