// The viewer's resident memory as the Open dialog is used again and again: a file is
// opened through the real dialog 300 times, answered as a user would (name typed, Open
// pressed), and the resident memory is printed after 10 and after 300 opens.
// Run offscreen: QT_QPA_PLATFORM=offscreen build/bench/dialog_memory_bench
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <fstream>

#include <unistd.h>

#include "hex_dump_form.h"
#include "qt_translation.h"
#include "startup_environment.h"

namespace {

constexpr int kFewOpens = 10;
constexpr int kManyOpens = 300;

long ResidentKiB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0;
  long residentPages = 0;
  statm >> pages >> residentPages;
  return residentPages * (sysconf(_SC_PAGESIZE) / 1024);
}

}  // namespace

int main(int argc, char** argv) {
  const quorvex::StartupEnvironment environment;
  QApplication app(argc, argv);
  quorvex::TranslateQtIntoChinese(app);

  const QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("sample.bin"));
  QFile sample(path);
  if (!sample.open(QIODevice::WriteOnly) || sample.write(QByteArray(4096, 'q')) != 4096) {
    static_cast<void>(std::fprintf(stderr, "cannot write %s\n", qPrintable(path)));
    return 1;
  }
  sample.close();

  quorvex::HexDumpForm form;
  form.show();
  auto* open = form.findChild<QAction*>(QStringLiteral("mnuFileOpen"));

  // Each dialog is answered at the second look, so that it has had time to list its folder.
  int answered = 0;
  bool seen = false;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    auto* nameBox = dialog != nullptr ? dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
    if (nameBox == nullptr || !dialog->isVisible()) return;
    seen = !seen;
    if (seen) return;
    nameBox->setText(path);
    static_cast<QDialog*>(dialog)->accept();  // public as QDialog's; QFileDialog's own runs
    ++answered;
  });
  answer.start(10);

  long afterFew = 0;
  for (int opens = 1; opens <= kManyOpens; ++opens) {
    open->trigger();
    if (opens == kFewOpens) afterFew = ResidentKiB();
  }
  const long afterMany = ResidentKiB();
  if (answered != kManyOpens || form.windowTitle() != QStringLiteral("Quorvex [sample.bin]")) {
    static_cast<void>(std::fprintf(stderr, "only %d of %d dialogs were answered\n", answered, kManyOpens));
    return 1;
  }
  std::printf("resident memory after %d opens:  %ld KiB\n", kFewOpens, afterFew);
  std::printf("resident memory after %d opens: %ld KiB\n", kManyOpens, afterMany);
  std::printf("growth: %ld KiB\n", afterMany - afterFew);
  return 0;
}
