#include "open_command.h"

#include "messages.h"

namespace quorvex {

void RunOpenCommand(const OpenCommandSteps& steps) {
  int errorNumber = 0;
  std::u16string errorDescription;
  try {
    steps.showOpen();
  } catch (const DialogFailure& failure) {
    errorNumber = failure.Number();
    errorDescription = failure.Description();
  }
  if (errorNumber == kDialogCancelled) return;
  if (errorNumber != 0) steps.reportDialogError(DialogErrorText(errorNumber, errorDescription));
  steps.showChosenFile();
}

}  // namespace quorvex
