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

}  // namespace quorvex
