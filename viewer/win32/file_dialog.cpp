#include "file_dialog.h"

#include <cderr.h>

#include <algorithm>
#include <vector>

#include "open_command.h"
#include "texts.h"

namespace quorvex {

// The shared layer numbers the Open command's flags as the Windows headers do.
static_assert(kHideReadOnlyFlag == OFN_HIDEREADONLY);
static_assert(kFileMustExistFlag == OFN_FILEMUSTEXIST);
static_assert(kLongNamesFlag == OFN_LONGNAMES);

namespace {

// The dialog's own descriptions of its failures.
std::u16string_view DialogFailureDescription(DWORD code) {
  switch (code) {
    case CDERR_DIALOGFAILURE: return texts::kDialogNotCreated;
    case CDERR_STRUCTSIZE: return texts::kDialogStructSizeInvalid;
    case CDERR_INITIALIZATION: return texts::kDialogInitializationFailed;
    case CDERR_FINDRESFAILURE: return texts::kDialogResourceMissing;
    case CDERR_MEMALLOCFAILURE: return texts::kDialogOutOfMemory;
    case FNERR_INVALIDFILENAME: return texts::kFileNameInvalid;
    case FNERR_BUFFERTOOSMALL: return texts::kFileNameTooLong;
    case FNERR_SUBCLASSFAILURE: return texts::kDialogSubclassFailed;
    default: return texts::kDialogFailed;
  }
}

// A zero-terminated copy of text in a buffer of size characters (a longer text is cut:
// no path that long exists).
std::vector<wchar_t> NameBuffer(std::u16string_view text, std::size_t size) {
  std::vector<wchar_t> buffer(std::max<std::size_t>(size, 1), L'\0');
  std::copy_n(text.begin(), std::min(text.size(), buffer.size() - 1), buffer.begin());
  return buffer;
}

}  // namespace

void FileDialog::ShowOpen(HWND owner) {
  std::vector<wchar_t> file = NameBuffer(fileName_, nameBufferSize_);
  std::vector<wchar_t> title = NameBuffer(u"", kNameBufferSize);

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrFileTitle = title.data();
  dialog.nMaxFileTitle = static_cast<DWORD>(title.size());
  dialog.Flags = static_cast<DWORD>(flags_ | kAddedFlags);

  if (!GetOpenFileNameW(&dialog)) {
    const DWORD code = CommDlgExtendedError();
    if (code == 0) throw DialogFailure(kDialogCancelled, std::u16string(texts::kFileChoiceCancelled));
    throw DialogFailure(static_cast<int>(code), std::u16string(DialogFailureDescription(code)));
  }
  fileName_ = FromWide(file.data());
  fileTitle_ = FromWide(title.data());
}

}  // namespace quorvex
