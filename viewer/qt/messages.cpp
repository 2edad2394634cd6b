#include "messages.h"

#include <QDir>

#include "dump.h"
#include "texts.h"

namespace quorvex {

namespace {
constexpr char kLineBreak[] = "\r\n";
}  // namespace

QString AboutText() {
  return QString(texts::kWebsiteLabel) + texts::kMakerName + u' ' + texts::kMakerWebsite +
         kLineBreak + texts::kEmailLabel + texts::kMakerEmail;
}

QString DialogErrorText(int number, const QString& description) {
  // The sign's place holds a blank for zero and positive numbers.
  const QString signedNumber = number < 0 ? QString::number(number) : u' ' + QString::number(number);
  return texts::kDialogErrorBefore + signedNumber + texts::kDialogErrorAfter + kLineBreak +
         description;
}

QString ShowFailureText(const QString& path, int number, const QString& description) {
  QString text = QString(texts::kShowFailed)
                     .arg(QDir::toNativeSeparators(path), QString::number(number), description);
  if (number == kOverflow || number == kOutOfRange) text += kLineBreak + QString(texts::kSizeLimit);
  return text;
}

}  // namespace quorvex
