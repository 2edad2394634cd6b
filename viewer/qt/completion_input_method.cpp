#include "completion_input_method.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodQueryEvent>
#include <QLineEdit>
#include <QTransform>
#include <QWindow>

namespace quorvex {

// A child of the list it watches, so that it goes with the list.
CompletionInputMethod::CompletionInputMethod(QLineEdit& nameBox)
    : QObject(nameBox.completer()->popup()), nameBox_(&nameBox), list_(nameBox.completer()->popup()) {
  list_->installEventFilter(this);
}

bool CompletionInputMethod::eventFilter(QObject* /*watched: the list alone*/, QEvent* event) {
  if (nameBox_ == nullptr) return false;
  switch (event->type()) {
    case QEvent::Show:
      // Qt grabs the keyboard for the list after this event, as it opens the list.
      QMetaObject::invokeMethod(
          this,
          [this] {
            if (QWindow* window = list_->isVisible() ? list_->windowHandle() : nullptr) {
              window->setKeyboardGrabEnabled(false);
            }
          },
          Qt::QueuedConnection);
      return false;
    case QEvent::InputMethodQuery: {
      auto* query = static_cast<QInputMethodQueryEvent*>(event);
      QCoreApplication::sendEvent(nameBox_, query);
      // The name box gives its rectangles in its own coordinates, which the input method
      // takes for the focus object's (the list's), through the transform Qt set for the
      // name box. Moved so that they land where the name box is.
      const QTransform toFocusObject = QGuiApplication::inputMethod()->inputItemTransform().inverted();
      const QPoint shift = nameBox_->mapToGlobal(QPoint()) - list_->mapToGlobal(QPoint());
      for (const Qt::InputMethodQuery rectangle : {Qt::ImCursorRectangle, Qt::ImAnchorRectangle}) {
        if (!query->queries().testFlag(rectangle)) continue;
        const QRectF inBox = query->value(rectangle).toRectF();
        if (inBox.isValid()) query->setValue(rectangle, toFocusObject.mapRect(inBox.translated(shift)));
      }
      return true;
    }
    case QEvent::InputMethod:
      // Taken from the list as well: the list would search itself for the text.
      QCoreApplication::sendEvent(nameBox_, event);
      return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      // A key that the input method held while the list was shown, and let go of, comes
      // back to the list's window, which may have closed meanwhile: the name box's.
      if (list_->isVisible()) return false;
      QCoreApplication::sendEvent(nameBox_, event);
      return true;
    default:
      return false;
  }
}

}  // namespace quorvex
