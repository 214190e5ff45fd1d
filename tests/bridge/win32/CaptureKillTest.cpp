// A capture written over an earlier one by a process that is killed in the
// middle of the write, on the real file system: afterwards the file holds
// exactly the old bytes or exactly the new ones, and the next write of the
// same file goes through whatever temporary the killed process left.
//
// The program is its own child: started with --write-capture it writes one
// large capture through the bridge and the real platform, and tells its
// parent through an inherited event when the write begins.

#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "bridge/BridgeError.h"
#include "bridge/CapturePath.h"
#include "bridge/FileHelpers.h"
#include "platform/win32/Win32Platform.h"

namespace velmoran::test {
namespace {

using bridge::CapturePath;

constexpr std::size_t kOldSize = std::size_t{2} * 1024 * 1024;
constexpr std::size_t kNewSize = std::size_t{40} * 1024 * 1024;

// Distinct patterns, so that any mix of the two, or a cut, compares unequal to both.
std::string Bytes(std::size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + seed) >> 3);
  return bytes;
}

std::u16string Utf16(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }
std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

// The whole content of a file, or "<missing>" when it does not open.
std::string Content(const std::u16string& path) {
  const HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string content;
  LARGE_INTEGER size{};
  GetFileSizeEx(file, &size);
  content.resize(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  ReadFile(file, content.data(), static_cast<DWORD>(content.size()), &read, nullptr);
  content.resize(read);
  CloseHandle(file);
  return content;
}

bool Exists(const std::u16string& path) {
  return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The child's part: the large capture through the bridge's own write.
int WriteCapture(const char* target, const char* readyEvent) {
  platform::win32::Win32Platform platform;
  const std::string bytes = Bytes(kNewSize, 7);
  const auto ready =
      reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(std::strtoull(readyEvent, nullptr, 10)));
  SetEvent(ready);
  try {
    bridge::WriteFileBytes(platform, CapturePath(Utf16(target)), bytes);
  } catch (const bridge::BridgeError&) {
    return 2;
  }
  return 0;
}

class CaptureKill : public ::testing::Test {
 protected:
  CaptureKill() { bridge::EnsureDirectory(platform_.files(), CapturePath(folder_)); }
  ~CaptureKill() override {
    DeleteFileW(Wide(target_).c_str());
    DeleteFileW(Wide(temporary_).c_str());
    RemoveDirectoryW(Wide(folder_).c_str());
  }

  // Starts the child on the target, waits until its write begins, lets it
  // run `delay` milliseconds and kills it; a negative delay lets it finish.
  void RunChild(int delay) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    const HANDLE ready = CreateEventW(&inherit, TRUE, FALSE, nullptr);
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\" --write-capture \"" + Wide(target_) +
                               L"\" " + std::to_wstring(reinterpret_cast<std::uintptr_t>(ready));
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION child{};
    ASSERT_TRUE(CreateProcessW(self, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                               nullptr, &startup, &child));
    const HANDLE waitFor[] = {ready, child.hProcess};
    EXPECT_EQ(WaitForMultipleObjects(2, waitFor, FALSE, 60000), WAIT_OBJECT_0)
        << "the child never began its write";
    if (delay >= 0) {
      Sleep(static_cast<DWORD>(delay));
      TerminateProcess(child.hProcess, 99);
    }
    EXPECT_EQ(WaitForSingleObject(child.hProcess, 120000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    GetExitCodeProcess(child.hProcess, &exitCode);
    if (delay < 0) {
      EXPECT_EQ(exitCode, 0u) << "the child's write failed";
    }
    CloseHandle(child.hProcess);
    CloseHandle(child.hThread);
    CloseHandle(ready);
  }

  platform::win32::Win32Platform platform_;
  const std::u16string folder_ =
      u"C:\\velmoran_pose\\kill-" + Utf16(std::to_string(GetCurrentProcessId())) + u"\\";
  const std::u16string target_ = folder_ + u"big.png";
  const std::u16string temporary_ = bridge::TemporaryPathFor(CapturePath(target_));
  const std::string old_ = Bytes(kOldSize, 1);
  const std::string new_ = Bytes(kNewSize, 7);
};

TEST_F(CaptureKill, FileIsAlwaysTheOldOrTheNewCapture) {
  int keptOld = 0;
  int tookNew = 0;
  int leftTemporary = 0;
  for (const int delay : {0, 1, 2, 5, 10, 20, 40, 80, 160, 320, 640, -1}) {
    SCOPED_TRACE("killed after " + std::to_string(delay) + " ms");
    // Each round starts from the old capture, written over whatever the
    // previous round left, a temporary of a killed writer included.
    ASSERT_NO_THROW(bridge::WriteFileBytes(platform_, CapturePath(target_), old_));
    ASSERT_EQ(Content(target_), old_);
    ASSERT_FALSE(Exists(temporary_)) << "the write went through the stale temporary";

    RunChild(delay);
    const std::string content = Content(target_);
    const bool isOld = content == old_;
    const bool isNew = content == new_;
    EXPECT_TRUE(isOld || isNew) << "the file holds " << content.size() << " bytes of neither capture";
    keptOld += isOld ? 1 : 0;
    tookNew += isNew ? 1 : 0;
    leftTemporary += Exists(temporary_) ? 1 : 0;
  }
  std::printf(
      "kills that kept the old capture: %d, rounds that ended with the new one: %d, "
      "temporaries left by killed writers: %d\n",
      keptOld, tookNew, leftTemporary);
  EXPECT_GT(leftTemporary, 0) << "no kill landed in the middle of a write";
  EXPECT_GT(tookNew, 0);
  ASSERT_NO_THROW(bridge::WriteFileBytes(platform_, CapturePath(target_), old_));
  EXPECT_EQ(Content(target_), old_);
  EXPECT_FALSE(Exists(temporary_));
}

}  // namespace
}  // namespace velmoran::test

// Defined here, so the linker leaves GoogleTest's own main aside.
int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--write-capture") == 0) {
    return velmoran::test::WriteCapture(argv[2], argv[3]);
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
