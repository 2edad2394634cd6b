// Every text the user sees in Quorvex's window, in one place (UTF-8). The dialog's
// own texts live with the dialog.
#pragma once

namespace quorvex::texts {

inline constexpr char kAppName[] = "Quorvex";

// Menus; "&" marks the access key. The About item has none: "(A)" shows as written.
inline constexpr char kFileMenu[] = "文件(&F)";
inline constexpr char kFileOpen[] = "打开(&O)";
inline constexpr char kFileExit[] = "退出(&X)";
inline constexpr char kAbout[] = "关于(A)...";

// Caption while a file is shown: kCaptionBefore + file name + kCaptionAfter.
inline constexpr char kCaptionBefore[] = "Quorvex [";
inline constexpr char kCaptionAfter[] = "]";

// The About box; its two lines are joined by CR LF.
inline constexpr char kAboutTitle[] = "关于 Quorvex";
inline constexpr char kWebsiteLabel[] = "官方网站:";
inline constexpr char kEmailLabel[] = "电子邮件:";
inline constexpr char kMakerName[] = "Quorvex 开发组";
inline constexpr char kMakerWebsite[] = "https://quorvex.example.org";
inline constexpr char kMakerEmail[] = "support@quorvex.example.org";

// The one English message: a dialog failure other than cancel.
// "Error" + " 7" (or "-5") + " selecting file." + CR LF + description.
inline constexpr char kDialogErrorBefore[] = "Error";
inline constexpr char kDialogErrorAfter[] = " selecting file.";

// The Open dialog's description of a cancel (the Open command ends quietly on it).
inline constexpr char kFileChoiceCancelled[] = "已取消选择文件。";

// A file that could not be shown. %1: the file's path; %2: number; %3: description.
inline constexpr char kShowFailed[] = "无法显示文件“%1”。\r\n错误 %2：%3";
// Added for the size failures (overflow, out of range).
inline constexpr char kSizeLimit[] = "Quorvex 只能显示 1 到 32,760 字节的文件。";

}  // namespace quorvex::texts
