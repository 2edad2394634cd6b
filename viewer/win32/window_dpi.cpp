#include "window_dpi.h"

#include "owned_handles.h"

namespace quorvex {

namespace {

constexpr int kEffectiveDpi = 0;

void ReleaseScreen(HDC screen) { ReleaseDC(nullptr, screen); }

}  // namespace

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

}  // namespace quorvex
