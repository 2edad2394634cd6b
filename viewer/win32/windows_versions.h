// What differs between the Windows versions Quorvex runs on, 7 SP1 to 11: the calls of
// later versions, looked up while the program runs and never imported (Windows refuses
// to start a program that imports a function it lacks, before it can say anything), and
// what the window does where they are missing.
#pragma once

#include <string_view>

#include "windows_api.h"

namespace quorvex {

// Each is null where the running Windows lacks it.
struct NewerWindowsFunctions {
  // kernel32: Windows 8, and Windows 7 with update KB2533623.
  BOOL(WINAPI* setDefaultDllDirectories)(DWORD directories) = nullptr;
  // user32: Windows 10 version 1607.
  UINT(WINAPI* getDpiForWindow)(HWND window) = nullptr;
  // shcore: Windows 8.1. A dpiType of 0 asks for the effective DPI.
  HRESULT(WINAPI* getDpiForMonitor)(HMONITOR monitor, int dpiType, UINT* dpiX, UINT* dpiY) = nullptr;
};

// The functions the running Windows has. shcore.dll is loaded from System32 on the first
// call and kept for the process's life, so that the function taken from it stays valid.
NewerWindowsFunctions FindNewerWindowsFunctions();

// The window's own DPI where Windows tells it (10 version 1607 on), else its monitor's
// (8.1 on), else the system's, which is every window's on Windows 7 and 8.
UINT WindowDpi(HWND window, const NewerWindowsFunctions& newer);

// DLLs from System32 alone: a DLL put beside quorvex.exe (in Downloads, say) or in the
// current folder must never be run. Limits where the process looks for the DLLs loaded
// later by name (the Open dialog's, for example): to System32 where Windows has
// SetDefaultDllDirectories; elsewhere only the current folder is taken out, and the
// program's folder stays first in that search.
void LimitDllSearch(const NewerWindowsFunctions& newer);

// Loads name, one of Windows' own DLLs, from System32 by its full path, its own imports
// from System32 too. Null, with the error for GetLastError, where it cannot be loaded.
HMODULE LoadSystemLibrary(std::wstring_view name, const NewerWindowsFunctions& newer);

}  // namespace quorvex
