#include "startup_environment.h"

#include <QByteArray>
#include <QFile>
#include <QSettings>
#include <QtGlobal>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <string>

#ifdef QUORVEX_WITH_XCB
#include <xcb/xcb.h>
#endif

namespace quorvex {
namespace {

// D-Bus's own machine id, which names the buses it publishes on an X display.
QByteArray MachineId() {
  for (const char* file : {"/var/lib/dbus/machine-id", "/etc/machine-id"}) {
    QFile id(QString::fromLatin1(file));
    if (id.open(QIODevice::ReadOnly)) {
      QByteArray text = id.readAll().trimmed();
      if (!text.isEmpty()) return text;
    }
  }
  return {};
}

// Whether a session bus for this user is published on the X display, as dbus-launch
// publishes one it starts for a display (a startx or remote session): the owner of the
// selection _DBUS_SESSION_BUS_SELECTION_<user>_<machine id>. D-Bus finds such a bus by
// itself once it is asked to.
bool BusPublishedOnDisplay() {
#ifdef QUORVEX_WITH_XCB
  const passwd* user = getpwuid(getuid());  // NOLINT(concurrency-mt-unsafe): before any thread exists
  const QByteArray machine = MachineId();
  if (user == nullptr || machine.isEmpty() || qEnvironmentVariableIsEmpty("DISPLAY")) return false;
  const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> display(xcb_connect(nullptr, nullptr),
                                                                             xcb_disconnect);
  if (xcb_connection_has_error(display.get()) != 0) return false;
  const std::string name = std::string("_DBUS_SESSION_BUS_SELECTION_") + user->pw_name + '_' + machine.constData();
  const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> atom(
      xcb_intern_atom_reply(display.get(),
                            xcb_intern_atom(display.get(), 1, static_cast<uint16_t>(name.size()), name.data()),
                            nullptr),
      free);
  if (atom == nullptr || atom->atom == XCB_ATOM_NONE) return false;
  const std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&free)> owner(
      xcb_get_selection_owner_reply(display.get(), xcb_get_selection_owner(display.get(), atom->atom), nullptr),
      free);
  return owner != nullptr && owner->owner != XCB_WINDOW_NONE;
#else
  return false;
#endif
}

bool IsSocket(const QByteArray& path) {
  struct stat status {};
  return stat(path.constData(), &status) == 0 && S_ISSOCK(status.st_mode);
}

// Quorvex remembers nothing between runs, and Qt must not do so on its behalf: its file
// dialog would keep its history, last folder and view in the user's settings. Without a
// scratch folder, a path under which nothing can be made: settings are then not written
// at all, rather than into the user's home.
void KeepSettingsIn(const QTemporaryDir& folder) {
  const QString path = folder.isValid() ? folder.path() : QStringLiteral("/dev/null/quorvex");
  for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
    QSettings::setPath(format, QSettings::UserScope, path);
  }
}

}  // namespace

StartupEnvironment::StartupEnvironment() {
  KeepDBusFromStartingABus();
  KeepKeysInOrderWithIBus();
  PreferSimplifiedChineseGlyphs();
  KeepSettingsIn(settings_);
}

// Quorvex starts nothing that outlives it and writes nothing under the home. Where no
// session bus is to be found (an X server started without one), D-Bus would start a bus
// of its own for the display when Qt first reaches for it: that bus notes its address
// under ~/.dbus and keeps running after Quorvex ends. "disabled:" is an address of a
// transport no D-Bus library knows: with it D-Bus looks for no other bus and starts
// none, and every connection fails at once.
void KeepDBusFromStartingABus() {
  if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) return;
  // Where D-Bus itself looks next: a socket there is the session's bus.
  const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && IsSocket(runtime + "/bus")) return;
  if (BusPublishedOnDisplay()) return;
  qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}

// Qt's ibus frontend, left to itself, hands each key to ibus and goes on: a key whose
// answer happens to be there at once is delivered ahead of earlier keys still waiting for
// theirs, so typed letters change places, and an Enter can open a box that then takes the
// keys typed before it. Waiting for each answer keeps the keys in the order they were
// typed, at the cost of one round trip to ibus per key; a hung ibus is let go of after a
// moment (IBusWatchdog).
void KeepKeysInOrderWithIBus() {
  if (!qEnvironmentVariableIsSet("IBUS_ENABLE_SYNC_MODE")) qputenv("IBUS_ENABLE_SYNC_MODE", "1");
}

// Han characters are shared by Chinese, Japanese and Korean, with forms that differ by
// language (where a full-width colon sits, how some strokes run). A font such as Noto
// Sans CJK holds them all and draws the forms of the language fontconfig asks for, which
// is the locale's unless FC_LANG says otherwise: under an English locale the interface
// would show Japanese forms.
void PreferSimplifiedChineseGlyphs() {
  QByteArray languages = "zh-cn";
  const QByteArray chosen = qgetenv("FC_LANG");
  if (!chosen.isEmpty()) languages += ':' + chosen;
  qputenv("FC_LANG", languages);
}

}  // namespace quorvex
