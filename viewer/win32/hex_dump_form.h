// HexDumpForm: Quorvex's only window on Windows. A menu bar (File › Open, Exit; About)
// over the read-only RichEdit display rchDisplay, which fills the client area and shows
// one dump.
#pragma once

#include <string>

#include "accessible_names.h"
#include "file_dialog.h"
#include "owned_handles.h"
#include "window_class.h"
#include "windows_api.h"
#include "windows_versions.h"

namespace quorvex {

class HexDumpForm {
 public:
  static constexpr wchar_t kClassName[] = L"HexDumpForm";

  // Menu command identifiers.
  enum Command : WORD { kFileOpenCommand = 101, kFileExitCommand = 102, kAboutCommand = 103 };

  // RichEdit's default limit (64K) would silently cut a dump; the largest one has
  // 4,095 rows of at most 46 characters.
  static constexpr int kDisplayTextLimit = 1 << 22;

  // Creates the window (hidden) with its menus and display and runs Load. With
  // endsProgram, closing it ends the message loop of its thread. newer gives the calls
  // of later Windows versions it uses where they exist. Raises quorvex::Failure, naming
  // what could not be made, when the window cannot be made.
  HexDumpForm(HINSTANCE instance, bool endsProgram, NewerWindowsFunctions newer = FindNewerWindowsFunctions());
  ~HexDumpForm();
  HexDumpForm(const HexDumpForm&) = delete;
  HexDumpForm& operator=(const HexDumpForm&) = delete;

  HWND Handle() const { return hwnd_; }
  HWND Display() const { return rchDisplay_; }
  HACCEL Accelerators() const { return accelerators_.get(); }
  // The display's font, made for the window's current DPI.
  HFONT DisplayFont() const { return font_.get(); }
  FileDialog& Dialog() { return dlgFile_; }

  // Shows the dump of the file at path, with title in the caption. A file that cannot
  // be shown is reported in a warning box; the display then stays empty.
  void ShowFile(const std::u16string& path, const std::u16string& title);

 private:
  static LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  void CreateDisplay();
  void ClearDisplay();
  void ApplyDpi(UINT dpi);
  void SetInitialClientSize();
  void Load();

  void FileOpenClick();
  void AboutClick();

  HINSTANCE instance_;
  bool endsProgram_;
  NewerWindowsFunctions newer_;
  FileDialog dlgFile_;
  // Held until the window and its display are gone.
  AccessibleNames accessibleNames_;
  // Freed after the window and its display, which use them, are gone.
  WindowClass windowClass_;
  OwnedAccelerators accelerators_;
  OwnedFont font_;
  HWND hwnd_ = nullptr;
  HWND rchDisplay_ = nullptr;
};

// Runs the thread's message loop, with the form's accelerators, until WM_QUIT.
int RunMessageLoop(const HexDumpForm& form);

}  // namespace quorvex
