// Quorvex's modal message boxes: plain text (a file name never turns into markup),
// one OK button.
#pragma once

#include <QMessageBox>
#include <QString>

namespace quorvex {

// Shows text, whose lines may be joined by CR LF, and returns when the box is closed,
// with parent's window active again and parent holding the focus.
void ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                    const QString& text);

// Makes parent's window the active one and gives parent the focus. Needed whenever a
// modal window over it closes: with no window manager nobody hands the activation back
// (the X focus stays on the root window), and a box opened from the menu bar's keyboard
// mode leaves the focus with the menu bar.
void ReturnKeysTo(QWidget* parent);

}  // namespace quorvex
