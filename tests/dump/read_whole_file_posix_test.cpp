// ReadWholeFile on what only POSIX systems have or make cheaply: FIFOs, sockets,
// devices, links, sparse files, short reads, permissions, and its descriptors.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <future>

#include "dump.h"
#include "dump_test_support.h"

namespace quorvex {
namespace {

using test::CountingBytes;
using test::FailsWith;
using test::TempDir;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

// A descriptor of the test's own, closed on every path.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {
    if (fd_ < 0) throw std::runtime_error(std::strerror(errno));
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() { ::close(fd_); }
  int Get() const noexcept { return fd_; }

 private:
  int fd_;
};

fs::path MakeFifo(const TempDir& dir) {
  const auto fifo = dir.Path() / "fifo";
  if (::mkfifo(fifo.c_str(), 0600) != 0) throw std::runtime_error("mkfifo failed");
  return fifo;
}

// Cut to its low 32 bits, this size would read as a 100-byte file.
fs::path MakeSparse4GiBPlus100(const TempDir& dir) {
  const auto file = dir.Write("sparse.bin", {});
  fs::resize_file(file, (std::uintmax_t{1} << 32) + 100);
  return file;
}

// Files in /sys claim a page but give a few bytes: a real short read, which must fail
// rather than come back padded with zeros.
fs::path ShortReadingFile() {
  for (const char* candidate : {"/sys/devices/system/cpu/online", "/sys/kernel/mm/transparent_hugepage/enabled"}) {
    std::error_code error;
    if (fs::is_regular_file(candidate, error) &&
        fs::file_size(candidate, error) > test::ContentsOf(candidate).size()) {
      return candidate;
    }
  }
  return {};
}

TEST(ReadWholeFilePosixTest, AFifoFailsAtOnceWithoutTakingAnyOfItsData) {
  const TempDir dir;
  const auto fifo = MakeFifo(dir);
  auto reading = std::async(std::launch::async, [&] {
    return FailsWith(kPathFileAccessError, [&] { ReadWholeFile(fifo); });
  });
  if (reading.wait_for(5s) != std::future_status::ready) {
    Descriptor writer(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK));  // lets a blocked open go
    FAIL() << "ReadWholeFile blocked on a FIFO without a writer";
  }
  EXPECT_TRUE(reading.get());

  const Descriptor both_ends(::open(fifo.c_str(), O_RDWR | O_NONBLOCK));
  ASSERT_EQ(::write(both_ends.Get(), "abc", 3), 3);
  EXPECT_TRUE(FailsWith(kPathFileAccessError, [&] { ReadWholeFile(fifo); }));
  char left[8] = {};
  EXPECT_EQ(::read(both_ends.Get(), left, sizeof left), 3);
}

TEST(ReadWholeFilePosixTest, SpecialFilesAndPathsFailWithTheirNumbers) {
  const TempDir dir;
  const auto plain = dir.Write("plain.bin", {1, 2, 3});
  const auto socket_path = dir.Path() / "socket";
  const Descriptor listener(::socket(AF_UNIX, SOCK_STREAM, 0));
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(socket_path.native().size(), sizeof address.sun_path);
  std::strcpy(address.sun_path, socket_path.c_str());
  ASSERT_EQ(::bind(listener.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  fs::create_symlink(dir.Path() / "gone.bin", dir.Path() / "dangling");
  fs::create_symlink(dir.Path() / "loop", dir.Path() / "loop");
  fs::create_symlink(plain, dir.Path() / "link");

  const std::pair<fs::path, int> cases[] = {
      {socket_path, kPathFileAccessError},      {"/dev/null", kPathFileAccessError},
      {"/dev/zero", kPathFileAccessError},      {dir.Path() / "loop", kPathFileAccessError},
      {MakeSparse4GiBPlus100(dir), kOverflow},  {dir.Path() / "no-folder" / "file.bin", kFileNotFound},
      {plain / "child", kFileNotFound},         {dir.Path() / "dangling", kFileNotFound},
      {ShortReadingFile(), kDeviceIoError},
  };
  for (const auto& [path, failure] : cases) {
    if (path.empty()) continue;  // no short-reading file here
    EXPECT_TRUE(FailsWith(failure, [&] { ReadWholeFile(path); })) << path;
  }
  EXPECT_EQ(ReadWholeFile(dir.Path() / "link").Bytes(), (std::vector<std::uint8_t>{1, 2, 3}));
}

// Root passes permission checks, so as root the read runs in a child that has become
// nobody; the child's exit status is the failure's number.
TEST(ReadWholeFilePosixTest, AnUnreadableFileIsPermissionDenied) {
  const TempDir dir;
  const auto file = dir.Write("secret.bin", {1});
  fs::permissions(file, fs::perms::none);
  const bool root = ::geteuid() == 0;
  if (!root && ::access(file.c_str(), R_OK) == 0) GTEST_SKIP() << "this user can read a file of mode 0000";
  EXPECT_EXIT(
      {
        if (root && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)) std::_Exit(1);
        try {
          ReadWholeFile(file);
        } catch (const Failure& failure) {
          std::_Exit(failure.Number());
        }
        std::_Exit(0);
      },
      ::testing::ExitedWithCode(kPermissionDenied), "");
}

std::size_t OpenDescriptorCount() {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd")) ++count;
  return count;
}

TEST(ReadWholeFilePosixTest, NoDescriptorIsLeftOpenOnAnyPath) {
  const TempDir dir;
  const fs::path paths[] = {
      dir.Write("good.bin", CountingBytes(100)), dir.Write("empty.bin", {}),
      dir.Write("long.bin", CountingBytes(40000)), MakeSparse4GiBPlus100(dir),
      dir.Path() / "missing.bin", dir.Path(), MakeFifo(dir), "/dev/null", ShortReadingFile(),
  };
  const std::size_t before = OpenDescriptorCount();
  for (const auto& path : paths) {
    try {
      ReadWholeFile(path);
    } catch (const Failure&) {
    }
    EXPECT_EQ(OpenDescriptorCount(), before) << path;
  }
}

}  // namespace
}  // namespace quorvex
