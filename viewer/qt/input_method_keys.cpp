#include "input_method_keys.h"

#include <QByteArray>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QGuiApplication>
#include <QString>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

#include <dbus/dbus.h>
#include <sys/socket.h>

#ifdef QUORVEX_WITH_XCB
#include <xcb/xcb.h>
#endif

namespace quorvex {
namespace {

using std::chrono::milliseconds;

// How long a key may wait for ibus before ibus is asked whether it still answers, and
// how long it has to answer: a busy machine's ibus answers well within both.
constexpr milliseconds kKeyWait{500};
constexpr int kPingMilliseconds = 1000;

// The name Qt's ibus frontend gives its connection to ibus.
QString IBusConnectionName() { return QStringLiteral("QIBusProxy"); }

bool IBusAnswers(const QDBusConnection& ibus) {
  const QDBusMessage ping =
      QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.IBus"), QStringLiteral("/org/freedesktop/IBus"),
                                     QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping"));
  return ibus.call(ping, QDBus::Block, kPingMilliseconds).type() == QDBusMessage::ReplyMessage;
}

// Shuts the connection's socket down (it stays open until Qt closes it): D-Bus then ends
// every call still waiting on it, the one the window waits in among them, with an error,
// and makes no more. Closing the connection through Qt would leave those calls waiting.
void LetGoOf(const QDBusConnection& ibus) {
  int socket = -1;
  if (dbus_connection_get_socket(static_cast<DBusConnection*>(ibus.internalPointer()), &socket) && socket >= 0) {
    shutdown(socket, SHUT_RDWR);
  }
}

bool IsKey([[maybe_unused]] const QByteArray& eventType, [[maybe_unused]] void* message) {
#ifdef QUORVEX_WITH_XCB
  if (eventType != "xcb_generic_event_t") return false;
  // The top bit marks an event another client sent.
  const auto type = static_cast<uint8_t>(static_cast<const xcb_generic_event_t*>(message)->response_type & 0x7F);
  return type == XCB_KEY_PRESS || type == XCB_KEY_RELEASE;
#else
  return false;
#endif
}

// Lets Qt take in the activation it has waiting, handling no user input, where the key
// went to another window than the one Qt takes for active.
void CatchUpWithTheFocus([[maybe_unused]] void* key) {
#ifdef QUORVEX_WITH_XCB
  const xcb_window_t target = static_cast<const xcb_key_press_event_t*>(key)->event;
  const QWindow* active = QGuiApplication::focusWindow();
  if (active == nullptr || active->winId() != target) {
    QWindowSystemInterface::flushWindowSystemEvents(QEventLoop::ExcludeUserInputEvents);
  }
#endif
}

}  // namespace

InputMethodKeys::InputMethodKeys() : watcher_([this] { WatchForAHungInputMethod(); }) {}

InputMethodKeys::~InputMethodKeys() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_one();
  watcher_.join();
}

bool InputMethodKeys::nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/) {
  const bool key = IsKey(eventType, message);
  {
    // Any event seen means the key before has been seen through.
    const std::lock_guard lock(mutex_);
    waiting_ = key;
    if (key) {
      ++keys_;
      handedOn_ = std::chrono::steady_clock::now();
    }
  }
  if (key) {
    changed_.notify_one();
    CatchUpWithTheFocus(message);
  }
  return false;  // The event itself goes on as Qt handles it.
}

void InputMethodKeys::WatchForAHungInputMethod() {
  std::unique_lock lock(mutex_);
  while (!stopping_) {
    if (!waiting_) {
      changed_.wait(lock);
      continue;
    }
    const std::uint64_t key = keys_;
    const auto due = handedOn_ + kKeyWait;
    if (changed_.wait_until(lock, due, [&] { return stopping_ || !waiting_ || keys_ != key; })) continue;
    // The same key, still not seen through. Asked once per key.
    waiting_ = false;
    lock.unlock();
    // The key, and those after it, then go on as if there were no input method.
    const QDBusConnection ibus(IBusConnectionName());
    if (ibus.isConnected() && !IBusAnswers(ibus)) LetGoOf(ibus);
    lock.lock();
  }
}

}  // namespace quorvex
