#pragma once

#include <QString>

#include <string_view>

namespace quorvex {

// A text of the shared viewer layer as Qt takes it.
inline QString QtText(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace quorvex
