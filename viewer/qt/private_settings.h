// Quorvex remembers nothing between runs, and Qt must not do so on its behalf: its file
// dialog would keep its history, last folder and view in the user's settings.
#pragma once

#include <QTemporaryDir>

namespace quorvex {

// While it lives, Qt's per-user settings go to a folder of this object's own, which
// goes with it.
class PrivateSettings {
 public:
  PrivateSettings();
  PrivateSettings(const PrivateSettings&) = delete;
  PrivateSettings& operator=(const PrivateSettings&) = delete;

 private:
  QTemporaryDir folder_;
};

}  // namespace quorvex
