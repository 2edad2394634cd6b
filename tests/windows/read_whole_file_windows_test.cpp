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

// A handle the test holds, as another program would.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (Valid()) CloseHandle(handle_);
  }
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

Handle OpenAsOtherProgram(const std::filesystem::path& file, DWORD access, DWORD share,
                          DWORD disposition = OPEN_EXISTING) {
  return Handle(CreateFileW(file.c_str(), access, share, nullptr, disposition,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
}

void WriteAll(const Handle& handle, const std::vector<std::uint8_t>& bytes) {
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(handle.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                        nullptr));
  ASSERT_EQ(written, bytes.size());
}

// A program writing a log keeps it open for writing and lets others only read;
// Quorvex must still be able to show it, with what was written so far.
TEST(ReadWholeFileWindowsTest, ReadsAFileAnotherProgramHoldsOpenForWriting) {
  const TempDir dir;
  const struct {
    const char* label;
    DWORD access;
    DWORD share;
  } holders[] = {
      {"writer sharing only reading", GENERIC_WRITE, FILE_SHARE_READ},
      {"writer and deleter sharing everything", GENERIC_WRITE | DELETE,
       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE},
      {"reader sharing only reading", GENERIC_READ, FILE_SHARE_READ},
  };
  for (const auto& holder : holders) {
    SCOPED_TRACE(holder.label);
    const auto file = dir.Path() / "log.bin";
    const auto bytes = CountingBytes(1000);
    {
      const Handle other = OpenAsOtherProgram(file, holder.access | GENERIC_WRITE, holder.share,
                                              CREATE_ALWAYS);
      ASSERT_TRUE(other.Valid()) << GetLastError();
      WriteAll(other, bytes);
      EXPECT_EQ(ReadWholeFile(file).Bytes(), bytes);
      // And the holder can go on writing after Quorvex has read.
      WriteAll(other, {0x41});
    }
    EXPECT_EQ(std::filesystem::file_size(file), 1001u);
  }
}

TEST(ReadWholeFileWindowsTest, AFileLockedAgainstReadersIsPermissionDenied) {
  const TempDir dir;
  const auto file = dir.Write("locked.bin", CountingBytes(10));
  const struct {
    const char* label;
    DWORD access;
    DWORD share;
  } holders[] = {
      {"no sharing at all", GENERIC_READ, 0},
      // Quorvex shares writing with others, but this holder does not share reading.
      {"sharing writing only", GENERIC_WRITE, FILE_SHARE_WRITE | FILE_SHARE_DELETE},
  };
  for (const auto& holder : holders) {
    SCOPED_TRACE(holder.label);
    const Handle other = OpenAsOtherProgram(file, holder.access, holder.share);
    ASSERT_TRUE(other.Valid()) << GetLastError();
    EXPECT_TRUE(FailsWith(kPermissionDenied, [&] { ReadWholeFile(file); }));
  }
  // Once the holder lets go, the file reads again.
  EXPECT_EQ(ReadWholeFile(file).Length(), 10);
}

// Folders in every spelling, devices and pipes are refused with 75, at once: a
// pipe with nothing written to it would block a read for ever.
TEST(ReadWholeFileWindowsTest, AnythingButADiskFileIsAnAccessError) {
  const TempDir dir;
  const std::wstring pipe_name = L"\\\\.\\pipe\\quorvex-test-" + std::to_wstring(GetCurrentProcessId());
  const Handle pipe(CreateNamedPipeW(pipe_name.c_str(), PIPE_ACCESS_DUPLEX,
                                     PIPE_TYPE_BYTE | PIPE_WAIT, 1, 4096, 4096, 0, nullptr));
  ASSERT_TRUE(pipe.Valid()) << GetLastError();

  wchar_t system_folder[MAX_PATH] = {};
  ASSERT_NE(GetSystemDirectoryW(system_folder, MAX_PATH), 0u);
  const std::filesystem::path system_root = std::filesystem::path(system_folder).root_path();

  const std::filesystem::path paths[] = {
      dir.Path(),
      dir.Path().wstring() + L"\\",
      system_root,  // a drive root, such as C:\ (with its separator)
      L"NUL",
      L"\\\\.\\NUL",
      pipe_name,
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
      dir.Path() / "*.*",
      dir.Path() / "real?.bin",
      dir.Path() / "a<b.bin",
      dir.Path() / "a|b.bin",
      dir.Path() / "missing" / "real.bin",
      dir.Path() / "real.bin" / "inside.bin",  // a file used as a folder
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
