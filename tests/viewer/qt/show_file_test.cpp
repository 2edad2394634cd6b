// ShowFile through the window: the dump and caption, each row as wide as its character
// count, each engine failure reported with the window left usable, one dump replacing
// the next, and files left as found.
#include <QDir>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>

#include "dump.h"
#include "native_path.h"
#include "window_test_support.h"

namespace quorvex::testing {
namespace {

class ShowFileTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(ShowAndWait(form)); }

  // Shows path, answering any report; returns the reports.
  std::vector<SeenMessageBox> Show(const QString& path) {
    return AnswerAll([&] { form.ShowFile(path, QFileInfo(path).fileName()); }).boxes;
  }

  TestFiles files;
  HexDumpForm form{std::make_unique<FakeOpenDialog>()};
};

// Also names with Chinese and with Qt's caption placeholder "[*]", and the file's
// bytes and time left as they were.
TEST_F(ShowFileTest, ShowsTheDumpWithTheFileNameInTheCaption) {
  for (const auto& [name, size] : {std::pair{u"size1000.bin"_qs, 1000}, std::pair{u"数据文件.bin"_qs, 32760},
                                   std::pair{u"*"_qs, 1}, std::pair{u"a[*]b"_qs, 9}, std::pair{u"<b>粗<i>"_qs, 7}}) {
    SCOPED_TRACE(name.toStdString());
    const QByteArray bytes = CountingBytes<QByteArray>(static_cast<std::size_t>(size));
    const QString path = files.Write(name, bytes);
    const std::filesystem::path native = NativePath(path);
    const auto lastYear = std::filesystem::last_write_time(native) - std::chrono::hours(24 * 365);
    std::filesystem::last_write_time(native, lastYear);

    EXPECT_TRUE(Show(path).empty());
    EXPECT_EQ(Caption(form), "Quorvex [" + name + "]");
    EXPECT_EQ(ShownText(form), ShownDump(bytes));
    EXPECT_EQ(std::filesystem::last_write_time(native), lastYear);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);
  }
}

// The display's stand-ins take one cell of its font, as every other character does, so
// the character column stays under the hex.
TEST_F(ShowFileTest, EveryRowIsAsWideAsItsCharacterCount) {
  EXPECT_TRUE(Show(files.Write("all-bytes.bin", CountingBytes<QByteArray>(256))).empty());
  const QFontMetricsF metrics(Display(form)->font());
  const qreal cell = metrics.horizontalAdvance(QChar(u'M'));
  const QStringList rows = QString::fromStdU16String(ShownText(form)).split(u"\r\n"_qs, Qt::SkipEmptyParts);
  ASSERT_EQ(rows.size(), 32);
  for (const QString& row : rows) {
    EXPECT_EQ(row.size(), 44);
    EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(row), static_cast<qreal>(row.size()) * cell)
        << row.toStdString() << " in " << QFontInfo(Display(form)->font()).family().toStdString();
  }
}

TEST_F(ShowFileTest, EachFailureIsReportedAndTheWindowStaysUsable) {
  files.Write("empty.bin", {});
  files.Write("just-too-long.bin", QByteArray(32761, 'x'));
  files.Write("far-too-long.bin", QByteArray(40000, 'x'));
  QDir(files.Folder()).mkdir("a folder");
  // As long as a name may be, with no blank to wrap at: the report must still fit.
  const QString longName = QString(251, u'n') + u".bin"_qs;
  files.Write(longName, {});
  const struct {
    QString name;
    int number;
    bool sizeLimitNamed;
  } cases[] = {
      {"empty.bin", kOutOfRange, true},          {"just-too-long.bin", kOverflow, true},
      {"far-too-long.bin", kOverflow, true},     {"a folder", kPathFileAccessError, false},
      {"missing.bin", kFileNotFound, false},     {longName, kOutOfRange, true},
  };
  const QString good = files.Write("good.txt", "usable again");

  for (const auto& c : cases) {
    SCOPED_TRACE(c.name.toStdString());
    const QString path = files.PathOf(c.name);
    const auto boxes = Show(path);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, u"Quorvex"_qs);
    EXPECT_EQ(boxes[0].icon, QMessageBox::Warning);
    EXPECT_EQ(boxes[0].buttons, QMessageBox::Ok);
    EXPECT_EQ(boxes[0].textFormat, Qt::PlainText);
    EXPECT_TRUE(boxes[0].wholeOnScreen);
    // Where the box may break a line without a blank, it holds a zero-width space.
    EXPECT_TRUE(QString(boxes[0].text).remove(QChar(0x200B)).contains(QDir::toNativeSeparators(path)));
    EXPECT_TRUE(boxes[0].text.contains(QString("错误 %1：").arg(c.number))) << boxes[0].text.toStdString();
    EXPECT_EQ(boxes[0].text.contains(u"1 到 32,760 字节"_qs), c.sizeLimitNamed);

    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(ShownText(form).empty());
    EXPECT_EQ(Caption(form), "Quorvex [" + c.name + "]");
    EXPECT_TRUE(Show(good).empty());
    EXPECT_EQ(ShownText(form), ShownDump(QByteArray("usable again")));
  }
}

TEST_F(ShowFileTest, ASecondFileReplacesTheFirstAndStartsAtTheTop) {
  const QString first = files.Write("first.bin", QByteArray(32760, 'F'));
  Show(first);
  QScrollBar* rows = Display(form)->verticalScrollBar();
  rows->setValue(rows->maximum());
  ASSERT_GT(rows->value(), 0);

  Show(files.Write("second.bin", "the second file"));
  EXPECT_EQ(ShownText(form), ShownDump(QByteArray("the second file")));
  EXPECT_EQ(rows->value(), 0);
  // Back to a long one: still at the top, not where the last long view was.
  Show(first);
  EXPECT_EQ(rows->value(), 0);
  EXPECT_EQ(Display(form)->horizontalScrollBar()->value(), 0);
}

#ifdef __linux__
TEST_F(ShowFileTest, LeavesNoFileOpenAfterAHundredFailures) {
  const auto openDescriptors = [] {
    return QDir(u"/proc/self/fd"_qs).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size();
  };
  const QString empty = files.Write("empty.bin", {});
  const QString tooLong = files.Write("too-long.bin", QByteArray(32761, 'x'));
  Show(empty);  // warms up whatever Qt opens on first use of a message box
  const auto before = openDescriptors();
  std::size_t reports = 0;
  for (int i = 0; i < 50; ++i) reports += Show(empty).size() + Show(tooLong).size();
  EXPECT_EQ(reports, 100u);
  EXPECT_EQ(openDescriptors(), before);
}
#endif

}  // namespace
}  // namespace quorvex::testing
