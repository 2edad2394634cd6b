// ReadWholeFile on real files, in ways every platform must agree on.
#include <gtest/gtest.h>

#include <chrono>

#include "dump.h"
#include "dump_test_support.h"

namespace quorvex {
namespace {

using test::ContentsOf;
using test::CountingBytes;
using test::FailsWith;
using test::TempDir;

TEST(ReadWholeFileTest, ReadsFilesOfOneTo32767BytesWhole) {
  const TempDir dir;
  for (std::size_t n : {1, 8, 4096, 32760, 32767}) {
    SCOPED_TRACE(n);
    const auto bytes = CountingBytes(n);
    const ByteBuffer buffer = ReadWholeFile(dir.Write("file.bin", bytes));
    EXPECT_EQ(buffer.Length(), static_cast<std::int16_t>(n));
    EXPECT_EQ(buffer.Bytes(), bytes);
  }
}

TEST(ReadWholeFileTest, EmptyAndOverlongFilesFail) {
  const TempDir dir;
  const struct {
    std::size_t n;
    int failure;
  } cases[] = {{0, kOutOfRange}, {32768, kOverflow}, {100000, kOverflow}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.n);
    const auto file = dir.Write("file.bin", CountingBytes(c.n));
    EXPECT_TRUE(FailsWith(c.failure, [&] { ReadWholeFile(file); }));
  }
}

TEST(ReadWholeFileTest, AMissingFileIsNotFound) {
  const TempDir dir;
  const auto missing = dir.Path() / "missing.bin";
  EXPECT_TRUE(FailsWith(kFileNotFound, [&] { ReadWholeFile(missing); }));
  EXPECT_FALSE(std::filesystem::exists(missing)) << "reading must never create the file";
}

TEST(ReadWholeFileTest, AFolderIsAnAccessError) {
  const TempDir dir;
  EXPECT_TRUE(FailsWith(kPathFileAccessError, [&] { ReadWholeFile(dir.Path()); }));
}

TEST(ReadWholeFileTest, ReadsPathsWithChineseNames) {
  const TempDir dir;
  const auto file = dir.Write(std::filesystem::path(u8"数据 文件.bin"), {0x51, 0x56});
  EXPECT_EQ(ReadWholeFile(file).Bytes(), (std::vector<std::uint8_t>{0x51, 0x56}));
}

// Reading, whether it succeeds or fails, leaves the file exactly as it was, and
// lets it go: a file still held open could not be removed on every platform.
TEST(ReadWholeFileTest, LeavesTheFileUnchangedAndClosed) {
  const TempDir dir;
  for (std::size_t n : {0, 9, 32767, 32768}) {
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
    EXPECT_EQ(std::filesystem::file_size(file), n);
    EXPECT_EQ(ContentsOf(file), bytes);
    EXPECT_TRUE(std::filesystem::remove(file));
  }
}

}  // namespace
}  // namespace quorvex
