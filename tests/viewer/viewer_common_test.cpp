// The layer both windows share, where their own tests leave something unchecked: the
// dialog's first file name, message texts, the UTF-8 to UTF-16 conversion, the display's
// stand-ins, ShowFile's order and which failures the Open command and ShowFile leave to
// their caller.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "display_text.h"
#include "dump.h"
#include "initial_file_name.h"
#include "messages.h"
#include "open_command.h"
#include "show_file.h"
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
  EXPECT_EQ(ShowFailureText(u"C:\\a\\空.bin", Failure(kOutOfRange, "下标越界")),
            u"无法显示文件“C:\\a\\空.bin”。\r\n错误 9：下标越界" + limit);
  EXPECT_EQ(ShowFailureText(u"/gone", Failure(kFileNotFound, "文件未找到")), u"无法显示文件“/gone”。\r\n错误 53：文件未找到");
  EXPECT_EQ(StartupFailureText(Failure(126, "无法加载显示控件 msftedit.dll。")),
            u"Quorvex 无法启动。\r\n错误 126：无法加载显示控件 msftedit.dll。");
  EXPECT_EQ(StartupFailureText(std::bad_alloc()), u"Quorvex 无法启动。\r\nstd::bad_alloc");
}

TEST(Utf16, ConvertsAndReplacesWhatIsMalformed) {
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
  for (const Case& c : cases) EXPECT_EQ(Utf16FromUtf8(c.utf8), c.utf16) << testing::PrintToString(c.utf8);
  EXPECT_EQ(DecimalText(-32768), u"-32768");
}

std::u16string DisplayRows(std::vector<std::uint8_t> bytes) {
  return DisplayText(DumpText(ByteBuffer(std::move(bytes))));
}

// A row that shown bare has five cells for eight bytes, and neighbours of the widthless
// characters that have a width of their own (Ž, no-break space, Ÿ, ¿ for a control byte).
TEST(DisplayText, WidthlessCharactersGetAStandInAndNothingElse) {
  EXPECT_EQ(DisplayRows({0x41, 0x7F, 0x42, 0xAD, 0x43, 0x81, 0x44, 0x45}),
            u"     1: 41 7F 42 AD 43 81 44 45     A□B□C□DE\r\n");
  EXPECT_EQ(DisplayRows({0x8D, 0x8F, 0x90, 0x9D, 0x8E, 0xA0, 0x9F, 0x1F}),
            u"     1: 8D 8F 90 9D 8E A0 9F 1F     □□□□Ž\u00A0Ÿ¿\r\n");

  // Of every byte's character, exactly the controls and the format character (the soft
  // hyphen) are replaced, and a stand-in never stands for a byte of its own.
  std::vector<std::uint8_t> all(256);
  for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<std::uint8_t>(i);
  const std::u16string dump = DumpText(ByteBuffer(all));
  const std::u16string shown = DisplayText(dump);
  ASSERT_EQ(shown.size(), dump.size());
  EXPECT_EQ(dump.find(kStandIn), std::u16string::npos);
  for (std::size_t i = 0; i < dump.size(); ++i) {
    const bool widthless = (dump[i] >= 0x7F && dump[i] <= 0x9F) || dump[i] == 0xAD;
    EXPECT_EQ(shown[i], widthless ? kStandIn : dump[i]) << "at " << i << ", U+" << std::hex << int{dump[i]};
  }
}

// Each step of ShowFile logged as it runs.
std::vector<std::u16string> ShowFileLog(const std::function<ByteBuffer()>& read) {
  std::vector<std::u16string> log;
  RunShowFile(u"C:\\d\\a.bin", u"a.bin",
              {.clearDisplay = [&] { log.push_back(u"clear"); },
               .setCaption = [&](const std::u16string& caption) { log.push_back(u"caption " + caption); },
               .paint = [&] { log.push_back(u"paint"); },
               .readFile = [&] { log.push_back(u"read"); return read(); },
               .showText = [&](const std::u16string& text) { log.push_back(u"show " + text); },
               .reportFailure = [&](const std::u16string& text) { log.push_back(u"report " + text); }});
  return log;
}

// The display is cleared and the file named, and both painted, before the read; then
// the file's display text is shown, or why it cannot be, the read's failure or the
// formatting's.
TEST(ShowFile, ClearsNamesAndPaintsBeforeTheReadThenShowsOrReports) {
  const std::vector<std::u16string> before = {u"clear", u"caption Quorvex [a.bin]", u"paint", u"read"};
  const struct {
    std::function<ByteBuffer()> read;
    std::u16string last;
  } cases[] = {
      {[] { return ByteBuffer({0x41, 0xAD}); }, u"show      1: 41 AD                       A□\r\n"},
      {[] () -> ByteBuffer { throw Failure(kFileNotFound, "文件未找到"); },
       u"report 无法显示文件“C:\\d\\a.bin”。\r\n错误 53：文件未找到"},
      {[] { return ByteBuffer(std::vector<std::uint8_t>(32761)); },
       u"report 无法显示文件“C:\\d\\a.bin”。\r\n错误 6：溢出\r\nQuorvex 只能显示 1 到 32,760 字节的文件。"},
  };
  for (const auto& c : cases) {
    std::vector<std::u16string> expected = before;
    expected.push_back(c.last);
    EXPECT_EQ(ShowFileLog(c.read), expected);
  }
  EXPECT_THROW(ShowFileLog([]() -> ByteBuffer { throw std::bad_alloc(); }), std::bad_alloc);
}

// Only the dialog's own failures are reported as dialog errors (a cancel and the
// reporting are checked through both windows); anything else passes to the caller.
TEST(OpenCommand, OtherFailuresPassToTheCaller) {
  const auto unreported = [](const std::u16string&) { FAIL() << "nothing for the dialog to report"; };
  EXPECT_THROW(RunOpenCommand({[] {}, unreported, [] { throw DialogFailure(7, u"after the dialog"); }}),
               DialogFailure);
  EXPECT_THROW(RunOpenCommand({[] { throw Failure(kFileNotFound, "文件未找到"); }, unreported, [] {}}), Failure);
  EXPECT_THROW(RunOpenCommand({[] { throw std::bad_alloc(); }, unreported, [] {}}), std::bad_alloc);
}

}  // namespace
}  // namespace quorvex
