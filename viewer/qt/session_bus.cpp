#include "session_bus.h"

#include <QByteArray>
#include <QtGlobal>

#include <sys/stat.h>

namespace quorvex {

void KeepDBusFromStartingABus() {
  if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) return;
  // Where D-Bus itself looks next: a socket there is the session's bus.
  const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
  struct stat bus {};
  if (!runtime.isEmpty() && stat((runtime + "/bus").constData(), &bus) == 0 && S_ISSOCK(bus.st_mode)) return;
  qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}

}  // namespace quorvex
