#include "keys_follow_activation.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

#ifdef QUORVEX_WITH_XCB
#include <xcb/xcb.h>
#endif

namespace quorvex {

bool KeysFollowActivation::nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/) {
#ifdef QUORVEX_WITH_XCB
  if (eventType != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  // The top bit marks an event another client sent.
  const auto type = static_cast<uint8_t>(event->response_type & 0x7F);
  if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE) return false;
  const xcb_window_t target = static_cast<const xcb_key_press_event_t*>(message)->event;
  const QWindow* active = QGuiApplication::focusWindow();
  if (active == nullptr || active->winId() != target) {
    QWindowSystemInterface::flushWindowSystemEvents(QEventLoop::ExcludeUserInputEvents);
  }
#else
  static_cast<void>(eventType);
  static_cast<void>(message);
#endif
  return false;  // The key itself goes on as Qt handles it.
}

}  // namespace quorvex
