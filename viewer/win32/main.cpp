// Quorvex on Windows: a hex-dump viewer. One window; the program ends when it is closed.
#include <exception>
#include <string>

#include "dump.h"
#include "hex_dump_form.h"
#include "messages.h"
#include "texts.h"
#include "utf16.h"

namespace {

// What failed: its number and description for a Failure, else what the error says.
std::wstring StartupFailureMessage(const std::exception& error) {
  using namespace quorvex;
  if (const auto* failure = dynamic_cast<const Failure*>(&error)) {
    return Wide(StartupFailureText(failure->Number(), Utf16FromUtf8(failure->Description())));
  }
  return Wide(std::u16string(texts::kStartupFailed) + u"\r\n" + Utf16FromUtf8(error.what()));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  // DLLs the system loads later (the Open dialog's, RichEdit's) come from System32
  // only, never from the program's folder or the current one.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  try {
    quorvex::HexDumpForm form(instance, true);
    ShowWindow(form.Handle(), showCommand);
    UpdateWindow(form.Handle());
    return quorvex::RunMessageLoop(form);
  } catch (const std::exception& error) {
    // Without a window there is nothing else to tell the user why nothing appears.
    MessageBoxW(nullptr, StartupFailureMessage(error).c_str(), quorvex::Wide(quorvex::texts::kAppName).c_str(),
                MB_OK | MB_ICONERROR);
    return 1;
  }
}
