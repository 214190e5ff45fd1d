#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <string>
#include <string_view>

#include "platform/sim/SimFiles.h"
#include "tests/support/CaseName.h"
#include "tests/support/TempFolder.h"

namespace velmoran::test {
namespace {

using platform::Handle;
using platform::kCreateAlways;
using platform::kCreateNew;
using platform::kErrorAccessDenied;
using platform::kErrorAlreadyExists;
using platform::kErrorDiskFull;
using platform::kErrorFileExists;
using platform::kErrorFileNotFound;
using platform::kErrorInvalidHandle;
using platform::kErrorInvalidParameter;
using platform::kErrorPathNotFound;
using platform::kErrorSharingViolation;
using platform::kFileAttributeArchive;
using platform::kFileAttributeReadOnly;
using platform::kFileBegin;
using platform::kFileCurrent;
using platform::kFileEnd;
using platform::kFileShareNone;
using platform::kFileShareRead;
using platform::kFileShareWrite;
using platform::kGenericRead;
using platform::kGenericWrite;
using platform::kInvalidHandle;
using platform::kOpenAlways;
using platform::kOpenExisting;
using platform::kTruncateExisting;
using platform::sim::SimFiles;

constexpr std::uint32_t kErrorNegativeSeek = 131;
constexpr std::uint32_t kErrorResourceDataNotFound = 1812;
constexpr std::uint32_t kReadWrite = kGenericRead | kGenericWrite;
constexpr std::uint32_t kShareAll = kFileShareRead | kFileShareWrite;
constexpr std::u16string_view kLog = u"C:\\App\\errlog.txt";

class SimFilesHandles : public ::testing::Test {
 protected:
  SimFilesHandles() : files(temp.path()) { std::filesystem::create_directories(temp.path() / "C" / "App"); }
  ~SimFilesHandles() override { EXPECT_EQ(files.OpenHandles(), 0u) << "a test left a handle open"; }

  bool Write(Handle file, std::string_view text) {
    std::uint32_t written = 0;
    return files.WriteFile(file, text.data(), static_cast<std::uint32_t>(text.size()), written) &&
           written == text.size();
  }
  std::string HostContent(const char* relative) const {
    std::ifstream in(temp.path() / relative, std::ios::binary | std::ios::ate);
    std::string content(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(content.data(), static_cast<std::streamsize>(content.size()));
    return content;
  }
  void PutLog(std::string_view text) {
    const Handle file = files.CreateFileW(kLog, kGenericWrite, 0, kCreateAlways);
    ASSERT_NE(file, kInvalidHandle);
    EXPECT_TRUE(Write(file, text));
    files.CloseHandle(file);
  }

  test::TempFolder temp;
  SimFiles files;
};

TEST_F(SimFilesHandles, FolderIsNotAFile) {
  for (const std::uint32_t disposition : {kCreateAlways, kOpenExisting, kOpenAlways, kTruncateExisting}) {
    EXPECT_EQ(files.CreateFileW(u"C:\\app", kGenericWrite, 0, disposition), kInvalidHandle);
    EXPECT_EQ(files.GetLastError(), kErrorAccessDenied) << "disposition " << disposition;
  }
  EXPECT_EQ(files.CreateFileW(u"C:\\App\\", kGenericRead, kShareAll, kOpenExisting), kInvalidHandle);
  EXPECT_EQ(files.GetLastError(), kErrorAccessDenied);
  EXPECT_TRUE(std::filesystem::is_directory(temp.path() / "C" / "App"));
}

TEST_F(SimFilesHandles, DispositionsFollowWindows) {
  EXPECT_EQ(files.CreateFileW(u"C:\\Missing\\x.txt", kGenericWrite, 0, kCreateAlways), kInvalidHandle);
  EXPECT_EQ(files.GetLastError(), kErrorPathNotFound);
  EXPECT_EQ(files.CreateFileW(kLog, kGenericRead, kShareAll, kOpenExisting), kInvalidHandle);
  EXPECT_EQ(files.GetLastError(), kErrorFileNotFound);
  EXPECT_EQ(files.CreateFileW(kLog, kGenericRead, 0, kTruncateExisting), kInvalidHandle);
  EXPECT_EQ(files.GetLastError(), kErrorInvalidParameter);

  PutLog("kept");
  EXPECT_EQ(files.CreateFileW(kLog, kGenericWrite, 0, kCreateNew), kInvalidHandle);
  EXPECT_EQ(files.GetLastError(), kErrorFileExists);

  const Handle opened = files.CreateFileW(kLog, kReadWrite, kFileShareRead, kOpenAlways);
  ASSERT_NE(opened, kInvalidHandle);
  EXPECT_EQ(files.GetLastError(), kErrorAlreadyExists);
  files.CloseHandle(opened);
  EXPECT_EQ(HostContent("C/App/errlog.txt"), "kept");

  const Handle truncated = files.CreateFileW(kLog, kGenericWrite, 0, kTruncateExisting);
  ASSERT_NE(truncated, kInvalidHandle);
  files.CloseHandle(truncated);
  EXPECT_EQ(HostContent("C/App/errlog.txt"), "");
  EXPECT_EQ(files.GetFileAttributesW(kLog), kFileAttributeArchive);
}

struct ShareCase {
  std::string name;
  std::uint32_t firstAccess, firstShare, secondAccess, secondShare;
  bool secondOpens;
};

class SimFilesShareModes : public SimFilesHandles, public ::testing::WithParamInterface<ShareCase> {};

TEST_P(SimFilesShareModes, SecondOpenRespectsBothShareModes) {
  const ShareCase& c = GetParam();
  PutLog("held");
  const Handle first = files.CreateFileW(kLog, c.firstAccess, c.firstShare, kOpenExisting);
  ASSERT_NE(first, kInvalidHandle);
  // CREATE_ALWAYS: a refused open must leave the held file's content alone.
  const Handle second = files.CreateFileW(kLog, c.secondAccess, c.secondShare,
                                          (c.secondAccess & kGenericWrite) ? kCreateAlways : kOpenExisting);
  if (c.secondOpens) {
    EXPECT_NE(second, kInvalidHandle);
    files.CloseHandle(second);
  } else {
    EXPECT_EQ(second, kInvalidHandle);
    EXPECT_EQ(files.GetLastError(), kErrorSharingViolation);
    EXPECT_EQ(HostContent("C/App/errlog.txt"), "held");
  }
  files.CloseHandle(first);
  const Handle afterClose = files.CreateFileW(kLog, c.secondAccess, c.secondShare, kOpenExisting);
  EXPECT_NE(afterClose, kInvalidHandle) << "closing the first handle must lift the conflict";
  files.CloseHandle(afterClose);
}

INSTANTIATE_TEST_SUITE_P(Cases, SimFilesShareModes,
                         ::testing::Values(ShareCase{"WriterRefusesSecondWriter", kReadWrite, kFileShareRead,
                                                     kGenericWrite, kFileShareRead, false},
                                           ShareCase{"WriterAllowsSharingReader", kReadWrite, kFileShareRead,
                                                     kGenericRead, kShareAll, true},
                                           ShareCase{"ReaderMustShareWriteWithWriter", kGenericWrite,
                                                     kFileShareRead, kGenericRead, kFileShareRead, false},
                                           ShareCase{"ExclusiveReaderRefusesReader", kGenericRead,
                                                     kFileShareNone, kGenericRead, kShareAll, false},
                                           ShareCase{"SharedReaders", kGenericRead, kFileShareRead,
                                                     kGenericRead, kFileShareRead, true},
                                           ShareCase{"WritersSharingWrite", kReadWrite, kShareAll,
                                                     kGenericWrite, kShareAll, true},
                                           ShareCase{"WriterRefusedByExclusiveReader", kGenericRead,
                                                     kFileShareNone, kGenericWrite, kShareAll, false}),
                         CaseName());

TEST_F(SimFilesHandles, WriteThatDoesNotFitWritesNothingAndKeepsEarlierData) {
  PutLog("old");
  files.SetDiskSpace(10);
  const Handle file = files.CreateFileW(kLog, kGenericWrite, 0, kOpenExisting);
  ASSERT_NE(file, kInvalidHandle);
  ASSERT_TRUE(files.SetFilePointerEx(file, 0, kFileEnd, nullptr));
  EXPECT_TRUE(Write(file, "123456"));
  std::uint32_t written = 99;
  EXPECT_FALSE(files.WriteFile(file, "789ABC", 6, written));
  EXPECT_EQ(files.GetLastError(), kErrorDiskFull);
  EXPECT_EQ(written, 0u);
  EXPECT_TRUE(Write(file, "7890")) << "what still fits is written";
  EXPECT_FALSE(files.WriteFile(file, "D", 1, written));
  EXPECT_EQ(written, 0u);
  files.CloseHandle(file);
  EXPECT_EQ(HostContent("C/App/errlog.txt"), "old1234567890");
}

TEST_F(SimFilesHandles, AppendSeekAndTruncate) {
  PutLog("hello world");
  const Handle file = files.CreateFileW(kLog, kReadWrite, kFileShareRead, kOpenExisting);
  ASSERT_NE(file, kInvalidHandle);

  std::int64_t position = -1;
  ASSERT_TRUE(files.SetFilePointerEx(file, -6, kFileEnd, &position));
  EXPECT_EQ(position, 5);
  char tail[16] = {};
  std::uint32_t read = 0;
  ASSERT_TRUE(files.ReadFile(file, tail, sizeof tail, read));
  EXPECT_EQ(std::string(tail, read), " world");  // a short read at the end is a success

  ASSERT_TRUE(files.SetFilePointerEx(file, -6, kFileCurrent, &position));
  ASSERT_TRUE(files.SetEndOfFile(file));
  std::int64_t size = -1;
  ASSERT_TRUE(files.GetFileSizeEx(file, size));
  EXPECT_EQ(size, 5);
  EXPECT_TRUE(Write(file, "!"));
  EXPECT_FALSE(files.SetFilePointerEx(file, -1, kFileBegin, &position));
  EXPECT_EQ(files.GetLastError(), kErrorNegativeSeek);
  EXPECT_FALSE(
      files.SetFilePointerEx(file, std::numeric_limits<std::int64_t>::min(), kFileCurrent, &position));
  EXPECT_EQ(files.GetLastError(), kErrorNegativeSeek);
  EXPECT_FALSE(files.SetFilePointerEx(file, std::numeric_limits<std::int64_t>::max(), kFileEnd, &position));
  EXPECT_FALSE(files.SetFilePointerEx(file, 0, 7, &position));
  EXPECT_EQ(files.GetLastError(), kErrorInvalidParameter);
  files.CloseHandle(file);

  const Handle reader = files.CreateFileW(kLog, kGenericRead, kFileShareRead, kOpenExisting);
  ASSERT_NE(reader, kInvalidHandle);
  ASSERT_TRUE(files.ReadFile(reader, tail, sizeof tail, read));
  EXPECT_EQ(std::string(tail, read), "hello!");
  EXPECT_FALSE(Write(reader, "x"));
  EXPECT_EQ(files.GetLastError(), kErrorAccessDenied);
  EXPECT_FALSE(files.SetEndOfFile(reader));
  EXPECT_EQ(files.GetLastError(), kErrorAccessDenied);
  files.CloseHandle(reader);
}

TEST_F(SimFilesHandles, BadHandlesAreRefused) {
  PutLog("x");
  const Handle file = files.CreateFileW(kLog, kGenericRead, kShareAll, kOpenExisting);
  ASSERT_NE(file, kInvalidHandle);
  EXPECT_EQ(files.OpenHandles(), 1u);
  EXPECT_TRUE(files.CloseHandle(file));
  EXPECT_FALSE(files.CloseHandle(file));
  EXPECT_EQ(files.GetLastError(), kErrorInvalidHandle);
  char buffer[4];
  std::uint32_t count = 0;
  EXPECT_FALSE(files.ReadFile(file, buffer, sizeof buffer, count));
  EXPECT_EQ(files.GetLastError(), kErrorInvalidHandle);
  EXPECT_FALSE(files.WriteFile(kInvalidHandle, buffer, sizeof buffer, count));
  EXPECT_EQ(files.GetLastError(), kErrorInvalidHandle);
}

TEST_F(SimFilesHandles, HostFileWithoutWriteBitsIsReadOnly) {
  PutLog("locked");
  std::filesystem::permissions(temp.path() / "C" / "App" / "errlog.txt",
                               std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                   std::filesystem::perms::others_read);
  EXPECT_EQ(files.GetFileAttributesW(kLog), kFileAttributeArchive | kFileAttributeReadOnly);
  EXPECT_EQ(files.CreateFileW(kLog, kReadWrite, kFileShareRead, kOpenExisting), kInvalidHandle);
  EXPECT_EQ(files.GetLastError(), kErrorAccessDenied);
  EXPECT_EQ(files.CreateFileW(kLog, kGenericWrite, 0, kCreateAlways), kInvalidHandle);
  EXPECT_EQ(HostContent("C/App/errlog.txt"), "locked");
  const Handle reader = files.CreateFileW(kLog, kGenericRead, kFileShareRead, kOpenExisting);
  EXPECT_NE(reader, kInvalidHandle);
  files.CloseHandle(reader);
}

TEST_F(SimFilesHandles, VersionResourceIsFoundThroughAnySpellingOfThePath) {
  PutLog("");
  files.SetVersionResource(kLog, 0x00870000, 0x0C6B002D,
                           {{u"\\StringFileInfo\\040904B0\\ProductVersion", u"135.0.3179.45"}});
  std::uint32_t ms = 0, ls = 0;
  ASSERT_TRUE(files.GetFileVersionFixed(u"c:/app/ERRLOG.TXT", ms, ls));
  EXPECT_EQ(ms, 0x00870000u);
  EXPECT_EQ(ls, 0x0C6B002Du);
  std::u16string text;
  ASSERT_TRUE(files.GetFileVersionString(kLog, u"\\stringfileinfo\\040904b0\\productversion", text));
  EXPECT_EQ(text, u"135.0.3179.45");

  EXPECT_FALSE(files.GetFileVersionString(kLog, u"\\StringFileInfo\\040904B0\\FileVersion", text));
  EXPECT_FALSE(files.GetFileVersionFixed(u"C:\\App\\other.dll", ms, ls));
  EXPECT_EQ(files.GetLastError(), kErrorFileNotFound);
  std::ofstream(temp.path() / "C" / "App" / "plain.dll") << "MZ";
  EXPECT_FALSE(files.GetFileVersionFixed(u"C:\\App\\plain.dll", ms, ls));
  EXPECT_EQ(files.GetLastError(), kErrorResourceDataNotFound) << "a file without any resources";
}

}  // namespace
}  // namespace velmoran::test
