#pragma once

#include <QIcon>

namespace quorvex {

// Quorvex's icon, 16 and 32 pixels, from the resources linked into the program.
QIcon QuorvexIcon();

// Names the running application "Quorvex", version QUORVEX_VERSION_TEXT, with its icon.
void IdentifyApplication();

}  // namespace quorvex
