// dlgFile: the common Open dialog (GetOpenFileNameW), remembering the last chosen file
// so that each showing starts there.
#pragma once

#include <cstddef>
#include <string>

#include "windows_api.h"
// After the Windows headers it needs.
#include <commdlg.h>

namespace quorvex {

class FileDialog {
 public:
  // Flags added to those the Open command sets: the Explorer-style dialog, no change of
  // the program's current folder behind its back, and no trace of the opened file in
  // the system's recent items (Quorvex remembers nothing between runs).
  static constexpr int kAddedFlags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_DONTADDTORECENT;

  std::u16string FileName() const { return fileName_; }
  void SetFileName(std::u16string fileName) { fileName_ = std::move(fileName); }

  int Flags() const { return flags_; }
  void SetFlags(int flags) { flags_ = flags; }

  // Room for the chosen path, in characters with the terminator: the longest path
  // Windows knows by default. Smaller only to provoke the dialog's own failure.
  static constexpr std::size_t kNameBufferSize = 32768;
  void SetNameBufferSize(std::size_t size) { nameBufferSize_ = size; }

  // The chosen file's name without its folder.
  std::u16string FileTitle() const { return fileTitle_; }

  // Shows the dialog modally over owner. On a choice, FileName and FileTitle describe the
  // chosen file. A cancel raises DialogFailure 32755; any other failure of the dialog
  // raises its extended error code with a description. Either way nothing changes.
  void ShowOpen(HWND owner);

 private:
  std::u16string fileName_;
  std::u16string fileTitle_;
  int flags_ = 0;
  std::size_t nameBufferSize_ = kNameBufferSize;
};

}  // namespace quorvex
