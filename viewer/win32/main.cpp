// Quorvex on Windows: a hex-dump viewer. One window; the program ends when it is closed.
#include <exception>

#include "hex_dump_form.h"
#include "messages.h"
#include "texts.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  try {
    const quorvex::NewerWindowsFunctions newer = quorvex::FindNewerWindowsFunctions();
    // Where the DLLs the system loads later by name (the Open dialog's, for example)
    // come from, settled before any of them is loaded.
    quorvex::LimitDllSearch(newer);
    quorvex::HexDumpForm form(instance, true, newer);
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
