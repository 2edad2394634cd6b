#include "windows_long_paths.h"

#include <windows.h>

namespace quorvex {

namespace {

bool StartsWith(std::wstring_view text, std::wstring_view start) { return text.substr(0, start.size()) == start; }

std::wstring FullPath(const std::wstring& path) {
  // The size asked for includes the terminator; the length written does not.
  std::wstring full(GetFullPathNameW(path.c_str(), 0, nullptr, nullptr), L'\0');
  if (full.empty()) return {};
  const DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  full.resize(length < full.size() ? length : 0);
  return full;
}

}  // namespace

std::wstring LongPathForm(std::wstring_view path) {
  std::wstring given(path);
  if (StartsWith(path, L"\\\\?\\") || StartsWith(path, L"\\\\.\\") || StartsWith(path, L"\\??\\")) return given;
  std::wstring full = FullPath(given);
  if (full.empty() || (given.size() < MAX_PATH && full.size() < MAX_PATH)) return given;
  if (StartsWith(full, L"\\\\?\\") || StartsWith(full, L"\\\\.\\")) return full;  // a device, such as \\.\NUL
  if (StartsWith(full, L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  if (full.size() >= 3 && full[1] == L':' && full[2] == L'\\') return L"\\\\?\\" + full;
  return given;
}

}  // namespace quorvex
