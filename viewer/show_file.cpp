#include "show_file.h"

#include "caption.h"
#include "display_text.h"
#include "messages.h"

namespace quorvex {

void RunShowFile(std::u16string_view path, std::u16string_view title, const ShowFileSteps& steps) {
  steps.clearDisplay();
  steps.setCaption(FileCaption(title));
  steps.paint();
  std::u16string text;
  try {
    text = DisplayText(DumpText(steps.readFile()));
  } catch (const Failure& failure) {
    steps.reportFailure(ShowFailureText(path, failure));
    return;
  }
  steps.showText(text);
}

}  // namespace quorvex
