#include "windows_versions.h"

#include <string>

#include "owned_handles.h"

namespace quorvex {

namespace {

constexpr int kEffectiveDpi = 0;

template <typename Function>
Function Find(HMODULE module, const char* name) {
  if (module == nullptr) return nullptr;
  // Through void (*)(), the one function type the compiler lets become any other.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

std::wstring SystemFolder() {
  std::wstring folder(MAX_PATH, L'\0');
  const UINT length = GetSystemDirectoryW(folder.data(), MAX_PATH);
  folder.resize(length < MAX_PATH ? length : 0);
  return folder;
}

void ReleaseScreen(HDC screen) { ReleaseDC(nullptr, screen); }

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

UINT WindowDpi(HWND window, const NewerWindowsFunctions& newer) {
  if (newer.getDpiForWindow != nullptr) return newer.getDpiForWindow(window);
  UINT x = 0, y = 0;
  if (newer.getDpiForMonitor != nullptr &&
      SUCCEEDED(newer.getDpiForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x, &y))) {
    return y;
  }
  const Owned<HDC, ReleaseScreen> screen(GetDC(nullptr));
  return static_cast<UINT>(GetDeviceCaps(screen.get(), LOGPIXELSY));
}

void LimitDllSearch(const NewerWindowsFunctions& newer) {
  if (newer.setDefaultDllDirectories == nullptr || !newer.setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
    SetDllDirectoryW(L"");
  }
}

HMODULE LoadSystemLibrary(std::wstring_view name, const NewerWindowsFunctions& newer) {
  const std::wstring path = SystemFolder() + L'\\' + std::wstring(name);
  // The search flags came with SetDefaultDllDirectories (error 87 where it is missing).
  // Without them, the altered search order looks in the DLL's own folder, System32,
  // first, and never in the program's.
  const DWORD flags =
      newer.setDefaultDllDirectories != nullptr ? LOAD_LIBRARY_SEARCH_SYSTEM32 : LOAD_WITH_ALTERED_SEARCH_PATH;
  return LoadLibraryExW(path.c_str(), nullptr, flags);
}

}  // namespace quorvex
