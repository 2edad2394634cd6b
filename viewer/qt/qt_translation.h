// Qt's own texts (the file dialog, the message boxes' buttons, the display's context
// menu) in Simplified Chinese, like the rest of Quorvex, whatever the user's locale.
#pragma once

class QCoreApplication;

namespace quorvex {

// Installs Qt's Simplified Chinese translation, built into the program, on app for its
// lifetime. A build made without the translation stays quietly in Qt's English.
void TranslateQtIntoChinese(QCoreApplication& app);

}  // namespace quorvex
