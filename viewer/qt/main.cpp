// Quorvex: a hex-dump viewer. One window; the program ends when it is closed.
#include <QApplication>

#include "application.h"
#include "chinese_glyphs.h"
#include "hex_dump_form.h"
#include "private_settings.h"
#include "qt_translation.h"
#include "session_bus.h"

int main(int argc, char** argv) {
  quorvex::KeepDBusFromStartingABus();
  quorvex::PreferSimplifiedChineseGlyphs();
  QApplication app(argc, argv);
  const quorvex::PrivateSettings settings;
  quorvex::TranslateQtIntoChinese(app);
  quorvex::IdentifyApplication();
  quorvex::HexDumpForm form;
  form.show();
  return QApplication::exec();
}
