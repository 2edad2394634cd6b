#include "caption.h"

#include "texts.h"

namespace quorvex {

QString FileCaption(const QString& title) {
  const QString caption = texts::kCaptionBefore + title + texts::kCaptionAfter;
  return QString(caption).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
}

}  // namespace quorvex
