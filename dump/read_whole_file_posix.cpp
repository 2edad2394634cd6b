// ReadWholeFile on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <utility>

#include "file_reading.h"
#include "open_failure_posix.h"
#include "raise.h"
#include "read_whole_file_posix.h"

namespace quorvex {

namespace {

// An open descriptor, or none (-1), closed when it goes out of scope on every path.
class FileDescriptor {
 public:
  explicit FileDescriptor(int open_fd = -1) noexcept : fd_(open_fd) {}
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (IsOpen()) ::close(fd_);
  }

  bool IsOpen() const noexcept { return fd_ >= 0; }
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

// Still a regular file, and the very file the first look saw: a name swapped in between
// never leads to a read of something else.
void RefuseAllButTheFileLookedAt(const struct stat& status, const struct stat& first) {
  RefuseAllButRegularFiles(status);
  if (status.st_dev != first.st_dev || status.st_ino != first.st_ino) Raise(kPathFileAccessError);
}

// The first look. Where there is O_PATH (Linux), it is made at a handle that names the
// file without opening it (no FIFO writer released, no device acted on) and follows
// links, as a plain open would; elsewhere at the name, and the handle stays empty.
FileDescriptor LookAt(const SystemPath& path, struct stat& status) {
#ifdef O_PATH
  FileDescriptor handle = Open(path.c_str(), O_PATH | O_CLOEXEC);
  if (::fstat(handle.Get(), &status) != 0) Raise(kPathFileAccessError);
  return handle;
#else
  if (::stat(path.c_str(), &status) != 0) Raise(OpenFailureNumber(errno));
  return FileDescriptor();
#endif
}

// The regular file reopened through its handle's entry among the process's descriptors:
// the very inode looked at, whatever the name has become since. Empty where there is no
// handle, or no such entry because /proc is not mounted (a chroot, a bare container).
FileDescriptor ReopenThroughHandle(const FileDescriptor& handle, const char* descriptor_folder) {
  if (!handle.IsOpen()) return FileDescriptor();
  const std::string entry = std::string(descriptor_folder) + "/" + std::to_string(handle.Get());
  const int fd = ::open(entry.c_str(), kReadFlags);
  if (fd < 0 && errno != ENOENT) Raise(OpenFailureNumber(errno));
  return FileDescriptor(fd);
}

// Without a handle to reopen, the name is opened again, only while a second look finds
// it still naming the file looked at: a file swapped in before that look is refused
// without being opened. One swapped in within the instant between that look and the
// open is opened (without blocking; a FIFO's blocked writer is then let go) and refused
// by the look at the open descriptor. Nothing but the file looked at is ever read.
FileDescriptor OpenByNameWhileStillTheSame(const SystemPath& path, const struct stat& first) {
  struct stat again {};
  if (::stat(path.c_str(), &again) != 0) Raise(OpenFailureNumber(errno));
  RefuseAllButTheFileLookedAt(again, first);
  return Open(path.c_str(), kReadFlags);
}

std::size_t ReadSomeFrom(int fd, std::uint8_t* destination, std::size_t count) {
  for (;;) {
    const ssize_t got = ::read(fd, destination, count);
    if (got >= 0) return static_cast<std::size_t>(got);
    if (errno != EINTR) Raise(kDeviceIoError);
  }
}

// Through the handle where /proc has its entry, else by name.
FileDescriptor OpenForReading(const SystemPath& path, const FileDescriptor& handle, const struct stat& first,
                              const char* descriptor_folder) {
  FileDescriptor reopened = ReopenThroughHandle(handle, descriptor_folder);
  if (reopened.IsOpen()) return reopened;
  return OpenByNameWhileStillTheSame(path, first);
}

ByteBuffer ReadAllOf(const FileDescriptor& file, const struct stat& first) {
  struct stat status {};
  if (::fstat(file.Get(), &status) != 0) Raise(kPathFileAccessError);
  RefuseAllButTheFileLookedAt(status, first);
  const std::int16_t length = CheckedFileLength(static_cast<std::uint64_t>(status.st_size));
  return ReadExactly(length, [&file](std::uint8_t* destination, std::size_t count) {
    return ReadSomeFrom(file.Get(), destination, count);
  });
}

}  // namespace

ByteBuffer ReadWholeFile(const SystemPath& path, const ReadHooks& hooks) {
  RefuseNulInPath(path);
  struct stat first {};
  const FileDescriptor handle = LookAt(path, first);
  RefuseAllButRegularFiles(first);
  if (hooks.between_looks) hooks.between_looks();
  return ReadAllOf(OpenForReading(path, handle, first, hooks.descriptor_folder), first);
}

ByteBuffer ReadWholeFile(const SystemPath& path) { return ReadWholeFile(path, {}); }

}  // namespace quorvex
