#include "native_path.h"

#include <QFile>

namespace quorvex {

std::filesystem::path NativePath(const QString& path) {
#ifdef _WIN32
  return std::filesystem::path(path.toStdWString());
#else
  const QByteArray bytes = QFile::encodeName(path);
  return std::filesystem::path(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
#endif
}

}  // namespace quorvex
