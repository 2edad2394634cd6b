#pragma once

#include <string>
#include <string_view>

namespace quorvex {

// The Open dialog's first file name: the program's folder, the platform's separator and
// "*.*", joined as they stand (a drive root such as "C:\" gives two separators in a
// row, which the dialog copes with).
std::u16string InitialFileName(std::u16string_view programFolder, char16_t separator);

}  // namespace quorvex
