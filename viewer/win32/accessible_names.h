// Names of controls as screen readers announce them.
#pragma once

#include <oleacc.h>

#include <memory>
#include <string_view>

#include "windows_api.h"

namespace quorvex {

// Gives controls accessible names through oleacc's annotation service: a RichEdit
// control has no name of its own (its window text is its contents), so a screen reader
// would announce the display as a bare "read-only edit". The thread joins a
// single-threaded COM apartment and the service is held for this object's life, so
// that the names stay while their controls do. Where the service is missing or refuses
// (Wine's answers E_NOTIMPL), controls stay unnamed and work as before.
class AccessibleNames {
 public:
  AccessibleNames() noexcept;
  AccessibleNames(const AccessibleNames&) = delete;
  AccessibleNames& operator=(const AccessibleNames&) = delete;

  void Give(HWND control, std::u16string_view name) noexcept;
  // Drops the name and what the service keeps for it; called before control goes.
  void Forget(HWND control) noexcept;

 private:
  // The thread's apartment, left as it was if the thread already had one.
  class ComApartment {
   public:
    ComApartment() noexcept;
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment();

   private:
    bool joined_;
  };
  struct Releaser {
    void operator()(IUnknown* object) const noexcept { object->Release(); }
  };

  // Declared in this order so that the service is released before the apartment is left.
  ComApartment apartment_;
  std::unique_ptr<IAccPropServices, Releaser> services_;
};

}  // namespace quorvex
