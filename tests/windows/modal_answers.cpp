#include "modal_answers.h"

#include <dlgs.h>

#include <atomic>
#include <mutex>
#include <thread>

namespace quorvex::testing {

namespace {

constexpr int kMessageBoxTextId = 0xFFFF;

std::wstring TextOf(HWND window) {
  wchar_t text[4096] = {};
  GetWindowTextW(window, text, 4096);
  return text;
}

// The visible dialogs (#32770) of a thread.
std::vector<HWND> DialogsOf(DWORD thread) {
  std::vector<HWND> found;
  EnumThreadWindows(
      thread,
      [](HWND window, LPARAM list) {
        wchar_t className[64] = {};
        GetClassNameW(window, className, 64);
        if (IsWindowVisible(window) && std::wstring(className) == L"#32770") {
          reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND NameBox(HWND dialog) {
  if (HWND combo = GetDlgItem(dialog, cmb13); combo != nullptr) return combo;
  return GetDlgItem(dialog, edt1);
}

struct ChildScan {
  BoxIcon icon = BoxIcon::kNone;
  int buttons = 0;
};

ChildScan ScanBox(HWND box) {
  ChildScan scan;
  EnumChildWindows(
      box,
      [](HWND child, LPARAM data) {
        auto& result = *reinterpret_cast<ChildScan*>(data);
        wchar_t className[32] = {};
        GetClassNameW(child, className, 32);
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if (!IsWindowVisible(child)) return TRUE;
        if (_wcsicmp(className, L"Button") == 0) ++result.buttons;
        if (_wcsicmp(className, L"Static") == 0 && (style & SS_TYPEMASK) == SS_ICON) {
          const auto icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
          if (icon == nullptr) return TRUE;
          if (icon == LoadIconW(nullptr, IDI_INFORMATION)) result.icon = BoxIcon::kInformation;
          else if (icon == LoadIconW(nullptr, IDI_WARNING)) result.icon = BoxIcon::kWarning;
          else result.icon = BoxIcon::kOther;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&scan));
  return scan;
}

}  // namespace

Answers AnswerAll(const std::function<void()>& action, const std::wstring& fileName,
                  std::chrono::milliseconds deadline) {
  Answers answers;
  std::mutex guard;
  std::atomic<bool> finished{false};
  const DWORD uiThread = GetCurrentThreadId();
  const auto giveUp = std::chrono::steady_clock::now() + deadline;

  std::thread watcher([&] {
    while (!finished) {
      for (HWND window : DialogsOf(uiThread)) {
        if (std::chrono::steady_clock::now() > giveUp) {
          std::lock_guard lock(guard);
          answers.timedOut = true;
          PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
          continue;
        }
        if (HWND name = NameBox(window); name != nullptr) {
          // Let the dialog fill its list and name box before answering.
          std::this_thread::sleep_for(std::chrono::milliseconds(300));
          {
            std::lock_guard lock(guard);
            if (answers.dialogs++ == 0) answers.dialogName = TextOf(name);
          }
          if (fileName.empty()) {
            PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
          } else {
            SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(fileName.c_str()));
            PostMessageW(window, WM_COMMAND, IDOK, 0);
          }
        } else if (HWND text = GetDlgItem(window, kMessageBoxTextId); text != nullptr) {
          const ChildScan scan = ScanBox(window);
          {
            std::lock_guard lock(guard);
            answers.boxes.push_back({TextOf(window), TextOf(text), scan.icon, scan.buttons});
          }
          PostMessageW(window, WM_COMMAND, IDOK, 0);
        } else {
          continue;
        }
        // One answer per window: wait until it has gone.
        while (IsWindow(window) && IsWindowVisible(window) && std::chrono::steady_clock::now() < giveUp) {
          std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
  });
  action();
  finished = true;
  watcher.join();
  return answers;
}

}  // namespace quorvex::testing
