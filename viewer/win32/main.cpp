// Quorvex on Windows: a hex-dump viewer. One window; the program ends when it is closed.
#include <exception>

#include "hex_dump_form.h"
#include "messages.h"
#include "texts.h"

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
    MessageBoxW(nullptr, quorvex::Wide(quorvex::StartupFailureText(error)).c_str(),
                quorvex::Wide(quorvex::texts::kAppName).c_str(), MB_OK | MB_ICONERROR);
    return 1;
  }
}
