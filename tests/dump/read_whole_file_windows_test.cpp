// ReadWholeFile on Windows: sharing with other programs, devices and pipes, and
// how the system's open errors become failure numbers.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "dump.h"
#include "dump_test_support.h"
#include "windows_device_names.h"
#include "windows_long_paths.h"

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

// Folders in every spelling, devices and pipes are refused with 75, at once and, for
// devices and pipes, without being opened: opening a pipe would connect to its server
// and take its one instance from the client it waits for.
TEST(ReadWholeFileWindowsTest, AnythingButADiskFileIsRefusedWithoutOpeningIt) {
  const TempDir dir;
  const std::wstring pipe_name = L"quorvex-test-" + std::to_wstring(GetCurrentProcessId());
  const Handle pipe(CreateNamedPipeW((L"\\\\.\\pipe\\" + pipe_name).c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                                     PIPE_TYPE_BYTE | PIPE_WAIT, 1, 4096, 4096, 0, nullptr));
  ASSERT_TRUE(pipe.Valid()) << GetLastError();
  const Handle connected(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  OVERLAPPED waiting{};
  waiting.hEvent = connected.handle;
  ASSERT_FALSE(ConnectNamedPipe(pipe.handle, &waiting));
  ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_IO_PENDING));

  wchar_t system_folder[MAX_PATH] = {};
  ASSERT_NE(GetSystemDirectoryW(system_folder, MAX_PATH), 0u);
  const std::filesystem::path system_root = std::filesystem::path(system_folder).root_path();

  // A drive root such as C:\ comes with its separator.
  const std::filesystem::path paths[] = {
      dir.Path(), dir.Path().wstring() + L"\\", system_root, L"\\\\?\\" + system_root.wstring(),
      L"NUL", L"\\\\.\\NUL", dir.Path() / "nul.txt", L"\\\\?\\GLOBALROOT\\Device\\Null",
      L"\\\\.\\pipe\\" + pipe_name, L"//./PIPE/" + pipe_name, L"\\\\?\\pipe\\" + pipe_name,
      L"\\\\localhost\\pipe\\" + pipe_name, L"\\\\?\\UNC\\localhost\\Pipe\\" + pipe_name,
      dir.Path() / std::wstring(260, L'x') / L"NUL",
  };
  for (const auto& path : paths) {
    SCOPED_TRACE(path.string());
    EXPECT_TRUE(FailsWith(kPathFileAccessError, [&] { ReadWholeFile(path); }));
  }

  // The server still waits, and its real client gets the instance.
  EXPECT_EQ(WaitForSingleObject(connected.handle, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "a client connected";
  const Handle client(CreateFileW((L"\\\\.\\pipe\\" + pipe_name).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
  EXPECT_TRUE(client.Valid()) << GetLastError();
  EXPECT_EQ(WaitForSingleObject(connected.handle, 5000), static_cast<DWORD>(WAIT_OBJECT_0));
}

// What the name alone shows to be no disk file; the system may not tell before an open.
TEST(ReadWholeFileWindowsTest, DeviceAndPipeNamesAreKnownByTheirName) {
  const std::wstring_view devices[] = {
      L"NUL", L"con", L"C:LPT1", L"CONOUT$", L"C:\\data\\COM1.bin", L"data/Con .log", L"aux.tar.gz", L"COM\u00B9",
      L"\\\\.\\C:\\data\\a.bin", L"//./PhysicalDrive0", L"\\\\?\\GLOBALROOT\\Device\\Null", L"\\??\\pipe\\p",
      L"\\\\?\\C:", L"\\\\?\\Volume{1234}", L"//?/C:/data/a.bin", L"\\\\server\\PIPE\\p",
      L"//server/mailslot/m", L"\\\\?\\UNC\\server\\pipe\\p",
  };
  for (const auto name : devices) EXPECT_TRUE(NamesNoDiskFile(name)) << std::filesystem::path(name).string();
  const std::wstring_view files[] = {
      L"C:\\data\\a.bin", L"a.bin", L"C:\\CON\\a.bin", L"C:\\data\\console.bin", L"C:\\data\\COM10.bin",
      L"C:\\data\\nul_.bin", L"\\\\?\\C:\\data\\NUL", L"\\\\?\\Volume{1234}\\a.bin", L"\\\\server\\share\\a.bin",
      L"\\\\?\\UNC\\server\\share\\a.bin", L"\\\\server\\pipes\\a.bin",
  };
  for (const auto name : files) EXPECT_FALSE(NamesNoDiskFile(name)) << std::filesystem::path(name).string();
}

// The literal prefix \\?\ lifts the length limit; such a name is an ordinary file.
TEST(ReadWholeFileWindowsTest, ALongNameWithTheLiteralPrefixIsRead) {
  const TempDir dir;
  const std::wstring top = L"\\\\?\\" + std::filesystem::absolute(dir.Path()).lexically_normal().wstring();
  const std::filesystem::path folder = top + L"\\" + std::wstring(120, L'x') + L"\\" + std::wstring(120, L'y');
  std::filesystem::create_directories(folder);
  const auto file = folder / L"long.bin";
  const auto bytes = CountingBytes(300);
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), 300);
  EXPECT_GT(file.native().size(), std::size_t{MAX_PATH});
  EXPECT_EQ(ReadWholeFile(file).Bytes(), bytes);
  // Without it, with "/" and "..", as a user may type it: made full before the prefix.
  const std::wstring typed = top.substr(4) + L"/" + std::wstring(120, L'x') + L"/../" + std::wstring(120, L'x') +
                             L"/" + std::wstring(120, L'y') + L"/long.bin";
  EXPECT_EQ(ReadWholeFile(typed).Bytes(), bytes);
  // The library's remove_all cannot take names this long; the literal prefix can.
  DeleteFileW(file.c_str());
  RemoveDirectoryW(folder.c_str());
  RemoveDirectoryW(folder.parent_path().c_str());
}

// Windows without long paths switched on opens a path of 260 characters or more only in
// its literal form; Wine opens it either way, so the conversion itself is tried here.
TEST(ReadWholeFileWindowsTest, PathsOf260CharactersOrMoreTakeTheLiteralPrefix) {
  const std::wstring x256(256, L'x'), x257(257, L'x'), x300(300, L'x');
  wchar_t before[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, before);
  ASSERT_TRUE(SetCurrentDirectoryW(L"C:\\windows"));
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"C:\\" + x256, L"C:\\" + x256},  // 259 characters
      {L"C:\\" + x257, L"\\\\?\\C:\\" + x257},
      {L"\\\\server\\share\\" + x257, L"\\\\?\\UNC\\server\\share\\" + x257},
      {L"//server/share/" + x257, L"\\\\?\\UNC\\server\\share\\" + x257},
      {x300, L"\\\\?\\C:\\windows\\" + x300},
      {L"a.bin", L"a.bin"},
      {L"C:\\data\\..\\a.bin", L"C:\\data\\..\\a.bin"},
      {L"C:/data/./old/../" + x257, L"\\\\?\\C:\\data\\" + x257},
      {L"..\\" + x257, L"\\\\?\\C:\\" + x257},
      {L"\\\\?\\C:\\data\\..\\" + x300, L"\\\\?\\C:\\data\\..\\" + x300},
      {L"\\\\?\\UNC\\server\\share\\" + x300, L"\\\\?\\UNC\\server\\share\\" + x300},
  };
  for (const auto& [path, expected] : cases) {
    EXPECT_EQ(LongPathForm(path), expected) << std::filesystem::path(path.substr(0, 40)).string();
  }
  SetCurrentDirectoryW(before);
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
