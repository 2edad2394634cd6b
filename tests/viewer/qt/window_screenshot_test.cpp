// The window on a real X display (run under Xvfb): it appears with its menu bar, and a
// file opened through the dialog shows its dump. Every text shown has glyphs in the
// fonts that draw it. Screenshots are saved for people to look at, in
// QUORVEX_SCREENSHOT_DIR.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGlyphRun>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QSet>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "window_test_support.h"

namespace quorvex::testing {
namespace {

QString ScreenshotPath(const QString& name) {
  QString folder = qEnvironmentVariable("QUORVEX_SCREENSHOT_DIR");
  if (folder.isEmpty()) folder = QDir::current().filePath(QStringLiteral("screenshots"));
  QDir().mkpath(folder);
  return QDir(folder).filePath(name);
}

QImage GrabAndSave(QWidget& window, const QString& name) {
  QTest::qWait(200);  // let the X server finish drawing before the grab
  QImage shot = window.screen()->grabWindow(window.winId()).toImage();
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

// The lines of text that the font, with the faces Qt falls back on, has no glyph for:
// they would show as empty boxes.
QStringList Unshowable(const QString& text, const QFont& font) {
  QStringList unshowable;
  for (const QString& line : QString(text).remove(u'&').split(u'\n')) {
    QTextLayout layout(line, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    for (const QGlyphRun& run : layout.glyphRuns()) {
      if (run.glyphIndexes().contains(0)) unshowable += line + u" ["_qs + run.rawFont().familyName() + u"]"_qs;
    }
  }
  return unshowable;
}

// What Unshowable finds in every text that window and its visible parts show, menus
// included (shown or not), and in the caption, drawn with the window's font; one line
// of UTF-8 text, empty if every text can be shown.
std::string UnshowableIn(const QWidget& window) {
  QStringList unshowable = Unshowable(window.windowTitle(), window.font());
  QList<const QWidget*> parts = window.findChildren<const QWidget*>();
  parts.prepend(&window);
  for (const QWidget* part : parts) {
    const auto add = [&](const QString& text) { unshowable += Unshowable(text, part->font()); };
    if (qobject_cast<const QMenu*>(part) != nullptr || qobject_cast<const QMenuBar*>(part) != nullptr) {
      for (const QAction* action : part->actions()) add(action->text());
    }
    if (!part->isVisible()) continue;
    if (const auto* label = qobject_cast<const QLabel*>(part)) add(label->text());
    if (const auto* button = qobject_cast<const QAbstractButton*>(part)) add(button->text());
    if (const auto* edit = qobject_cast<const QLineEdit*>(part)) add(edit->text());
    if (const auto* edit = qobject_cast<const QPlainTextEdit*>(part)) add(edit->toPlainText());
    if (const auto* box = qobject_cast<const QComboBox*>(part)) add(box->currentText());
    if (const auto* header = qobject_cast<const QHeaderView*>(part); header != nullptr && header->model() != nullptr) {
      for (int section = 0; section < header->count(); ++section) {
        add(header->model()->headerData(section, header->orientation()).toString());
      }
    } else if (const auto* view = qobject_cast<const QAbstractItemView*>(part); view != nullptr && view->model() != nullptr) {
      const QModelIndex root = view->rootIndex();
      for (int row = 0; row < view->model()->rowCount(root); ++row) {
        for (int column = 0; column < view->model()->columnCount(root); ++column) {
          add(view->model()->index(row, column, root).data().toString());
        }
      }
    }
  }
  return unshowable.join(u" | ").toStdString();
}

TEST(RealWindow, AppearsWithItsMenuBar) {
  ASSERT_EQ(QGuiApplication::platformName(), QString("xcb"));
  HexDumpForm form;
  ASSERT_TRUE(ShowAndWait(form));
  const QImage shot = GrabAndSave(form, QStringLiteral("main-window.png"));
  ASSERT_FALSE(shot.isNull());
  const QRect bar = form.menuBar()->geometry();
  ASSERT_GT(bar.height(), 0);
  EXPECT_GT(ColoursIn(shot, bar), 3) << "the menu bar's captions are not drawn";
  EXPECT_EQ(UnshowableIn(form), "");
  EXPECT_EQ(Display(form)->size(), QSize(503, 278));
}

// The sample file (the worked example and the seven characters that draw with no
// width, each shown by a stand-in that Ctrl+C copies as it is shown).
TEST(RealWindow, OpensAFileThroughTheDialogAndShowsItsDump) {
  QFile sample(QStringLiteral(QUORVEX_TEST_SAMPLES "/sample.bin"));
  QFile expected(QStringLiteral(QUORVEX_TEST_SAMPLES "/sample-shown.txt"));
  ASSERT_TRUE(sample.open(QIODevice::ReadOnly) && expected.open(QIODevice::ReadOnly));
  TestFiles files;
  const QString path = files.Write(u"sample.bin"_qs, sample.readAll());

  HexDumpForm form;
  ASSERT_TRUE(ShowAndWait(form));
  ASSERT_TRUE(AnswerAll([&] { Action(form, "mnuFileOpen")->trigger(); }, path).dialog.has_value());
  EXPECT_EQ(Caption(form), QString("Quorvex [sample.bin]"));
  const QString shown = QString::fromUtf8(expected.readAll());
  EXPECT_EQ(ShownText(form), QString(shown).replace(u"\n"_qs, u"\r\n"_qs).toStdU16String());
  Display(form)->selectAll();
  QTest::keyClick(Display(form), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), shown);
  Display(form)->moveCursor(QTextCursor::Start);
  const QImage shot = GrabAndSave(form, QStringLiteral("dump.png"));
  ASSERT_FALSE(shot.isNull());
  EXPECT_GT(ColoursIn(shot, Display(form)->geometry()), 3) << "the dump is not drawn";
  EXPECT_EQ(UnshowableIn(form), "");
}

TEST(RealWindow, AboutBoxShowsTwoLines) {
  HexDumpForm form;
  ASSERT_TRUE(ShowAndWait(form));
  bool grabbed = false;
  std::string unshowable;
  AnswerModals([&] { Action(form, "mnuAbout")->trigger(); },
               [&](QWidget& box) {
                 grabbed = !GrabAndSave(box, QStringLiteral("about.png")).isNull();
                 unshowable = UnshowableIn(box);
                 static_cast<QDialog&>(box).accept();
               });
  EXPECT_TRUE(grabbed);
  EXPECT_EQ(unshowable, "");
}

// Qt's own parts in Chinese, for people to look at: the Open dialog's detail view (sizes,
// types and dates), a report of a file with a name as long as allowed (it must fit the
// screen), the display's context menu.
TEST(RealWindow, QtsOwnPartsInChinese) {
  TestFiles files;
  // 255 bytes, the most a name may have.
  const QString longName = files.Write(QString(30, u'长') + QString(161, u'n') + u".bin"_qs, {});
  ASSERT_FALSE(longName.isEmpty());
  for (const auto& [name, bytes] : {std::pair{u"256.bin"_qs, 256}, std::pair{u"应用.log"_qs, 2048},
                                    std::pair{u"归档.tar.gz"_qs, 40000}}) {
    ASSERT_FALSE(files.Write(name, QByteArray(bytes, 'q')).isEmpty());
  }
  HexDumpForm form;
  ASSERT_TRUE(ShowAndWait(form));

  std::string unshowable;
  AnswerModals([&] { Action(form, "mnuFileOpen")->trigger(); },
               [&](QWidget& dialog) {
                 static_cast<QFileDialog&>(dialog).setDirectory(files.Folder());
                 QTest::qWait(300);  // the folder's list fills in the background
                 GrabAndSave(dialog, QStringLiteral("open-dialog.png"));
                 unshowable += UnshowableIn(dialog);
                 static_cast<QDialog&>(dialog).reject();
               });

  QRect box;
  AnswerModals([&] { form.ShowFile(longName, QFileInfo(longName).fileName()); },
               [&](QWidget& shown) {
                 box = shown.frameGeometry();
                 GrabAndSave(shown, QStringLiteral("error-box.png"));
                 unshowable += UnshowableIn(shown);
                 static_cast<QDialog&>(shown).accept();
               });
  EXPECT_TRUE(box.isValid() && form.screen()->availableGeometry().contains(box));

  // Over a shown dump, all selected, so that every item is enabled.
  const QString sample = files.Write(u"sample.bin"_qs, "Quorvex");
  AnswerAll([&] { form.ShowFile(sample, u"sample.bin"_qs); });
  Display(form)->selectAll();
  const std::unique_ptr<QMenu> menu(Display(form)->createStandardContextMenu());
  menu->popup(form.mapToGlobal(QPoint(40, 60)));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(menu.get()));
  GrabAndSave(*menu, QStringLiteral("context-menu.png"));
  unshowable += UnshowableIn(*menu);
  menu->close();
  EXPECT_EQ(unshowable, "");
}

}  // namespace
}  // namespace quorvex::testing
