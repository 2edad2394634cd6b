// The Open command with a stand-in dialog: flags, cancel, the dialog-error box and the
// ShowFile that follows it, and queued input held back while a file is being shown.
#include <QApplication>
#include <qpa/qwindowsysteminterface.h>

#include <gtest/gtest.h>

#include <memory>

#include "open_command.h"
#include "window_test_support.h"

namespace quorvex::testing {
namespace {

DialogFailure Cancel() { return {kDialogCancelled, u"已取消选择文件。"}; }

class OpenCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(ShowAndWait(form)); }
  std::vector<SeenMessageBox> Open() { return AnswerAll([&] { Action(form, "mnuFileOpen")->trigger(); }).boxes; }

  TestFiles files;
  FakeOpenDialog* dialog = new FakeOpenDialog;
  HexDumpForm form{std::unique_ptr<OpenDialog>(dialog)};
};

TEST_F(OpenCommandTest, ShowsTheChosenFileAndACancelChangesNothing) {
  const QByteArray bytes("Hello\r\n\0A", 9);
  const QString path = files.Write("chosen.bin", bytes);
  dialog->onShowOpen = [&] { dialog->Choose(path); };
  EXPECT_TRUE(Open().empty());
  EXPECT_EQ(dialog->flagsWhenShown, 0x201004);
  EXPECT_EQ(Caption(form), u"Quorvex [chosen.bin]"_qs);
  EXPECT_EQ(ShownText(form), ShownDump(bytes));

  dialog->onShowOpen = [] { throw Cancel(); };
  EXPECT_TRUE(Open().empty());
  EXPECT_EQ(dialog->shows, 2);
  EXPECT_EQ(Caption(form), u"Quorvex [chosen.bin]"_qs);
  EXPECT_EQ(ShownText(form), ShownDump(bytes));
  EXPECT_EQ(dialog->fileName, path);
}

TEST_F(OpenCommandTest, ADialogErrorIsReportedAndTheCommandGoesOn) {
  const struct {
    int number;
    const char16_t* description;
    const char* text;
  } cases[] = {
      {7, u"内存不足", "Error 7 selecting file.\n内存不足"},
      {-5, u"negative", "Error-5 selecting file.\nnegative"},
      {32756, u"", "Error 32756 selecting file.\n"},
  };
  const QString path = files.Write("held.bin", "held by the dialog");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.number);
    form.ShowFile(files.Write("before.bin", "before"), "before.bin");
    dialog->Choose(path);
    dialog->onShowOpen = [&c] { throw DialogFailure(c.number, c.description); };
    const auto boxes = Open();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, u"Quorvex"_qs);
    EXPECT_EQ(boxes[0].text, QString(c.text));
    EXPECT_EQ(boxes[0].icon, QMessageBox::NoIcon);
    EXPECT_EQ(boxes[0].buttons, QMessageBox::Ok);
    EXPECT_EQ(boxes[0].buttonCount, 1);
    // ShowFile runs with whatever the dialog holds.
    EXPECT_EQ(Caption(form), u"Quorvex [held.bin]"_qs);
    EXPECT_EQ(ShownText(form), ShownDump(QByteArray("held by the dialog")));
  }
}

// Input that arrives while a file is being read must wait until it is shown: a second
// Open inside the first would put its caption over the first file's dump.
TEST_F(OpenCommandTest, QueuedCtrlOWaitsUntilTheFileIsShown) {
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  const QByteArray bytes(32760, 'A');
  const QString path = files.Write("first.bin", bytes);
  bool insideFirstOpen = false;
  std::u16string shownAtSecondOpen = u"(second Open never ran)";
  dialog->onShowOpen = [&] {
    if (dialog->shows == 1) {
      dialog->Choose(path);
      // Queued the way the window system does, for the next event processing.
      for (const auto type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(
            form.windowHandle(), type, Qt::Key_O, Qt::ControlModifier);
      }
      return;
    }
    EXPECT_FALSE(insideFirstOpen) << "the queued Ctrl+O ran inside the first Open";
    shownAtSecondOpen = ShownText(form);
    throw Cancel();
  };

  // Both Opens run where modal boxes are answered: one left open fails the test fast.
  const auto boxes = AnswerAll([&] {
    insideFirstOpen = true;
    Action(form, "mnuFileOpen")->trigger();
    insideFirstOpen = false;
    EXPECT_EQ(dialog->shows, 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog->shows == 2; }, 2000));
  }).boxes;
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(shownAtSecondOpen, ShownDump(bytes));
  EXPECT_EQ(Caption(form), u"Quorvex [first.bin]"_qs);
}

}  // namespace
}  // namespace quorvex::testing
