#pragma once

#include <QString>

#include <filesystem>

namespace quorvex {

// A path from the user interface as the file system spells it: UTF-16 on Windows,
// the locale's bytes elsewhere (as Qt itself opens files).
std::filesystem::path NativePath(const QString& path);

}  // namespace quorvex
