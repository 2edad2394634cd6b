// Where the keyboard goes as Quorvex's window, its boxes and its dialog come and go: to
// the window, at once, whatever the window system does on its own.
#pragma once

class QWidget;

namespace quorvex {

// Makes window's top-level window the active one and gives window the focus. With no
// window manager nobody activates a window that is shown, nor hands the activation back
// when a modal window over it closes (the X focus stays on the root window); and a box
// opened from the menu bar's keyboard mode leaves the focus with the menu bar.
void GiveKeysTo(QWidget* window);

// The same, once a modal window over window has closed, so that whatever comes next
// (another box, say) finds the window active and takes the keys from it. In a Wayland
// session the compositor hands the activation back by itself and Qt answers it with an
// activation request of its own, which takes a round trip; a box shown meanwhile may be
// pushed below the window it blocks by that late request, and no key would reach
// anything. So there it first lets the window become active, handling no user input,
// for at most a second, and asks for it only if it did not.
void ReturnKeysTo(QWidget* window);

}  // namespace quorvex
