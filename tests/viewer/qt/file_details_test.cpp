// The Open dialog's detail view: sizes and dates in Chinese, whatever the system's
// locale, and no column narrower than what it shows.
#include <QDir>
#include <QHeaderView>
#include <QTreeView>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "open_command.h"
#include "file_dialog.h"
#include "window_test_support.h"

namespace quorvex::testing {
namespace {

constexpr int kSizeColumn = 1, kDateColumn = 3;

// The entry named name, once the folder has been read and the entry looked up (both in
// the background); invalid until then.
QModelIndex EntryOf(const QTreeView& details, const QString& name) {
  const QModelIndexList found = details.model()->match(details.model()->index(0, 0, details.rootIndex()),
                                                       Qt::DisplayRole, name, 1, Qt::MatchExactly);
  return found.isEmpty() || found[0].siblingAtColumn(kDateColumn).data().toString().isEmpty() ? QModelIndex()
                                                                                              : found[0];
}

TEST(FileDetailsTest, SizesAndDatesInChineseInColumnsWideEnoughForThem) {
  TestFiles files;
  const struct {
    QString name;
    int bytes;  // -1: a folder
    std::string size;
  } entries[] = {
      {u"256.bin"_qs, 256, "256 字节"},     {u"1000.bin"_qs, 1000, "1,000 字节"}, {u"2k.bin"_qs, 2048, "2.00 kB"},
      {u"归档.tar.gz"_qs, 30, "30 字节"}, {u"应用程序.log"_qs, 10, "10 字节"},  {u"文件夹"_qs, -1, ""},
  };
  // Every entry last changed at this local time, whatever the system's locale.
  const QDateTime modified(QDate(2026, 12, 7), QTime(9, 5));
  for (const auto& entry : entries) {
    ASSERT_TRUE(entry.bytes < 0 ? QDir(files.Folder()).mkdir(entry.name)
                                : !files.Write(entry.name, QByteArray(entry.bytes, 'q')).isEmpty());
    const std::chrono::sys_seconds time(std::chrono::seconds(modified.toSecsSinceEpoch()));
    std::filesystem::last_write_time(files.PathOf(entry.name).toStdString(),
                                     std::chrono::file_clock::from_sys(time));
  }

  FileDialog dialog;
  dialog.SetFileName(files.PathOf(u"*"_qs));
  QWidget window;
  AnswerModals(
      [&] {
        try {
          dialog.ShowOpen(&window);
        } catch (const DialogFailure&) {  // the cancel below
        }
      },
      [&](QWidget& modal) {
        const auto& details = *modal.findChild<QTreeView*>(u"treeView"_qs);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return std::ranges::all_of(entries, [&](auto& e) { return EntryOf(details, e.name).isValid(); }); },
            5000));
        QTest::qWait(100);  // the columns follow their contents
        EXPECT_EQ(details.header()->model()->headerData(kSizeColumn, Qt::Horizontal).toString().toStdString(), "大小");
        for (const auto& entry : entries) {
          SCOPED_TRACE(entry.name.toStdString());
          const QModelIndex name = EntryOf(details, entry.name);
          EXPECT_EQ(name.siblingAtColumn(kSizeColumn).data().toString().toStdString(), entry.size);
          EXPECT_EQ(name.siblingAtColumn(kDateColumn).data().toString().toStdString(), "2026/12/7 09:05");
          // Size, type and date: each column is wide enough for every text in it.
          for (int column = kSizeColumn; column <= kDateColumn; ++column) {
            const QModelIndex cell = name.siblingAtColumn(column);
            EXPECT_GE(details.header()->sectionSize(column), details.sizeHintForIndex(cell).width())
                << cell.data().toString().toStdString();
          }
        }
        static_cast<QDialog&>(modal).reject();
      });
}

}  // namespace
}  // namespace quorvex::testing
