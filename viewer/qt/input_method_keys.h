// Keys typed with an input method on (ibus, fcitx5) reach the window that has the
// keyboard, however soon after it took it, and a hung input method does not take the
// window with it.
#pragma once

#include <QAbstractNativeEventFilter>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace quorvex {

// Sees each key before Qt hands it to the input method.
// - Qt's input-method frontends deliver a key that the input method let pass to the
//   window Qt took for active when the key came. On X, Qt takes in an activation only
//   after the X events read with it: keys that arrive together with the focus went to
//   the window before (the one a modal dialog blocks, or none at start-up), and were
//   lost. Qt takes in the activations it has waiting first.
// - With ibus answering each key before the next (KeepKeysInOrderWithIBus), an ibus that
//   hangs would hold the window for as long as D-Bus waits, 25 s for every key. Once a
//   key has waited a moment, ibus is asked whether it still answers; if it does not, Qt's
//   connection to it is closed, and keys go on without an input method.
class InputMethodKeys final : public QAbstractNativeEventFilter {
 public:
  InputMethodKeys();
  InputMethodKeys(const InputMethodKeys&) = delete;
  InputMethodKeys& operator=(const InputMethodKeys&) = delete;
  ~InputMethodKeys() override;

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 private:
  void WatchForAHungInputMethod();

  std::mutex mutex_;
  std::condition_variable changed_;
  bool stopping_ = false;
  // Counts the keys handed on; waiting_ while the last one may still be with ibus (no
  // event has been seen since).
  std::uint64_t keys_ = 0;
  bool waiting_ = false;
  std::chrono::steady_clock::time_point handedOn_;
  std::thread watcher_;
};

}  // namespace quorvex
