// Inside the engine: which failure a stat() or open() error on POSIX systems becomes.
#pragma once

#include <cerrno>

#include "dump.h"

namespace quorvex {

constexpr FailureNumber OpenFailureNumber(int error) noexcept {
  switch (error) {
    case ENOENT:
    case ENOTDIR: return kFileNotFound;
    case EACCES:
    case EPERM: return kPermissionDenied;
    default: return kPathFileAccessError;  // a socket (ENXIO), a loop of links, ...
  }
}

}  // namespace quorvex
