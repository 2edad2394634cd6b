#include "native_path.h"

#include <QFile>
#include <QHash>
#include <QStringDecoder>

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <string_view>
#include <unordered_set>

namespace quorvex {
namespace {

// Length of the well-formed UTF-8 sequence that name starts with; 0 for none.
std::size_t Utf8Length(std::string_view name) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(name[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the second byte's range
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return 0;
  }
  if (name.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

bool IsUtf8(std::string_view name) {
  for (std::size_t i = 0, length = 0; i < name.size(); i += length) {
    if ((length = Utf8Length(name.substr(i))) == 0) return false;
  }
  return true;
}

// UTF-8 where it is, \xHH for any other byte and for a backslash, so that the bytes
// can be told from the text alone.
QString Escaped(std::string_view name) {
  QString shown;
  for (std::size_t i = 0; i < name.size();) {
    const std::size_t length = Utf8Length(name.substr(i));
    if (length == 0 || name[i] == '\\') {
      shown += QStringLiteral("\\x") + QString::number(static_cast<unsigned char>(name[i]), 16).toUpper().rightJustified(2, u'0');
      ++i;
    } else {
      shown += QString::fromUtf8(name.data() + i, static_cast<qsizetype>(length));
      i += length;
    }
  }
  return shown;
}

// The name read as GBK, or nothing where it is not GBK or reads as characters no font
// draws (GBK's user-defined areas) or where Qt has no GBK (built without ICU).
QString FromGbk(std::string_view name) {
  // One for each name: resetting a decoder keeps its count of errors.
  QStringDecoder gbk("GBK");
  if (!gbk.isValid()) return {};
  const QString text = gbk.decode(QByteArrayView(name.data(), static_cast<qsizetype>(name.size())));
  if (gbk.hasError()) return {};
  const bool readable = std::none_of(text.begin(), text.end(), [](QChar c) {
    return c.category() == QChar::Other_PrivateUse || c == QChar::ReplacementCharacter;
  });
  return readable ? text : QString();
}

struct RawName {
  std::string bytes;
  QString shown;
};

// The names in folder that are not UTF-8, each with its shown text.
std::vector<RawName> UndecodableNames(const std::string& folder) {
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
  if (dir == nullptr) return {};
  std::vector<RawName> names;
  std::unordered_set<std::string> listed;
  // NOLINTNEXTLINE(concurrency-mt-unsafe): readdir is safe on a stream of its own, as here.
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string_view name = entry->d_name;
    if (IsUtf8(name)) {
      listed.emplace(name);
    } else {
      names.push_back({std::string(name), FromGbk(name)});
    }
  }
  // A GBK reading that another entry shows too would open only one of them.
  QHash<QString, int> readings;
  for (const RawName& name : names) ++readings[name.shown];
  for (RawName& name : names) {
    if (name.shown.isEmpty() || readings[name.shown] > 1 || listed.contains(name.shown.toStdString())) {
      name.shown = Escaped(name.bytes);
    }
  }
  return names;
}

bool Missing(const std::string& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) != 0 && errno == ENOENT;
}

}  // namespace

SystemPath NativePath(const QString& path) {
  SystemPath spelled = QFile::encodeName(path).toStdString();
  if (!Missing(spelled)) return spelled;
  // Name by name: each one missing as UTF-8 may be the shown text of one that is not.
  SystemPath resolved;
  const QStringList names = path.split(u'/');
  for (qsizetype i = 0; i < names.size(); ++i) {
    const std::string folder = i == 0 ? "." : resolved.empty() ? "/" : resolved;
    if (i > 0) resolved += '/';
    std::string name = QFile::encodeName(names[i]).toStdString();
    if (!names[i].isEmpty() && Missing(resolved + name)) {
      for (const RawName& raw : UndecodableNames(folder)) {
        if (raw.shown == names[i]) name = raw.bytes;
      }
    }
    resolved += name;
  }
  return resolved;
}

bool MayNameFile(const QString& path) {
  struct stat status {};
  if (::stat(NativePath(path).c_str(), &status) == 0) return !S_ISDIR(status.st_mode);
  return errno == EACCES;
}

std::vector<UnlistedEntry> UnlistedEntries(const QString& folder) {
  const std::string native = NativePath(folder);
  std::vector<UnlistedEntry> entries;
  for (const RawName& name : UndecodableNames(native)) {
    UnlistedEntry& entry = entries.emplace_back();
    entry.shown = name.shown;
    struct stat status {};
    if (::stat((native + '/' + name.bytes).c_str(), &status) != 0) continue;
    entry.folder = S_ISDIR(status.st_mode);
    entry.size = status.st_size;
    entry.modified = QDateTime::fromMSecsSinceEpoch(qint64{status.st_mtim.tv_sec} * 1000 + status.st_mtim.tv_nsec / 1000000);
  }
  std::sort(entries.begin(), entries.end(), [](const UnlistedEntry& a, const UnlistedEntry& b) {
    return a.folder != b.folder ? a.folder : a.shown < b.shown;
  });
  return entries;
}

}  // namespace quorvex
