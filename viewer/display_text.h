// What the display shows of a dump text. DumpText's text stays exact; only the display
// copy changes. Seven of the 256 Windows-1252 characters a dump can hold draw with no
// width: DEL, the soft hyphen and the C1 controls that stand for Windows-1252's undefined
// bytes. Each gets a visible stand-in, so that every byte of a row keeps one cell of the
// character column, lined up under its hex.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace quorvex {

inline constexpr std::array<char16_t, 7> kWidthlessCharacters = {u'\u007F', u'\u0081', u'\u008D', u'\u008F',
                                                                 u'\u0090', u'\u009D', u'\u00AD'};

// A white square reads as "a character that cannot be shown" and is outside
// Windows-1252, so it cannot be mistaken for a byte of the file. The display's font has
// it, one cell wide like every other character.
inline constexpr char16_t kStandIn = u'\u25A1';

// The dump text with kStandIn in place of each widthless character; rows still end with
// CR LF.
std::u16string DisplayText(std::u16string_view dump);

}  // namespace quorvex
