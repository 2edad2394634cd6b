// ReadWholeFile on what only POSIX systems have or make cheaply: FIFOs, sockets,
// devices, links, sparse files, short reads, permissions, and its descriptors.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <tuple>

#include "dump.h"
#include "dump_test_support.h"
#include "read_whole_file_posix.h"

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
    if (fd_ < 0) throw std::system_error(errno, std::generic_category());
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() { ::close(fd_); }
  int Get() const noexcept { return fd_; }

 private:
  int fd_;
};

fs::path MakeFifo(const TempDir& dir) {
  auto fifo = dir.Path() / "fifo";
  if (::mkfifo(fifo.c_str(), 0600) != 0) throw std::runtime_error("mkfifo failed");
  return fifo;
}

// A child blocked in its open of a FIFO for writing, as a program waiting for its reader
// is. Any open of the read end releases it.
class BlockedFifoWriter {
 public:
  explicit BlockedFifoWriter(const fs::path& fifo) : fifo_(fifo), pid_(::fork()) {
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
      const int fd = ::open(fifo.c_str(), O_WRONLY);
      std::_Exit(fd >= 0 && ::write(fd, "data", 4) == 4 ? 0 : 1);
    }
    std::this_thread::sleep_for(200ms);  // time to block in its open
  }
  BlockedFifoWriter(const BlockedFifoWriter&) = delete;
  BlockedFifoWriter& operator=(const BlockedFifoWriter&) = delete;
  // Its real reader comes at last: the writer's 4 bytes must arrive in full.
  ~BlockedFifoWriter() {
    if (!blocked_) return;
    // No Descriptor: its throw would leave the destructor and end the whole program.
    const int reader = ::open(fifo_.c_str(), O_RDONLY);
    if (reader < 0) {
      ADD_FAILURE() << "the FIFO's read end did not open: " << std::generic_category().message(errno);
      ::kill(pid_, SIGKILL);
    } else {
      char data[8] = {};
      EXPECT_EQ(::read(reader, data, sizeof data), 4);
      ::close(reader);
    }
    int status = 0;
    ::waitpid(pid_, &status, 0);
    if (reader >= 0) {
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "wait status " << status;
    }
  }

  // Not released: a released writer has ended a moment later, one way or the other.
  ::testing::AssertionResult StillBlocked() {
    std::this_thread::sleep_for(200ms);
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == 0) return ::testing::AssertionSuccess();
    blocked_ = false;
    return ::testing::AssertionFailure() << "the writer was released and ended with wait status " << status;
  }

 private:
  fs::path fifo_;
  pid_t pid_;
  bool blocked_ = true;
};

// Cut to its low 32 bits, this size would read as a 100-byte file.
fs::path MakeSparse4GiBPlus100(const TempDir& dir) {
  auto file = dir.Write("sparse.bin", {});
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

// A program blocked in its open of a FIFO for writing is released by any open of the
// other end; were Quorvex to open and close it, the writer's next write would die of
// SIGPIPE. Refused without an open, the writer waits on for its real reader. Nor may
// a FIFO with data in it lose any of it.
TEST(ReadWholeFilePosixTest, AFifoIsRefusedWithoutBeingOpened) {
  const TempDir dir;
  const auto fifo = MakeFifo(dir);
  {
    BlockedFifoWriter writer(fifo);
    EXPECT_TRUE(FailsWith(kPathFileAccessError, [&] { ReadWholeFile(fifo); }));
    EXPECT_TRUE(writer.StillBlocked());
  }

  const Descriptor both_ends(::open(fifo.c_str(), O_RDWR | O_NONBLOCK));
  ASSERT_EQ(::write(both_ends.Get(), "abc", 3), 3);
  EXPECT_TRUE(FailsWith(kPathFileAccessError, [&] { ReadWholeFile(fifo); }));
  char left[8] = {};
  EXPECT_EQ(::read(both_ends.Get(), left, sizeof left), 3);
}

// Where the file is reopened through the handle it was looked at by (Linux with /proc),
// a swap of its name changes nothing: the file looked at is read. Elsewhere, and where
// /proc is not mounted (a chroot, a bare container), the open goes by name again, and
// anything else now under it is refused. Either way no blocked writer of a FIFO swapped
// in is released.
#ifdef O_PATH
constexpr bool kReadsThroughTheHandle = true;
#else
constexpr bool kReadsThroughTheHandle = false;
#endif
// A folder that is not there stands for /proc/self/fd where /proc is not mounted.
constexpr const char* kNoProc = "/no-proc/self/fd";

TEST(ReadWholeFilePosixTest, ANameSwappedAfterTheLookLeadsToNoOtherFile) {
  const TempDir dir;
  std::optional<BlockedFifoWriter> writer;
  const struct {
    const char* label;
    std::function<void(const fs::path&)> swap;
    int failure;  // without a handle to reopen; 0: the file first seen is read
  } cases[] = {
      {"no swap", [](const fs::path&) {}, 0},
      // Same size, so only its identity tells it apart.
      {"another file", [&](const fs::path& p) { fs::rename(dir.Write("other.bin", {9, 9, 9}), p); },
       kPathFileAccessError},
      {"a FIFO with a blocked writer",
       [&](const fs::path& p) {
         fs::rename(MakeFifo(dir), p);
         writer.emplace(p);
       },
       kPathFileAccessError},
      {"nothing", [](const fs::path& p) { fs::remove(p); }, kFileNotFound},
      {"a link to the same file",
       [&](const fs::path& p) {
         fs::rename(p, dir.Path() / "moved.bin");
         fs::create_symlink(dir.Path() / "moved.bin", p);
       },
       0},
  };
  const bool with_proc = kReadsThroughTheHandle && fs::is_directory("/proc/self/fd");
  for (const auto& [mode, descriptor_folder, through_handle] :
       {std::tuple{"as mounted here", "/proc/self/fd", with_proc}, std::tuple{"without /proc", kNoProc, false}}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(mode) + ", " + c.label);
      const auto file = dir.Write("seen.bin", {1, 2, 3});
      const auto read = [&, folder = descriptor_folder] {
        return ReadWholeFile(file, {.between_looks = [&] { c.swap(file); }, .descriptor_folder = folder});
      };
      if (c.failure != 0 && !through_handle) {
        EXPECT_TRUE(FailsWith(c.failure, read));
      } else {
        EXPECT_EQ(read().Bytes(), (std::vector<std::uint8_t>{1, 2, 3}));
      }
      if (writer) {
        EXPECT_TRUE(writer->StillBlocked());
        writer.reset();
      }
      fs::remove(file);  // whatever took its place
      fs::remove(dir.Path() / "moved.bin");
    }
  }
}

TEST(ReadWholeFilePosixTest, SpecialFilesAndPathsFailWithTheirNumbers) {
  const TempDir dir;
  const auto plain = dir.Write("plain.bin", {1, 2, 3});
  const auto socket_path = dir.Path() / "socket";
  const Descriptor listener(::socket(AF_UNIX, SOCK_STREAM, 0));
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(socket_path.native().size(), sizeof address.sun_path);
  socket_path.native().copy(address.sun_path, sizeof address.sun_path - 1);
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
    EXPECT_TRUE(FailsWith(failure, [&path = path] { ReadWholeFile(path); })) << path;
  }
  EXPECT_EQ(ReadWholeFile(dir.Path() / "link").Bytes(), (std::vector<std::uint8_t>{1, 2, 3}));
  // Names that are not UTF-8 (GBK, Latin-1, a byte of neither) are opened as the bytes they are.
  for (const std::string name : {"\xCA\xFD\xBE\xDD.bin", "caf\xE9.bin", "\xFF"}) {
    const auto file = dir.Write(name, {static_cast<std::uint8_t>(name[0]), 4});
    EXPECT_EQ(ReadWholeFile(file.native()).Bytes(), (std::vector<std::uint8_t>{static_cast<std::uint8_t>(name[0]), 4}));
  }
}

// Root passes permission checks, so as root each read runs in a child that has become
// nobody; the child's exit status is the failure's number, 0 for the file's bytes.
// Reading needs read permission only: a read-only file must be read.
TEST(ReadWholeFilePosixTest, PermissionsDecideWhatIsRead) {
  const TempDir dir;
  fs::permissions(dir.Path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
  const bool root = ::geteuid() == 0;
  const fs::perms read_only = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
  for (const auto& [name, mode, expected] : {std::tuple{"0000.bin", fs::perms::none, int{kPermissionDenied}},
                                             std::tuple{"0444.bin", read_only, 0}}) {
    SCOPED_TRACE(name);
    const auto file = dir.Write(name, {1});
    fs::permissions(file, mode);
    if (!root && expected != 0 && ::access(file.c_str(), R_OK) == 0) continue;  // this user reads mode 0000
    EXPECT_EXIT(
        {
          if (root && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)) std::_Exit(1);
          try {
            std::_Exit(ReadWholeFile(file).Bytes() == std::vector<std::uint8_t>{1} ? 0 : 2);
          } catch (const Failure& failure) {
            std::_Exit(failure.Number());
          }
        },
        ::testing::ExitedWithCode(expected), "");
  }
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
  for (const char* descriptor_folder : {"/proc/self/fd", kNoProc}) {
    for (const auto& path : paths) {
      try {
        ReadWholeFile(path, {.between_looks = nullptr, .descriptor_folder = descriptor_folder});
      } catch (const Failure&) {
      }
      EXPECT_EQ(OpenDescriptorCount(), before) << descriptor_folder << " " << path;
    }
  }
}

}  // namespace
}  // namespace quorvex
