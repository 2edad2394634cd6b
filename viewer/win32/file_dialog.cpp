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
    case CDERR_DIALOGFAILURE: return u"无法创建文件对话框。";
    case CDERR_STRUCTSIZE: return u"文件对话框的结构大小无效。";
    case CDERR_INITIALIZATION: return u"文件对话框初始化失败（内存不足）。";
    case CDERR_FINDRESFAILURE: return u"文件对话框找不到所需的资源。";
    case CDERR_MEMALLOCFAILURE: return u"文件对话框内存不足。";
    case FNERR_INVALIDFILENAME: return u"文件名无效。";
    case FNERR_BUFFERTOOSMALL: return u"文件名太长，缓冲区容纳不下。";
    case FNERR_SUBCLASSFAILURE: return u"文件对话框内存不足，无法子类化列表框。";
    default: return u"文件对话框出错。";
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
