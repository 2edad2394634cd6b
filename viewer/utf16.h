// The engine's UTF-8 failure descriptions and numbers as the windows' UTF-16 texts.
#pragma once

#include <string>
#include <string_view>

namespace quorvex {

// Malformed input (a stray continuation byte, a cut-off sequence, a lone surrogate)
// becomes U+FFFD rather than being dropped or read past.
std::u16string Utf16FromUtf8(std::string_view utf8);

// The decimal text of number, with "-" for a negative one.
std::u16string DecimalText(long long number);

}  // namespace quorvex
