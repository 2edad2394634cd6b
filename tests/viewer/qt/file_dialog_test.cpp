// The Open dialog, driven through Qt's own file dialog as a user would: alone, then as
// the window's Open command uses it.
#include "file_dialog.h"

#include <QApplication>
#include <QDir>
#include <QListView>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "open_command.h"
#include "window_test_support.h"

namespace quorvex::testing {
namespace {

constexpr int kOpenCommandFlags = 0x201004;

// The row of the dialog's list that shows name, once its folder has been read (in the
// background); invalid if none does.
QModelIndex RowOf(QFileDialog& dialog, const QString& name) {
  auto* list = dialog.findChild<QListView*>(QStringLiteral("listView"));
  QModelIndex row;
  if (list != nullptr) {
    // Whether it came in time shows in the row itself.
    static_cast<void>(QTest::qWaitFor(
        [&] {
          const QModelIndex root = list->rootIndex();
          for (int i = 0; i < list->model()->rowCount(root) && !row.isValid(); ++i) {
            if (list->model()->index(i, 0, root).data().toString() == name) row = list->model()->index(i, 0, root);
          }
          return row.isValid();
        },
        5000));
  }
  return row;
}
bool Lists(QFileDialog& dialog, const QString& name) { return RowOf(dialog, name).isValid(); }

class FileDialogTest : public ::testing::Test {
 protected:
  QString MakeFile(const QString& relativePath) {
    QDir().mkpath(QFileInfo(files.PathOf(relativePath)).path());
    QString path = files.Write(relativePath, "Quorvex");
    EXPECT_FALSE(path.isEmpty()) << relativePath.toStdString();
    return path;
  }
  QString Folder() const { return QFileInfo(files.Folder()).canonicalFilePath(); }

  // A dialog as the Open command sets it up, starting at fileName.
  static FileDialog Dialog(const QString& fileName, int flags = kOpenCommandFlags) {
    FileDialog dialog;
    dialog.SetFileName(fileName);
    dialog.SetFlags(flags);
    return dialog;
  }

  // Shows dialog over window, answered by answer; returns the failure it raised, if any.
  std::optional<DialogFailure> Show(FileDialog& dialog, const std::function<void(QFileDialog&)>& answer) {
    bool shown = false;
    std::optional<DialogFailure> failure;
    AnswerModals(
        [&] {
          try {
            dialog.ShowOpen(&window);
          } catch (const DialogFailure& raised) {
            failure = raised;
          }
        },
        [&](QWidget& modal) {
          if (auto* fileDialog = qobject_cast<QFileDialog*>(&modal); fileDialog != nullptr && !shown) {
            shown = true;
            answer(*fileDialog);
          }
        });
    EXPECT_TRUE(shown) << "no file dialog was shown";
    return failure;
  }

  TestFiles files;
  QWidget window;
};

TEST_F(FileDialogTest, ChoosingAFileGivesItsFullPathAndName) {
  for (const QString& name : {u"data.bin"_qs, u"数据 文件.bin"_qs, u"README"_qs}) {
    SCOPED_TRACE(name.toStdString());
    const QString path = MakeFile(name);
    FileDialog dialog = Dialog(files.Folder() + QDir::separator() + u"*.*"_qs);
    QWidget* parent = nullptr;
    QString caption;
    const auto failure = Show(dialog, [&](QFileDialog& shown) {
      parent = shown.parentWidget();
      caption = shown.windowTitle();
      TypeAndOpen(shown, name);
    });
    EXPECT_FALSE(failure.has_value());
    EXPECT_EQ(parent, &window);
    EXPECT_EQ(caption, u"打开"_qs);
    EXPECT_EQ(dialog.FileName(), QDir::toNativeSeparators(path));
    EXPECT_EQ(dialog.FileTitle(), name);
  }
}

// Each showing starts at the last chosen file, preselected, so that a name typed over
// it replaces it. A cancel raises, and a name typed before it does not stick, nor does
// the completion list typing opened.
TEST_F(FileDialogTest, StartsAtTheLastChosenFileAndACancelChangesNothing) {
  MakeFile(u"one/a.bin"_qs);
  MakeFile(u"two/b.bin"_qs);
  MakeFile(u"two/other.bin"_qs);
  const std::function<void(QFileDialog&)> cancels[] = {
      [](QFileDialog& shown) { DialogButton(shown, QDialogButtonBox::Cancel).click(); },
      [](QFileDialog& shown) { shown.close(); },
  };
  for (const auto& cancel : cancels) {
    FileDialog dialog = Dialog(files.PathOf(u"one/*.*"_qs));
    QFileDialog* qtDialog = nullptr;
    Show(dialog, [&](QFileDialog& shown) {
      qtDialog = &shown;
      TypeAndOpen(shown, u"../two/b.bin"_qs);
    });
    const QString chosen = dialog.FileName();
    EXPECT_EQ(dialog.FileTitle(), u"b.bin"_qs);

    // Activated only once it has read its folder, as a window manager may do.
    ASSERT_NE(qtDialog, nullptr);
    qtDialog->setAttribute(Qt::WA_ShowWithoutActivating);
    QTimer::singleShot(500, qtDialog, [qtDialog] { qtDialog->activateWindow(); });
    SeenFileDialog cancelled;
    QString typed;
    const auto failure = Show(dialog, [&](QFileDialog& shown) {
      cancelled = StartOf(shown);
      QTest::keyClicks(&NameBox(shown), u"oth"_qs);
      typed = NameBox(shown).text();
      cancel(shown);
    });
    EXPECT_EQ(typed, u"oth"_qs);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    qtDialog->setAttribute(Qt::WA_ShowWithoutActivating, false);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->Number(), kDialogCancelled);
    EXPECT_EQ(failure->Description(), u"已取消选择文件。");
    EXPECT_EQ(dialog.FileName(), chosen);
    EXPECT_EQ(dialog.FileTitle(), u"b.bin"_qs);

    SeenFileDialog after;
    Show(dialog, [&](QFileDialog& shown) {
      after = StartOf(shown);
      shown.reject();
    });
    EXPECT_EQ(cancelled, (SeenFileDialog{Folder() + u"/two"_qs, u"b.bin"_qs}));
    EXPECT_EQ(after, cancelled);
  }
}

// A wildcard name: start in its folder, preselect nothing, list every file (on Linux
// the filter "*.*" would hide names without a dot).
TEST_F(FileDialogTest, WildcardNameOpensItsFolderListingEveryFile) {
  MakeFile(u"data.bin"_qs);
  MakeFile(u"README"_qs);
  for (const QString& wildcard : {u"*.*"_qs, u"*"_qs, u"da?a.bin"_qs}) {
    SCOPED_TRACE(wildcard.toStdString());
    FileDialog dialog = Dialog(files.Folder() + QDir::separator() + wildcard);
    SeenFileDialog start;
    bool listsBoth = false;
    Show(dialog, [&](QFileDialog& shown) {
      start = StartOf(shown);
      listsBoth = Lists(shown, u"README"_qs) && Lists(shown, u"data.bin"_qs);
      TypeAndOpen(shown, u"README"_qs);
    });
    EXPECT_EQ(start, (SeenFileDialog{Folder(), QString()}));
    EXPECT_TRUE(listsBoth);
    EXPECT_EQ(dialog.FileTitle(), u"README"_qs);
  }
}

// Linux allows "*" and "?" in a file's own name: such a chosen file is preselected
// next time, like any other.
TEST_F(FileDialogTest, AnExistingNameWithWildcardCharactersIsThatFile) {
  for (const QString& name : {u"a*b.bin"_qs, u"问?.bin"_qs, u"*"_qs}) {
    SCOPED_TRACE(name.toStdString());
    const QString path = MakeFile(name);
    FileDialog dialog = Dialog(path);
    SeenFileDialog start;
    Show(dialog, [&](QFileDialog& shown) {
      start = StartOf(shown);
      DialogButton(shown, QDialogButtonBox::Open).click();
    });
    EXPECT_EQ(start, (SeenFileDialog{Folder(), name}));
    EXPECT_EQ(dialog.FileName(), QDir::toNativeSeparators(path));
  }
}

// Drawing a folder never reads its files: neither the kernel's log (whose read waits
// for the next message, as root) nor a FIFO with no writer freezes the dialog. Also: one
// Qt dialog serves every showing, and nothing typed in one carries over to the next.
TEST_F(FileDialogTest, FilesWhoseReadingBlocksLeaveItAnsweringAndOneQtDialogServes) {
  const QString fifo = files.PathOf(u"pipe"_qs);
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const QString good = MakeFile(u"good.bin"_qs);
  // Qt lists a FIFO only when it is the chosen file.
  std::vector<std::pair<QString, QString>> starts = {{fifo, u"pipe"_qs}};
  if (geteuid() == 0 && QFileInfo::exists(u"/proc/kmsg"_qs)) {
    starts.insert(starts.end(), {{u"/proc/kmsg"_qs, u"kmsg"_qs}, {u"/proc/*.*"_qs, u"kmsg"_qs}});
  }
  for (const auto& [start, blocking] : starts) {
    SCOPED_TRACE(start.toStdString());
    FileDialog dialog = Dialog(start);
    bool listed = false;
    std::pair<QFileDialog*, QString> first;
    const auto failure = Show(dialog, [&, &blocking = blocking](QFileDialog& shown) {
      listed = Lists(shown, blocking);
      QTest::qWait(500);  // the entries' icons and types are looked up in the background
      first = {&shown, NameBox(shown).text()};
      NameBox(shown).setText(u"good.bin"_qs);
      QTest::keyClick(&NameBox(shown), Qt::Key_Escape);
    });
    EXPECT_TRUE(listed);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->Number(), kDialogCancelled);
    Show(dialog, [&](QFileDialog& shown) {
      EXPECT_EQ(std::pair(&shown, NameBox(shown).text()), first);
      TypeAndOpen(shown, good);
    });
    EXPECT_EQ(dialog.FileTitle(), u"good.bin"_qs);
  }
}

TEST_F(FileDialogTest, MissingFileIsRefusedOnlyWhenItMustExist) {
  const QString chosen = MakeFile(u"chosen.bin"_qs);
  for (const auto& [flags, accepted] :
       {std::pair{kOpenCommandFlags, false}, std::pair{kFileMustExistFlag, false}, std::pair{0, true}}) {
    SCOPED_TRACE(flags);
    FileDialog dialog = Dialog(chosen, flags);
    bool openEnabled = false;
    bool stayedOpen = false;
    std::vector<SeenMessageBox> warnings;
    const auto failure = Show(dialog, [&](QFileDialog& shown) {
      NameBox(shown).setText(u"missing.bin"_qs);
      openEnabled = DialogButton(shown, QDialogButtonBox::Open).isEnabled();
      // Enter accepts even with Open disabled; a refusal warns in a box of its own.
      warnings = AnswerAll([&] { QTest::keyClick(&NameBox(shown), Qt::Key_Return); }).boxes;
      stayedOpen = shown.isVisible();
      if (stayedOpen) shown.reject();
    });
    EXPECT_EQ(openEnabled, accepted);
    EXPECT_EQ(stayedOpen, !accepted);
    EXPECT_EQ(warnings.size(), accepted ? 0u : 1u);
    EXPECT_EQ(failure.has_value(), !accepted);
    EXPECT_EQ(dialog.FileName(), QDir::toNativeSeparators(accepted ? files.PathOf(u"missing.bin"_qs) : chosen));
  }
}

// Names Qt leaves out, for not being UTF-8, are listed as they show and chosen by that
// text, typed or from the list, each opening its own file: also beside an entry whose
// name would show alike. And a file behind a folder that may not be searched is left
// for the reader to refuse.
TEST_F(FileDialogTest, NamesThatAreNotUtf8AreListedAndOpenTheirOwnFiles) {
  const std::pair<std::string, QString> names[] = {
      {"\xCE\xC4\xBC\xFE.bin", u"文件.bin"_qs},                 {"\xCA\xFD\xBE\xDD.bin", u"\\xCA\\xFD\\xBE\\xDD.bin"_qs},
      {"数据.bin", u"数据.bin"_qs},                             {"caf\xE9.bin", u"caf\\xE9.bin"_qs},
      {"caf\xE8.bin", u"caf\\xE8.bin"_qs},                      {"\xFF\\\xE9", u"\\xFF\\x5C\\xE9"_qs},
  };
  for (const auto& [name, shown] : names) files.WriteNamed(name, shown.toUtf8());
  QDir().mkpath(files.PathOf(u"locked"_qs));
  const QString locked = MakeFile(u"locked/inside.bin"_qs);
  ASSERT_EQ(chmod(QFile::encodeName(files.PathOf(u"locked"_qs)).constData(), 0), 0);
  for (const auto& [name, shown] : names) {
    for (const bool fromList : {false, true}) {
      SCOPED_TRACE(shown.toStdString() + (fromList ? " from the list" : " typed"));
      FileDialog dialog = Dialog(files.PathOf(u"*"_qs));
      bool listed = false;
      Show(dialog, [&, &shown = shown](QFileDialog& qtDialog) {
        const QModelIndex row = RowOf(qtDialog, shown);
        listed = row.isValid();
        if (!fromList) return TypeAndOpen(qtDialog, shown);
        // As the arrow keys leave it: current and selected.
        auto* list = qtDialog.findChild<QListView*>(QStringLiteral("listView"));
        list->setCurrentIndex(row);
        QTest::keyClick(list, Qt::Key_Return);
        if (qtDialog.isVisible()) qtDialog.reject();
      });
      EXPECT_TRUE(listed);
      EXPECT_EQ(dialog.FileTitle(), shown);
      const QByteArray own = shown.toUtf8();
      EXPECT_EQ(ReadWholeFile(NativePath(dialog.FileName())).Bytes(), std::vector<std::uint8_t>(own.begin(), own.end()));
    }
  }
  FileDialog dialog = Dialog(files.PathOf(u"*"_qs));
  Show(dialog, [&](QFileDialog& qtDialog) { TypeAndOpen(qtDialog, locked); });
  chmod(QFile::encodeName(files.PathOf(u"locked"_qs)).constData(), 0700);
  EXPECT_EQ(dialog.FileName(), locked);
}

// Through the window: the first dialog starts in the program's folder with nothing
// preselected; a chosen file (Chinese name) is shown; a later cancel changes nothing
// and the dialog after it still starts at the chosen file.
TEST_F(FileDialogTest, TheOpenCommandShowsTheChosenFileAndACancelChangesNothing) {
  HexDumpForm form;
  ASSERT_TRUE(ShowAndWait(form));
  const auto open = [&](const QString& name) {
    return AnswerAll([&] { Action(form, "mnuFileOpen")->trigger(); }, name);
  };
  const QByteArray bytes = "Chosen in the dialog.\n";
  const QString path = files.Write(u"十六进制.dat"_qs, bytes);

  const Answers first = open(path);
  ASSERT_TRUE(first.dialog.has_value());
  const QString programFolder = QFileInfo(QCoreApplication::applicationDirPath()).canonicalFilePath();
  EXPECT_EQ(*first.dialog, (SeenFileDialog{programFolder, QString()}));
  EXPECT_EQ(Caption(form), u"Quorvex [十六进制.dat]"_qs);
  EXPECT_EQ(ShownText(form), ShownDump(bytes));

  for (int cancel = 0; cancel < 2; ++cancel) {
    const Answers again = open(QString());
    EXPECT_EQ(again.dialog, (SeenFileDialog{Folder(), u"十六进制.dat"_qs}));
    EXPECT_TRUE(again.boxes.empty()) << "a cancel reports nothing";
    EXPECT_EQ(Caption(form), u"Quorvex [十六进制.dat]"_qs);
    EXPECT_EQ(ShownText(form), ShownDump(bytes));
  }
}

}  // namespace
}  // namespace quorvex::testing
