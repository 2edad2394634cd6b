#include <cstddef>
#include <utility>

#include "raise.h"

namespace quorvex {

ByteBuffer::ByteBuffer(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {
  if (bytes_.empty()) Raise(kOutOfRange);
  if (bytes_.size() > kMaxLength) Raise(kOverflow);
}

std::uint8_t ByteBuffer::At(std::int16_t position) const {
  if (position < 1 || position > Length()) Raise(kOutOfRange);
  return bytes_[static_cast<std::size_t>(position) - 1];
}

}  // namespace quorvex
