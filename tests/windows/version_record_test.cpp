// Reads this program's own version record and icon group. They come from
// resources/quorvex.rc, the script quorvex.exe is built with, by the same resource
// compiler, so what Windows reads here is what users see in the executable's Properties.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

class VersionRecordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t path[32768];
    ASSERT_NE(GetModuleFileNameW(nullptr, path, 32768), 0u) << GetLastError();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    ASSERT_NE(size, 0u) << "no version record: " << GetLastError();
    record_.resize(size);
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, record_.data())) << GetLastError();
  }

  // The value at sub_block, or nullptr when the record has none.
  const void* Query(const std::wstring& sub_block, UINT* length) {
    void* value = nullptr;
    return VerQueryValueW(record_.data(), sub_block.c_str(), &value, length) ? value : nullptr;
  }

  std::vector<std::uint8_t> record_;
};

TEST_F(VersionRecordTest, NumbersAndTranslation) {
  UINT length = 0;
  const auto* info = static_cast<const VS_FIXEDFILEINFO*>(Query(L"\\", &length));
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(info->dwFileVersionMS, MAKELONG(5, 1));
  EXPECT_EQ(info->dwFileVersionLS, MAKELONG(2, 0));
  EXPECT_EQ(info->dwProductVersionMS, MAKELONG(5, 1));
  EXPECT_EQ(info->dwProductVersionLS, MAKELONG(2, 0));

  const auto* translation = static_cast<const WORD*>(Query(L"\\VarFileInfo\\Translation", &length));
  ASSERT_NE(translation, nullptr);
  ASSERT_EQ(length, 2 * sizeof(WORD));
  EXPECT_EQ(translation[0], 0x0804);  // Chinese (PRC)
  EXPECT_EQ(translation[1], 1200);    // Unicode
}

TEST_F(VersionRecordTest, StringsOfTheChineseBlock) {
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"FileVersion", L"1.05.0002"},
      {L"ProductVersion", L"1.05.0002"},
      {L"ProductName", L"Quorvex"},
      // Non-ASCII: shows that the UTF-8 script was read as UTF-8.
      {L"CompanyName", L"Quorvex \u5F00\u53D1\u7EC4"},  // Quorvex 开发组
  };
  for (const auto& [name, expected] : cases) {
    UINT length = 0;
    const auto* value = static_cast<const wchar_t*>(Query(L"\\StringFileInfo\\080404B0\\" + name, &length));
    ASSERT_NE(value, nullptr) << testing::PrintToString(name);
    EXPECT_EQ(std::wstring(value), expected) << testing::PrintToString(name);
  }
}

// The icon group as stored in the executable: a header, then one entry per image.
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
#pragma pack(pop)

TEST(IconGroupTest, Holds16And32PixelImages) {
  HRSRC group = FindResourceW(nullptr, MAKEINTRESOURCEW(1), RT_GROUP_ICON);
  ASSERT_NE(group, nullptr) << "no icon group 1: " << GetLastError();
  const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, group)));
  ASSERT_NE(data, nullptr);
  WORD header[3];  // reserved, type (1 for icons), count
  std::memcpy(header, data, sizeof header);
  EXPECT_EQ(header[1], 1);
  ASSERT_EQ(SizeofResource(nullptr, group), sizeof header + header[2] * sizeof(GroupIconEntry));

  std::set<std::pair<int, int>> sizes;
  for (WORD i = 0; i < header[2]; ++i) {
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
