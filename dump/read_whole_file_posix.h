// Inside the engine: ReadWholeFile on POSIX systems with the hooks tests need: a pause
// between its look at the file and its open for reading, so that the name can be
// swapped in that gap, and the folder it reopens descriptors through, so that a system
// without /proc can be played.
#pragma once

#include <functional>

#include "dump.h"

namespace quorvex {

struct ReadHooks {
  // Runs after the path was found to be a regular file and before it is opened for reading.
  std::function<void()> between_looks;
  // Where the process's open descriptors can be opened by number; a folder that does not
  // exist reads as a system without /proc mounted.
  const char* descriptor_folder = "/proc/self/fd";
};

ByteBuffer ReadWholeFile(const SystemPath& path, const ReadHooks& hooks);

}  // namespace quorvex
