// ReadWholeFile: its platform-free rules through scripted readers, then real files in
// ways every platform must agree on.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <limits>
#include <tuple>

#include "dump.h"
#include "dump_test_support.h"
#include "file_reading.h"

namespace quorvex {
namespace {

using test::ContentsOf;
using test::CountingBytes;
using test::FailsWith;
using test::TempDir;

// The whole 64-bit size counts: 4 GiB + 100 must not be read as 100 bytes.
TEST(CheckedFileLengthTest, KeepsTheFullSizeAndOverflowsAbove32767) {
  EXPECT_EQ(CheckedFileLength(0), 0);
  EXPECT_EQ(CheckedFileLength(32767), 32767);
  for (std::uint64_t size :
       {std::uint64_t{32768}, (std::uint64_t{1} << 32) + 100, std::numeric_limits<std::uint64_t>::max()}) {
    EXPECT_TRUE(FailsWith(kOverflow, [&] { CheckedFileLength(size); })) << size;
  }
}

TEST(ReadExactlyTest, FillsTheLengthFromPartialReadsOrFails) {
  const struct {  // NOLINT(clang-analyzer-optin.performance.Padding): a table, in the order it reads
    std::int16_t length;
    std::size_t available;  // bytes the file still has
    std::size_t chunk;      // the most one read gives
    int failure;            // 0: reads the first length bytes
  } cases[] = {
      {1000, 1000, 1, 0},  {1000, 1000, 7, 0},  {1000, 1000, 5000, 0},
      {40, 50, 64, 0},                                        // grew since its size was taken
      {31, 30, 1, kDeviceIoError}, {31, 30, 30, kDeviceIoError},  // shrank: never padded
      {0, 0, 8, kOutOfRange},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.length << " of " << c.available << " by " << c.chunk);
    const auto source = CountingBytes(c.available);
    std::size_t offset = 0;
    const ReadSome reader = [&](std::uint8_t* to, std::size_t count) {
      const std::size_t got = std::min({count, c.chunk, source.size() - offset});
      if (got > 0) std::memcpy(to, source.data() + offset, got);
      offset += got;
      return got;
    };
    if (c.failure != 0) {
      EXPECT_TRUE(FailsWith(c.failure, [&] { ReadExactly(c.length, reader); }));
    } else {
      EXPECT_EQ(ReadExactly(c.length, reader).Bytes(), CountingBytes(static_cast<std::size_t>(c.length)));
    }
  }
  EXPECT_TRUE(FailsWith(kDeviceIoError, [] {
    ReadExactly(10, [](std::uint8_t*, std::size_t count) { return count + 1; });  // claims too much
  }));
}

TEST(ReadWholeFileTest, ReadsFilesOfOneTo32767BytesAndRefusesOthers) {
  const TempDir dir;
  const std::tuple<std::filesystem::path, std::size_t, int> cases[] = {
      {"a.bin", 1, 0},     {"a.bin", 8, 0},          {"a.bin", 32760, 0},        {u8"数据 文件.bin", 32767, 0},
      {"a.bin", 0, kOutOfRange}, {"a.bin", 32768, kOverflow}, {"a.bin", 100000, kOverflow},
  };
  for (const auto& [name, n, failure] : cases) {
    SCOPED_TRACE(n);
    const auto bytes = CountingBytes(n);
    const auto file = dir.Write(name, bytes);
    if (failure != 0) {
      EXPECT_TRUE(FailsWith(failure, [&] { ReadWholeFile(file); }));
    } else {
      EXPECT_EQ(ReadWholeFile(file).Bytes(), bytes);
    }
  }
  const auto missing = dir.Path() / "missing.bin";
  EXPECT_TRUE(FailsWith(kFileNotFound, [&] { ReadWholeFile(missing); }));
  EXPECT_FALSE(std::filesystem::exists(missing)) << "reading must never create the file";
  EXPECT_TRUE(FailsWith(kPathFileAccessError, [&] { ReadWholeFile(dir.Path()); }));
}

// The system sees a path cut at a NUL; the file named by the part before it must not
// be read in place of the whole.
TEST(ReadWholeFileTest, APathWithANulInsideNamesNoFile) {
  const TempDir dir;
  const auto before_nul = dir.Write("a.bin", {1, 2, 3});
  for (const std::string tail : {".secret", "", "/b.bin"}) {
    auto name = before_nul;
    name += std::string(1, '\0') + tail;
    EXPECT_TRUE(FailsWith(kFileNotFound, [&] { ReadWholeFile(name); })) << tail;
  }
}

// Reading, whether it succeeds or fails, leaves the file as it was and lets it go:
// a file still held open could not be removed on every platform.
TEST(ReadWholeFileTest, LeavesTheFileUnchangedAndClosed) {
  const TempDir dir;
  for (const std::size_t n : std::initializer_list<std::size_t>{0, 9, 32767, 32768}) {
    SCOPED_TRACE(n);
    const auto bytes = CountingBytes(n);
    const auto file = dir.Write("kept.bin", bytes);
    const auto old_time = std::filesystem::last_write_time(file) - std::chrono::hours(24 * 400);
    std::filesystem::last_write_time(file, old_time);
    try {
      ReadWholeFile(file);
    } catch (const Failure&) {
    }
    EXPECT_EQ(std::filesystem::last_write_time(file), old_time);
    EXPECT_EQ(ContentsOf(file), bytes);
    EXPECT_TRUE(std::filesystem::remove(file));
  }
}

}  // namespace
}  // namespace quorvex
