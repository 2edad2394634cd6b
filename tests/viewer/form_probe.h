// Reads a HexDumpForm the way its user sees it.
#pragma once

#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>
#include <QWindow>

#include "hex_dump_form.h"

namespace quorvex::testing {

inline QPlainTextEdit* Display(const HexDumpForm& form) {
  return form.findChild<QPlainTextEdit*>(QStringLiteral("rchDisplay"));
}

// The display's text, rows separated by line feeds, every character as it is stored
// (toPlainText would turn a no-break space into a blank).
inline QString ShownText(const HexDumpForm& form) {
  QString text = Display(form)->document()->toRawText();
  return text.replace(QChar::ParagraphSeparator, QChar(u'\n'));
}

// The caption as the window system shows it.
inline QString Caption(const HexDumpForm& form) {
  return form.windowHandle() != nullptr ? form.windowHandle()->title() : form.windowTitle();
}

inline QAction* Action(const HexDumpForm& form, const char* name) {
  return form.findChild<QAction*>(QString::fromLatin1(name));
}

inline bool ShowAndWait(HexDumpForm& form) {
  form.show();
  return QTest::qWaitForWindowExposed(&form);
}

}  // namespace quorvex::testing
