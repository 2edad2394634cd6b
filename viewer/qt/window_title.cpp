#include "window_title.h"

#include "caption.h"
#include "qt_text.h"

namespace quorvex {

QString WindowTitle(const QString& title) {
  return QtText(FileCaption(title.toStdU16String())).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
}

}  // namespace quorvex
