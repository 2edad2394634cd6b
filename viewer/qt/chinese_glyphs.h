// Simplified Chinese glyph forms whatever the locale.
#pragma once

namespace quorvex {

// Han characters are shared by Chinese, Japanese and Korean, with forms that differ
// by language (where a full-width colon sits, how some strokes run). A font such as
// Noto Sans CJK holds them all and draws the forms of the language fontconfig asks
// for, which is the locale's unless FC_LANG says otherwise: under an English locale
// the interface would show Japanese forms. Asks for Simplified Chinese first, before
// any languages already chosen in FC_LANG. Must run before the QApplication is made,
// since fontconfig reads its languages once.
void PreferSimplifiedChineseGlyphs();

}  // namespace quorvex
