// Quorvex starts nothing that outlives it and writes nothing under the home. Where no
// session bus runs (a remote X display, an X server started without one), D-Bus would
// otherwise start a bus of its own for the display when Qt first reaches for it: that
// bus notes its address under ~/.dbus and keeps running after Quorvex ends.
#pragma once

namespace quorvex {

// Before Qt starts: unless DBUS_SESSION_BUS_ADDRESS names a bus or $XDG_RUNTIME_DIR/bus
// is one, sets DBUS_SESSION_BUS_ADDRESS to "disabled:" for this process, so that no bus
// is started. A desktop session's bus is left as it is.
void KeepDBusFromStartingABus();

}  // namespace quorvex
