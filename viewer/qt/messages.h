// The texts of Quorvex's message boxes, built from their parts. Lines are joined by
// CR LF here; ShowMessageBox turns that into a plain line break.
#pragma once

#include <QString>

namespace quorvex {

QString AboutText();

// "Error 7 selecting file." (a negative number takes the blank's place: "Error-5 ...")
// followed by a line break and the description.
QString DialogErrorText(int number, const QString& description);

// Why the file at path could not be shown; for the size failures it adds which sizes
// Quorvex can show.
QString ShowFailureText(const QString& path, int number, const QString& description);

}  // namespace quorvex
