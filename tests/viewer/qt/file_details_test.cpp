// The Open dialog's detail view: sizes and dates in Chinese, whatever the system's
// locale, and no column narrower than what it shows.
#include <QDateTime>
#include <QDir>
#include <QHeaderView>
#include <QTreeView>

#include <gtest/gtest.h>

#include "file_dialog.h"
#include "window_test_support.h"

namespace quorvex::testing {
namespace {

constexpr int kSizeColumn = 1, kDateColumn = 3;

// The row of name in the detail view, once the folder has been read and its entries
// looked up (both in the background); -1 if it never shows.
int RowOf(const QTreeView& details, const QString& name) {
  int found = -1;
  const bool shown = QTest::qWaitFor(
      [&] {
        const QModelIndex root = details.rootIndex();
        for (int row = 0; row < details.model()->rowCount(root); ++row) {
          const QModelIndex entry = details.model()->index(row, 0, root);
          if (entry.data().toString() == name && !entry.siblingAtColumn(kDateColumn).data().toString().isEmpty()) {
            found = row;
            return true;
          }
        }
        return false;
      },
      5000);
  return shown ? found : -1;
}

TEST(FileDetailsTest, SizesAndDatesInChineseInColumnsWideEnoughForThem) {
  TestFiles files;
  const struct {
    QString name;
    int bytes;  // -1: a folder
    std::string size;
  } entries[] = {
      {u"256.bin"_qs, 256, "256 字节"},
      {u"1000.bin"_qs, 1000, "1,000 字节"},
      {u"2k.bin"_qs, 2048, "2.00 kB"},
      {u"归档.tar.gz"_qs, 30, "30 字节"},
      {u"应用程序.log"_qs, 10, "10 字节"},
      {u"文件夹"_qs, -1, ""},
  };
  for (const auto& entry : entries) {
    ASSERT_TRUE(entry.bytes < 0 ? QDir(files.Folder()).mkdir(entry.name)
                                : !files.Write(entry.name, QByteArray(entry.bytes, 'q')).isEmpty());
  }

  FileDialog dialog;
  dialog.SetFileName(files.PathOf(u"*"_qs));
  QWidget window;
  AnswerModals(
      [&] {
        try {
          dialog.ShowOpen(&window);
        } catch (const Failure&) {
        }
      },
      [&](QWidget& modal) {
        auto* details = modal.findChild<QTreeView*>(u"treeView"_qs);
        ASSERT_NE(details, nullptr);
        QTest::qWait(300);  // columns follow their contents as the entries come in
        const QHeaderView& header = *details->header();
        for (const auto& entry : entries) {
          SCOPED_TRACE(entry.name.toStdString());
          const int row = RowOf(*details, entry.name);
          ASSERT_GE(row, 0);
          const QModelIndex name = details->model()->index(row, 0, details->rootIndex());
          EXPECT_EQ(name.siblingAtColumn(kSizeColumn).data().toString().toStdString(), entry.size);
          const QDateTime modified = QFileInfo(files.PathOf(entry.name)).lastModified();
          EXPECT_EQ(name.siblingAtColumn(kDateColumn).data().toString().toStdString(),
                    QLocale(QLocale::Chinese, QLocale::China).toString(modified, QLocale::ShortFormat).toStdString());
          // Size, type and date: each column is wide enough for every text in it.
          for (int column = kSizeColumn; column <= kDateColumn; ++column) {
            const QModelIndex cell = name.siblingAtColumn(column);
            EXPECT_GE(header.sectionSize(column), details->sizeHintForIndex(cell).width())
                << cell.data().toString().toStdString();
          }
        }
        static_cast<QDialog&>(modal).reject();
      });
}

}  // namespace
}  // namespace quorvex::testing
