// Times the Windows window (run it under Wine on an X display, or on Windows): start-up
// from the process's creation to the window's first paint, and ShowFile of the largest
// file (32,760 bytes) from its start to the dump painted; then the peak working set.
#include "hex_dump_form.h"

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Milliseconds since this process was created, as Windows counts it.
double SinceProcessCreation() {
  FILETIME created{}, exited{}, kernel{}, user{}, now{};
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  GetSystemTimePreciseAsFileTime(&now);
  const auto ticks = [](FILETIME time) { return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime; };
  return static_cast<double>(ticks(now) - ticks(created)) / 1e4;
}

// The largest file Quorvex shows, in the temporary folder; written with the system's own
// calls, so that this program carries no more of the C++ library than quorvex.exe does
// and its start-up is timed alike. Empty when it cannot be written.
std::wstring WriteLargestFile() {
  // A buffer too short gets the length needed, its terminating null included.
  std::wstring path(MAX_PATH + 1, L'\0');
  DWORD length = GetTempPathW(static_cast<DWORD>(path.size()), path.data());
  if (length >= path.size()) {
    path.resize(length);
    length = GetTempPathW(static_cast<DWORD>(path.size()), path.data());
  }
  if (length == 0 || length >= path.size()) return {};
  path.resize(length);
  path += L"quorvex-bench-largest.bin";
  std::vector<std::uint8_t> bytes(32760);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i & 0xFF);
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  DWORD written = 0;
  const bool whole = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != 0 &&
                     written == bytes.size();
  CloseHandle(file);
  if (!whole) {
    DeleteFileW(path.c_str());
    return {};
  }
  return path;
}

void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

}  // namespace

int main() {
  quorvex::HexDumpForm form(GetModuleHandleW(nullptr), false);
  ShowWindow(form.Handle(), SW_SHOWNORMAL);
  UpdateWindow(form.Handle());  // paints the frame and the display before it returns
  const double startup = SinceProcessCreation();
  Pump();

  const std::wstring path = WriteLargestFile();
  if (path.empty()) {
    static_cast<void>(std::fputs("the 32,760-byte file could not be written in the temporary folder\n", stderr));
    return 1;
  }
  constexpr int kRuns = 21;
  std::vector<double> times;
  for (int run = 0; run < kRuns; ++run) {
    const auto start = std::chrono::steady_clock::now();
    form.ShowFile(quorvex::FromWide(path), u"largest.bin");
    UpdateWindow(form.Display());
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    Pump();
  }
  DeleteFileW(path.c_str());
  std::sort(times.begin(), times.end());

  PROCESS_MEMORY_COUNTERS memory{};
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
  std::printf("start-up to first paint:         %8.1f ms\n", startup);
  std::printf("ShowFile 32,760 bytes, painted:  %8.1f ms median, %.1f ms min, %.1f ms max (%d runs)\n",
              times[times.size() / 2], times.front(), times.back(), kRuns);
  std::printf("peak working set:                %8zu KiB\n", static_cast<std::size_t>(memory.PeakWorkingSetSize / 1024));
  return 0;
}
