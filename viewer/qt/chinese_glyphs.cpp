#include "chinese_glyphs.h"

#include <QByteArray>
#include <QtGlobal>

namespace quorvex {

void PreferSimplifiedChineseGlyphs() {
  QByteArray languages = "zh-cn";
  const QByteArray chosen = qgetenv("FC_LANG");
  if (!chosen.isEmpty()) languages += ':' + chosen;
  qputenv("FC_LANG", languages);
}

}  // namespace quorvex
