#!/usr/bin/python3
"""The real program as a screen reader sees it over AT-SPI, driven by keys alone: the
display's role, name and text, and where the focus is after a keyboard Open and after the
About box closed with Enter.

Usage, with an X display and a session bus of its own:
  scripts/with-x-display.sh 1024x768x24 dbus-run-session -- accessibility_test.py path/to/quorvex
"""
import os
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import Atspi

# The nine bytes 48 65 6C 6C 6F 0D 0A 00 41, one row for every eight bytes.
SAMPLE = b"Hello\r\n\x00A"
SAMPLE_DUMP = ("     1: 48 65 6C 6C 6F  D  A  0     Hello\u00bf\u00bf\u00bf\n"
               "     9: 41                          A\n")
DISPLAY_NAME = "十六进制内容"

failures = []


def check(passed, what, reported):
    print(f"{'PASS' if passed else 'FAIL'}: {what} (AT-SPI reports {reported})", flush=True)
    if not passed:
        failures.append(what)


def wait_for(find, timeout=20):
    """What find() gives once it gives something, or None after timeout seconds."""
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        found = find()
        if found:
            return found
        time.sleep(0.2)
    return None


def keys(*names):
    subprocess.run(["xdotool", "key", *names], check=True)


def described(accessible):
    return f"{accessible.getRoleName()} '{accessible.name}'" if accessible else "nothing"


def descendants(accessible):
    yield accessible
    for child in accessible:
        if child is not None:
            yield from descendants(child)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    return next((app for app in desktop if app is not None and app.name == "Quorvex"), None)


def window_named(app, name):
    return next((window for window in app if window is not None and window.name == name), None)


def active_window_named(app, name):
    """The window, once it is the active one: keys pressed now reach it."""
    window = window_named(app, name)
    return window if window is not None and window.getState().contains(pyatspi.STATE_ACTIVE) else None


def focused(app):
    """Everything that reports the focus: with the focus on the display, the window and
    the display's own view (whose focus goes to the display) report it too."""
    return [accessible for accessible in descendants(app) if accessible.getState().contains(pyatspi.STATE_FOCUSED)]


def focus_on(app):
    return "focus on " + (", ".join(described(holder) for holder in focused(app)) or "nothing")


def main(program):
    # As a screen reader does when it starts: the toolkit then exposes its windows.
    subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                    "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status",
                    "string:IsEnabled", "variant:boolean:true"], check=True, stdout=subprocess.DEVNULL)
    # Polled rather than followed through events: every state asked afresh.
    pyatspi.Registry.getDesktop(0).set_cache_mask(Atspi.Cache.NONE)

    with tempfile.TemporaryDirectory() as work:
        sample = os.path.join(work, "sample.bin")
        with open(sample, "wb") as out:
            out.write(SAMPLE)
        env = dict(os.environ, HOME=work, QT_QPA_PLATFORM="xcb")
        quorvex = subprocess.Popen([program], env=env)
        try:
            run(sample)
        finally:
            quorvex.terminate()
            quorvex.wait(timeout=10)


def run(sample):
    app = wait_for(application)
    main_window = app and wait_for(lambda: window_named(app, "Quorvex"))
    if main_window is None:
        check(False, "Quorvex's window is on the accessibility bus", "no such window")
        return
    # Below the menu bar, the one other part of the window.
    display = next((part for part in main_window if part.getRole() != pyatspi.ROLE_MENU_BAR), None)
    read_only = display is not None and not display.getState().contains(pyatspi.STATE_EDITABLE)
    check(display is not None and display.getRole() == pyatspi.ROLE_TEXT and read_only,
          "the display is read-only text", described(display))
    if display is None:
        return
    check(display.name == DISPLAY_NAME, f"the display is named {DISPLAY_NAME}", repr(display.name))

    # Open through the keyboard alone.
    keys("ctrl+o")
    if not wait_for(lambda: active_window_named(app, "打开"), timeout=10):
        check(False, "Ctrl+O opens the dialog", focus_on(app))
        return
    subprocess.run(["xdotool", "type", "--delay", "20", sample], check=True)
    keys("Return")
    caption = wait_for(lambda: window_named(app, "Quorvex [sample.bin]"))
    check(caption is not None, "the caption names the file", described(caption))
    text = display.queryText()
    # The caption changes before the file is read; the text comes a moment later.
    shown = wait_for(lambda: text.getText(0, text.characterCount), timeout=5)
    check(shown == SAMPLE_DUMP, "the display's text is the dump", repr(shown))
    check(wait_for(lambda: display in focused(app), timeout=3), "the display holds the focus after the Open",
          focus_on(app))

    # About by its access key, closed with Enter.
    keys("alt+a")
    if not wait_for(lambda: active_window_named(app, "关于 Quorvex"), timeout=10):
        check(False, "Alt+A opens the About box", focus_on(app))
        return
    keys("Return")
    check(wait_for(lambda: window_named(app, "关于 Quorvex") is None, timeout=10), "Enter closes the About box",
          focus_on(app))
    check(wait_for(lambda: display in focused(app), timeout=3), "the display holds the focus after the About box",
          focus_on(app))


if __name__ == "__main__":
    main(sys.argv[1])
    sys.exit(1 if failures else 0)
