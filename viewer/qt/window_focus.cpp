#include "window_focus.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace quorvex {
namespace {

constexpr int kActivationWaitMilliseconds = 1000;
constexpr int kActivationPollMilliseconds = 10;

bool IsWaylandSession() {
  return QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
}

}  // namespace

void GiveKeysTo(QWidget* window) {
  if (window == nullptr) return;
  window->activateWindow();
  window->setFocus(Qt::ActiveWindowFocusReason);
}

void ReturnKeysTo(QWidget* window) {
  // Held across the wait: the events handled in it could destroy the window.
  QPointer<QWidget> watched = window;
  if (watched == nullptr) return;
  if (IsWaylandSession()) {
    const QDeadlineTimer deadline(kActivationWaitMilliseconds);
    const auto settled = [&watched, &deadline] {
      const QWidget* now = watched;  // looked up once: GCC sees a null in each look
      return now == nullptr || !now->isVisible() || now->isActiveWindow() || deadline.hasExpired();
    };
    if (!settled()) {
      QEventLoop loop;
      QTimer poll;
      QObject::connect(&poll, &QTimer::timeout, &loop, [&loop, &settled] {
        if (settled()) loop.quit();
      });
      poll.start(kActivationPollMilliseconds);
      // Keys and clicks wait in the queue meanwhile, for the window to take them after.
      loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    // Asked again, the window would send one more request of its own, which could land
    // after the next box.
    if (watched != nullptr && watched->isActiveWindow()) {
      watched->setFocus(Qt::ActiveWindowFocusReason);
      return;
    }
  }
  GiveKeysTo(watched);
}

}  // namespace quorvex
