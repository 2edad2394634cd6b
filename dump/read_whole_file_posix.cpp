// ReadWholeFile on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "file_reading.h"
#include "open_failure_posix.h"
#include "raise.h"
#include "read_whole_file_posix.h"

namespace quorvex {

namespace {

// An open descriptor, closed when it goes out of scope on every path.
class FileDescriptor {
 public:
  explicit FileDescriptor(int open_fd) noexcept : fd_(open_fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() { ::close(fd_); }

  int Get() const noexcept { return fd_; }

 private:
  int fd_;
};

// Read only: never created or truncated. Non-blocking so that, should a FIFO or a
// device be opened after all, it cannot stall the open.
constexpr int kReadFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;

FileDescriptor Open(const char* path, int flags) {
  const int fd = ::open(path, flags);
  if (fd < 0) Raise(OpenFailureNumber(errno));
  return FileDescriptor(fd);
}

// Opening a FIFO releases a writer blocked in its own open, opening a device can act
// on it (a serial port, a tape): only a regular file is opened for reading at all.
void RefuseAllButRegularFiles(const struct stat& status) {
  if (!S_ISREG(status.st_mode)) Raise(kPathFileAccessError);
}

// The look at the open handle: still a regular file, and the very file the first look
// saw. A name swapped in between never leads to a read of something else.
std::uint64_t SameRegularFileSize(int fd, const struct stat& first) {
  struct stat status {};
  if (::fstat(fd, &status) != 0) Raise(kPathFileAccessError);
  RefuseAllButRegularFiles(status);
  if (status.st_dev != first.st_dev || status.st_ino != first.st_ino) Raise(kPathFileAccessError);
  return static_cast<std::uint64_t>(status.st_size);
}

std::size_t ReadSomeFrom(int fd, std::uint8_t* destination, std::size_t count) {
  for (;;) {
    const ssize_t got = ::read(fd, destination, count);
    if (got >= 0) return static_cast<std::size_t>(got);
    if (errno != EINTR) Raise(kDeviceIoError);
  }
}

ByteBuffer ReadAllOf(const FileDescriptor& file, const struct stat& first) {
  const std::int16_t length = CheckedFileLength(SameRegularFileSize(file.Get(), first));
  return ReadExactly(length, [&file](std::uint8_t* destination, std::size_t count) {
    return ReadSomeFrom(file.Get(), destination, count);
  });
}

}  // namespace

#ifdef O_PATH

// Linux: an O_PATH handle names the file without opening it (no FIFO writer released,
// no device acted on) and follows links, as a plain open would. The look is made at
// that handle, and the regular file is then reopened through it: the very inode looked
// at, whatever the name has become since. No gap remains for a swap.
ByteBuffer ReadWholeFile(const SystemPath& path, const BetweenLooks& between_looks) {
  RefuseNulInPath(path);
  const FileDescriptor handle = Open(path.c_str(), O_PATH | O_CLOEXEC);
  struct stat first {};
  if (::fstat(handle.Get(), &first) != 0) Raise(kPathFileAccessError);
  RefuseAllButRegularFiles(first);
  if (between_looks) between_looks();
  const std::string handle_entry = "/proc/self/fd/" + std::to_string(handle.Get());
  const int fd = ::open(handle_entry.c_str(), kReadFlags);
  // The entry is missing only where /proc is not mounted: no fault of the file's.
  if (fd < 0) Raise(errno == ENOENT ? kPathFileAccessError : OpenFailureNumber(errno));
  return ReadAllOf(FileDescriptor(fd), first);
}

#else

// Systems without O_PATH keep a look at the name and then an open of it. A name swapped
// to a FIFO or a device in that gap is still opened (without blocking) before the look
// at the handle refuses it; nothing else than the file looked at is ever read.
ByteBuffer ReadWholeFile(const SystemPath& path, const BetweenLooks& between_looks) {
  RefuseNulInPath(path);
  struct stat first {};
  if (::stat(path.c_str(), &first) != 0) Raise(OpenFailureNumber(errno));
  RefuseAllButRegularFiles(first);
  if (between_looks) between_looks();
  return ReadAllOf(Open(path.c_str(), kReadFlags), first);
}

#endif

ByteBuffer ReadWholeFile(const SystemPath& path) { return ReadWholeFile(path, {}); }

}  // namespace quorvex
