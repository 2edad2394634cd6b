#include "qt_translation.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace quorvex {

void TranslateQtIntoChinese(QCoreApplication& app) {
  // Dates and sizes in the dialog's detail view follow the same language.
  QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
  auto* translator = new QTranslator(&app);
  if (translator->load(QStringLiteral(":/translations/qtbase_zh_CN.qm"))) {
    QCoreApplication::installTranslator(translator);
  } else {
    delete translator;
  }
}

}  // namespace quorvex
