#include "dll_search.h"

#include <string>

namespace quorvex {

namespace {

std::wstring SystemFolder() {
  std::wstring folder(MAX_PATH, L'\0');
  const UINT length = GetSystemDirectoryW(folder.data(), MAX_PATH);
  folder.resize(length < MAX_PATH ? length : 0);
  return folder;
}

}  // namespace

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
