// Reads the version record and icon group of the built quorvex.exe (named by the
// QUORVEX_EXE environment variable), or, in a build without the viewer, of this program,
// which is built from the same resources/quorvex.rc by the same resource compiler.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace {

std::wstring CheckedPath() {
  wchar_t path[32768];
  if (const DWORD length = GetEnvironmentVariableW(L"QUORVEX_EXE", path, 32768); length > 0 && length < 32768) {
    return std::wstring(path, length);
  }
  return std::wstring(path, GetModuleFileNameW(nullptr, path, 32768));
}

class VersionRecordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::wstring path = CheckedPath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_NE(size, 0u) << "no version record: " << GetLastError();
    record_.resize(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, record_.data())) << GetLastError();
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
  // MAKELONG takes the low word first.
  constexpr DWORD kHigh = MAKELONG(QUORVEX_VERSION_MINOR, QUORVEX_VERSION_MAJOR);
  constexpr DWORD kLow = MAKELONG(QUORVEX_VERSION_TWEAK, QUORVEX_VERSION_PATCH);
  EXPECT_EQ(info->dwFileVersionMS, kHigh);
  EXPECT_EQ(info->dwFileVersionLS, kLow);
  EXPECT_EQ(info->dwProductVersionMS, kHigh);
  EXPECT_EQ(info->dwProductVersionLS, kLow);

  const auto* translation = static_cast<const WORD*>(Query(L"\\VarFileInfo\\Translation", &length));
  ASSERT_NE(translation, nullptr);
  ASSERT_EQ(length, 2 * sizeof(WORD));
  EXPECT_EQ(translation[0], 0x0804);  // Chinese (PRC)
  EXPECT_EQ(translation[1], 1200);    // Unicode
}

TEST_F(VersionRecordTest, StringsOfTheChineseBlock) {
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"FileVersion", L"" QUORVEX_VERSION_TEXT},
      {L"ProductVersion", L"" QUORVEX_VERSION_TEXT},
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

TEST(IconGroupTest, Holds16And32PixelImagesInEveryColourDepth) {
  // The checked executable's resources, loaded as data only.
  const std::unique_ptr<std::remove_pointer_t<HMODULE>, decltype(&FreeLibrary)> module(
      LoadLibraryExW(CheckedPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE),
      &FreeLibrary);
  ASSERT_NE(module, nullptr) << GetLastError();
  HRSRC group = FindResourceW(module.get(), MAKEINTRESOURCEW(1), RT_GROUP_ICON);
  ASSERT_NE(group, nullptr) << "no icon group 1: " << GetLastError();
  const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(module.get(), group)));
  ASSERT_NE(data, nullptr);
  WORD header[3];  // reserved, type (1 for icons), count
  std::memcpy(header, data, sizeof header);
  EXPECT_EQ(header[1], 1);
  ASSERT_EQ(SizeofResource(module.get(), group), sizeof header + header[2] * sizeof(GroupIconEntry));

  // Width and bits per pixel: every size as a 32-bit image and in 16 and 256 colours.
  std::set<std::pair<int, int>> sizes;
  for (WORD i = 0; i < header[2]; ++i) {
    GroupIconEntry entry{};
    std::memcpy(&entry, data + sizeof header + i * sizeof entry, sizeof entry);
    EXPECT_EQ(entry.width, entry.height);
    sizes.emplace(entry.width == 0 ? 256 : entry.width, entry.bit_count);
    // Every entry must point at an image that is really there.
    HRSRC image = FindResourceW(module.get(), MAKEINTRESOURCEW(entry.id), RT_ICON);
    ASSERT_NE(image, nullptr) << "icon image " << entry.id << " missing";
    EXPECT_EQ(SizeofResource(module.get(), image), entry.bytes_in_resource);
  }
  for (const auto& [size, bits] : {std::pair{16, 4}, {16, 8}, {16, 32}, {32, 4}, {32, 8}, {32, 32}}) {
    EXPECT_TRUE(sizes.count({size, bits})) << "no " << size << " x " << size << " image of " << bits << " bits";
  }
}

}  // namespace
