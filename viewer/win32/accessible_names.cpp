#include "accessible_names.h"

namespace quorvex {
namespace {

// CAccPropServices of oleacc.dll; not every import library carries its class id.
constexpr CLSID kAccPropServices = {0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};

}  // namespace

AccessibleNames::ComApartment::ComApartment() noexcept
    : joined_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}

AccessibleNames::ComApartment::~ComApartment() {
  if (joined_) CoUninitialize();
}

AccessibleNames::AccessibleNames() noexcept {
  IAccPropServices* created = nullptr;
  if (SUCCEEDED(CoCreateInstance(kAccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                 reinterpret_cast<void**>(&created)))) {
    services_.reset(created);
  }
}

void AccessibleNames::Give(HWND control, std::u16string_view name) noexcept {
  if (services_ == nullptr || control == nullptr) return;
  try {
    services_->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                              Wide(name).c_str());
  } catch (...) {  // the name's copy failed for want of memory: no name, nothing worse
  }
}

void AccessibleNames::Forget(HWND control) noexcept {
  if (services_ == nullptr || control == nullptr) return;
  const MSAAPROPID name = PROPID_ACC_NAME;
  services_->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &name, 1);
}

}  // namespace quorvex
