// HexDumpForm's sizes, the same in both windows: the display's font and the client area
// the window first has.
#pragma once

#include <string_view>

namespace quorvex {

// Courier New 8.25 pt, regular; where it is missing, each window picks another
// monospaced face.
inline constexpr std::u16string_view kDisplayFontFace = u"Courier New";
inline constexpr int kDisplayFontCentipoints = 825;

// The client area when the window first appears, in twips (1/1440 inch): more pixels at
// higher scale factors. A window that works in pixels takes them at 15 twips per pixel
// (96 DPI): 503 x 278.
inline constexpr int kInitialClientWidthTwips = 7545;
inline constexpr int kInitialClientHeightTwips = 4170;
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kInitialClientWidthPixels = kInitialClientWidthTwips / kTwipsPerPixel;
inline constexpr int kInitialClientHeightPixels = kInitialClientHeightTwips / kTwipsPerPixel;

}  // namespace quorvex
