#include "message_box.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBoundaryFinder>

#include "window_focus.h"

namespace quorvex {
namespace {

constexpr QChar kZeroWidthSpace(0x200B);

// The line, with every stretch wider than maxWidth able to break anywhere: a long file
// name has no blank at which the box could wrap it, and would run off the screen.
QString BreakableLine(const QString& line, const QFontMetrics& metrics, int maxWidth) {
  QString result;
  QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, line);
  qsizetype start = 0;
  for (qsizetype end = breaks.toNextBoundary(); end > 0; end = breaks.toNextBoundary()) {
    const QString piece = line.sliced(start, end - start);
    start = end;
    if (metrics.horizontalAdvance(piece) <= maxWidth) {
      result += piece;
      continue;
    }
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, piece);
    qsizetype from = 0;
    for (qsizetype to = characters.toNextBoundary(); to > 0; to = characters.toNextBoundary()) {
      if (from > 0) result += kZeroWidthSpace;
      result += piece.sliced(from, to - from);
      from = to;
    }
  }
  return result;
}

}  // namespace

void ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                    const QString& text) {
  QMessageBox box(icon, title, QString(), QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  // A label draws a lone CR as a glyph of its own; a line feed alone breaks the line.
  const QString lines = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  // The box wraps its text at about half the screen's width: no stretch may need more,
  // with room to spare for the label's own font.
  const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
  const int maxWidth = screen != nullptr ? screen->availableGeometry().width() / 3 : 300;
  QStringList shown;
  for (const QString& line : lines.split(u'\n')) shown += BreakableLine(line, box.fontMetrics(), maxWidth);
  box.setText(shown.join(u'\n'));
  box.exec();
  ReturnKeysTo(parent);
}

}  // namespace quorvex
