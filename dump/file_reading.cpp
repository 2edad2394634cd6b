#include "file_reading.h"

#include <vector>

#include "raise.h"

namespace quorvex {

void RefuseNulInPath(const SystemPath& path) {
  if (path.find(SystemPath::value_type{}) != SystemPath::npos) {
    Raise(kFileNotFound);
  }
}

std::int16_t CheckedFileLength(std::uint64_t size) {
  if (size > ByteBuffer::kMaxLength) Raise(kOverflow);
  return static_cast<std::int16_t>(size);
}

ByteBuffer ReadExactly(std::int16_t length, const ReadSome& read_some) {
  if (length < 1) Raise(kOutOfRange);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const std::size_t got = read_some(bytes.data() + filled, bytes.size() - filled);
    if (got == 0) Raise(kDeviceIoError);
    if (got > bytes.size() - filled) Raise(kDeviceIoError);  // a reader that overran
    filled += got;
  }
  return ByteBuffer(std::move(bytes));
}

}  // namespace quorvex
