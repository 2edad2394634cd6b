#include "newer_windows_functions.h"

#include "dll_search.h"

namespace quorvex {

namespace {

template <typename Function>
Function Find(HMODULE module, const char* name) {
  if (module == nullptr) return nullptr;
  // Through void (*)(), the one function type the compiler lets become any other.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace

NewerWindowsFunctions FindNewerWindowsFunctions() {
  NewerWindowsFunctions found;
  // Both are loaded with the program, so asking for them loads nothing.
  found.setDefaultDllDirectories =
      Find<decltype(found.setDefaultDllDirectories)>(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
  found.getDpiForWindow = Find<decltype(found.getDpiForWindow)>(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
  static const HMODULE shcore = LoadSystemLibrary(L"shcore.dll", found);
  found.getDpiForMonitor = Find<decltype(found.getDpiForMonitor)>(shcore, "GetDpiForMonitor");
  return found;
}

}  // namespace quorvex
