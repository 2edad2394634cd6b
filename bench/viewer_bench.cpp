// Times the viewer offscreen: start-up to the window's first paint, and ShowFile of the
// largest file (32,760 bytes) from its start to the dump painted; then prints the peak
// resident memory. A timing program rather than a benchmark loop, because start-up
// happens once per process.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QFontInfo>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include <sys/resource.h>

#include "hex_dump_form.h"
#include "open_dialog.h"

namespace {

// The bench never opens the dialog; the window only needs something to hold.
class NoDialog final : public quorvex::OpenDialog {
 public:
  QString FileName() const override { return name_; }
  void SetFileName(const QString& name) override { name_ = name; }
  int Flags() const override { return 0; }
  void SetFlags(int) override {}
  void ShowOpen(QWidget*) override {}
  QString FileTitle() const override { return {}; }

 private:
  QString name_;
};

// Notes when a widget has been painted.
class PaintWatch final : public QObject {
 public:
  bool painted = false;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted = true;
    return QObject::eventFilter(watched, event);
  }
};

double Milliseconds(const QElapsedTimer& timer) { return static_cast<double>(timer.nsecsElapsed()) / 1e6; }

long PeakResidentKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;  // KiB on Linux
}

}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer sinceStart;
  sinceStart.start();
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

  QApplication app(argc, argv);
  quorvex::HexDumpForm form(std::make_unique<NoDialog>());
  auto* display = form.findChild<QPlainTextEdit*>(QStringLiteral("rchDisplay"));
  PaintWatch watch;
  display->viewport()->installEventFilter(&watch);
  form.show();
  while (!watch.painted) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  const double startup = Milliseconds(sinceStart);

  // The largest file Quorvex shows, every byte value in turn.
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("largest.bin"));
  QByteArray bytes(32760, '\0');
  for (int i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i & 0xFF);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return 1;
  file.close();

  constexpr int kRuns = 41;
  std::vector<double> times;
  for (int run = 0; run < kRuns; ++run) {
    QElapsedTimer timer;
    timer.start();
    form.ShowFile(path, QStringLiteral("largest.bin"));
    display->viewport()->repaint();
    times.push_back(Milliseconds(timer));
    QCoreApplication::processEvents();
  }
  std::sort(times.begin(), times.end());

  const QFontInfo font(display->font());
  std::printf("display font: %s %.2f pt (asked for %s), fixed pitch: %s\n",
              qPrintable(font.family()), font.pointSizeF(), qPrintable(display->font().family()),
              font.fixedPitch() ? "yes" : "no");
  std::printf("start-up to first paint: %.1f ms\n", startup);
  std::printf("ShowFile of 32,760 bytes to painted, %d runs: median %.2f ms, min %.2f ms, max %.2f ms\n",
              kRuns, times[kRuns / 2], times.front(), times.back());
  std::printf("peak resident memory after showing the largest file: %.1f MiB\n",
              static_cast<double>(PeakResidentKiB()) / 1024.0);
  return 0;
}
