// Failures, ByteBuffer, and DumpText: the row format, the character table, the size limit.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>

#include "dump.h"
#include "dump_test_support.h"
#include "raise.h"

namespace quorvex {
namespace {

using test::CountingBytes;
using test::FailsWith;

// The numbers and texts users see in error reports; they must not drift.
TEST(FailureTest, RaiseGivesEachFailureItsNumberAndDescription) {
  const std::tuple<FailureNumber, int, std::string> cases[] = {
      {kOverflow, 6, "溢出"},          {kOutOfRange, 9, "下标越界"},        {kFileNotFound, 53, "文件未找到"},
      {kDeviceIoError, 57, "设备 I/O 错误"}, {kPermissionDenied, 70, "没有权限"},
      {kPathFileAccessError, 75, "路径/文件访问错误"},
  };
  for (const auto& [kind, number, description] : cases) {
    try {
      Raise(kind);
      ADD_FAILURE() << "Raise(" << number << ") returned";
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.Number(), number);
      EXPECT_EQ(failure.Description(), description);
      EXPECT_EQ(failure.what(), std::to_string(number) + ": " + description);
    }
  }
}

TEST(ByteBufferTest, HoldsOneTo32767BytesAtPositionsOneToLength) {
  for (int n : {1, 2, 32760, 32767}) {
    SCOPED_TRACE(n);
    const auto bytes = CountingBytes(static_cast<std::size_t>(n));
    const ByteBuffer buffer(bytes);
    EXPECT_EQ(buffer.Length(), n);
    EXPECT_EQ(buffer.Bytes(), bytes);
    EXPECT_EQ(buffer.At(1), bytes.front());
    EXPECT_EQ(buffer.At(static_cast<std::int16_t>(n)), bytes.back());
    for (int outside : {0, -1, std::min(n + 1, 32767)}) {
      if (outside == n) continue;
      EXPECT_TRUE(FailsWith(kOutOfRange, [&] { buffer.At(static_cast<std::int16_t>(outside)); })) << outside;
    }
  }
  for (const auto& [n, failure] :
       {std::pair{0, kOutOfRange}, std::pair{32768, kOverflow}, std::pair{65541, kOverflow}}) {
    EXPECT_TRUE(FailsWith(failure, [n = n] { ByteBuffer{std::vector<std::uint8_t>(static_cast<std::size_t>(n))}; })) << n;
  }
}

std::u16string Ascii(const std::string& text) { return {text.begin(), text.end()}; }

// The text cut into rows without their CR LF; fails the test if one lacks it.
std::vector<std::u16string> Rows(const std::u16string& text) {
  std::vector<std::u16string> rows;
  for (std::size_t start = 0; start < text.size();) {
    const auto end = text.find(u"\r\n", start);
    if (end == std::u16string::npos) {
      ADD_FAILURE() << "the text does not end with CR LF";
      break;
    }
    rows.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return rows;
}

TEST(DumpTextTest, ExamplesShowTheirExactText) {
  const struct {
    std::vector<std::uint8_t> bytes;
    std::u16string text;
  } cases[] = {
      {{0x48, 0x65, 0x6C, 0x6C, 0x6F, 0x0D, 0x0A, 0x00, 0x41},
       u"     1: 48 65 6C 6C 6F  D  A  0     Hello\u00BF\u00BF\u00BF\r\n"
       u"     9: 41                          A\r\n"},
      {{0x41}, u"     1: 41                          A\r\n"},
      {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15},
       u"     1:  0  1  2  3  4  5  6  7     \u00BF\u00BF\u00BF\u00BF\u00BF\u00BF\u00BF\u00BF\r\n"
       u"     9:  8  9  A  B  C  D  E  F     \u00BF\u00BF\u00BF\u00BF\u00BF\u00BF\u00BF\u00BF\r\n"},
      // The rest of the bytes below 32, and the edge to the first shown as itself.
      {{0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B, 0x1C, 0x1D, 0x1E, 0x1F, 0x20},
       u"     1: 10 11 12 13 14 15 16 17     \u00BF\u00BF\u00BF\u00BF\u00BF\u00BF\u00BF\u00BF\r\n"
       u"     9: 18 19 1A 1B 1C 1D 1E 1F     \u00BF\u00BF\u00BF\u00BF\u00BF\u00BF\u00BF\u00BF\r\n"
       u"    17: 20                           \r\n"},
      // One character per byte, never a pair; Windows-1252, its undefined bytes as C1.
      {{0xC4, 0xE3, 0xBA, 0xC3, 0x80, 0x81, 0x9F, 0xAD},
       u"     1: C4 E3 BA C3 80 81 9F AD     \u00C4\u00E3\u00BA\u00C3\u20AC\u0081\u0178\u00AD\r\n"},
      {{0x20, 0x7E, 0x7F, 0x8D, 0x8F, 0x90, 0x9D, 0xBF, 0xFF},
       u"     1: 20 7E 7F 8D 8F 90 9D BF      ~\u007F\u008D\u008F\u0090\u009D\u00BF\r\n"
       u"     9: FF                          \u00FF\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(DumpText(ByteBuffer(c.bytes)), c.text);
}

// A row's position field and a byte's hex cell, as printf writes them.
std::string PositionField(unsigned position) {
  char text[16];
  static_cast<void>(std::snprintf(text, sizeof text, "%6u: ", position));
  return text;
}
std::string HexCell(unsigned byte) {
  char text[8];
  static_cast<void>(std::snprintf(text, sizeof text, "%2X ", byte));
  return text;
}

// Every row for sizes around the row and limit edges: position field, a hex cell per
// byte, blank cells past the end, then one character per byte present.
TEST(DumpTextTest, RowsFollowTheLayoutForEverySize) {
  for (const std::size_t n : std::initializer_list<std::size_t>{1, 7, 8, 9, 16, 17, 255, 256, 257, 4096, 32759, 32760}) {
    SCOPED_TRACE(n);
    const auto bytes = CountingBytes(n);
    const auto text = DumpText(ByteBuffer(bytes));
    const auto rows = Rows(text);
    ASSERT_EQ(rows.size(), (n + 7) / 8);
    ASSERT_EQ(text.size(), rows.size() * 38 + n);
    for (std::size_t r = 0; r < rows.size(); ++r) {
      const std::size_t count = std::min<std::size_t>(8, n - r * 8);
      std::string hex = PositionField(static_cast<unsigned>(r * 8 + 1));
      for (std::size_t j = 0; j < 8; ++j) hex += j < count ? HexCell(bytes[r * 8 + j]) : "   ";
      ASSERT_EQ(rows[r].size(), 36 + count) << "row " << r;
      ASSERT_EQ(rows[r].substr(0, 36), Ascii(hex + "    ")) << "row " << r;
    }
  }
  EXPECT_EQ(Rows(DumpText(ByteBuffer(CountingBytes(32760)))).back().substr(0, 8), u" 32753: ");
}

TEST(DumpTextTest, MoreThan32760BytesOverflow) {
  for (std::size_t n = 32761; n <= 32767; ++n) {
    const ByteBuffer buffer(CountingBytes(n));
    EXPECT_TRUE(FailsWith(kOverflow, [&] { DumpText(buffer); })) << n;
  }
}

#ifndef _WIN32
// Every defined byte from 20 to FF against Debian's iconv, an independent Windows-1252.
// (iconv has no character for the five undefined bytes; those are checked above.)
TEST(DumpTextTest, CharactersMatchIconvsWindows1252) {
  std::vector<std::uint8_t> bytes;
  for (int byte = 0x20; byte <= 0xFF; ++byte) {
    const bool undefined = byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
    if (!undefined) bytes.push_back(static_cast<std::uint8_t>(byte));
  }
  const test::TempDir dir;
  const auto file = dir.Write("defined.bin", bytes);
  const std::string command = "iconv -f CP1252 -t UTF-16LE '" + file.string() + "'";
  FILE* pipe = ::popen(command.c_str(), "r");  // NOLINT(cert-env33-c): iconv on a file of the test's own
  ASSERT_NE(pipe, nullptr);
  std::u16string expected;
  for (char16_t unit; std::fread(&unit, 2, 1, pipe) == 1;) expected += unit;  // little-endian host
  ASSERT_EQ(::pclose(pipe), 0) << "iconv is needed for this test";

  std::u16string shown;
  for (const auto& row : Rows(DumpText(ByteBuffer(bytes)))) shown += row.substr(36);
  EXPECT_EQ(shown, expected);
}
#endif

}  // namespace
}  // namespace quorvex
