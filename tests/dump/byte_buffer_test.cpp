// Failures and ByteBuffer.
#include <gtest/gtest.h>

#include <string>

#include "dump.h"
#include "dump_test_support.h"
#include "raise.h"

namespace quorvex {
namespace {

using test::CountingBytes;
using test::FailsWith;

// The numbers and texts users see in error reports; they must not drift.
TEST(FailureTest, RaiseGivesEachFailureItsNumberAndDescription) {
  const struct {
    FailureNumber kind;
    int number;
    std::string description;
  } cases[] = {
      {kOverflow, 6, "溢出"},          {kOutOfRange, 9, "下标越界"},         {kFileNotFound, 53, "文件未找到"},
      {kDeviceIoError, 57, "设备 I/O 错误"}, {kPermissionDenied, 70, "没有权限"}, {kPathFileAccessError, 75, "路径/文件访问错误"},
  };
  for (const auto& c : cases) {
    try {
      Raise(c.kind);
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.Number(), c.number);
      EXPECT_EQ(failure.Description(), c.description);
      EXPECT_EQ(failure.what(), std::to_string(c.number) + ": " + c.description);
    }
  }
}

TEST(ByteBufferTest, HoldsOneTo32767BytesAtPositionsOneToLength) {
  for (int n : {1, 2, 32760, 32767}) {
    SCOPED_TRACE(n);
    const auto bytes = CountingBytes(static_cast<std::size_t>(n));
    const ByteBuffer buffer(bytes);
    const auto length = static_cast<std::int16_t>(n);
    EXPECT_EQ(buffer.Length(), length);
    EXPECT_EQ(buffer.Bytes(), bytes);
    EXPECT_EQ(buffer.At(1), bytes.front());
    EXPECT_EQ(buffer.At(length), bytes.back());
    for (int outside : {0, -1, n + 1}) {
      if (outside > 32767) continue;
      EXPECT_TRUE(FailsWith(kOutOfRange, [&] { buffer.At(static_cast<std::int16_t>(outside)); })) << outside;
    }
  }
}

TEST(ByteBufferTest, RefusesEmptyAndOverlongContents) {
  for (const auto& [n, failure] : {std::pair{std::size_t{0}, kOutOfRange}, std::pair{std::size_t{32768}, kOverflow},
                                   std::pair{std::size_t{65536 + 5}, kOverflow}}) {
    EXPECT_TRUE(FailsWith(failure, [&] { ByteBuffer{std::vector<std::uint8_t>(n)}; })) << n;
  }
}

}  // namespace
}  // namespace quorvex
