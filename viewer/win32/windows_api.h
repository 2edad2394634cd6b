// The Windows headers as the Windows window includes them, and the conversions
// between the shared layer's UTF-16 and the wide-character calls.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace quorvex {

// wchar_t is UTF-16 on Windows; copied unit by unit, so no aliasing is needed.
inline std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }
inline std::u16string FromWide(std::wstring_view text) { return std::u16string(text.begin(), text.end()); }

}  // namespace quorvex
