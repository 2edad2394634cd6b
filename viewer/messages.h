// The texts of Quorvex's message boxes, built from their parts. Lines are joined by
// CR LF, as Windows' message boxes take them; the Qt window turns that into a plain
// line break.
#pragma once

#include <exception>
#include <string>
#include <string_view>

#include "dump.h"

namespace quorvex {

std::u16string AboutText();

// "Error 7 selecting file." (a negative number takes the blank's place: "Error-5 ...")
// followed by a line break and the description.
std::u16string DialogErrorText(int number, std::u16string_view description);

// Why the file at path could not be shown: "无法显示文件“path”。", a line break, then
// "错误 53：文件未找到"; for the size failures a line on which sizes Quorvex can show.
std::u16string ShowFailureText(std::u16string_view path, const Failure& failure);

// Why the program could not start: "Quorvex 无法启动。", a line break, then for a
// Failure "错误 126：" and its description, for anything else what it says.
std::u16string StartupFailureText(const std::exception& error);

}  // namespace quorvex
