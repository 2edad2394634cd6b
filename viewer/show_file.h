// ShowFile's sequence, the same in every window: clear the display, name the file in the
// caption, paint both, read the file, format it, then show the text or report why it
// cannot be shown.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "dump.h"

namespace quorvex {

struct ShowFileSteps {
  std::function<void()> clearDisplay;
  std::function<void(const std::u16string& caption)> setCaption;
  // Paints the cleared display and the new caption before the read. Input waits, so
  // that a queued Ctrl+O cannot start a second Open in the middle of this one.
  std::function<void()> paint;
  // ReadWholeFile of the file, its path in the platform's form.
  std::function<ByteBuffer()> readFile;
  // Sets the display's text in one assignment, showing its first row.
  std::function<void(const std::u16string& text)> showText;
  // Shows why the file cannot be shown in a modal warning box; the display stays empty.
  std::function<void(const std::u16string& text)> reportFailure;
};

// path is the file's path as the report names it; title goes in the caption. Engine
// failures of the read and the formatting are reported; any other passes to the caller.
void RunShowFile(std::u16string_view path, std::u16string_view title, const ShowFileSteps& steps);

}  // namespace quorvex
