// ReadWholeFile on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "file_reading.h"
#include "open_failure_posix.h"
#include "raise.h"
#include "read_whole_file_posix.h"

namespace quorvex {

namespace {

// An open descriptor, closed when it goes out of scope on every path.
class FileDescriptor {
 public:
  explicit FileDescriptor(const SystemPath& path)
      // Read only: never created or truncated. Non-blocking so that a FIFO or a
      // device put in place since the first look cannot stall the open.
      : fd_(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)) {
    if (fd_ < 0) Raise(OpenFailureNumber(errno));
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() { ::close(fd_); }

  int Get() const noexcept { return fd_; }

 private:
  int fd_;
};

// The first look, at the path and before any open: opening a FIFO releases a writer
// blocked in its own open, opening a device can act on it (a serial port, a tape),
// so only a regular file is opened at all. Follows links, as the open will.
struct stat RegularFileStatus(const SystemPath& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) Raise(OpenFailureNumber(errno));
  if (!S_ISREG(status.st_mode)) Raise(kPathFileAccessError);
  return status;
}

// The second look, at the open handle: still a regular file, and the very file the
// first look saw. A name swapped in between never leads to a read of something else.
std::uint64_t SameRegularFileSize(int fd, const struct stat& first) {
  struct stat status {};
  if (::fstat(fd, &status) != 0) Raise(kPathFileAccessError);
  if (!S_ISREG(status.st_mode) || status.st_dev != first.st_dev || status.st_ino != first.st_ino) {
    Raise(kPathFileAccessError);
  }
  return static_cast<std::uint64_t>(status.st_size);
}

std::size_t ReadSomeFrom(int fd, std::uint8_t* destination, std::size_t count) {
  for (;;) {
    const ssize_t got = ::read(fd, destination, count);
    if (got >= 0) return static_cast<std::size_t>(got);
    if (errno != EINTR) Raise(kDeviceIoError);
  }
}

}  // namespace

ByteBuffer ReadWholeFile(const SystemPath& path, const BetweenLooks& between_looks) {
  RefuseNulInPath(path);
  const struct stat first = RegularFileStatus(path);
  if (between_looks) between_looks();
  const FileDescriptor file(path);
  const std::int16_t length = CheckedFileLength(SameRegularFileSize(file.Get(), first));
  return ReadExactly(length, [&file](std::uint8_t* destination, std::size_t count) {
    return ReadSomeFrom(file.Get(), destination, count);
  });
}

ByteBuffer ReadWholeFile(const SystemPath& path) { return ReadWholeFile(path, {}); }

}  // namespace quorvex
