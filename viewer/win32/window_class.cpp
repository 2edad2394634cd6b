#include "window_class.h"

#include <string>

#include "dump.h"
#include "texts.h"

namespace quorvex {

namespace {

OwnedIcon LoadProgramIcon(HINSTANCE instance, int width, int height, UINT flags) {
  return OwnedIcon(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, width, height, flags)));
}

}  // namespace

WindowClass::WindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure)
    : instance_(instance), name_(name) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  if (GetClassInfoExW(instance, name, &windowClass)) return;

  icon_ = LoadProgramIcon(instance, 0, 0, LR_DEFAULTSIZE);
  smallIcon_ = LoadProgramIcon(instance, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0);
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = icon_.get();
  windowClass.hIconSm = smallIcon_.get();
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = name;
  if (!RegisterClassExW(&windowClass)) {
    throw Failure(static_cast<int>(GetLastError()), std::string(texts::kWindowClassNotRegistered));
  }
  registered_ = true;
}

WindowClass::~WindowClass() {
  // A window of the class still open (another form's) keeps it and its icons alive
  // until the process ends.
  if (registered_ && !UnregisterClassW(name_, instance_)) {
    static_cast<void>(icon_.release());
    static_cast<void>(smallIcon_.release());
  }
}

}  // namespace quorvex
