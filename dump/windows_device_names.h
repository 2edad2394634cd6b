// Inside the engine: Windows names that lead to a device or a pipe rather than a disk
// file, told from the name alone, before anything is opened or asked of the system.
#pragma once

#include <string_view>

namespace quorvex {

// The device namespace (\\.\ and //./), names after the literal prefixes \\?\ and
// \??\ other than a drive, a UNC share or a volume (\\?\GLOBALROOT\..., \\?\pipe\...),
// pipes and mailslots on any server, and the reserved device names (NUL, COM1, ...).
bool NamesNoDiskFile(std::wstring_view path);

}  // namespace quorvex
