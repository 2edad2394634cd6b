// What Quorvex sets up in its own process before Qt starts. The libraries Qt loads read
// these settings once, at their first use, so this comes first in main, before the
// QApplication, and stays for the program's life.
#pragma once

#include <QTemporaryDir>

namespace quorvex {

class StartupEnvironment {
 public:
  // Takes each step below, in order; the reasons are beside each in the .cpp.
  StartupEnvironment();
  StartupEnvironment(const StartupEnvironment&) = delete;
  StartupEnvironment& operator=(const StartupEnvironment&) = delete;

 private:
  // Qt's per-user settings go here while the program runs, and go with it.
  QTemporaryDir settings_;
};

// The steps, each of which the constructor takes; declared here for their tests.

// Unless a session bus is there to be found (DBUS_SESSION_BUS_ADDRESS names one,
// $XDG_RUNTIME_DIR/bus is one, or one is published on the X display), sets
// DBUS_SESSION_BUS_ADDRESS to "disabled:" so that D-Bus does not start a bus of its own.
void KeepDBusFromStartingABus();

// Unless the user chose otherwise (IBUS_ENABLE_SYNC_MODE set, to anything), has Qt's ibus
// frontend wait for ibus's answer to each key before it takes the next.
void KeepKeysInOrderWithIBus();

// Asks fontconfig for Simplified Chinese glyph forms first (FC_LANG), before any
// languages already chosen there.
void PreferSimplifiedChineseGlyphs();

}  // namespace quorvex
