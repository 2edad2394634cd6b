// Inside the engine: the platform-free half of ReadWholeFile. Each platform's
// reader only opens, asks for the size, reads and closes; the rules on lengths
// and short reads live here so that every platform keeps them alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "dump.h"

namespace quorvex {

// Reads up to count bytes into destination and returns how many it placed, 0 only
// at the end of the file. Raises its own failure when the read fails.
using ReadSome = std::function<std::size_t(std::uint8_t* destination, std::size_t count)>;

// A NUL inside the path fails with kFileNotFound before any file-system call: the
// system would see the path cut at the NUL and open some other file.
void RefuseNulInPath(const SystemPath& path);

// The file's full size as the 16-bit length: above 32,767 fails with kOverflow.
std::int16_t CheckedFileLength(std::uint64_t size);

// Sizes the buffer to positions 1 to length (0 fails with kOutOfRange) and fills
// it through read_some, which may return fewer bytes than asked. The end of the
// file before length bytes fails with kDeviceIoError: a file that shrank since
// its size was taken is never padded.
ByteBuffer ReadExactly(std::int16_t length, const ReadSome& read_some);

}  // namespace quorvex
