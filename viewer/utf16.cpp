#include "utf16.h"

#include <cstdint>

namespace quorvex {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf16(std::u16string& out, char32_t code) {
  if (code >= 0x10000) {
    code -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (code >> 10));
    out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
  } else {
    out += static_cast<char16_t>(code);
  }
}

bool IsSurrogate(char32_t code) { return code >= 0xD800 && code <= 0xDFFF; }

}  // namespace

std::u16string Utf16FromUtf8(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<std::uint8_t>(utf8[i++]);
    int more = 0;
    char32_t code = 0;
    char32_t least = 0;
    if (lead < 0x80) {
      out += static_cast<char16_t>(lead);
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      more = 1, code = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      more = 2, code = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      more = 3, code = lead & 0x07, least = 0x10000;
    } else {
      out += static_cast<char16_t>(kReplacement);
      continue;
    }
    int taken = 0;
    while (taken < more && i < utf8.size() && (static_cast<std::uint8_t>(utf8[i]) & 0xC0) == 0x80) {
      code = (code << 6) | (static_cast<std::uint8_t>(utf8[i++]) & 0x3F);
      ++taken;
    }
    const bool valid = taken == more && code >= least && code <= 0x10FFFF && !IsSurrogate(code);
    AppendUtf16(out, valid ? code : kReplacement);
  }
  return out;
}

std::u16string DecimalText(long long number) {
  const std::string digits = std::to_string(number);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace quorvex
