#include "hex_dump_form.h"

#include <richedit.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "form_metrics.h"
#include "initial_file_name.h"
#include "messages.h"
#include "open_command.h"
#include "show_file.h"
#include "texts.h"
#include "utf16.h"

namespace quorvex {

namespace {

[[noreturn]] void RaiseLastError(std::string_view description) {
  throw Failure(static_cast<int>(GetLastError()), std::string(description));
}

// RichEdit 4.1 and later, whose window class is MSFTEDIT_CLASS. Only from System32: the
// program's own folder (Downloads, say) may hold a planted msftedit.dll.
HMODULE LoadRichEditLibrary(const NewerWindowsFunctions& newer) {
  const HMODULE library = LoadSystemLibrary(L"msftedit.dll", newer);
  if (library == nullptr) RaiseLastError(texts::kRichEditNotLoaded);
  return library;
}

// Loaded once per process and kept: the display's class must outlive every window of it.
void LoadRichEdit(const NewerWindowsFunctions& newer) {
  [[maybe_unused]] static const HMODULE library = LoadRichEditLibrary(newer);
}

OwnedMenu CreateMenuBar() {
  OwnedMenu bar(CreateMenu());
  OwnedMenu file(CreatePopupMenu());
  if (bar == nullptr || file == nullptr) RaiseLastError(texts::kMenuNotCreated);
  // The accelerator's key after a tab, which Windows menus show right-aligned.
  const std::wstring open = Wide(texts::kFileOpen) + L'\t' + Wide(texts::kFileOpenShortcut);
  if (!AppendMenuW(file.get(), MF_STRING, HexDumpForm::kFileOpenCommand, open.c_str()) ||
      !AppendMenuW(file.get(), MF_SEPARATOR, 0, nullptr) ||
      !AppendMenuW(file.get(), MF_STRING, HexDumpForm::kFileExitCommand, Wide(texts::kFileExit).c_str()) ||
      !AppendMenuW(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(file.get()), Wide(texts::kFileMenu).c_str())) {
    RaiseLastError(texts::kMenuNotCreated);
  }
  static_cast<void>(file.release());  // the bar's now, destroyed with it
  if (!AppendMenuW(bar.get(), MF_STRING, HexDumpForm::kAboutCommand, Wide(texts::kAbout).c_str())) {
    RaiseLastError(texts::kMenuNotCreated);
  }
  return bar;
}

std::u16string ProgramFolder() {
  std::vector<wchar_t> path(32768);
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  std::wstring folder(path.data(), length);
  const std::size_t separator = folder.find_last_of(L"\\/");
  folder.resize(separator == std::wstring::npos ? 0 : separator);
  // The folder of a program at a drive's root keeps its separator ("C:\").
  if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
  return FromWide(folder);
}

int MessageBoxOver(HWND owner, std::u16string_view text, std::u16string_view title, UINT type) {
  return MessageBoxW(owner, Wide(text).c_str(), Wide(title).c_str(), type);
}

// Tells of an exception that reached the window procedure, throwing nothing itself: when
// even its texts cannot be made (no memory left), the narrow text goes as it is.
void ShowUnexpectedFailure(HWND owner, const char* what) noexcept {
  try {
    MessageBoxOver(owner, Utf16FromUtf8(what), texts::kAppName, MB_OK | MB_ICONERROR);
  } catch (...) {
    MessageBoxA(owner, what, "Quorvex", MB_OK | MB_ICONERROR);
  }
}

}  // namespace

HexDumpForm::HexDumpForm(HINSTANCE instance, bool endsProgram, NewerWindowsFunctions newer)
    : instance_(instance),
      endsProgram_(endsProgram),
      newer_(newer),
      windowClass_(instance, kClassName, &HexDumpForm::WindowProcedure) {
  LoadRichEdit(newer_);
  const ACCEL openKey{FVIRTKEY | FCONTROL, 'O', kFileOpenCommand};
  accelerators_.reset(CreateAcceleratorTableW(const_cast<ACCEL*>(&openKey), 1));
  if (accelerators_ == nullptr) RaiseLastError(texts::kAcceleratorsNotCreated);
  // Before the window exists: nothing may fail once it does.
  Load();

  // WM_NCCREATE ties the window to this object and WM_CREATE adds the display.
  OwnedMenu menu = CreateMenuBar();
  CreateWindowExW(0, kClassName, Wide(texts::kAppName).c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu.get(), instance, this);
  if (hwnd_ == nullptr || rchDisplay_ == nullptr) {
    // A window made and destroyed again (its WM_CREATE failed) took its menu with it.
    const DWORD error = GetLastError();
    if (!IsMenu(menu.get())) static_cast<void>(menu.release());
    SetLastError(error);
    RaiseLastError(texts::kWindowNotCreated);
  }
  static_cast<void>(menu.release());  // the window's now, destroyed with it
  SetInitialClientSize();
}

HexDumpForm::~HexDumpForm() {
  if (hwnd_ != nullptr) {
    // Closing through the destructor: the object goes away, so no more messages for it,
    // WM_DESTROY's among them; the display's name goes here instead.
    accessibleNames_.Forget(rchDisplay_);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

LRESULT CALLBACK HexDumpForm::WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<HexDumpForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<HexDumpForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (form == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The window's last message: the object no longer has a window or a display.
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    form->hwnd_ = nullptr;
    form->rchDisplay_ = nullptr;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  // No exception may cross the window system's frames; what gets here is unexpected.
  try {
    return form->Handle(message, wParam, lParam);
  } catch (const std::exception& error) {
    ShowUnexpectedFailure(hwnd, error.what());
    return 0;
  }
}

LRESULT HexDumpForm::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateDisplay();
      return rchDisplay_ != nullptr ? 0 : -1;
    case WM_SIZE:
      // Resize: the display covers the whole client area.
      MoveWindow(rchDisplay_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_SETFOCUS:
      // Activating the window gives the display the keys (arrows, Page Up, Ctrl+A, Ctrl+C).
      SetFocus(rchDisplay_);
      return 0;
    case WM_DPICHANGED: {
      ApplyDpi(HIWORD(wParam));
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kFileOpenCommand: FileOpenClick(); return 0;
        case kFileExitCommand: SendMessageW(hwnd_, WM_CLOSE, 0, 0); return 0;
        case kAboutCommand: AboutClick(); return 0;
      }
      break;
    case WM_DESTROY:
      // The display goes with the window, its name before it.
      accessibleNames_.Forget(rchDisplay_);
      if (endsProgram_) PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void HexDumpForm::CreateDisplay() {
  rchDisplay_ = CreateWindowExW(0, MSFTEDIT_CLASS, L"",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY |
                                    ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL,
                                0, 0, 0, 0, hwnd_, nullptr, instance_, nullptr);
  if (rchDisplay_ == nullptr) return;
  accessibleNames_.Give(rchDisplay_, texts::kDisplayName);
  SendMessageW(rchDisplay_, EM_SETTEXTMODE, TM_PLAINTEXT, 0);
  SendMessageW(rchDisplay_, EM_EXLIMITTEXT, 0, kDisplayTextLimit);
  // No wrapping: each dump row stays one line, with a horizontal scroll bar if needed.
  SendMessageW(rchDisplay_, EM_SETTARGETDEVICE, 0, 1);
  // A non-zero wParam: the system's window colour, following the user's colour scheme.
  SendMessageW(rchDisplay_, EM_SETBKGNDCOLOR, 1, 0);
  if (font_ == nullptr) {
    ApplyDpi(WindowDpi(hwnd_, newer_));
  } else {
    SendMessageW(rchDisplay_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  }
  RECT client{};
  GetClientRect(hwnd_, &client);
  MoveWindow(rchDisplay_, 0, 0, client.right, client.bottom, TRUE);
}

void HexDumpForm::ClearDisplay() {
  // Deleting a large text takes Wine's RichEdit seconds (a 32,760-byte dump: over two),
  // and even asking for its length most of one; destroying the control takes a few
  // milliseconds. So a fresh, empty display always takes the old one's place.
  const bool focused = GetFocus() == rchDisplay_;
  accessibleNames_.Forget(rchDisplay_);
  DestroyWindow(rchDisplay_);
  rchDisplay_ = nullptr;
  CreateDisplay();
  if (rchDisplay_ == nullptr) RaiseLastError(texts::kDisplayNotCreated);
  if (focused) SetFocus(rchDisplay_);
}

// The display font, regular, character set 0, at the window's DPI.
void HexDumpForm::ApplyDpi(UINT dpi) {
  OwnedFont font(CreateFontW(-MulDiv(kDisplayFontCentipoints, static_cast<int>(dpi), 72 * 100), 0, 0, 0, FW_NORMAL,
                             FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, Wide(kDisplayFontFace).c_str()));
  SendMessageW(rchDisplay_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  // The old font goes only now that the display no longer uses it.
  font_ = std::move(font);
}

void HexDumpForm::SetInitialClientSize() {
  const int dpi = static_cast<int>(WindowDpi(hwnd_, newer_));
  const int width = MulDiv(kInitialClientWidthTwips, dpi, 1440);
  const int height = MulDiv(kInitialClientHeightTwips, dpi, 1440);
  // Measured rather than computed from the frame metrics, so that a menu bar that wraps
  // onto two lines is allowed for too.
  for (int attempt = 0; attempt < 3; ++attempt) {
    RECT client{}, frame{};
    GetClientRect(hwnd_, &client);
    GetWindowRect(hwnd_, &frame);
    const int missingWidth = width - (client.right - client.left);
    const int missingHeight = height - (client.bottom - client.top);
    if (missingWidth == 0 && missingHeight == 0) return;
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left + missingWidth,
                 frame.bottom - frame.top + missingHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void HexDumpForm::Load() { dlgFile_.SetFileName(InitialFileName(ProgramFolder(), u'\\')); }

void HexDumpForm::AboutClick() {
  MessageBoxOver(hwnd_, AboutText(), texts::kAboutTitle, MB_OK | MB_ICONINFORMATION);
}

void HexDumpForm::FileOpenClick() {
  dlgFile_.SetFlags(kOpenFlags);
  RunOpenCommand({
      .showOpen = [this] { dlgFile_.ShowOpen(hwnd_); },
      .reportDialogError = [this](const std::u16string& text) { MessageBoxOver(hwnd_, text, texts::kAppName, MB_OK); },
      .showChosenFile = [this] { ShowFile(dlgFile_.FileName(), dlgFile_.FileTitle()); },
  });
}

void HexDumpForm::ShowFile(const std::u16string& path, const std::u16string& title) {
  RunShowFile(path, title, {
      .clearDisplay = [this] { ClearDisplay(); },
      .setCaption = [this](const std::u16string& caption) { SetWindowTextW(hwnd_, Wide(caption).c_str()); },
      // Only painting is done here, no input is taken.
      .paint = [this] {
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
      },
      .readFile = [&path] { return ReadWholeFile(Wide(path)); },
      .showText = [this](const std::u16string& text) {
        SetWindowTextW(rchDisplay_, Wide(text).c_str());
        SendMessageW(rchDisplay_, EM_SETSEL, 0, 0);
        SendMessageW(rchDisplay_, EM_SCROLLCARET, 0, 0);
      },
      .reportFailure = [this](const std::u16string& text) {
        MessageBoxOver(hwnd_, text, texts::kAppName, MB_OK | MB_ICONWARNING);
      },
  });
}

int RunMessageLoop(const HexDumpForm& form) {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (form.Handle() != nullptr && TranslateAcceleratorW(form.Handle(), form.Accelerators(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace quorvex
