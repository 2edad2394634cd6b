// The platform-free reading rules, driven by scripted readers in place of a file.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "dump_test_support.h"
#include "file_reading.h"

namespace quorvex {
namespace {

using test::CountingBytes;
using test::FailsWith;

TEST(CheckedFileLengthTest, KeepsTheFullSizeAndOverflowsAbove32767) {
  EXPECT_EQ(CheckedFileLength(0), 0);
  EXPECT_EQ(CheckedFileLength(1), 1);
  EXPECT_EQ(CheckedFileLength(32767), 32767);
  // 4 GiB + 100 must not be cut down to its low 32 bits and read as 100 bytes.
  for (std::uint64_t size : {std::uint64_t{32768}, std::uint64_t{65536 + 100},
                             (std::uint64_t{1} << 32) + 100, std::numeric_limits<std::uint64_t>::max()}) {
    SCOPED_TRACE(size);
    EXPECT_TRUE(FailsWith(kOverflow, [&] { CheckedFileLength(size); }));
  }
}

// A reader that hands out source in pieces of at most chunk bytes.
ReadSome Chunked(const std::vector<std::uint8_t>& source, std::size_t chunk, int* calls = nullptr) {
  return [&source, chunk, calls, offset = std::size_t{0}](std::uint8_t* to, std::size_t count) mutable {
    if (calls != nullptr) ++*calls;
    const std::size_t got = std::min({count, chunk, source.size() - offset});
    if (got > 0) std::memcpy(to, source.data() + offset, got);
    offset += got;
    return got;
  };
}

TEST(ReadExactlyTest, CollectsPartialReadsUntilTheLengthIsFilled) {
  const auto source = CountingBytes(1000);
  for (std::size_t chunk : {1, 7, 999, 1000, 5000}) {
    SCOPED_TRACE(chunk);
    const ByteBuffer buffer = ReadExactly(1000, Chunked(source, chunk));
    EXPECT_EQ(buffer.Bytes(), source);
  }
}

TEST(ReadExactlyTest, ReadsOnlyTheLengthTakenEvenIfTheFileGrew) {
  const auto source = CountingBytes(50);
  const ByteBuffer buffer = ReadExactly(40, Chunked(source, 64));
  EXPECT_EQ(buffer.Bytes(), std::vector<std::uint8_t>(source.begin(), source.begin() + 40));
}

TEST(ReadExactlyTest, AFileThatShrankFailsInsteadOfBeingPadded) {
  const auto source = CountingBytes(30);
  for (std::size_t chunk : {1, 30}) {
    SCOPED_TRACE(chunk);
    EXPECT_TRUE(FailsWith(kDeviceIoError, [&] { ReadExactly(31, Chunked(source, chunk)); }));
  }
}

TEST(ReadExactlyTest, AReaderThatClaimsTooMuchFails) {
  EXPECT_TRUE(FailsWith(kDeviceIoError, [] {
    ReadExactly(10, [](std::uint8_t*, std::size_t count) { return count + 1; });
  }));
}

TEST(ReadExactlyTest, AnEmptyFileIsOutOfRangeAndNeverRead) {
  const std::vector<std::uint8_t> source;
  int calls = 0;
  EXPECT_TRUE(FailsWith(kOutOfRange, [&] { ReadExactly(0, Chunked(source, 8, &calls)); }));
  EXPECT_EQ(calls, 0);
}

}  // namespace
}  // namespace quorvex
