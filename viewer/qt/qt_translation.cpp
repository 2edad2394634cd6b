#include "qt_translation.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace quorvex {

void TranslateQtIntoChinese(QCoreApplication& app) {
  // Numbers and dates that Qt writes for the default locale follow the same language
  // (the Open dialog's file model writes for the system's: see file_details.h).
  QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
  auto* translator = new QTranslator(&app);
  if (translator->load(QStringLiteral(":/translations/qtbase_zh_CN.qm"))) {
    QCoreApplication::installTranslator(translator);
  } else {
    delete translator;
  }
}

}  // namespace quorvex
