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
constexpr std::array<char16_t, kCharsColumn - kPositionWidth> kBlanks = [] {
  std::array<char16_t, kCharsColumn - kPositionWidth> blanks{};
  blanks.fill(u' ');
  return blanks;
}();
constexpr std::array<char16_t, 256> kShownChars = MakeShownChars();

// The "@@@@@@: " field of the row's 1-based position, kept as text and advanced
// digit by digit: cheaper than formatting each row's number afresh.
class PositionField {
 public:
  const char16_t* Text() const noexcept { return text_.data(); }

  void Advance() noexcept {
    unsigned carry = kBytesPerRow;
    for (std::size_t place = 6; carry != 0 && place-- > 0;) {
      const unsigned digit = (text_[place] == u' ' ? 0 : text_[place] - u'0') + carry;
      text_[place] = static_cast<char16_t>(u'0' + digit % 10);
      carry = digit / 10;
    }
  }

 private:
  std::array<char16_t, kPositionWidth> text_{u' ', u' ', u' ', u' ', u' ', u'1', u':', u' '};
};

// One row of count (1 to 8) bytes; returns the end of what it wrote.
inline char16_t* WriteRow(char16_t* out, const PositionField& position, const std::uint8_t* bytes,
                          std::size_t count) {
  std::memcpy(out, position.Text(), kPositionWidth * sizeof(char16_t));
  char16_t* cell = out + kPositionWidth;
  for (std::size_t j = 0; j < count; ++j, cell += kCellWidth) {
    std::memcpy(cell, kHexCells[bytes[j]].data(), sizeof(HexCell));
  }
  // Cells past the end of the data, then the four-blank gap.
  std::memcpy(cell, kBlanks.data(), static_cast<std::size_t>(out + kCharsColumn - cell) * sizeof(char16_t));
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
  PositionField position;
  std::size_t start = 0;
  for (; n - start >= kBytesPerRow; start += kBytesPerRow, position.Advance()) {
    out = WriteRow(out, position, bytes.data() + start, kBytesPerRow);
  }
  if (start < n) WriteRow(out, position, bytes.data() + start, n - start);
  return text;
}

}  // namespace quorvex
