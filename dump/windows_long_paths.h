// Inside the engine: paths of any length on every Windows. Without the literal prefix,
// the file calls refuse a path of 260 characters or more unless the program declares
// itself long-path aware, and then only on Windows 10 version 1607 and later with long
// paths switched on in the registry (off by default).
#pragma once

#include <string>
#include <string_view>

namespace quorvex {

// A path of 260 characters or more, or whose full path has that many, as its full path
// with the literal prefix: \\?\C:\... for a drive, \\?\UNC\server\share\... for a share.
// The full path comes from the system (current folder, "." and "..", "/" made "\"), since
// behind the prefix the system takes a path as it stands. Shorter paths, paths already
// in the device namespaces (\\?\, \\.\, \??\) and paths the system cannot make full
// come back as they are.
std::wstring LongPathForm(std::wstring_view path);

}  // namespace quorvex
