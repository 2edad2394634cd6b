#include "accessible_name.h"

#include <oleacc.h>

#include <memory>

namespace quorvex {
namespace {

// CAccPropServices of oleacc.dll; not every import library carries its class id.
constexpr CLSID kAccPropServices = {0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};

// The thread's COM apartment for as long as it is needed. One already there is joined
// (and left as it was); a thread in another kind of apartment keeps it, and the calls
// work there too.
class ComApartment {
 public:
  ComApartment() noexcept : joined_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    if (joined_) CoUninitialize();
  }

 private:
  bool joined_;
};

struct Releaser {
  void operator()(IUnknown* object) const noexcept { object->Release(); }
};

using AccPropServices = std::unique_ptr<IAccPropServices, Releaser>;

// The annotation service, or none where it is missing.
AccPropServices Services() noexcept {
  IAccPropServices* created = nullptr;
  if (FAILED(CoCreateInstance(kAccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                              reinterpret_cast<void**>(&created)))) {
    return nullptr;
  }
  return AccPropServices(created);
}

}  // namespace

void GiveAccessibleName(HWND control, std::u16string_view name) noexcept {
  const ComApartment apartment;
  const AccPropServices services = Services();
  if (services == nullptr) return;
  try {
    services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                             Wide(name).c_str());
  } catch (...) {  // the name's copy failed for want of memory: no name, nothing worse
  }
}

void ForgetAccessibleName(HWND control) noexcept {
  const ComApartment apartment;
  const AccPropServices services = Services();
  if (services == nullptr) return;
  const MSAAPROPID name = PROPID_ACC_NAME;
  services->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &name, 1);
}

}  // namespace quorvex
