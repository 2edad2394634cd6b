#pragma once

#include <string>
#include <string_view>

namespace quorvex {

// The window's caption while a file is shown: "Quorvex [" + title + "]".
std::u16string FileCaption(std::u16string_view title);

}  // namespace quorvex
