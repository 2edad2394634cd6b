#include <gtest/gtest.h>

#include "dump.h"
#include "dump_test_support.h"

namespace quorvex {
namespace {

using test::CountingBytes;
using test::FailsWith;

TEST(ByteBufferTest, HoldsOneTo32767Bytes) {
  for (std::size_t n : {std::size_t{1}, std::size_t{2}, std::size_t{32760}, std::size_t{32767}}) {
    SCOPED_TRACE(n);
    const auto bytes = CountingBytes(n);
    const ByteBuffer buffer(bytes);
    EXPECT_EQ(buffer.Length(), static_cast<std::int16_t>(n));
    EXPECT_EQ(buffer.Bytes(), bytes);
  }
}

TEST(ByteBufferTest, RefusesEmptyAndOverlongContents) {
  const struct {
    std::size_t n;
    int failure;
  } cases[] = {{0, kOutOfRange}, {32768, kOverflow}, {65536 + 5, kOverflow}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.n);
    EXPECT_TRUE(FailsWith(c.failure, [&] { ByteBuffer{std::vector<std::uint8_t>(c.n)}; }));
  }
}

TEST(ByteBufferTest, PositionsRunFromOneToLength) {
  const ByteBuffer buffer({0x10, 0x20, 0x30});
  EXPECT_EQ(buffer.At(1), 0x10);
  EXPECT_EQ(buffer.At(3), 0x30);
  for (std::int16_t outside : {std::int16_t{0}, std::int16_t{4}, std::int16_t{-1}, std::int16_t{32767}}) {
    SCOPED_TRACE(outside);
    EXPECT_TRUE(FailsWith(kOutOfRange, [&] { buffer.At(outside); }));
  }
}

TEST(ByteBufferTest, LastPositionOfTheLargestBuffer) {
  const auto bytes = CountingBytes(32767);
  const ByteBuffer buffer(bytes);
  EXPECT_EQ(buffer.At(32767), bytes.back());
}

}  // namespace
}  // namespace quorvex
