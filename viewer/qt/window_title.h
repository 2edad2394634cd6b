#pragma once

#include <QString>

namespace quorvex {

// The caption "Quorvex [" + title + "]", written for QWidget::setWindowTitle: a "[*]" in
// it (a file named "*", say) is doubled, or Qt would take it for the unsaved-changes
// mark and drop it from the caption.
QString WindowTitle(const QString& title);

}  // namespace quorvex
