// Quorvex: a hex-dump viewer. One window; the program ends when it is closed.
#include <QApplication>

#include "application.h"
#include "hex_dump_form.h"
#include "input_method_keys.h"
#include "qt_translation.h"
#include "startup_environment.h"

int main(int argc, char** argv) {
  const quorvex::StartupEnvironment environment;
  quorvex::InputMethodKeys inputMethodKeys;
  QApplication app(argc, argv);
  app.installNativeEventFilter(&inputMethodKeys);
  quorvex::TranslateQtIntoChinese(app);
  quorvex::IdentifyApplication();
  quorvex::HexDumpForm form;
  form.show();
  return QApplication::exec();
}
