#include "native_path.h"

#include <QFile>

namespace quorvex {

SystemPath NativePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace quorvex
