// A window class registered for as long as its owner lives, with the icons it shows.
#pragma once

#include "owned_handles.h"
#include "windows_api.h"

namespace quorvex {

class WindowClass {
 public:
  // Registers name with procedure and the program's icon (resource 1). Where the class
  // is already registered (another form of the process is open) it is used as it is,
  // and nothing is loaded. Raises quorvex::Failure when it cannot be registered.
  WindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure);
  // Unregisters the class it registered; its windows must be gone by then.
  ~WindowClass();
  WindowClass(const WindowClass&) = delete;
  WindowClass& operator=(const WindowClass&) = delete;

 private:
  HINSTANCE instance_;
  const wchar_t* name_;
  bool registered_ = false;
  OwnedIcon icon_, smallIcon_;
};

}  // namespace quorvex
