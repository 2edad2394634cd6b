#include "message_box.h"

namespace quorvex {

void ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                    const QString& text) {
  QMessageBox box(icon, title, QString(), QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  // A label draws a lone CR as a glyph of its own; a line feed alone breaks the line.
  box.setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  box.exec();
}

}  // namespace quorvex
