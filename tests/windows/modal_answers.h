// Answers the modal windows that code on the test's thread opens: a watcher thread
// finds each one (message boxes and the Open dialog), records it and closes it, so that
// nothing waits for a human. A window left open past the deadline is cancelled and the
// answers say so: a broken test fails fast instead of hanging.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace quorvex::testing {

enum class BoxIcon { kNone, kInformation, kWarning, kOther };

struct SeenBox {
  std::wstring title, text;
  BoxIcon icon = BoxIcon::kNone;
  int buttons = 0;
};

struct Answers {
  std::vector<SeenBox> boxes;
  int dialogs = 0;            // Open dialogs seen
  std::wstring dialogName;    // the first Open dialog's name box as it appeared
  bool timedOut = false;
};

// Runs action on this thread and answers what it opens: message boxes with OK; each
// Open dialog by typing fileName and pressing Open, or with Cancel if fileName is empty.
Answers AnswerAll(const std::function<void()>& action, const std::wstring& fileName = {},
                  std::chrono::milliseconds deadline = std::chrono::seconds(20));

}  // namespace quorvex::testing
