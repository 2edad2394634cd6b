// The DPI a window is drawn at, on every Windows from 7 SP1 on.
#pragma once

#include "newer_windows_functions.h"
#include "windows_api.h"

namespace quorvex {

// The window's own DPI where Windows tells it (10 version 1607 on), else its monitor's
// (8.1 on), else the system's, which is every window's on Windows 7 and 8.
UINT WindowDpi(HWND window, const NewerWindowsFunctions& newer);

}  // namespace quorvex
