// HexDumpForm: Quorvex's only window. A menu bar (File › Open, Exit; About) over the
// read-only display rchDisplay, which fills the rest of the window and shows one dump.
#pragma once

#include <QMainWindow>
#include <QString>

#include <memory>

#include "display_text.h"
#include "open_dialog.h"

class QAction;
class QMenu;
class QPlainTextEdit;

namespace quorvex {

class HexDumpForm : public QMainWindow {
  Q_OBJECT

 public:
  // The display's client area when the window first appears.
  static constexpr int kInitialClientWidth = 503;
  static constexpr int kInitialClientHeight = 278;

  // With the platform's file dialog.
  HexDumpForm();
  // With the given dialog (tests pass a stand-in).
  explicit HexDumpForm(std::unique_ptr<OpenDialog> dialog, QWidget* parent = nullptr);
  ~HexDumpForm() override;

  // Shows the dump of the file at path, with title in the caption. A file that cannot
  // be shown is reported in a message box; the display then stays empty.
  void ShowFile(const QString& path, const QString& title);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void CreateDisplay();
  void CreateMenus();
  void Load();

  void FileOpenClick();
  void AboutClick();

  std::unique_ptr<OpenDialog> dlgFile_;
  QPlainTextEdit* rchDisplay_ = nullptr;
  std::unique_ptr<DisplayText> displayText_;
};

}  // namespace quorvex
