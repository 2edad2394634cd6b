// ReadWholeFile on files only POSIX systems have or can make cheaply: FIFOs,
// sockets, devices, sparse files, short reads, and its use of descriptors.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <functional>
#include <future>

#include "dump.h"
#include "dump_test_support.h"
#include "open_failure_posix.h"

namespace quorvex {
namespace {

using test::CountingBytes;
using test::FailsWith;
using test::TempDir;
using namespace std::chrono_literals;

std::filesystem::path MakeFifo(const TempDir& dir) {
  const auto fifo = dir.Path() / "fifo";
  if (::mkfifo(fifo.c_str(), 0600) != 0) throw std::runtime_error("mkfifo failed");
  return fifo;
}

// A file descriptor of the test's own, closed on every path.
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

TEST(ReadWholeFilePosixTest, AFifoWithoutWriterFailsAtOnceInsteadOfWaiting) {
  const TempDir dir;
  const auto fifo = MakeFifo(dir);
  auto reading = std::async(std::launch::async, [&] {
    return FailsWith(kPathFileAccessError, [&] { ReadWholeFile(fifo); });
  });
  if (reading.wait_for(5s) != std::future_status::ready) {
    // Let a blocked open go so that the test ends with a failure, not a hang.
    Descriptor writer(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK));
    FAIL() << "ReadWholeFile blocked on a FIFO";
  }
  EXPECT_TRUE(reading.get());
}

TEST(ReadWholeFilePosixTest, AFifoWithDataFailsWithoutTakingAnyOfIt) {
  const TempDir dir;
  const auto fifo = MakeFifo(dir);
  const Descriptor both_ends(::open(fifo.c_str(), O_RDWR | O_NONBLOCK));
  ASSERT_EQ(::write(both_ends.Get(), "abc", 3), 3);
  EXPECT_TRUE(FailsWith(kPathFileAccessError, [&] { ReadWholeFile(fifo); }));
  char left[8] = {};
  EXPECT_EQ(::read(both_ends.Get(), left, sizeof left), 3);
  EXPECT_STREQ(left, "abc");
}

TEST(ReadWholeFilePosixTest, SocketsAndDevicesAreAccessErrors) {
  const TempDir dir;
  const auto socket_path = dir.Path() / "socket";
  const Descriptor listener(::socket(AF_UNIX, SOCK_STREAM, 0));
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(socket_path.native().size(), sizeof address.sun_path);
  std::strcpy(address.sun_path, socket_path.c_str());
  ASSERT_EQ(::bind(listener.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);

  for (const std::filesystem::path& path : {socket_path, std::filesystem::path("/dev/null"),
                                            std::filesystem::path("/dev/zero")}) {
    SCOPED_TRACE(path.string());
    EXPECT_TRUE(FailsWith(kPathFileAccessError, [&] { ReadWholeFile(path); }));
  }
}

// Cut to its low 32 bits this size would be 100 and read as a small file.
TEST(ReadWholeFilePosixTest, ASparseFileOf4GiBPlus100Overflows) {
  const TempDir dir;
  const auto file = dir.Write("sparse.bin", {});
  std::filesystem::resize_file(file, (std::uintmax_t{1} << 32) + 100);
  EXPECT_TRUE(FailsWith(kOverflow, [&] { ReadWholeFile(file); }));
}

TEST(ReadWholeFilePosixTest, PathsThatLeadNowhereAreNotFound) {
  const TempDir dir;
  const auto file = dir.Write("plain.bin", {1, 2, 3});
  std::filesystem::create_symlink(dir.Path() / "gone.bin", dir.Path() / "dangling");
  for (const auto& path : {dir.Path() / "no-folder" / "file.bin", file / "child", dir.Path() / "dangling"}) {
    SCOPED_TRACE(path.string());
    EXPECT_TRUE(FailsWith(kFileNotFound, [&] { ReadWholeFile(path); }));
  }
}

TEST(ReadWholeFilePosixTest, ALinkToAFileReadsTheFile) {
  const TempDir dir;
  const auto file = dir.Write("plain.bin", {1, 2, 3});
  std::filesystem::create_symlink(file, dir.Path() / "link");
  EXPECT_EQ(ReadWholeFile(dir.Path() / "link").Bytes(), (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST(ReadWholeFilePosixTest, AnUnreadableFileIsPermissionDenied) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
  const TempDir dir;
  const auto file = dir.Write("secret.bin", {1});
  std::filesystem::permissions(file, std::filesystem::perms::none);
  EXPECT_TRUE(FailsWith(kPermissionDenied, [&] { ReadWholeFile(file); }));
}

TEST(ReadWholeFilePosixTest, OpenErrorsMapToTheirFailures) {
  const struct {
    int error;
    FailureNumber failure;
  } cases[] = {
      {ENOENT, kFileNotFound},        {ENOTDIR, kFileNotFound},        {EACCES, kPermissionDenied},
      {EPERM, kPermissionDenied},     {ENXIO, kPathFileAccessError},   {ELOOP, kPathFileAccessError},
      {EMFILE, kPathFileAccessError}, {ENAMETOOLONG, kPathFileAccessError},
  };
  for (const auto& c : cases) EXPECT_EQ(OpenFailureNumber(c.error), c.failure) << std::strerror(c.error);
}

// Files in /sys claim a size of one page but give only a few bytes: a real
// short read, which must fail rather than come back padded with zeros.
std::filesystem::path ShortReadingFile() {
  for (const char* candidate : {"/sys/devices/system/cpu/online", "/sys/kernel/mm/transparent_hugepage/enabled"}) {
    struct stat status {};
    if (::stat(candidate, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0 &&
        static_cast<std::uintmax_t>(status.st_size) > test::ContentsOf(candidate).size()) {
      return candidate;
    }
  }
  return {};
}

TEST(ReadWholeFilePosixTest, AReadThatComesBackShortIsAnIoError) {
  const auto file = ShortReadingFile();
  if (file.empty()) GTEST_SKIP() << "no file here reports more bytes than it gives";
  EXPECT_TRUE(FailsWith(kDeviceIoError, [&] { ReadWholeFile(file); }));
}

std::size_t OpenDescriptorCount() {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++count;
  return count;
}

TEST(ReadWholeFilePosixTest, NoDescriptorIsLeftOpenOnAnyPath) {
  const TempDir dir;
  const auto fifo = MakeFifo(dir);
  const auto sparse = dir.Write("sparse.bin", {});
  std::filesystem::resize_file(sparse, (std::uintmax_t{1} << 32) + 100);
  std::vector<std::filesystem::path> paths = {
      dir.Write("good.bin", CountingBytes(100)),  dir.Write("empty.bin", {}),
      dir.Write("long.bin", CountingBytes(40000)), sparse,
      dir.Path() / "missing.bin",                  dir.Path(),
      fifo,                                        "/dev/null",
  };
  if (const auto short_file = ShortReadingFile(); !short_file.empty()) paths.push_back(short_file);

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
