// The calls of Windows versions after 7 SP1 that Quorvex uses where they exist. They are
// looked up while the program runs, never imported: Windows refuses to start a program
// that imports a function it lacks, before the program can say anything.
#pragma once

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

}  // namespace quorvex
