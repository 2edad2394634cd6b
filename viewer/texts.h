// Every text the user sees in Quorvex's window, in one place, for both windows. The
// Open dialog's own texts are the platform's, but for the few below where a platform's
// translation says it otherwise than Windows and Chinese users do.
#pragma once

#include <string_view>

namespace quorvex::texts {

inline constexpr std::u16string_view kAppName = u"Quorvex";

// Menus; "&" marks the access key, which shows underlined: "关于(&A)..." shows as
// "关于(A)..." with the A underlined, and Alt+A opens About.
inline constexpr std::u16string_view kFileMenu = u"文件(&F)";
inline constexpr std::u16string_view kFileOpen = u"打开(&O)";
inline constexpr std::u16string_view kFileExit = u"退出(&X)";
inline constexpr std::u16string_view kAbout = u"关于(&A)...";

// The display's name for screen readers.
inline constexpr std::u16string_view kDisplayName = u"十六进制内容";

// Caption while a file is shown: kCaptionBefore + file name + kCaptionAfter.
inline constexpr std::u16string_view kCaptionBefore = u"Quorvex [";
inline constexpr std::u16string_view kCaptionAfter = u"]";

// The About box; its two lines are joined by CR LF.
inline constexpr std::u16string_view kAboutTitle = u"关于 Quorvex";
inline constexpr std::u16string_view kWebsiteLabel = u"官方网站:";
inline constexpr std::u16string_view kEmailLabel = u"电子邮件:";
inline constexpr std::u16string_view kMakerName = u"Quorvex 开发组";
inline constexpr std::u16string_view kMakerWebsite = u"https://quorvex.example.org";
inline constexpr std::u16string_view kMakerEmail = u"support@quorvex.example.org";

// The one English message: a dialog failure other than cancel.
// "Error" + " 7" (or "-5") + " selecting file." + CR LF + description.
inline constexpr std::u16string_view kDialogErrorBefore = u"Error";
inline constexpr std::u16string_view kDialogErrorAfter = u" selecting file.";

// The Open dialog's description of a cancel (the Open command ends quietly on it).
inline constexpr std::u16string_view kFileChoiceCancelled = u"已取消选择文件。";

// A failure's number and description, as the Chinese reports give them:
// kErrorNumberBefore + number + kErrorNumberEnd + description ("错误 53：文件未找到").
inline constexpr std::u16string_view kErrorNumberBefore = u"错误 ";
inline constexpr std::u16string_view kErrorNumberEnd = u"：";

// A file that could not be shown: kShowFailedBefore + path + kShowFailedAfter, CR LF,
// then the failure.
inline constexpr std::u16string_view kShowFailedBefore = u"无法显示文件“";
inline constexpr std::u16string_view kShowFailedAfter = u"”。";
// The window could not be made (Windows): kStartupFailed, CR LF, then the failure.
inline constexpr std::u16string_view kStartupFailed = u"Quorvex 无法启动。";
// Added for the size failures (overflow, out of range).
inline constexpr std::u16string_view kSizeLimit = u"Quorvex 只能显示 1 到 32,760 字节的文件。";

// ---- Only the Qt window uses these. ----

// The heading of the Open dialog's size column, as the Windows dialog has it (Qt's
// translation says "体积").
inline constexpr std::u16string_view kSizeColumn = u"大小";

// ---- Only the Windows window uses these. ----

// The Open item's shortcut, which Windows menus show right-aligned after the item.
inline constexpr std::u16string_view kFileOpenShortcut = u"Ctrl+O";

// The Open dialog's descriptions of its own failures, after "Error N selecting file.".
inline constexpr std::u16string_view kDialogNotCreated = u"无法创建文件对话框。";
inline constexpr std::u16string_view kDialogStructSizeInvalid = u"文件对话框的结构大小无效。";
inline constexpr std::u16string_view kDialogInitializationFailed = u"文件对话框初始化失败（内存不足）。";
inline constexpr std::u16string_view kDialogResourceMissing = u"文件对话框找不到所需的资源。";
inline constexpr std::u16string_view kDialogOutOfMemory = u"文件对话框内存不足。";
inline constexpr std::u16string_view kFileNameInvalid = u"文件名无效。";
inline constexpr std::u16string_view kFileNameTooLong = u"文件名太长，缓冲区容纳不下。";
inline constexpr std::u16string_view kDialogSubclassFailed = u"文件对话框内存不足，无法子类化列表框。";
inline constexpr std::u16string_view kDialogFailed = u"文件对话框出错。";

// What the window could not make or load, as the descriptions of Failures (so UTF-8),
// after the error number.
inline constexpr std::string_view kWindowClassNotRegistered = "无法注册窗口类。";
inline constexpr std::string_view kRichEditNotLoaded = "无法加载显示控件 msftedit.dll。";
inline constexpr std::string_view kAcceleratorsNotCreated = "无法创建快捷键表。";
inline constexpr std::string_view kWindowNotCreated = "无法创建主窗口。";
inline constexpr std::string_view kMenuNotCreated = "无法创建菜单。";
inline constexpr std::string_view kDisplayNotCreated = "无法创建显示控件。";

}  // namespace quorvex::texts
