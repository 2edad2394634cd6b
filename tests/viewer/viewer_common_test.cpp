// The layer both windows share, where their own tests leave something unchecked: the
// dialog's first file name, message texts, the UTF-8 / UTF-16 conversions, and which
// failures the Open command leaves to its caller.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dump.h"
#include "initial_file_name.h"
#include "messages.h"
#include "open_command.h"
#include "utf16.h"

namespace quorvex {
namespace {

// Captions, the About text and dialog errors are checked whole through both windows.
TEST(ViewerTexts, FirstFileNameAndShowFailure) {
  EXPECT_EQ(InitialFileName(u"C:\\Program Files\\Quorvex", u'\\'), u"C:\\Program Files\\Quorvex\\*.*");
  EXPECT_EQ(InitialFileName(u"/opt/quorvex", u'/'), u"/opt/quorvex/*.*");
  // A root already ends with a separator; the second one stays.
  EXPECT_EQ(InitialFileName(u"C:\\", u'\\'), u"C:\\\\*.*");

  const std::u16string limit = u"\r\nQuorvex 只能显示 1 到 32,760 字节的文件。";
  EXPECT_EQ(ShowFailureText(u"C:\\a\\空.bin", kOutOfRange, u"下标越界"),
            u"无法显示文件“C:\\a\\空.bin”。\r\n错误 9：下标越界" + limit);
  EXPECT_EQ(ShowFailureText(u"/gone", kFileNotFound, u"文件未找到"), u"无法显示文件“/gone”。\r\n错误 53：文件未找到");
}

TEST(Utf16, ConvertsBothWaysAndReplacesWhatIsMalformed) {
  struct Case {
    std::string utf8;
    std::u16string utf16;
  };
  const std::vector<Case> cases = {
      {"", u""},
      {"Error 7", u"Error 7"},
      {"\xC2\xBF", u"\u00BF"},
      {"文件未找到", u"文件未找到"},
      {"\xF0\x9F\x98\x80!", u"\U0001F600!"},  // outside the BMP: a surrogate pair
      // Malformed: each bad sequence becomes one U+FFFD.
      {"a\x80z", u"a\uFFFDz"},          // stray continuation byte
      {"a\xE6\x96", u"a\uFFFD"},         // cut off at the end
      {"\xE6\x96z", u"\uFFFDz"},         // cut off before an ASCII byte, which is kept
      {"\xC0\xAF", u"\uFFFD"},           // overlong "/"
      {"\xED\xA0\x80", u"\uFFFD"},       // an encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD"},   // above U+10FFFF
      {"\xFF", u"\uFFFD"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf16FromUtf8(c.utf8), c.utf16) << testing::PrintToString(c.utf8);
    if (c.utf16.find(u'\uFFFD') != std::u16string::npos) continue;  // malformed: no way back
    EXPECT_EQ(Utf8FromUtf16(c.utf16), c.utf8) << c.utf8;
  }
  EXPECT_EQ(Utf8FromUtf16(std::u16string(1, u'\xD800') + u"x"), "\xEF\xBF\xBDx");  // lone surrogate
  EXPECT_EQ(DecimalText(-32768), u"-32768");
}

// Only the dialog's own failures are reported as dialog errors (a cancel and the
// reporting are checked through both windows); anything else passes to the caller.
TEST(OpenCommand, OtherFailuresPassToTheCaller) {
  const auto unreported = [](const std::u16string&) { FAIL() << "nothing for the dialog to report"; };
  EXPECT_THROW(RunOpenCommand({[] {}, unreported, [] { throw Failure(kFileNotFound, "文件未找到"); }}), Failure);
  EXPECT_THROW(RunOpenCommand({[] { throw std::bad_alloc(); }, unreported, [] {}}), std::bad_alloc);
}

}  // namespace
}  // namespace quorvex
