// A control's name as screen readers announce it.
#pragma once

#include <string_view>

#include "windows_api.h"

namespace quorvex {

// Gives control the accessible name name, through oleacc's annotation service: a
// RichEdit control has no name of its own (its window text is its contents), so a
// screen reader would announce the display as a bare "read-only edit". Where the
// service is missing or refuses (Wine's answers E_NOTIMPL), the control stays unnamed
// and works as before.
void GiveAccessibleName(HWND control, std::u16string_view name) noexcept;

// Drops the name given to control, and what the service keeps for it; called before the
// control is destroyed.
void ForgetAccessibleName(HWND control) noexcept;

}  // namespace quorvex
