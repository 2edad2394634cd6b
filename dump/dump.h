// The Quorvex dump engine: reads a file whole and turns its bytes into the dump text.
// Standard library only, so the viewer and any other front end can share it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

namespace quorvex {

// The failures the engine raises; the numbers are what users see in error reports.
enum FailureNumber : int {
  kOverflow = 6,          // a 16-bit position or length would overflow
  kOutOfRange = 9,        // a buffer sized to positions 1 to 0 (an empty file)
  kFileNotFound = 53,
  kDeviceIoError = 57,    // a read that fails or comes back short
  kPermissionDenied = 70,
  kPathFileAccessError = 75,  // not a regular file, or any other open failure
};

// A failure with a number and a user-facing description (UTF-8).
class Failure : public std::exception {
 public:
  Failure(int number, std::string description);

  int Number() const noexcept { return number_; }
  const std::string& Description() const noexcept { return description_; }
  const char* what() const noexcept override;

 private:
  int number_;
  std::string description_;
  std::string what_;
};

// The contents of one file, addressed by 1-based positions 1 to Length().
// Always holds 1 to 32,767 bytes: an empty vector fails with kOutOfRange,
// a longer one with kOverflow.
class ByteBuffer {
 public:
  // Positions are signed 16-bit.
  static constexpr std::size_t kMaxLength = 32767;

  explicit ByteBuffer(std::vector<std::uint8_t> bytes);

  std::int16_t Length() const noexcept { return static_cast<std::int16_t>(bytes_.size()); }

  // The byte at 1-based position; fails with kOutOfRange outside 1..Length().
  std::uint8_t At(std::int16_t position) const;

  const std::vector<std::uint8_t>& Bytes() const noexcept { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

// The whole dump text: one row per eight bytes, each ending with CR LF.
// Fails with kOverflow for more than 32,760 bytes; no partial text is returned.
std::u16string DumpText(const ByteBuffer& buffer);

// A file's path as the system's file calls take it: UTF-16 on Windows, bytes elsewhere.
// A std::filesystem::path converts to it implicitly; the engine itself does without
// std::filesystem, whose conversions would bring the whole locale library into a
// statically linked program.
#ifdef _WIN32
using SystemPath = std::wstring;
#else
using SystemPath = std::string;
#endif

// Reads the whole file at path, opened for reading only and closed on every path.
// Anything but a regular disk file (a folder, FIFO, pipe, socket or device) fails with
// kPathFileAccessError without being opened; a path with a NUL inside names no file.
ByteBuffer ReadWholeFile(const SystemPath& path);

}  // namespace quorvex
