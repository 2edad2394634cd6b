#pragma once

#include <QString>

#include "dump.h"

namespace quorvex {

// A path from the user interface as the file system spells it: the locale's bytes, as
// Qt itself opens files.
SystemPath NativePath(const QString& path);

}  // namespace quorvex
