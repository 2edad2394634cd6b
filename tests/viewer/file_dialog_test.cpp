// The Open dialog, driven through Qt's own file dialog as a user would: the tests find
// the modal dialog, type into its name box and press its buttons.
#include "file_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <optional>

#include <gtest/gtest.h>

#include "dump.h"

namespace quorvex {
namespace {

constexpr int kOpenCommandFlags = 0x201004;
constexpr int kDeadlineMs = 10000;

// Answers the next modal window of type Window once it shows and has the focus, as a
// user would (Qt's file dialog only drops its preselection for a name typed with the
// focus in its name box). The code under test sits in the dialog's own loop, so the
// answer comes from a timer. Past the deadline a
// separate timer closes whatever modal window is left: a broken test fails, never hangs.
template <typename Window>
class ModalAnswer {
 public:
  explicit ModalAnswer(std::function<void(Window&)> answer) : answer_(std::move(answer)) {
    QObject::connect(&poll_, &QTimer::timeout, [this] { Poll(); });
    QObject::connect(&watchdog_, &QTimer::timeout, [this] { CloseLeftovers(); });
    poll_.start(10);
    watchdog_.start(kDeadlineMs);
  }

  bool Answered() const { return answered_; }
  bool TimedOut() const { return timedOut_; }

 private:
  void Poll() {
    if (answered_) return;
    auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
    if (window == nullptr || !window->isVisible()) return;
    if (QApplication::activeWindow() != window) return;
    answered_ = true;
    poll_.stop();
    answer_(*window);
  }

  void CloseLeftovers() {
    watchdog_.setInterval(100);
    if (QWidget* window = QApplication::activeModalWidget()) {
      timedOut_ = true;
      window->close();
    }
  }

  std::function<void(Window&)> answer_;
  QTimer poll_;
  QTimer watchdog_;
  bool answered_ = false;
  bool timedOut_ = false;
};

QLineEdit& NameBox(QFileDialog& dialog) {
  auto* box = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  if (box == nullptr) throw std::runtime_error("the file dialog has no name box");
  return *box;
}

QPushButton& Button(QFileDialog& dialog, QDialogButtonBox::StandardButton which) {
  auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
  QPushButton* button = buttons != nullptr ? buttons->button(which) : nullptr;
  if (button == nullptr) throw std::runtime_error("the file dialog lacks a button");
  return *button;
}

void TypeAndOpen(QFileDialog& dialog, const QString& name) {
  NameBox(dialog).setText(name);
  Button(dialog, QDialogButtonBox::Open).click();
}

// Whether the dialog's list shows name, once its folder has been read (in the background).
bool Lists(QFileDialog& dialog, const QString& name) {
  auto* list = dialog.findChild<QListView*>(QStringLiteral("listView"));
  if (list == nullptr) return false;
  return QTest::qWaitFor(
      [&] {
        const QModelIndex root = list->rootIndex();
        for (int row = 0; row < list->model()->rowCount(root); ++row) {
          if (list->model()->index(row, 0, root).data().toString() == name) return true;
        }
        return false;
      },
      5000);
}

QString Canonical(const QString& path) { return QFileInfo(path).canonicalFilePath(); }

// Where a showing of the dialog started: its folder and the name in its name box.
struct Start {
  QString folder;
  QString name;
  bool operator==(const Start&) const = default;
};

Start StartOf(QFileDialog& dialog) {
  return {Canonical(dialog.directory().absolutePath()), NameBox(dialog).text()};
}

class FileDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(folder_.isValid()); }

  // A small file in the test folder (or a subfolder of it); returns its full path.
  QString MakeFile(const QString& relativePath) {
    const QString path = folder_.filePath(relativePath);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write("Quorvex") != 7) {
      ADD_FAILURE() << "cannot create " << path.toStdString();
    }
    return path;
  }

  QString Folder() const { return Canonical(folder_.path()); }

  // Shows dialog over window_, answered by answer; returns the failure it raised, if any.
  std::optional<Failure> Show(FileDialog& dialog, std::function<void(QFileDialog&)> answer) {
    ModalAnswer<QFileDialog> answering(std::move(answer));
    std::optional<Failure> failure;
    try {
      dialog.ShowOpen(&window_);
    } catch (const Failure& raised) {
      failure = raised;
    }
    EXPECT_TRUE(answering.Answered()) << "no file dialog was shown";
    EXPECT_FALSE(answering.TimedOut()) << "the file dialog had to be closed by the watchdog";
    return failure;
  }

  QTemporaryDir folder_;
  QWidget window_;
};

TEST_F(FileDialogTest, ChoosingAFileGivesItsFullPathAndName) {
  for (const QString& name : {u"data.bin"_qs, u"数据 文件.bin"_qs, u"README"_qs}) {
    SCOPED_TRACE(name.toStdString());
    const QString path = MakeFile(name);
    FileDialog dialog;
    dialog.SetFileName(folder_.path() + QDir::separator() + u"*.*"_qs);
    dialog.SetFlags(kOpenCommandFlags);

    QWidget* parent = nullptr;
    const auto failure = Show(dialog, [&](QFileDialog& shown) {
      parent = shown.parentWidget();
      TypeAndOpen(shown, name);
    });

    EXPECT_FALSE(failure.has_value());
    EXPECT_EQ(parent, &window_);
    EXPECT_EQ(dialog.FileName(), QDir::toNativeSeparators(path));
    EXPECT_EQ(dialog.FileTitle(), name);
  }
}

TEST_F(FileDialogTest, StartsAtTheLastChosenFilePreselected) {
  MakeFile(u"one/a.bin"_qs);
  MakeFile(u"two/b.bin"_qs);
  FileDialog dialog;
  dialog.SetFileName(folder_.filePath(u"one/*.*"_qs));
  dialog.SetFlags(kOpenCommandFlags);

  Show(dialog, [](QFileDialog& shown) { TypeAndOpen(shown, u"../two/b.bin"_qs); });
  EXPECT_EQ(dialog.FileTitle(), u"b.bin"_qs);

  Start next;
  Show(dialog, [&](QFileDialog& shown) {
    next = StartOf(shown);
    shown.reject();
  });
  EXPECT_EQ(next, (Start{Folder() + u"/two"_qs, u"b.bin"_qs}));
}

TEST_F(FileDialogTest, CancelRaisesAndChangesNothing) {
  const QString chosen = MakeFile(u"chosen.bin"_qs);
  MakeFile(u"other.bin"_qs);
  const std::function<void(QFileDialog&)> cancels[] = {
      [](QFileDialog& shown) { Button(shown, QDialogButtonBox::Cancel).click(); },
      [](QFileDialog& shown) { shown.close(); },
  };
  for (const auto& cancel : cancels) {
    FileDialog dialog;
    dialog.SetFileName(chosen);
    dialog.SetFlags(kOpenCommandFlags);
    Show(dialog, [](QFileDialog& shown) { TypeAndOpen(shown, u"chosen.bin"_qs); });

    // The user picks another file, then cancels: the pick must not stick.
    Start cancelled;
    const auto failure = Show(dialog, [&](QFileDialog& shown) {
      cancelled = StartOf(shown);
      NameBox(shown).setText(u"other.bin"_qs);
      cancel(shown);
    });
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->Number(), OpenDialog::kCancelled);
    EXPECT_EQ(failure->Description(), "已取消选择文件。");
    EXPECT_EQ(dialog.FileName(), QDir::toNativeSeparators(chosen));
    EXPECT_EQ(dialog.FileTitle(), u"chosen.bin"_qs);

    Start after;
    Show(dialog, [&](QFileDialog& shown) {
      after = StartOf(shown);
      shown.reject();
    });
    EXPECT_EQ(cancelled, (Start{Folder(), u"chosen.bin"_qs}));
    EXPECT_EQ(after, cancelled);
  }
}

TEST_F(FileDialogTest, WildcardNameOpensItsFolderListingEveryFile) {
  MakeFile(u"data.bin"_qs);
  MakeFile(u"README"_qs);
  for (const QString& wildcard : {u"*.*"_qs, u"*"_qs, u"da?a.bin"_qs}) {
    SCOPED_TRACE(wildcard.toStdString());
    FileDialog dialog;
    dialog.SetFileName(folder_.path() + QDir::separator() + wildcard);
    dialog.SetFlags(kOpenCommandFlags);

    Start start;
    bool listsUndotted = false;
    bool listsDotted = false;
    Show(dialog, [&](QFileDialog& shown) {
      start = StartOf(shown);
      listsUndotted = Lists(shown, u"README"_qs);
      listsDotted = Lists(shown, u"data.bin"_qs);
      TypeAndOpen(shown, u"README"_qs);
    });

    EXPECT_EQ(start, (Start{Folder(), QString()}));
    EXPECT_TRUE(listsUndotted);
    EXPECT_TRUE(listsDotted);
    EXPECT_EQ(dialog.FileTitle(), u"README"_qs);
  }
}

TEST_F(FileDialogTest, MissingFileIsRefusedOnlyWhenItMustExist) {
  const QString chosen = MakeFile(u"chosen.bin"_qs);
  struct Case {
    int flags;
    bool accepted;
  };
  for (const Case& c : {Case{kOpenCommandFlags, false}, Case{OpenDialog::kFileMustExist, false},
                        Case{0, true}}) {
    SCOPED_TRACE(c.flags);
    FileDialog dialog;
    dialog.SetFileName(chosen);
    dialog.SetFlags(c.flags);

    bool openEnabled = false;
    bool stayedOpen = false;
    std::optional<ModalAnswer<QMessageBox>> warning;
    const auto failure = Show(dialog, [&](QFileDialog& shown) {
      NameBox(shown).setText(u"missing.bin"_qs);
      openEnabled = Button(shown, QDialogButtonBox::Open).isEnabled();
      // Enter accepts even with Open disabled; a refusal warns, and the test answers that.
      warning.emplace([](QMessageBox& box) { box.close(); });
      QTest::keyClick(&NameBox(shown), Qt::Key_Return);
      stayedOpen = shown.isVisible();
      if (stayedOpen) shown.reject();
    });

    EXPECT_EQ(openEnabled, c.accepted);
    EXPECT_EQ(stayedOpen, !c.accepted);
    EXPECT_EQ(failure.has_value(), !c.accepted);
    const QString expected = c.accepted ? folder_.filePath(u"missing.bin"_qs) : chosen;
    EXPECT_EQ(dialog.FileName(), QDir::toNativeSeparators(expected));
    ASSERT_TRUE(warning.has_value());
    EXPECT_EQ(warning->Answered(), !c.accepted);
    EXPECT_FALSE(warning->TimedOut());
  }
}

}  // namespace
}  // namespace quorvex
