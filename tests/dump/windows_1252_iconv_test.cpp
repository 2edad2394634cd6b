// The character table against Debian's iconv, an independent Windows-1252.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "dump.h"
#include "dump_test_support.h"

namespace quorvex {
namespace {

using test::Rows;
using test::TempDir;

bool IsUndefined(int byte) {
  return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

struct IconvResult {
  int status;
  std::string output;
};

IconvResult IconvCp1252ToUtf16(const std::filesystem::path& file) {
  const std::string command = "iconv -f CP1252 -t UTF-16LE '" + file.string() + "' 2>/dev/null";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return {-1, {}};
  std::string output;
  char chunk[4096];
  for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) output.append(chunk, got);
  return {::pclose(pipe), output};
}

TEST(Windows1252IconvTest, EveryDefinedByteFrom20ToFFMatchesIconv) {
  std::vector<std::uint8_t> bytes;
  for (int byte = 0x20; byte <= 0xFF; ++byte) {
    if (!IsUndefined(byte)) bytes.push_back(static_cast<std::uint8_t>(byte));
  }
  const TempDir dir;
  const auto reference = IconvCp1252ToUtf16(dir.Write("defined.bin", bytes));
  ASSERT_EQ(reference.status, 0) << "iconv is needed for this test";
  ASSERT_EQ(reference.output.size(), 2 * bytes.size());

  const auto rows = Rows(DumpText(ByteBuffer(bytes)));
  std::u16string shown;
  for (const auto& row : rows) shown += row.substr(36);
  ASSERT_EQ(shown.size(), bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto low = static_cast<unsigned char>(reference.output[2 * i]);
    const auto high = static_cast<unsigned char>(reference.output[2 * i + 1]);
    EXPECT_EQ(shown[i], static_cast<char16_t>(low | high << 8)) << "byte " << int{bytes[i]};
  }
}

// These five have no Windows-1252 character; our C1 mapping is a choice, not a
// disagreement with the reference.
TEST(Windows1252IconvTest, IconvRejectsTheFiveUndefinedBytes) {
  const TempDir dir;
  for (std::uint8_t byte : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    EXPECT_NE(IconvCp1252ToUtf16(dir.Write("undefined.bin", {byte})).status, 0) << "byte " << int{byte};
  }
}

}  // namespace
}  // namespace quorvex
