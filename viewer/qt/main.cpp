// Quorvex: a hex-dump viewer. One window; the program ends when it is closed.
#include <QApplication>

#include "application.h"
#include "hex_dump_form.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  quorvex::IdentifyApplication();
  quorvex::HexDumpForm form;
  form.show();
  return QApplication::exec();
}
