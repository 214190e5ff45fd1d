#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <set>
#include <string>

#include "platform/sim/SimFiles.h"
#include "tests/support/TempFolder.h"

// How the simulated Windows keeps its files on the host, where the contract
// tests cannot look: each Windows name has a host name of its own, streams
// live beside their files, and share modes hold for every process.
namespace velmoran::test {
namespace {

using platform::Handle;
using platform::kCreateAlways;
using platform::kErrorFilenameExcedRange;
using platform::kErrorInvalidName;
using platform::kErrorSharingViolation;
using platform::kFileAttributeArchive;
using platform::kFileShareRead;
using platform::kFileShareWrite;
using platform::kGenericRead;
using platform::kGenericWrite;
using platform::kInvalidHandle;
using platform::kMaxDirectoryPathLength;
using platform::kOpenExisting;
using platform::sim::SimFiles;

class SimFilesHost : public ::testing::Test {
 protected:
  SimFilesHost() : files_(temp_.path()) {}

  bool Put(SimFiles& files, std::u16string_view path, std::string_view content) {
    const Handle file = files.CreateFileW(path, kGenericWrite, 0, kCreateAlways);
    if (file == kInvalidHandle) return false;
    std::uint32_t written = 0;
    files.WriteFile(file, content.data(), static_cast<std::uint32_t>(content.size()), written);
    files.CloseHandle(file);
    return written == content.size();
  }
  std::string HostContent(const std::filesystem::path& path) const {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::string content(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(content.data(), static_cast<std::streamsize>(content.size()));
    return content;
  }
  std::set<std::string> HostNames() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(temp_.path() / "C")) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  test::TempFolder temp_;
  SimFiles files_;
};

TEST_F(SimFilesHost, UnpairedSurrogatesKeepTheirOwnHostNames) {
  const std::u16string high = u"C:\\" + std::u16string(1, char16_t(0xD800)) + u".png";
  const std::u16string replacement = u"C:\\\uFFFD.png";
  ASSERT_TRUE(Put(files_, high, "1"));
  ASSERT_TRUE(Put(files_, replacement, "2"));
  // The surrogate in its three bytes of generalized UTF-8; U+FFFD as UTF-8.
  EXPECT_EQ(HostNames(), (std::set<std::string>{"\xED\xA0\x80.png", "\xEF\xBF\xBD.png"}));
  EXPECT_EQ(files_.HostPath(u"C:\\" + std::u16string(1, char16_t(0xD800)) + u".PNG"),
            temp_.path() / "C" / "\xED\xA0\x80.png")
      << "the stored name is found again in another case";
}

TEST_F(SimFilesHost, StreamLivesBesideItsFileUnderANameNoWindowsFileCanHave) {
  ASSERT_TRUE(Put(files_, u"C:\\a.txt", "main"));
  ASSERT_TRUE(Put(files_, u"C:\\A.TXT:Side", "side"));
  EXPECT_EQ(HostContent(temp_.path() / "C" / "a.txt"), "main");
  EXPECT_EQ(HostContent(temp_.path() / "C" / "a.txt:Side"), "side");
  EXPECT_EQ(files_.HostPath(u"C:\\a.txt:SIDE:$DATA"), temp_.path() / "C" / "a.txt:Side");

  // A stream of a missing file brings the file with it, empty.
  ASSERT_TRUE(Put(files_, u"C:\\new.txt:x", "x"));
  EXPECT_EQ(HostContent(temp_.path() / "C" / "new.txt"), "");
  EXPECT_EQ(files_.GetFileAttributesW(u"C:\\new.txt"), kFileAttributeArchive);
  EXPECT_FALSE(files_.CreateDirectoryW(u"C:\\a.txt:folder"));
  EXPECT_EQ(files_.GetLastError(), kErrorInvalidName);
}

TEST_F(SimFilesHost, CreateDirectoryRefusesAPathPastItsLimit) {
  auto folderOfLength = [](std::size_t length) { return u"C:\\" + std::u16string(length - 3, u'd'); };
  EXPECT_TRUE(files_.CreateDirectoryW(folderOfLength(kMaxDirectoryPathLength)));
  EXPECT_FALSE(files_.CreateDirectoryW(folderOfLength(kMaxDirectoryPathLength + 1)));
  EXPECT_EQ(files_.GetLastError(), kErrorFilenameExcedRange);
  // An existing folder past the limit is refused all the same: the length is checked first.
  std::filesystem::create_directory(temp_.path() / "C" / std::string(kMaxDirectoryPathLength + 2 - 3, 'e'));
  EXPECT_FALSE(files_.CreateDirectoryW(u"C:\\" + std::u16string(kMaxDirectoryPathLength + 2 - 3, u'e')));
  EXPECT_EQ(files_.GetLastError(), kErrorFilenameExcedRange);
}

TEST_F(SimFilesHost, ShareModesHoldBetweenProcesses) {
  ASSERT_TRUE(Put(files_, u"C:\\errlog.txt", "held"));
  int held[2];
  int release[2];
  ASSERT_EQ(::pipe(held), 0);
  ASSERT_EQ(::pipe(release), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // Another process with its own simulated Windows over the same drives.
    SimFiles other(temp_.path());
    const Handle file =
        other.CreateFileW(u"C:\\errlog.txt", kGenericRead | kGenericWrite, kFileShareRead, kOpenExisting);
    const char opened = file != kInvalidHandle ? 'y' : 'n';
    char ignored = 0;
    if (::write(held[1], &opened, 1) != 1 || ::read(release[0], &ignored, 1) < 0) ::_exit(2);
    ::_exit(0);
  }
  char opened = 0;
  ASSERT_EQ(::read(held[0], &opened, 1), 1);
  ASSERT_EQ(opened, 'y');
  EXPECT_EQ(files_.CreateFileW(u"C:\\errlog.txt", kGenericWrite, kFileShareRead, kCreateAlways),
            kInvalidHandle);
  EXPECT_EQ(files_.GetLastError(), kErrorSharingViolation);
  const Handle reader =
      files_.CreateFileW(u"C:\\errlog.txt", kGenericRead, kFileShareRead | kFileShareWrite, kOpenExisting);
  EXPECT_NE(reader, kInvalidHandle) << "reading beside a writer that shares reading";
  files_.CloseHandle(reader);

  ASSERT_EQ(::write(release[1], "x", 1), 1);
  int status = 0;
  ::waitpid(child, &status, 0);
  for (const int fd : {held[0], held[1], release[0], release[1]}) ::close(fd);
  EXPECT_EQ(status, 0);
  const Handle writer = files_.CreateFileW(u"C:\\errlog.txt", kGenericWrite, kFileShareRead, kOpenExisting);
  EXPECT_NE(writer, kInvalidHandle) << "the other process's handle went with it";
  files_.CloseHandle(writer);
  EXPECT_EQ(HostContent(temp_.path() / "C" / "errlog.txt"), "held");
}

}  // namespace
}  // namespace velmoran::test
