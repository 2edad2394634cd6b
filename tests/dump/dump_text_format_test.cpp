#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "dump.h"
#include "dump_test_support.h"

namespace quorvex {
namespace {

using test::Ascii;
using test::CountingBytes;
using test::Rows;

constexpr char16_t kPlaceholder = u'\u00BF';

std::u16string Dump(std::vector<std::uint8_t> bytes) { return DumpText(ByteBuffer(std::move(bytes))); }

std::string PositionField(std::size_t position) {
  char field[32];
  std::snprintf(field, sizeof field, "%6u: ", static_cast<unsigned>(position));
  return field;
}

std::string HexCell(std::uint8_t byte) {
  char cell[8];
  std::snprintf(cell, sizeof cell, "%2X ", static_cast<unsigned>(byte));
  return cell;
}

TEST(DumpTextFormatTest, WorkedExample) {
  const std::u16string expected =
      u"     1: 48 65 6C 6C 6F  D  A  0     Hello\u00BF\u00BF\u00BF\r\n"
      u"     9: 41                          A\r\n";
  EXPECT_EQ(Dump({0x48, 0x65, 0x6C, 0x6C, 0x6F, 0x0D, 0x0A, 0x00, 0x41}), expected);
}

TEST(DumpTextFormatTest, OneByteFillsTheRestOfTheRowWithBlankCells) {
  EXPECT_EQ(Dump({0x41}), Ascii("     1: 41" + std::string(22, ' ') + "    A\r\n"));
}

TEST(DumpTextFormatTest, EightBytesMakeOneFullRowAndANinthStartsAnother) {
  EXPECT_EQ(Dump({'0', '1', '2', '3', '4', '5', '6', '7'}),
            Ascii("     1: 30 31 32 33 34 35 36 37     01234567\r\n"));
  EXPECT_EQ(Rows(Dump(CountingBytes(9))).at(1).substr(0, 8), u"     9: ");
}

// Every row's layout for sizes around the row and buffer edges, checked against
// the bytes: position field, one hex cell per byte, blank cells past the end,
// characters starting in column 37, one per byte present.
TEST(DumpTextFormatTest, RowsFollowTheLayoutForEverySize) {
  for (std::size_t n : {1, 2, 7, 8, 9, 15, 16, 17, 255, 256, 257, 4095, 4096, 32759, 32760}) {
    SCOPED_TRACE(n);
    const auto bytes = CountingBytes(n);
    const auto text = DumpText(ByteBuffer(bytes));
    const auto rows = Rows(text);
    ASSERT_EQ(rows.size(), (n + 7) / 8);
    std::size_t total = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
      const std::size_t first = r * 8;
      const std::size_t count = std::min<std::size_t>(8, n - first);
      std::string hex = PositionField(first + 1);
      for (std::size_t j = 0; j < 8; ++j) hex += j < count ? HexCell(bytes[first + j]) : "   ";
      hex += "    ";
      const auto& row = rows[r];
      ASSERT_EQ(row.size(), 36 + count) << "row " << r;
      ASSERT_EQ(row.substr(0, 36), Ascii(hex)) << "row " << r;
      total += row.size() + 2;
    }
    EXPECT_EQ(text.size(), total);
  }
}

TEST(DumpTextFormatTest, HexCellsAreUpperCaseAndBlankPadded) {
  std::vector<std::uint8_t> all(256);
  for (std::size_t b = 0; b < 256; ++b) all[b] = static_cast<std::uint8_t>(b);
  const auto rows = Rows(Dump(all));
  ASSERT_EQ(rows.size(), 32u);
  for (std::size_t b = 0; b < 256; ++b) {
    const auto cell = rows[b / 8].substr(8 + 3 * (b % 8), 3);
    EXPECT_EQ(cell, Ascii(HexCell(static_cast<std::uint8_t>(b)))) << "byte " << b;
  }
  EXPECT_EQ(rows[0].substr(8, 24), u" 0  1  2  3  4  5  6  7 ");
  EXPECT_EQ(rows[1].substr(8, 24), u" 8  9  A  B  C  D  E  F ");
  EXPECT_EQ(rows[31].substr(8, 24), u"F8 F9 FA FB FC FD FE FF ");
}

TEST(DumpTextFormatTest, BytesBelow32ShowThePlaceholderOthersTheirCharacter) {
  const struct {
    std::uint8_t byte;
    char16_t shown;
  } cases[] = {
      {0x00, kPlaceholder}, {0x0A, kPlaceholder}, {0x0D, kPlaceholder}, {0x1F, kPlaceholder},
      {0x20, u' '},         {0x41, u'A'},         {0x7E, u'~'},         {0x7F, u'\u007F'},
      {0xBF, kPlaceholder}, {0xFF, u'\u00FF'},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.byte));
    const auto row = Rows(Dump({c.byte})).at(0);
    ASSERT_EQ(row.size(), 37u);
    EXPECT_EQ(row[36], c.shown);
  }
}

TEST(DumpTextFormatTest, NeighbouringBytesAreNeverCombined) {
  // A lead byte and trail byte of a double-byte code page still make two characters.
  const auto row = Rows(Dump({0xC4, 0xE3, 0xBA, 0xC3})).at(0);
  EXPECT_EQ(row.substr(36), u"\u00C4\u00E3\u00BA\u00C3");
}

}  // namespace
}  // namespace quorvex
