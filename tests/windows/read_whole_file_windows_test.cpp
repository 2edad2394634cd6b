// ReadWholeFile on Windows: sharing with other programs, devices and pipes, and
// how the system's open errors become failure numbers.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dump.h"
#include "dump_test_support.h"

namespace quorvex {
namespace {

using test::CountingBytes;
using test::FailsWith;
using test::TempDir;

// A handle the test holds, as another program would; closed on every path.
struct Handle {
  explicit Handle(HANDLE h) : handle(h) {}
  Handle(const Handle&) = delete;
  ~Handle() {
    if (Valid()) CloseHandle(handle);
  }
  bool Valid() const { return handle != INVALID_HANDLE_VALUE && handle != nullptr; }
  HANDLE handle;
};

Handle OpenAsOtherProgram(const std::filesystem::path& file, DWORD access, DWORD share,
                          DWORD disposition = OPEN_EXISTING) {
  return Handle(CreateFileW(file.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
}

void WriteAll(const Handle& other, const std::vector<std::uint8_t>& bytes) {
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(other.handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
  ASSERT_EQ(written, bytes.size());
}

// Other programs holding the file: Quorvex reads it whenever they share reading (a
// log being written, with what was written so far) and leaves them free to go on
// writing; a holder that does not share reading makes it permission denied.
TEST(ReadWholeFileWindowsTest, SharesTheFileWithOtherPrograms) {
  const TempDir dir;
  const struct {
    const char* label;
    DWORD access;
    DWORD share;
    bool readable;
  } holders[] = {
      {"writer sharing only reading", GENERIC_WRITE, FILE_SHARE_READ, true},
      {"writer and deleter sharing everything", GENERIC_WRITE | DELETE,
       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, true},
      {"reader sharing only reading", GENERIC_READ, FILE_SHARE_READ, true},
      {"no sharing at all", GENERIC_READ, 0, false},
      {"sharing writing only", GENERIC_WRITE, FILE_SHARE_WRITE | FILE_SHARE_DELETE, false},
  };
  const auto file = dir.Path() / "log.bin";
  const auto bytes = CountingBytes(1000);
  for (const auto& holder : holders) {
    SCOPED_TRACE(holder.label);
    {
      const Handle other = OpenAsOtherProgram(file, holder.access | GENERIC_WRITE, holder.share, CREATE_ALWAYS);
      ASSERT_TRUE(other.Valid()) << GetLastError();
      WriteAll(other, bytes);
      if (holder.readable) {
        EXPECT_EQ(ReadWholeFile(file).Bytes(), bytes);
      } else {
        EXPECT_TRUE(FailsWith(kPermissionDenied, [&] { ReadWholeFile(file); }));
      }
      WriteAll(other, {0x41});  // the holder goes on writing
    }
    EXPECT_EQ(ReadWholeFile(file).Length(), 1001);  // and once it lets go, the file reads
  }
}

// Folders in every spelling, devices and pipes are refused with 75, at once: a
// pipe with nothing written to it would block a read for ever.
TEST(ReadWholeFileWindowsTest, AnythingButADiskFileIsAnAccessError) {
  const TempDir dir;
  const std::wstring pipe_name = L"\\\\.\\pipe\\quorvex-test-" + std::to_wstring(GetCurrentProcessId());
  const Handle pipe(
      CreateNamedPipeW(pipe_name.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 4096, 4096, 0, nullptr));
  ASSERT_TRUE(pipe.Valid()) << GetLastError();

  wchar_t system_folder[MAX_PATH] = {};
  ASSERT_NE(GetSystemDirectoryW(system_folder, MAX_PATH), 0u);
  const std::filesystem::path system_root = std::filesystem::path(system_folder).root_path();

  // A drive root such as C:\ comes with its separator.
  const std::filesystem::path paths[] = {
      dir.Path(), dir.Path().wstring() + L"\\", system_root, L"NUL", L"\\\\.\\NUL", pipe_name,
  };
  for (const auto& path : paths) {
    SCOPED_TRACE(path.string());
    EXPECT_TRUE(FailsWith(kPathFileAccessError, [&] { ReadWholeFile(path); }));
  }
}

// Names that cannot be a file on this system: the wildcard name the Open dialog
// starts with, reserved characters, a folder or drive that does not exist.
TEST(ReadWholeFileWindowsTest, NamesOfNoFileAreNotFound) {
  const TempDir dir;
  dir.Write("real.bin", CountingBytes(4));

  std::wstring free_drive;
  const DWORD drives = GetLogicalDrives();
  for (int letter = 25; letter >= 3 && free_drive.empty(); --letter) {
    if (!(drives & (1u << letter))) free_drive = std::wstring(1, static_cast<wchar_t>(L'A' + letter)) + L":\\";
  }

  std::vector<std::filesystem::path> paths = {
      dir.Path() / "*.*",     dir.Path() / "real?.bin", dir.Path() / "a<b.bin", dir.Path() / "a|b.bin",
      dir.Path() / "missing" / "real.bin", dir.Path() / "real.bin" / "inside.bin",  // a file used as a folder
      L"",
  };
  if (!free_drive.empty()) paths.push_back(free_drive + L"quorvex.bin");
  for (const auto& path : paths) {
    SCOPED_TRACE(path.string());
    EXPECT_TRUE(FailsWith(kFileNotFound, [&] { ReadWholeFile(path); }));
  }
}

}  // namespace
}  // namespace quorvex
