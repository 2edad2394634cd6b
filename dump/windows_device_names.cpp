#include "windows_device_names.h"

#include <algorithm>

namespace quorvex {

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

wchar_t AsciiUpper(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b) {
  return std::ranges::equal(a, b, [](wchar_t x, wchar_t y) { return AsciiUpper(x) == AsciiUpper(y); });
}

bool StartsWithIgnoringCase(std::wstring_view text, std::wstring_view start) {
  return text.size() >= start.size() && EqualIgnoringCase(text.substr(0, start.size()), start);
}

// Cuts the first component off a name whose separators are already cut off its front.
std::wstring_view TakeComponent(std::wstring_view& rest) {
  const std::size_t end = std::min(rest.size(), rest.find_first_of(L"\\/"));
  const std::wstring_view component = rest.substr(0, end);
  rest.remove_prefix(end);
  while (!rest.empty() && IsSeparator(rest.front())) rest.remove_prefix(1);
  return component;
}

// \\server\pipe\... and \\server\mailslot\... reach a pipe or a mailslot on that server.
bool IsPipeOrMailslotShare(std::wstring_view server_and_share) {
  TakeComponent(server_and_share);  // the server
  const std::wstring_view share = TakeComponent(server_and_share);
  return EqualIgnoringCase(share, L"PIPE") || EqualIgnoringCase(share, L"MAILSLOT");
}

// NUL, CON, COM1, ... name a device in every folder and with any extension ("nul.txt").
bool IsReservedDeviceName(std::wstring_view path) {
  const std::size_t last_separator = path.find_last_of(L"\\/");
  std::wstring_view name = last_separator == std::wstring_view::npos ? path : path.substr(last_separator + 1);
  if (name.size() >= 2 && name[1] == L':') name.remove_prefix(2);  // C:NUL
  name = name.substr(0, std::min(name.size(), name.find_first_of(L".:")));
  while (!name.empty() && name.back() == L' ') name.remove_suffix(1);
  for (const std::wstring_view device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"}) {
    if (EqualIgnoringCase(name, device)) return true;
  }
  // COM0 to COM9 and LPT0 to LPT9, also with the superscript digits 1, 2 and 3.
  return name.size() == 4 && (StartsWithIgnoringCase(name, L"COM") || StartsWithIgnoringCase(name, L"LPT")) &&
         ((name[3] >= L'0' && name[3] <= L'9') || name[3] == L'\u00B9' || name[3] == L'\u00B2' ||
          name[3] == L'\u00B3');
}

}  // namespace

bool NamesNoDiskFile(std::wstring_view path) {
  if (path.size() >= 4 && IsSeparator(path[0]) && (path[1] == L'?' || IsSeparator(path[1])) &&
      (path[2] == L'.' || path[2] == L'?') && IsSeparator(path[3])) {
    const std::wstring_view prefix = path.substr(0, 4);
    if (prefix != L"\\\\?\\" && prefix != L"\\??\\") return true;
    // Taken literally: no reserved names here, the rest must be an ordinary file name.
    const std::wstring_view rest = path.substr(4);
    if (StartsWithIgnoringCase(rest, L"UNC\\")) return IsPipeOrMailslotShare(rest.substr(4));
    const bool drive = rest.size() >= 3 && rest[1] == L':' && rest[2] == L'\\' &&
                       AsciiUpper(rest[0]) >= L'A' && AsciiUpper(rest[0]) <= L'Z';
    // \\?\C: and \\?\Volume{...} without a folder after them are the volumes themselves.
    const bool volume_folder = StartsWithIgnoringCase(rest, L"Volume{") && rest.find(L"}\\") != rest.npos;
    return !drive && !volume_folder;
  }
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    if (IsPipeOrMailslotShare(path.substr(2))) return true;
  }
  return IsReservedDeviceName(path);
}

}  // namespace quorvex
