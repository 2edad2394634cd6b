// ShowFile through the window: the dump and caption, each engine failure reported with
// the window left usable, replacement of one dump by the next, and files left as found.
#include <QDir>
#include <QFileInfo>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "dump.h"
#include "fake_open_dialog.h"
#include "form_probe.h"
#include "modal_answers.h"
#include "native_path.h"
#include "test_files.h"

namespace quorvex::testing {
namespace {

class ShowFileTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(ShowAndWait(form)); }

  // Shows path, answering any report; returns the reports.
  std::vector<SeenMessageBox> Show(const QString& path) {
    return AnswerMessageBoxes([&] { form.ShowFile(path, QFileInfo(path).fileName()); });
  }

  TestFiles files;
  HexDumpForm form{std::make_unique<FakeOpenDialog>()};
};

// Every byte value but the few whose characters the display replaces (see
// display_text_test), so that the display holds DumpText's text exactly.
QByteArray BytesShownAsTheyAre(int count) {
  const QByteArray replaced("\x7F\x81\x8D\x8F\x90\x9D\xAD");
  QByteArray bytes;
  for (int value = 0; bytes.size() < count; value = (value + 1) % 256) {
    if (!replaced.contains(static_cast<char>(value))) bytes += static_cast<char>(value);
  }
  return bytes;
}

TEST_F(ShowFileTest, ShowsTheDumpWithTheFileNameInTheCaption) {
  for (const int size : {1000, 32760, 1, 9}) {
    SCOPED_TRACE(size);
    const QByteArray bytes = BytesShownAsTheyAre(size);
    const QString name = QString("size%1.bin").arg(size);
    EXPECT_TRUE(Show(files.Write(name, bytes)).empty());
    EXPECT_EQ(Caption(form), "Quorvex [" + name + "]");
    EXPECT_EQ(ShownText(form), ExpectedShown(bytes));
  }
}

struct FailureCase {
  const char* name;
  int number;
  bool sizeLimitNamed;
};

TEST_F(ShowFileTest, EachFailureIsReportedAndTheWindowStaysUsable) {
  files.Write("empty.bin", {});
  files.Write("just-too-long.bin", QByteArray(32761, 'x'));
  files.Write("far-too-long.bin", QByteArray(40000, 'x'));
  QDir(files.Folder()).mkdir("a folder");
  const FailureCase cases[] = {
      {"empty.bin", kOutOfRange, true},
      {"just-too-long.bin", kOverflow, true},
      {"far-too-long.bin", kOverflow, true},
      {"a folder", kPathFileAccessError, false},
      {"missing.bin", kFileNotFound, false},
  };
  const QByteArray good = "usable again";
  const QString goodPath = files.Write("good.txt", good);

  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    const QString path = files.PathOf(c.name);
    const auto boxes = Show(path);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, QString("Quorvex"));
    EXPECT_EQ(boxes[0].icon, QMessageBox::Warning);
    EXPECT_EQ(boxes[0].buttons, QMessageBox::Ok);
    EXPECT_EQ(boxes[0].textFormat, Qt::PlainText);
    EXPECT_TRUE(boxes[0].text.contains(QDir::toNativeSeparators(path)));
    EXPECT_TRUE(boxes[0].text.contains(QString("错误 %1：").arg(c.number))) << boxes[0].text.toStdString();
    EXPECT_EQ(boxes[0].text.contains(QString("1 到 32,760 字节")), c.sizeLimitNamed);
    EXPECT_FALSE(boxes[0].text.contains(QChar(u'\r')));

    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(ShownText(form).isEmpty());
    EXPECT_EQ(Caption(form), QString("Quorvex [%1]").arg(c.name));

    EXPECT_TRUE(Show(goodPath).empty());
    EXPECT_EQ(ShownText(form), ExpectedShown(good));
  }
}

TEST_F(ShowFileTest, ASecondFileReplacesTheFirstAndStartsAtTheTop) {
  const QByteArray first(32760, 'F');
  const QByteArray second = "the second file";
  Show(files.Write("first.bin", first));
  QScrollBar* rows = Display(form)->verticalScrollBar();
  rows->setValue(rows->maximum());
  ASSERT_GT(rows->value(), 0);

  Show(files.Write("second.bin", second));
  EXPECT_EQ(ShownText(form), ExpectedShown(second));
  EXPECT_EQ(rows->value(), 0);
  EXPECT_EQ(Caption(form), QString("Quorvex [second.bin]"));

  // Back to a long one: still at the top, not where the last long view was.
  Show(files.PathOf("first.bin"));
  EXPECT_EQ(rows->value(), 0);
  EXPECT_EQ(Display(form)->horizontalScrollBar()->value(), 0);
}

TEST_F(ShowFileTest, LeavesTheFileBytesAndTimeAsTheyWere) {
  const QByteArray bytes = CountingBytes(4096);
  const QString path = files.Write("keep.bin", bytes);
  const std::filesystem::path native = NativePath(path);
  const auto lastYear = std::filesystem::last_write_time(native) - std::chrono::hours(24 * 365);
  std::filesystem::last_write_time(native, lastYear);

  Show(path);
  Show(path);
  EXPECT_EQ(std::filesystem::last_write_time(native), lastYear);
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), bytes);
}

TEST_F(ShowFileTest, NamesWithChineseAndPlaceholderCharactersReachTheCaption) {
  for (const QString& name : {QString("数据文件.bin"), QString("*"), QString("a[*]b"), QString("<b>粗<i>")}) {
    const QString path = files.Write(name, "content");
    ASSERT_FALSE(path.isEmpty()) << name.toStdString();
    EXPECT_TRUE(Show(path).empty()) << name.toStdString();
    EXPECT_EQ(Caption(form), "Quorvex [" + name + "]");
    EXPECT_EQ(ShownText(form), ExpectedShown("content"));
  }
}

#ifdef __linux__
int OpenDescriptors() {
  return static_cast<int>(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size());
}

TEST_F(ShowFileTest, LeavesNoFileOpenAfterAHundredFailures) {
  const QString empty = files.Write("empty.bin", {});
  const QString tooLong = files.Write("too-long.bin", QByteArray(32761, 'x'));
  // Warm up whatever Qt opens on first use of a message box.
  Show(empty);
  const int before = OpenDescriptors();
  int reports = 0;
  for (int i = 0; i < 50; ++i) {
    reports += static_cast<int>(Show(empty).size());
    reports += static_cast<int>(Show(tooLong).size());
  }
  EXPECT_EQ(reports, 100);
  EXPECT_EQ(OpenDescriptors(), before);
}
#endif

}  // namespace
}  // namespace quorvex::testing
