#include <gtest/gtest.h>

#include "dump.h"
#include "dump_test_support.h"

namespace quorvex {
namespace {

using test::CountingBytes;
using test::FailsWith;
using test::Rows;

TEST(DumpTextLimitsTest, The32760ByteDumpEndsWithAFullRowAt32753) {
  const auto rows = Rows(DumpText(ByteBuffer(CountingBytes(32760))));
  ASSERT_EQ(rows.size(), 4095u);
  EXPECT_EQ(rows.back().substr(0, 8), u" 32753: ");
  EXPECT_EQ(rows.back().size(), 44u);
}

TEST(DumpTextLimitsTest, MoreThan32760BytesOverflow) {
  for (std::size_t n = 32761; n <= 32767; ++n) {
    SCOPED_TRACE(n);
    const ByteBuffer buffer(CountingBytes(n));
    EXPECT_TRUE(FailsWith(kOverflow, [&] { DumpText(buffer); }));
  }
}

}  // namespace
}  // namespace quorvex
