// DLLs from System32 alone: a DLL put beside quorvex.exe (in Downloads, say) or in the
// current folder must never be run.
#pragma once

#include <string_view>

#include "newer_windows_functions.h"
#include "windows_api.h"

namespace quorvex {

// Limits where the process looks for the DLLs loaded later by name (the Open dialog's,
// for example): to System32 where Windows has SetDefaultDllDirectories. Elsewhere only
// the current folder is taken out; the program's folder stays first in that search.
void LimitDllSearch(const NewerWindowsFunctions& newer);

// Loads name, one of Windows' own DLLs, from System32 by its full path, its own imports
// from System32 too. Null, with the error for GetLastError, where it cannot be loaded.
HMODULE LoadSystemLibrary(std::wstring_view name, const NewerWindowsFunctions& newer);

}  // namespace quorvex
