// The texts of Quorvex's message boxes, built from their parts. Lines are joined by
// CR LF, as Windows' message boxes take them; the Qt window turns that into a plain
// line break.
#pragma once

#include <string>
#include <string_view>

namespace quorvex {

std::u16string AboutText();

// "Error 7 selecting file." (a negative number takes the blank's place: "Error-5 ...")
// followed by a line break and the description.
std::u16string DialogErrorText(int number, std::u16string_view description);

// Why the file at path could not be shown; for the size failures it adds which sizes
// Quorvex can show.
std::u16string ShowFailureText(std::u16string_view path, int number, std::u16string_view description);

// Why the program could not start: "Quorvex 无法启动。", a line break, then
// "错误 126：" and the description.
std::u16string StartupFailureText(int number, std::u16string_view description);

}  // namespace quorvex
