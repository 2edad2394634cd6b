// ReadWholeFile on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "file_reading.h"
#include "open_failure_posix.h"
#include "raise.h"

namespace quorvex {

namespace {

// An open descriptor, closed when it goes out of scope on every path.
class FileDescriptor {
 public:
  explicit FileDescriptor(const std::filesystem::path& path)
      // Read only: never created or truncated. Non-blocking so that a FIFO or a
      // device cannot stall the open; the kind of file is checked right after.
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

// The size of the regular file open on fd; any other kind of file fails at once.
// Asking the handle, not the path, so the answer is about the file we read.
std::uint64_t RegularFileSize(int fd) {
  struct stat status {};
  if (::fstat(fd, &status) != 0) Raise(kPathFileAccessError);
  if (!S_ISREG(status.st_mode)) Raise(kPathFileAccessError);
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

ByteBuffer ReadWholeFile(const std::filesystem::path& path) {
  const FileDescriptor file(path);
  const std::int16_t length = CheckedFileLength(RegularFileSize(file.Get()));
  return ReadExactly(length, [&file](std::uint8_t* destination, std::size_t count) {
    return ReadSomeFrom(file.Get(), destination, count);
  });
}

}  // namespace quorvex
