// The main window: menus, caption, display settings, resizing, About, Load and Exit.
#include <QApplication>
#include <QFontInfo>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include <memory>

#include "application.h"
#include "fake_open_dialog.h"
#include "form_probe.h"
#include "initial_file_name.h"
#include "modal_answers.h"

namespace quorvex::testing {
namespace {

struct Window {
  FakeOpenDialog* dialog = new FakeOpenDialog;
  HexDumpForm form{std::unique_ptr<OpenDialog>(dialog)};
};

TEST(MainWindow, MenuBarHasFileMenuThenAboutItem) {
  Window window;
  const QList<QAction*> bar = window.form.menuBar()->actions();
  ASSERT_EQ(bar.size(), 2);
  EXPECT_EQ(bar[0]->text(), QString("文件(&F)"));
  ASSERT_NE(bar[0]->menu(), nullptr);
  EXPECT_EQ(bar[0]->menu()->objectName(), QString("mnuFile"));
  EXPECT_EQ(bar[1]->objectName(), QString("mnuAbout"));
  EXPECT_EQ(bar[1]->text(), QString("关于(A)..."));
  EXPECT_EQ(bar[1]->menu(), nullptr) << "About is an item on the bar, not a menu";

  const QList<QAction*> file = bar[0]->menu()->actions();
  ASSERT_EQ(file.size(), 3);
  EXPECT_EQ(file[0]->objectName(), QString("mnuFileOpen"));
  EXPECT_EQ(file[0]->text(), QString("打开(&O)"));
  EXPECT_EQ(file[0]->shortcut(), QKeySequence(QKeySequence::Open));
  EXPECT_EQ(file[0]->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
  EXPECT_EQ(file[1]->objectName(), QString("mnuFileSep"));
  EXPECT_TRUE(file[1]->isSeparator());
  EXPECT_EQ(file[2]->objectName(), QString("mnuFileExit"));
  EXPECT_EQ(file[2]->text(), QString("退出(&X)"));
  EXPECT_TRUE(file[2]->shortcut().isEmpty());

  for (QAction* action : {bar[0], bar[1], file[0], file[2]}) {
    EXPECT_TRUE(action->isEnabled()) << action->text().toStdString();
    EXPECT_TRUE(action->isVisible()) << action->text().toStdString();
    EXPECT_FALSE(action->isChecked()) << action->text().toStdString();
  }
}

TEST(MainWindow, StartsTitledQuorvexWithEmptyDisplayOfTheInitialSize) {
  Window window;
  ASSERT_TRUE(ShowAndWait(window.form));
  EXPECT_EQ(Caption(window.form), QString("Quorvex"));
  EXPECT_TRUE(ShownText(window.form).isEmpty());
  EXPECT_EQ(Display(window.form)->size(), QSize(503, 278));
  EXPECT_EQ(window.form.centralWidget(), Display(window.form));
}

TEST(MainWindow, DisplayIsReadOnlyUnwrappedAndMonospaced) {
  Window window;
  QPlainTextEdit* display = Display(window.form);
  ASSERT_NE(display, nullptr);
  EXPECT_TRUE(display->isReadOnly());
  EXPECT_FALSE(display->isUndoRedoEnabled());
  EXPECT_EQ(display->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_TRUE(display->textInteractionFlags() & Qt::TextSelectableByMouse);

  const QFont font = display->font();
  EXPECT_EQ(font.family(), QString("Courier New"));
  EXPECT_DOUBLE_EQ(font.pointSizeF(), 8.25);
  EXPECT_EQ(font.weight(), QFont::Normal);
  EXPECT_FALSE(font.italic() || font.underline() || font.strikeOut());
  EXPECT_EQ(font.styleHint(), QFont::TypeWriter);
  // Whatever face stands in for Courier New must still be monospaced.
  const QFontInfo resolved(font);
  EXPECT_TRUE(resolved.fixedPitch()) << resolved.family().toStdString();
}

TEST(MainWindow, DisplayCoversTheClientAreaAtEverySize) {
  Window window;
  ASSERT_TRUE(ShowAndWait(window.form));
  for (const QSize size : {QSize(180, 90), QSize(900, 640), QSize(260, 120), QSize(640, 480)}) {
    window.form.resize(size);
    QApplication::processEvents();
    const int top = window.form.menuBar()->geometry().bottom() + 1;
    const QRect client(0, top, window.form.width(), window.form.height() - top);
    EXPECT_EQ(Display(window.form)->geometry(), client)
        << "window " << size.width() << " x " << size.height();
  }
}

TEST(MainWindow, AboutBoxNamesTheMakerAndChangesNothing) {
  Window window;
  ASSERT_TRUE(ShowAndWait(window.form));
  const auto boxes = AnswerMessageBoxes([&] { Action(window.form, "mnuAbout")->trigger(); });
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, QString("关于 Quorvex"));
  // Two lines, with no CR left over to show as a glyph.
  EXPECT_EQ(boxes[0].text, QString("官方网站:Quorvex 开发组 https://quorvex.example.org\n"
                                   "电子邮件:support@quorvex.example.org"));
  EXPECT_EQ(boxes[0].icon, QMessageBox::Information);
  EXPECT_EQ(boxes[0].buttons, QMessageBox::Ok);
  EXPECT_EQ(boxes[0].buttonCount, 1);
  EXPECT_EQ(Caption(window.form), QString("Quorvex"));
  EXPECT_TRUE(ShownText(window.form).isEmpty());
}

TEST(MainWindow, LoadJoinsTheProgramFolderAndAWildcardAsTheyStand) {
  Window window;
  EXPECT_EQ(window.dialog->fileName, InitialFileName(QCoreApplication::applicationDirPath()));
  const QString sep = QDir::separator();
  EXPECT_EQ(InitialFileName("/opt/quorvex"), QDir::toNativeSeparators("/opt/quorvex") + sep + "*.*");
  // A root already ends with a separator; the second one stays.
  EXPECT_EQ(InitialFileName("/"), QDir::toNativeSeparators("/") + sep + "*.*");
}

TEST(MainWindow, ExitClosesTheWindow) {
  Window window;
  ASSERT_TRUE(ShowAndWait(window.form));
  Action(window.form, "mnuFileExit")->trigger();
  EXPECT_FALSE(window.form.isVisible());
}

TEST(MainWindow, ApplicationIsNamedVersionedAndHasItsIcon) {
  IdentifyApplication();
  EXPECT_EQ(QCoreApplication::applicationName(), QString("Quorvex"));
  EXPECT_EQ(QCoreApplication::applicationVersion(), QString("1.05.0002"));
  const QIcon icon = QuorvexIcon();
  ASSERT_FALSE(icon.isNull());
  EXPECT_TRUE(icon.availableSizes().contains(QSize(16, 16)));
  EXPECT_TRUE(icon.availableSizes().contains(QSize(32, 32)));
  EXPECT_FALSE(icon.pixmap(32, 32).toImage().allGray());
}

}  // namespace
}  // namespace quorvex::testing
