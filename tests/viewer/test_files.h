// Files for a test, in a folder of their own that goes away with the test.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <string>
#include <vector>

#include "dump.h"

namespace quorvex::testing {

class TestFiles {
 public:
  QString Folder() const { return dir_.path(); }
  QString PathOf(const QString& name) const { return dir_.filePath(name); }

  QString Write(const QString& name, const QByteArray& bytes) const {
    QFile file(PathOf(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return {};
    return file.fileName();
  }

 private:
  QTemporaryDir dir_;
};

// count bytes running through 0..255 from first.
inline QByteArray CountingBytes(int count, int first = 0) {
  QByteArray bytes(count, '\0');
  for (int i = 0; i < count; ++i) bytes[i] = static_cast<char>((first + i) & 0xFF);
  return bytes;
}

// What the display should hold for bytes whose characters all have a width:
// DumpText's text with its rows ended by line feeds.
inline QString ExpectedShown(const QByteArray& bytes) {
  const ByteBuffer buffer(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  return QString::fromStdU16String(DumpText(buffer)).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace quorvex::testing
