// The Open command with a stand-in dialog: flags, cancel, the dialog-error box and the
// ShowFile that follows it, and queued input held back while a file is being shown.
#include <QApplication>
#include <QFileInfo>
#include <qpa/qwindowsysteminterface.h>

#include <gtest/gtest.h>

#include <memory>

#include "dump.h"
#include "fake_open_dialog.h"
#include "form_probe.h"
#include "modal_answers.h"
#include "test_files.h"

namespace quorvex::testing {
namespace {

class OpenCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(ShowAndWait(form)); }

  std::vector<SeenMessageBox> Open() {
    return AnswerMessageBoxes([&] { Action(form, "mnuFileOpen")->trigger(); });
  }

  TestFiles files;
  FakeOpenDialog* dialog = new FakeOpenDialog;
  HexDumpForm form{std::unique_ptr<OpenDialog>(dialog)};
};

TEST_F(OpenCommandTest, SetsTheFlagsAndShowsTheChosenFile) {
  const QString path = files.Write("chosen.bin", "Hello\r\n\0A");
  dialog->onShowOpen = [&] { dialog->Choose(path); };
  EXPECT_TRUE(Open().empty());
  EXPECT_EQ(dialog->flagsWhenShown, 0x201004);
  EXPECT_EQ(Caption(form), QString("Quorvex [chosen.bin]"));
  EXPECT_EQ(ShownText(form), ExpectedShown("Hello\r\n\0A"));
}

TEST_F(OpenCommandTest, CancelChangesNothing) {
  const QString path = files.Write("first.bin", "first");
  dialog->onShowOpen = [&] { dialog->Choose(path); };
  Open();
  const QString shown = ShownText(form);

  dialog->onShowOpen = [] { throw Failure(OpenDialog::kCancelled, "已取消选择文件。"); };
  EXPECT_TRUE(Open().empty());
  EXPECT_EQ(dialog->shows, 2);
  EXPECT_EQ(Caption(form), QString("Quorvex [first.bin]"));
  EXPECT_EQ(ShownText(form), shown);
  EXPECT_EQ(dialog->fileName, path);
}

struct DialogErrorCase {
  int number;
  const char* description;
  const char* text;
};

TEST_F(OpenCommandTest, ADialogErrorIsReportedAndTheCommandGoesOn) {
  const DialogErrorCase cases[] = {
      {7, "内存不足", "Error 7 selecting file.\n内存不足"},
      {-5, "negative", "Error-5 selecting file.\nnegative"},
      {32756, "", "Error 32756 selecting file.\n"},
  };
  const QString path = files.Write("held.bin", "held by the dialog");
  for (const DialogErrorCase& c : cases) {
    SCOPED_TRACE(c.number);
    form.ShowFile(files.Write("before.bin", "before"), "before.bin");
    dialog->Choose(path);
    dialog->onShowOpen = [&c] { throw Failure(c.number, c.description); };
    const auto boxes = Open();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, QString("Quorvex"));
    EXPECT_EQ(boxes[0].text, QString(c.text));
    EXPECT_EQ(boxes[0].icon, QMessageBox::NoIcon);
    EXPECT_EQ(boxes[0].buttons, QMessageBox::Ok);
    EXPECT_EQ(boxes[0].buttonCount, 1);
    // ShowFile runs with whatever the dialog holds.
    EXPECT_EQ(Caption(form), QString("Quorvex [held.bin]"));
    EXPECT_EQ(ShownText(form), ExpectedShown("held by the dialog"));
  }
}

// Input that arrives while a file is being read must wait for the file to be shown:
// otherwise a second Open would run inside the first, and its caption would end up
// over the first file's dump.
TEST_F(OpenCommandTest, QueuedCtrlOWaitsUntilTheFileIsShown) {
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  const QByteArray bytes(32760, 'A');
  const QString path = files.Write("first.bin", bytes);
  bool insideFirstOpen = false;
  QString shownAtSecondOpen = QStringLiteral("(second Open never ran)");
  dialog->onShowOpen = [&] {
    if (dialog->shows == 1) {
      dialog->Choose(path);
      // Queue Ctrl+O the way the window system does, for the next event processing.
      QWindow* window = form.windowHandle();
      QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(
          window, QEvent::KeyPress, Qt::Key_O, Qt::ControlModifier);
      QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(
          window, QEvent::KeyRelease, Qt::Key_O, Qt::ControlModifier);
      return;
    }
    EXPECT_FALSE(insideFirstOpen) << "the queued Ctrl+O ran inside the first Open";
    shownAtSecondOpen = ShownText(form);
    throw Failure(OpenDialog::kCancelled, "已取消选择文件。");
  };

  insideFirstOpen = true;
  Action(form, "mnuFileOpen")->trigger();
  insideFirstOpen = false;
  EXPECT_EQ(dialog->shows, 1);

  // Once the first Open is over, the queued key does its work.
  EXPECT_TRUE(QTest::qWaitFor([&] { return dialog->shows == 2; }, 2000));
  EXPECT_EQ(shownAtSecondOpen, ExpectedShown(bytes));
  EXPECT_EQ(Caption(form), QString("Quorvex [first.bin]"));
}

}  // namespace
}  // namespace quorvex::testing
