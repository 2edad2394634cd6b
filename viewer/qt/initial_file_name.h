#pragma once

#include <QString>

namespace quorvex {

// The Open dialog's first file name: the program's folder, the native separator and
// "*.*", joined as they stand (a drive root such as "C:\" gives two separators in a
// row, which the dialog copes with).
QString InitialFileName(const QString& programFolder);

}  // namespace quorvex
