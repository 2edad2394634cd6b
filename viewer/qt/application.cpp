#include "application.h"

#include <QApplication>

#include "qt_text.h"
#include "texts.h"

// The resources sit in a static library: their registration has to be pulled in by
// name, from outside any namespace.
static void InitialiseIconResources() { Q_INIT_RESOURCE(quorvex); }

namespace quorvex {

QIcon QuorvexIcon() {
  InitialiseIconResources();
  QIcon icon;
  icon.addFile(QStringLiteral(":/icons/quorvex-16.png"), QSize(16, 16));
  icon.addFile(QStringLiteral(":/icons/quorvex-32.png"), QSize(32, 32));
  return icon;
}

void IdentifyApplication() {
  QCoreApplication::setApplicationName(QtText(texts::kAppName));
  QCoreApplication::setApplicationVersion(QStringLiteral(QUORVEX_VERSION_TEXT));
  QApplication::setWindowIcon(QuorvexIcon());
}

}  // namespace quorvex
