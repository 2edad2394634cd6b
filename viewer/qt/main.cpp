// Quorvex: a hex-dump viewer. One window; the program ends when it is closed.
#include <QApplication>

#include "application.h"
#include "hex_dump_form.h"
#include "keys_follow_activation.h"
#include "qt_translation.h"
#include "startup_environment.h"

int main(int argc, char** argv) {
  const quorvex::StartupEnvironment environment;
  quorvex::KeysFollowActivation keysFollowActivation;
  QApplication app(argc, argv);
  app.installNativeEventFilter(&keysFollowActivation);
  quorvex::TranslateQtIntoChinese(app);
  quorvex::IdentifyApplication();
  quorvex::HexDumpForm form;
  form.show();
  return QApplication::exec();
}
