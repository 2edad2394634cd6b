// The window on a real X display (run under Xvfb): it appears with its menu bar, and a
// file opened through the dialog shows its dump. Screenshots are saved for people to
// look at, in QUORVEX_SCREENSHOT_DIR.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QSet>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>

#include "form_probe.h"
#include "modal_answers.h"
#include "test_files.h"

namespace quorvex::testing {
namespace {

QString ScreenshotPath(const QString& name) {
  QString folder = qEnvironmentVariable("QUORVEX_SCREENSHOT_DIR");
  if (folder.isEmpty()) folder = QDir::current().filePath(QStringLiteral("screenshots"));
  QDir().mkpath(folder);
  return QDir(folder).filePath(name);
}

QImage GrabAndSave(HexDumpForm& form, const QString& name) {
  QApplication::processEvents();
  const QImage shot = form.screen()->grabWindow(form.winId()).toImage();
  const QString path = ScreenshotPath(name);
  EXPECT_TRUE(shot.save(path)) << path.toStdString();
  std::printf("Screenshot: %s\n", qPrintable(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())));
  return shot;
}

// Text drawn in an area shows as more than a couple of colours.
int ColoursIn(const QImage& image, const QRect& area) {
  QSet<QRgb> colours;
  const QRect inside = area.intersected(image.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) colours.insert(image.pixel(x, y));
  }
  return static_cast<int>(colours.size());
}

TEST(RealWindow, AppearsWithItsMenuBar) {
  ASSERT_EQ(QGuiApplication::platformName(), QString("xcb"));
  HexDumpForm form;
  ASSERT_TRUE(ShowAndWait(form));
  QTest::qWait(200);  // let the X server finish drawing before the grab
  const QImage shot = GrabAndSave(form, QStringLiteral("main-window.png"));
  ASSERT_FALSE(shot.isNull());
  const QRect bar = form.menuBar()->geometry();
  ASSERT_GT(bar.height(), 0);
  EXPECT_GT(ColoursIn(shot, bar), 3) << "the menu bar's captions are not drawn";
  EXPECT_EQ(Display(form)->size(), QSize(503, 278));
}

TEST(RealWindow, OpensAFileThroughTheDialogAndShowsItsDump) {
  TestFiles files;
  const QByteArray bytes = "Quorvex shows every byte of a file: \x01\x02\x7F\xAD\xE9\xFF and more text."
                           "\r\nA second line of the file, to fill a few rows of the dump.\r\n";
  const QString path = files.Write(QStringLiteral("sample.txt"), bytes);
  ASSERT_FALSE(path.isEmpty());

  HexDumpForm form;
  ASSERT_TRUE(ShowAndWait(form));
  const auto dialog = AnswerFileDialog([&] { Action(form, "mnuFileOpen")->trigger(); }, path);
  ASSERT_TRUE(dialog.has_value());
  EXPECT_EQ(Caption(form), QString("Quorvex [sample.txt]"));
  EXPECT_FALSE(ShownText(form).isEmpty());

  QTest::qWait(200);
  const QImage shot = GrabAndSave(form, QStringLiteral("dump.png"));
  ASSERT_FALSE(shot.isNull());
  EXPECT_GT(ColoursIn(shot, Display(form)->geometry()), 3) << "the dump is not drawn";
}

TEST(RealWindow, AboutBoxShowsTwoLines) {
  HexDumpForm form;
  ASSERT_TRUE(ShowAndWait(form));
  QImage shot;
  QTimer poll;
  poll.setInterval(20);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible() || !shot.isNull()) return;
    QTest::qWait(200);
    shot = box->screen()->grabWindow(box->winId()).toImage();
    box->button(QMessageBox::Ok)->click();
  });
  poll.start();
  Action(form, "mnuAbout")->trigger();
  poll.stop();
  ASSERT_FALSE(shot.isNull());
  const QString path = ScreenshotPath(QStringLiteral("about.png"));
  EXPECT_TRUE(shot.save(path));
  std::printf("Screenshot: %s\n", qPrintable(QFileInfo(path).absoluteFilePath()));
}

}  // namespace
}  // namespace quorvex::testing
