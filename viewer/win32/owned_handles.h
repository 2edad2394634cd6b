// Owners for the Windows handles the window keeps: each handle is freed exactly once,
// by the function that frees its kind, on every path out, exceptions included.
#pragma once

#include <memory>
#include <type_traits>

#include "windows_api.h"

namespace quorvex {

template <typename Handle, auto Free>
struct HandleFreer {
  void operator()(Handle handle) const noexcept { Free(handle); }
};

template <typename Handle, auto Free>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, HandleFreer<Handle, Free>>;

using OwnedFont = Owned<HFONT, DeleteObject>;
using OwnedAccelerators = Owned<HACCEL, DestroyAcceleratorTable>;
using OwnedIcon = Owned<HICON, DestroyIcon>;
using OwnedMenu = Owned<HMENU, DestroyMenu>;

}  // namespace quorvex
