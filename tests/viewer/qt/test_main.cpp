// Runs the viewer's tests inside one QApplication: headless unless a platform is
// chosen, with Qt's own dialogs so that the tests can drive them, and with the process
// prepared and Qt's texts in Chinese as the program has them.
#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include "qt_translation.h"
#include "startup_environment.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  // Qt's file dialog saves its state (folders visited, view mode) in the user's
  // settings; test runs keep theirs apart, so they neither read nor spoil the real ones.
  QStandardPaths::setTestModeEnabled(true);
  const quorvex::StartupEnvironment environment;
  QApplication app(argc, argv);
  quorvex::TranslateQtIntoChinese(app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
