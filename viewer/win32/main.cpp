// Quorvex on Windows: a hex-dump viewer. One window; the program ends when it is closed.
#include <exception>
#include <string>

#include "dump.h"
#include "hex_dump_form.h"
#include "texts.h"
#include "utf16.h"

namespace {

// "Quorvex 无法启动。", then what failed: its number and description for a Failure.
std::wstring StartupFailureText(const std::exception& error) {
  std::u16string text = u"Quorvex 无法启动。\r\n";
  if (const auto* failure = dynamic_cast<const quorvex::Failure*>(&error)) {
    text += u"错误 " + quorvex::DecimalText(failure->Number()) + u"：" + quorvex::Utf16FromUtf8(failure->Description());
  } else {
    text += quorvex::Utf16FromUtf8(error.what());
  }
  return quorvex::Wide(text);
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
    MessageBoxW(nullptr, StartupFailureText(error).c_str(), quorvex::Wide(quorvex::texts::kAppName).c_str(),
                MB_OK | MB_ICONERROR);
    return 1;
  }
}
