#include "display_text.h"

namespace quorvex {
namespace {

enum : std::uint8_t { kUnmeasured = 0, kHasWidth = 1, kWidthless = 2 };

// A white square reads as "a character that cannot be shown" and is outside Windows-1252,
// so it cannot be mistaken for a byte of the file. Fonts without it get a full stop.
QChar ChooseStandIn(const QFontMetricsF& metrics) {
  const QChar square(0x25A1);
  const qreal cell = metrics.horizontalAdvance(QChar(u'M'));
  if (metrics.inFontUcs4(square.unicode()) && metrics.horizontalAdvance(square) == cell) {
    return square;
  }
  return QChar(u'.');
}

bool ClassedWidthless(QChar character) {
  switch (character.category()) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Mark_NonSpacing:
    case QChar::Mark_Enclosing:
      return true;
    default:
      return false;
  }
}

}  // namespace

DisplayText::DisplayText(const QFont& font)
    : metrics_(font), standIn_(ChooseStandIn(metrics_)), widthless_(0x10000, kUnmeasured) {}

bool DisplayText::HasNoWidth(char16_t character) {
  std::uint8_t& known = widthless_[character];
  if (known == kUnmeasured) {
    const QChar qchar(character);
    known = ClassedWidthless(qchar) || metrics_.horizontalAdvance(QString(qchar)) <= 0
                ? kWidthless
                : kHasWidth;
  }
  return known == kWidthless;
}

QString DisplayText::From(const std::u16string& dump) {
  QString shown;
  shown.reserve(static_cast<qsizetype>(dump.size()));
  for (std::size_t i = 0; i < dump.size(); ++i) {
    const char16_t character = dump[i];
    if (character == u'\r' && i + 1 < dump.size() && dump[i + 1] == u'\n') continue;
    if (character == u'\n') {
      shown += QChar(u'\n');
    } else {
      shown += HasNoWidth(character) ? standIn_ : QChar(character);
    }
  }
  return shown;
}

}  // namespace quorvex
