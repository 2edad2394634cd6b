// The Open command with Qt's own file dialog, driven as a user would: type a name,
// press Open, or cancel.
#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "form_probe.h"
#include "modal_answers.h"
#include "test_files.h"

namespace quorvex::testing {
namespace {

class WindowDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(ShowAndWait(form)); }

  std::optional<SeenFileDialog> Open(const std::optional<QString>& name,
                                     std::vector<SeenMessageBox>* boxes = nullptr) {
    return AnswerFileDialog([&] { Action(form, "mnuFileOpen")->trigger(); }, name, boxes);
  }

  TestFiles files;
  HexDumpForm form;  // with the real dialog
};

TEST_F(WindowDialogTest, FirstDialogStartsInTheProgramFolderWithAnEmptyNameBox) {
  const auto seen = Open(std::nullopt);
  ASSERT_TRUE(seen.has_value());
  EXPECT_EQ(QDir(seen->folder).canonicalPath(), QDir(QCoreApplication::applicationDirPath()).canonicalPath());
  EXPECT_TRUE(seen->nameBox.isEmpty()) << seen->nameBox.toStdString();
  EXPECT_EQ(Caption(form), QString("Quorvex"));
}

TEST_F(WindowDialogTest, ChosenFileIsShownAndCancelLaterChangesNothing) {
  const QByteArray bytes = "Chosen in the dialog.\n";
  const QString path = files.Write("chosen.txt", bytes);
  ASSERT_TRUE(Open(path).has_value());
  EXPECT_EQ(Caption(form), QString("Quorvex [chosen.txt]"));
  EXPECT_EQ(ShownText(form), ExpectedShown(bytes));

  std::vector<SeenMessageBox> boxes;
  const auto again = Open(std::nullopt, &boxes);
  ASSERT_TRUE(again.has_value());
  EXPECT_TRUE(boxes.empty()) << "a cancel reports nothing";
  // The dialog starts at the last chosen file.
  EXPECT_EQ(QDir(again->folder).canonicalPath(), QDir(files.Folder()).canonicalPath());
  EXPECT_EQ(again->nameBox, QString("chosen.txt"));
  EXPECT_EQ(Caption(form), QString("Quorvex [chosen.txt]"));
  EXPECT_EQ(ShownText(form), ExpectedShown(bytes));

  // And still does after the cancel.
  const auto third = Open(std::nullopt);
  ASSERT_TRUE(third.has_value());
  EXPECT_EQ(third->nameBox, QString("chosen.txt"));
}

TEST_F(WindowDialogTest, ChineseFileNameThroughTheDialog) {
  const QString path = files.Write("十六进制.dat", "abc");
  ASSERT_TRUE(Open(path).has_value());
  EXPECT_EQ(Caption(form), QString("Quorvex [十六进制.dat]"));
  EXPECT_EQ(ShownText(form), ExpectedShown("abc"));
}

}  // namespace
}  // namespace quorvex::testing
