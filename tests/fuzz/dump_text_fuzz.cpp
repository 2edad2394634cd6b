// Feeds arbitrary bytes to DumpText and checks every text against the row rules:
// ceil(n / 8) rows ending in CR LF, 44 characters for a full row and 36 plus the
// bytes present for the last, the position field, and a hex cell per byte.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "dump.h"

namespace {

void Check(bool condition, const char* rule) {
  if (!condition) {
    static_cast<void>(std::fprintf(stderr, "DumpText broke a rule: %s\n", rule));
    std::abort();
  }
}

std::u16string Wide(const char* text) { return {text, text + std::char_traits<char>::length(text)}; }

// A row's position field and a byte's hex cell, as printf writes them.
std::u16string PositionField(unsigned position) {
  char text[16];
  static_cast<void>(std::snprintf(text, sizeof text, "%6u: ", position));
  return Wide(text);
}
std::u16string HexCell(unsigned byte) {
  char text[8];
  static_cast<void>(std::snprintf(text, sizeof text, "%2X ", byte));
  return Wide(text);
}

void CheckDump(const std::uint8_t* data, std::size_t n, const std::u16string& text) {
  const std::size_t rows = (n + 7) / 8;
  Check(text.size() == rows * 38 + n, "text length");
  std::size_t at = 0;
  for (std::size_t r = 0; r < rows; ++r) {
    const std::size_t first = r * 8;
    const std::size_t count = n - first < 8 ? n - first : 8;
    const std::size_t width = 36 + count;
    Check(text.compare(at, 8, PositionField(static_cast<unsigned>(first + 1))) == 0, "position field");
    for (std::size_t j = 0; j < 8; ++j) {
      const auto cell = j < count ? HexCell(data[first + j]) : std::u16string(u"   ");
      Check(text.compare(at + 8 + 3 * j, 3, cell) == 0, "hex cell");
    }
    Check(text.compare(at + 32, 4, u"    ") == 0, "gap");
    for (std::size_t j = 0; j < count; ++j) {
      const std::uint8_t byte = data[first + j];
      const char16_t shown = text[at + 36 + j];
      if (byte < 0x20) Check(shown == u'\u00BF', "placeholder below 32");
      else if (byte < 0x80 || byte >= 0xA0) Check(shown == byte, "character of the same code");
      else Check(shown >= 0x80 && shown != u'\r' && shown != u'\n', "Windows-1252 character");
    }
    Check(text.compare(at + width, 2, u"\r\n") == 0, "CR LF ending");
    at += width + 2;
  }
  Check(at == text.size(), "nothing after the last row");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0 || size > 32767) return -1;  // ByteBuffer itself refuses these
  const quorvex::ByteBuffer buffer(std::vector<std::uint8_t>(data, data + size));
  try {
    const std::u16string text = quorvex::DumpText(buffer);
    Check(size <= 32760, "more than 32,760 bytes must overflow");
    CheckDump(data, size, text);
  } catch (const quorvex::Failure& failure) {
    Check(size > 32760 && failure.Number() == quorvex::kOverflow, "only overflow above 32,760 bytes");
  }
  return 0;
}
