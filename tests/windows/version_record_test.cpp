// Reads this program's own version record and icon group. They come from
// resources/quorvex.rc, the script that quorvex.exe is built with, compiled by the
// same resource compiler, so what Windows reads here is what users see in the
// executable's Properties.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

std::wstring OwnPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);  // truncated: try a longer buffer
  }
}

class VersionRecordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::wstring path = OwnPath();
    ASSERT_FALSE(path.empty()) << "GetModuleFileNameW failed: " << GetLastError();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_NE(size, 0u) << "no version record: " << GetLastError();
    record_.resize(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, record_.data())) << GetLastError();
  }

  // The value at sub_block, or {nullptr, 0} when the record has none.
  std::pair<const void*, UINT> Query(const std::wstring& sub_block) {
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(record_.data(), sub_block.c_str(), &value, &length)) return {nullptr, 0};
    return {value, length};
  }

  std::vector<std::uint8_t> record_;
};

TEST_F(VersionRecordTest, FixedVersionNumbersAre1_5_0_2) {
  const auto [value, length] = Query(L"\\");
  ASSERT_NE(value, nullptr);
  ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
  const auto* info = static_cast<const VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(info->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(info->dwFileVersionMS, MAKELONG(5, 1));
  EXPECT_EQ(info->dwFileVersionLS, MAKELONG(2, 0));
  EXPECT_EQ(info->dwProductVersionMS, MAKELONG(5, 1));
  EXPECT_EQ(info->dwProductVersionLS, MAKELONG(2, 0));
  EXPECT_EQ(info->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST_F(VersionRecordTest, OneTranslationChinesePrcUnicode) {
  const auto [value, length] = Query(L"\\VarFileInfo\\Translation");
  ASSERT_NE(value, nullptr);
  ASSERT_EQ(length, 2 * sizeof(WORD));
  const auto* pair = static_cast<const WORD*>(value);
  EXPECT_EQ(pair[0], 0x0804);
  EXPECT_EQ(pair[1], 1200);
}

TEST_F(VersionRecordTest, StringsOfTheChineseBlock) {
  const struct {
    const wchar_t* name;
    std::wstring expected;
  } cases[] = {
      {L"FileVersion", L"1.05.0002"},
      {L"ProductVersion", L"1.05.0002"},
      {L"ProductName", L"Quorvex"},
      {L"OriginalFilename", L"quorvex.exe"},
      // Non-ASCII: shows that the UTF-8 script was read as UTF-8.
      {L"CompanyName", L"Quorvex \u5F00\u53D1\u7EC4"},  // Quorvex 开发组
  };
  for (const auto& c : cases) {
    const auto [value, length] = Query(std::wstring(L"\\StringFileInfo\\080404B0\\") + c.name);
    ASSERT_NE(value, nullptr) << "missing " << testing::PrintToString(std::wstring(c.name));
    // length counts characters and, usually, the terminating zero.
    const std::wstring text(static_cast<const wchar_t*>(value));
    EXPECT_LE(text.size(), length);
    EXPECT_EQ(text, c.expected) << testing::PrintToString(std::wstring(c.name));
  }
}

TEST_F(VersionRecordTest, ResourceLanguageIsChinesePrc) {
  const LANGID chinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
  EXPECT_NE(FindResourceExW(nullptr, RT_VERSION,
                            MAKEINTRESOURCEW(VS_VERSION_INFO), chinese),
            nullptr);
}

// The icon group as stored in the executable (GRPICONDIR with its entries).
#pragma pack(push, 2)
struct GroupIconEntry {
  BYTE width;   // 0 means 256
  BYTE height;  // 0 means 256
  BYTE color_count;
  BYTE reserved;
  WORD planes;
  WORD bit_count;
  DWORD bytes_in_resource;
  WORD id;
};
struct GroupIconHeader {
  WORD reserved;
  WORD type;  // 1 for icons
  WORD count;
};
#pragma pack(pop)

TEST(IconGroupTest, Holds16And32PixelImages) {
  HRSRC group = FindResourceW(nullptr, MAKEINTRESOURCEW(1), RT_GROUP_ICON);
  ASSERT_NE(group, nullptr) << "no icon group 1: " << GetLastError();
  const DWORD size = SizeofResource(nullptr, group);
  const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, group)));
  ASSERT_NE(data, nullptr);
  ASSERT_GE(size, sizeof(GroupIconHeader));
  GroupIconHeader header;
  std::memcpy(&header, data, sizeof header);
  EXPECT_EQ(header.type, 1);
  ASSERT_EQ(size, sizeof header + header.count * sizeof(GroupIconEntry));

  std::set<std::pair<int, int>> sizes;
  for (WORD i = 0; i < header.count; ++i) {
    GroupIconEntry entry;
    std::memcpy(&entry, data + sizeof header + i * sizeof entry, sizeof entry);
    sizes.emplace(entry.width == 0 ? 256 : entry.width, entry.height == 0 ? 256 : entry.height);
    // Every entry must point at an image that is really there.
    HRSRC image = FindResourceW(nullptr, MAKEINTRESOURCEW(entry.id), RT_ICON);
    ASSERT_NE(image, nullptr) << "icon image " << entry.id << " missing";
    EXPECT_EQ(SizeofResource(nullptr, image), entry.bytes_in_resource);
  }
  EXPECT_TRUE(sizes.count({16, 16})) << "no 16 x 16 image";
  EXPECT_TRUE(sizes.count({32, 32})) << "no 32 x 32 image";
}

}  // namespace
