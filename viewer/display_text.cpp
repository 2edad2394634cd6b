#include "display_text.h"

#include <algorithm>

namespace quorvex {

std::u16string DisplayText(std::u16string_view dump) {
  std::u16string shown(dump);
  std::replace_if(
      shown.begin(), shown.end(),
      [](char16_t character) {
        return std::find(kWidthlessCharacters.begin(), kWidthlessCharacters.end(), character) !=
               kWidthlessCharacters.end();
      },
      kStandIn);
  return shown;
}

}  // namespace quorvex
