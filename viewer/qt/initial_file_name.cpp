#include "initial_file_name.h"

#include <QDir>

namespace quorvex {

QString InitialFileName(const QString& programFolder) {
  return QDir::toNativeSeparators(programFolder) + QDir::separator() + QStringLiteral("*.*");
}

}  // namespace quorvex
