// Keys typed at once into a window that has just been given the keyboard (the Open
// dialog, a box, the window at start-up) reach that window, with an input method on.
#pragma once

#include <QAbstractNativeEventFilter>

namespace quorvex {

// Qt's ibus and fcitx5 frontends hand each key to the input method and, once it answers,
// deliver the key to the window that Qt took for active when the key came. On X, Qt
// takes in a window's activation only after the X events read with it: keys that arrive
// together with the focus are answered to the window before (the one a modal dialog
// blocks, or none at start-up), and are lost. Before such a key this filter lets Qt take
// in the activations it has waiting, handling no user input, so that the input method
// answers the window the keys went to. Keys come as they always did where no
// activation waits; with no input method it changes nothing.
class KeysFollowActivation final : public QAbstractNativeEventFilter {
 public:
  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
};

}  // namespace quorvex
