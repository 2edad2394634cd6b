// DumpText: the dump's rows, built into one text sized up front. Every row is
//   "PPPPPP: " + eight 3-character hex cells + four blanks + characters + CR LF
// so a full row is 46 characters and the text is 38 per row plus 1 per byte.
#include <array>
#include <cstddef>
#include <cstring>

#include "raise.h"
#include "windows_1252.h"

namespace quorvex {

namespace {

constexpr std::size_t kBytesPerRow = 8;
constexpr std::size_t kPositionWidth = 8;  // "     1: "
constexpr std::size_t kCellWidth = 3;      // " A " or "4F "
constexpr std::size_t kCharsColumn = kPositionWidth + kBytesPerRow * kCellWidth + 4;  // 36
constexpr std::size_t kRowOverhead = kCharsColumn + 2;                               // + CR LF
constexpr std::size_t kMaxBytes = 32760;  // the last row starts at 32,753; one more overflows
constexpr char16_t kPlaceholderCode = 191;

// Each byte's hex cell padded to four characters with a blank, so that a cell is
// copied as one 8-byte block; the next cell overwrites the extra blank.
using HexCell = std::array<char16_t, 4>;

constexpr std::array<HexCell, 256> MakeHexCells() {
  constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  std::array<HexCell, 256> cells{};
  for (std::size_t b = 0; b < 256; ++b) {
    cells[b] = {b < 16 ? u' ' : kDigits[b >> 4], kDigits[b & 15], u' ', u' '};
  }
  return cells;
}

// Bytes below 32 show the placeholder, the character of code 191.
constexpr std::array<char16_t, 256> MakeShownChars() {
  std::array<char16_t, 256> chars{};
  for (std::size_t b = 0; b < 256; ++b) {
    const auto code = static_cast<std::uint8_t>(b < 32 ? kPlaceholderCode : b);
    chars[b] = Windows1252Char(code);
  }
  return chars;
}

constexpr std::array<HexCell, 256> kHexCells = MakeHexCells();
constexpr std::array<char16_t, 256> kShownChars = MakeShownChars();

// "@@@@@@: " applied to the row's 1-based position.
void WritePosition(char16_t* out, std::size_t position) {
  for (std::size_t place = 6; place-- > 0;) {
    out[place] = position == 0 ? u' ' : static_cast<char16_t>(u'0' + position % 10);
    position /= 10;
  }
  out[6] = u':';
  out[7] = u' ';
}

// One row of count (1 to 8) bytes; returns the end of what it wrote.
char16_t* WriteRow(char16_t* out, std::size_t position, const std::uint8_t* bytes,
                   std::size_t count) {
  WritePosition(out, position);
  char16_t* cell = out + kPositionWidth;
  for (std::size_t j = 0; j < count; ++j, cell += kCellWidth) {
    std::memcpy(cell, kHexCells[bytes[j]].data(), sizeof(HexCell));
  }
  // Cells past the end of the data, the gap, and the blank a last copy left.
  for (char16_t* blank = cell; blank < out + kCharsColumn; ++blank) *blank = u' ';
  char16_t* chars = out + kCharsColumn;
  for (std::size_t j = 0; j < count; ++j) chars[j] = kShownChars[bytes[j]];
  chars[count] = u'\r';
  chars[count + 1] = u'\n';
  return chars + count + 2;
}

}  // namespace

std::u16string DumpText(const ByteBuffer& buffer) {
  const std::vector<std::uint8_t>& bytes = buffer.Bytes();
  const std::size_t n = bytes.size();
  if (n > kMaxBytes) Raise(kOverflow);

  const std::size_t rows = (n + kBytesPerRow - 1) / kBytesPerRow;
  std::u16string text(rows * kRowOverhead + n, u'\0');
  char16_t* out = text.data();
  for (std::size_t start = 0; start < n; start += kBytesPerRow) {
    const std::size_t count = n - start < kBytesPerRow ? n - start : kBytesPerRow;
    out = WriteRow(out, start + 1, bytes.data() + start, count);
  }
  return text;
}

}  // namespace quorvex
