// Paths between the user interface and the file system. Qt holds names as UTF-8 text
// and leaves out any entry whose name is other bytes; such a name is shown here as
// text of its own, and a path spelled with that text finds the entry again.
#pragma once

#include <QDateTime>
#include <QString>

#include <vector>

#include "dump.h"

namespace quorvex {

// A path from the user interface as the file system spells it: UTF-8, as Qt itself
// opens files, except where a name in it is the shown text of an entry Qt leaves out.
SystemPath NativePath(const QString& path);

// Whether path may name a file for the reader to try: it names one that is no folder,
// or a folder on its way may not be searched, so that only the reader can tell.
bool MayNameFile(const QString& path);

// An entry whose name is not UTF-8, shown decoded from GBK where that gives readable
// text no other entry of its folder shows, else with each byte outside UTF-8 (and each
// backslash) written \xHH, so that no two entries show alike.
struct UnlistedEntry {
  QString shown;
  bool folder = false;
  qint64 size = 0;
  QDateTime modified;
  bool operator==(const UnlistedEntry&) const = default;
};

// The entries of folder that Qt leaves out: folders first, then by shown name.
std::vector<UnlistedEntry> UnlistedEntries(const QString& folder);

}  // namespace quorvex
