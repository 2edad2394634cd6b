#include <gtest/gtest.h>

#include "dump.h"
#include "dump_test_support.h"

namespace quorvex {
namespace {

using test::Rows;

char16_t Shown(std::uint8_t byte) { return Rows(DumpText(ByteBuffer({byte}))).at(0).at(36); }

TEST(Windows1252Test, TheRowFrom80To9FHasItsOwnCharacters) {
  const struct {
    std::uint8_t byte;
    char16_t shown;
  } cases[] = {
      {0x80, u'\u20AC'}, {0x82, u'\u201A'}, {0x83, u'\u0192'}, {0x85, u'\u2026'},
      {0x8A, u'\u0160'}, {0x8C, u'\u0152'}, {0x8E, u'\u017D'}, {0x91, u'\u2018'},
      {0x94, u'\u201D'}, {0x96, u'\u2013'}, {0x97, u'\u2014'}, {0x98, u'\u02DC'},
      {0x99, u'\u2122'}, {0x9C, u'\u0153'}, {0x9E, u'\u017E'}, {0x9F, u'\u0178'},
  };
  for (const auto& c : cases) EXPECT_EQ(Shown(c.byte), c.shown) << "byte " << int{c.byte};
}

TEST(Windows1252Test, UndefinedBytesBecomeC1CodePointsOfTheSameValue) {
  for (std::uint8_t byte : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    EXPECT_EQ(Shown(byte), char16_t{byte}) << "byte " << int{byte};
  }
}

TEST(Windows1252Test, PrintableAsciiAndA0ToFFKeepTheirCodePoints) {
  for (int byte = 0x20; byte <= 0xFF; ++byte) {
    if (byte >= 0x80 && byte <= 0x9F) continue;
    EXPECT_EQ(Shown(static_cast<std::uint8_t>(byte)), static_cast<char16_t>(byte)) << "byte " << byte;
  }
}

}  // namespace
}  // namespace quorvex
