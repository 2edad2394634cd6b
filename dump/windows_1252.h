// Inside the engine: Windows-1252, one byte to one UTF-16 character.
#pragma once

#include <array>
#include <cstdint>

namespace quorvex {

// Windows-1252 agrees with ISO 8859-1 (code point = byte) everywhere except
// 0x80 to 0x9F. Its five undefined bytes there (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// become the C1 code points of the same value, as the Windows conversion does.
inline constexpr std::array<char16_t, 32> kWindows1252From80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

constexpr char16_t Windows1252Char(std::uint8_t byte) noexcept {
  if (byte >= 0x80 && byte <= 0x9F) return kWindows1252From80[byte - 0x80];
  return static_cast<char16_t>(byte);
}

}  // namespace quorvex
