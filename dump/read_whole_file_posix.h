// Inside the engine: ReadWholeFile on POSIX systems with a pause between its look at
// the file and its open for reading, so that tests can swap the name in that gap.
#pragma once

#include <functional>

#include "dump.h"

namespace quorvex {

// Runs after the path was found to be a regular file and before it is opened for reading.
using BetweenLooks = std::function<void()>;

ByteBuffer ReadWholeFile(const SystemPath& path, const BetweenLooks& between_looks);

}  // namespace quorvex
