// What the display shows of a dump text. DumpText's text stays exact; only the display
// copy changes: rows end with a plain line feed, and every character that the display's
// font would draw with no width (the soft hyphen U+00AD, DEL, the C1 controls that stand
// for Windows-1252's undefined bytes) gets a visible stand-in, so that each byte of a
// row keeps one cell of the character column.
#pragma once

#include <QChar>
#include <QFont>
#include <QFontMetricsF>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

namespace quorvex {

class DisplayText {
 public:
  explicit DisplayText(const QFont& font);

  QString From(const std::u16string& dump);

  // The character shown in place of one that would have no width.
  QChar StandIn() const { return standIn_; }

  bool HasNoWidth(char16_t character);

 private:
  QFontMetricsF metrics_;
  QChar standIn_;
  // Per UTF-16 unit, filled as characters are met: 0 not yet measured, 1 drawn with
  // a width, 2 drawn with none.
  std::vector<std::uint8_t> widthless_;
};

}  // namespace quorvex
