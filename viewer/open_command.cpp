#include "open_command.h"

#include "dump.h"
#include "messages.h"
#include "utf16.h"

namespace quorvex {

void RunOpenCommand(const OpenCommandSteps& steps) {
  int errorNumber = 0;
  std::string errorDescription;
  try {
    steps.showOpen();
  } catch (const Failure& failure) {
    errorNumber = failure.Number();
    errorDescription = failure.Description();
  }
  if (errorNumber == kDialogCancelled) return;
  if (errorNumber != 0) steps.reportDialogError(DialogErrorText(errorNumber, Utf16FromUtf8(errorDescription)));
  steps.showChosenFile();
}

}  // namespace quorvex
