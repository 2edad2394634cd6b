// Quorvex on Windows: a hex-dump viewer. One window; the program ends when it is closed.
#include "hex_dump_form.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  quorvex::HexDumpForm form(instance, true);
  ShowWindow(form.Handle(), showCommand);
  UpdateWindow(form.Handle());
  return quorvex::RunMessageLoop(form);
}
