// Conversions between the engine's UTF-8 failure descriptions and the window's UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace quorvex {

// Malformed input (a stray continuation byte, a cut-off sequence, a lone surrogate)
// becomes U+FFFD rather than being dropped or read past.
std::u16string Utf16FromUtf8(std::string_view utf8);
std::string Utf8FromUtf16(std::u16string_view utf16);

// The decimal text of number, with "-" for a negative one.
std::u16string DecimalText(long long number);

}  // namespace quorvex
