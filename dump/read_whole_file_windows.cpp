// ReadWholeFile on Windows.
#include <windows.h>

#include "file_reading.h"
#include "raise.h"
#include "windows_device_names.h"
#include "windows_long_paths.h"

namespace quorvex {

namespace {

bool IsFolder(const SystemPath& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

FailureNumber OpenFailure(DWORD error, const SystemPath& path) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    // A name no file can have (wildcards, "<", "|", ...) names no file either;
    // on other systems the same text simply does not exist.
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
      return kFileNotFound;
    case ERROR_ACCESS_DENIED:
      // Windows refuses to open a folder as a file with "access denied"; a folder
      // is not a file we can show, whatever the permissions on it.
      return IsFolder(path) ? kPathFileAccessError : kPermissionDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return kPermissionDenied;
    default:
      return kPathFileAccessError;
  }
}

// The first look, before any open: opening a pipe connects to its server and takes
// one of its instances, opening a device may act on it. So what the name or the
// attributes show to be no disk file is refused without being opened.
void RefuseAllButDiskFiles(const SystemPath& path) {
  if (NamesNoDiskFile(path)) Raise(kPathFileAccessError);
  WIN32_FILE_ATTRIBUTE_DATA attributes{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &attributes)) {
    Raise(OpenFailure(GetLastError(), path));
  }
  if (attributes.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) {
    Raise(kPathFileAccessError);
  }
}

// An open file handle, closed when it goes out of scope on every path.
class FileHandle {
 public:
  explicit FileHandle(const SystemPath& path)
      // Read only, never created or truncated, and shared in every way: others may
      // go on reading, writing, renaming and deleting the file while we read it.
      // No FILE_FLAG_BACKUP_SEMANTICS, so a folder cannot be opened.
      : handle_(CreateFileW(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {
    if (handle_ == INVALID_HANDLE_VALUE) Raise(OpenFailure(GetLastError(), path));
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { CloseHandle(handle_); }

  HANDLE Get() const noexcept { return handle_; }

 private:
  HANDLE handle_;
};

// The second look: the size of the disk file open on handle; a pipe, a console, a
// device or a folder put under the name since the first look fails at once. Asking
// the handle, not the path, so the answer is about the file we read.
std::uint64_t DiskFileSize(HANDLE handle) {
  if (GetFileType(handle) != FILE_TYPE_DISK) Raise(kPathFileAccessError);
  BY_HANDLE_FILE_INFORMATION information{};
  if (!GetFileInformationByHandle(handle, &information)) Raise(kPathFileAccessError);
  if (information.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) {
    Raise(kPathFileAccessError);
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(handle, &size) || size.QuadPart < 0) Raise(kPathFileAccessError);
  return static_cast<std::uint64_t>(size.QuadPart);
}

std::size_t ReadSomeFrom(HANDLE handle, std::uint8_t* destination, std::size_t count) {
  // count never exceeds 32,767, so it fits a DWORD.
  DWORD got = 0;
  if (!ReadFile(handle, destination, static_cast<DWORD>(count), &got, nullptr)) {
    Raise(kDeviceIoError);
  }
  return got;
}

}  // namespace

ByteBuffer ReadWholeFile(const SystemPath& path) {
  RefuseNulInPath(path);
  // The name as given, and as it is opened: making it full may name a device too.
  if (NamesNoDiskFile(path)) Raise(kPathFileAccessError);
  const SystemPath opened = LongPathForm(path);
  RefuseAllButDiskFiles(opened);
  const FileHandle file(opened);
  const std::int16_t length = CheckedFileLength(DiskFileSize(file.Get()));
  return ReadExactly(length, [&file](std::uint8_t* destination, std::size_t count) {
    return ReadSomeFrom(file.Get(), destination, count);
  });
}

}  // namespace quorvex
