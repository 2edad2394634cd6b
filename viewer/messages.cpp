#include "messages.h"

#include "dump.h"
#include "texts.h"
#include "utf16.h"

namespace quorvex {

namespace {
constexpr std::u16string_view kLineBreak = u"\r\n";

// A line break, then "错误 53：文件未找到".
void AppendFailure(std::u16string& text, int number, std::u16string_view description) {
  text += kLineBreak;
  text += texts::kErrorNumberBefore;
  text += DecimalText(number);
  text += texts::kErrorNumberEnd;
  text += description;
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

std::u16string ShowFailureText(std::u16string_view path, int number, std::u16string_view description) {
  std::u16string text(texts::kShowFailedBefore);
  text += path;
  text += texts::kShowFailedAfter;
  AppendFailure(text, number, description);
  if (number == kOverflow || number == kOutOfRange) {
    text += kLineBreak;
    text += texts::kSizeLimit;
  }
  return text;
}

std::u16string StartupFailureText(int number, std::u16string_view description) {
  std::u16string text(texts::kStartupFailed);
  AppendFailure(text, number, description);
  return text;
}

}  // namespace quorvex
