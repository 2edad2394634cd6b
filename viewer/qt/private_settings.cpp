#include "private_settings.h"

#include <QSettings>

namespace quorvex {

PrivateSettings::PrivateSettings() {
  // Without a scratch folder, a path under which nothing can be made: settings are then
  // not written at all, rather than into the user's home.
  const QString path = folder_.isValid() ? folder_.path() : QStringLiteral("/dev/null/quorvex");
  for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
    QSettings::setPath(format, QSettings::UserScope, path);
  }
}

}  // namespace quorvex
