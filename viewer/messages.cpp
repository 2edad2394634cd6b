#include "messages.h"

#include "dump.h"
#include "texts.h"
#include "utf16.h"

namespace quorvex {

namespace {
constexpr std::u16string_view kLineBreak = u"\r\n";
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
  text += texts::kShowFailedMiddle;
  text += DecimalText(number);
  text += texts::kShowFailedNumberEnd;
  text += description;
  if (number == kOverflow || number == kOutOfRange) {
    text += kLineBreak;
    text += texts::kSizeLimit;
  }
  return text;
}

std::u16string StartupFailureText(int number, std::u16string_view description) {
  std::u16string text(texts::kStartupFailed);
  text += kLineBreak;
  text += texts::kErrorNumberBefore;
  text += DecimalText(number);
  text += texts::kShowFailedNumberEnd;
  text += description;
  return text;
}

}  // namespace quorvex
