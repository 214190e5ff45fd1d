#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bridge/BridgeError.h"
#include "bridge/FileHelpers.h"
#include "tests/bridge/BridgeTestSupport.h"
#include "tests/support/CaseName.h"

namespace velmoran::test {
namespace {

using bridge::BridgeError;
using bridge::CapturePath;
using bridge::CheckPathCharacters;
using bridge::CheckPathFormat;
using bridge::CombineFolderAndName;
using bridge::EnsureDirectory;
using bridge::FolderOf;
using bridge::TemporaryPathFor;
using bridge::WriteFileBytes;
using bridge::WriteTextToFolder;

std::u16string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const BridgeError& error) {
    return error.text();
  }
  return u"(no error)";
}

TEST(FolderOf, TrimsAndCutsAtTheLastSeparator) {
  EXPECT_EQ(FolderOf(u"C:\\velmoran_pose\\A01\\"), u"C:\\velmoran_pose\\A01");
  EXPECT_EQ(FolderOf(u"C:\\velmoran_pose\\\\"), u"C:\\velmoran_pose\\");
  EXPECT_EQ(FolderOf(u"  C:\\velmoran_pose\\a/b \t"), u"C:\\velmoran_pose\\a");
  EXPECT_EQ(FolderOf(u"name"), u"");
}

TEST(CombineFolderAndName, RootedNamesStandAlone) {
  EXPECT_EQ(CombineFolderAndName(u"C:\\d", u"x.json"), u"C:\\d\\x.json");
  EXPECT_EQ(CombineFolderAndName(u"C:\\d\\", u"x.json"), u"C:\\d\\x.json");
  EXPECT_EQ(CombineFolderAndName(u"C:\\d", u"\\x.json"), u"\\x.json");
  EXPECT_EQ(CombineFolderAndName(u"C:\\d", u"/x.json"), u"/x.json");
  EXPECT_EQ(CombineFolderAndName(u"C:\\d", u"D:\\x.json"), u"D:\\x.json");
  EXPECT_EQ(CombineFolderAndName(u"C:\\d", u"C:x.json"), u"C:x.json");
  EXPECT_EQ(CombineFolderAndName(u"C:\\d", u""), u"C:\\d\\");
}

TEST(PathForm, NamesTheFault) {
  for (std::u16string_view bad :
       {u"C:\\a*b", u"C:\\a?b", u"C:\\a\"b", u"C:\\a<b", u"C:\\a>b", u"C:\\a|b", u"C:\\a\tb"}) {
    EXPECT_EQ(ErrorOf([&] { CheckPathCharacters(bad); }), u"Invalid characters in path") << Utf16ToUtf8(bad);
  }
  EXPECT_EQ(ErrorOf([] { CheckPathCharacters(u"C:\\a b\\c.d:e/f"); }), u"(no error)");
  EXPECT_EQ(ErrorOf([] { CheckPathFormat(u"C:\\a:b"); }), u"The path format is not supported");
  EXPECT_EQ(ErrorOf([] { CheckPathFormat(u"1:\\a"); }), u"The path format is not supported");
  EXPECT_EQ(ErrorOf([] { CheckPathFormat(u"c:\\a\\b"); }), u"(no error)");
}

class FileHelpersTest : public ::testing::Test {
 protected:
  FileHelpersTest() : platform(root.path()) {}
  std::filesystem::path Host(const char* underC) { return root.path() / "C" / underC; }

  TempFolder root;
  platform::sim::SimPlatform platform;
};

TEST_F(FileHelpersTest, EnsureDirectoryCreatesEveryLevel) {
  EnsureDirectory(platform.files(), CapturePath(u"C:\\velmoran_pose\\a\\b\\c\\"));
  EXPECT_TRUE(std::filesystem::is_directory(Host("velmoran_pose/a/b/c")));
}

TEST_F(FileHelpersTest, EnsureDirectoryTestsTheFormOnlyWhenTheFolderIsMissing) {
  EXPECT_EQ(ErrorOf([&] { EnsureDirectory(platform.files(), CapturePath(u"C:\\velmoran_pose\\a*\\")); }),
            u"Invalid characters in path");
  EXPECT_FALSE(std::filesystem::exists(Host("velmoran_pose")));
}

TEST_F(FileHelpersTest, EnsureDirectoryRefusesAFolderPastTheSystemLimitBeforeMakingAnyLevel) {
  // The last level takes the folder path to the limit, then one past it.
  const std::u16string parent = u"C:\\velmoran_pose\\a\\";
  const std::size_t room = 247 - parent.size();
  EnsureDirectory(platform.files(), CapturePath(parent + std::u16string(room, u'x')));
  EXPECT_TRUE(std::filesystem::is_directory(Host("velmoran_pose/a") / std::string(room, 'x')));

  const std::u16string tooLong = u"C:\\velmoran_pose\\b\\" + std::u16string(room + 1, u'x');
  EXPECT_EQ(ErrorOf([&] { EnsureDirectory(platform.files(), CapturePath(tooLong)); }),
            u"The folder path is too long");
  EXPECT_FALSE(std::filesystem::exists(Host("velmoran_pose/b")));
}

TEST_F(FileHelpersTest, EnsureDirectoryNeedsDriveC) {
  std::filesystem::remove_all(root.path() / "C");
  EXPECT_EQ(ErrorOf([&] { EnsureDirectory(platform.files(), CapturePath(u"C:\\velmoran_pose\\a\\")); }),
            u"The drive cannot be found");
}

TEST_F(FileHelpersTest, WriteTextToFolderReplacesWithUtf8WithoutMark) {
  WriteTextToFolder(platform, u"C:\\velmoran_pose\\A01\\", u"x.json", u"first, longer text");
  WriteTextToFolder(platform, u"C:\\velmoran_pose\\A01\\", u"x.json", u"가\r\n1");
  EXPECT_EQ(ReadHostFile(Host("velmoran_pose/A01/x.json")), "\xEA\xB0\x80\r\n1");
}

TEST_F(FileHelpersTest, WriteTextToFolderNeedsTheNamedSubFolder) {
  EXPECT_EQ(ErrorOf([&] { WriteTextToFolder(platform, u"C:\\velmoran_pose\\A01\\", u"sub\\x.json", u"t"); }),
            u"The specified path was not found");
  EXPECT_EQ(ErrorOf([&] { WriteTextToFolder(platform, u"C:\\velmoran_pose\\A01\\", u"x*.json", u"t"); }),
            u"Invalid characters in path");
  EXPECT_EQ(ErrorOf([&] { WriteTextToFolder(platform, u"C:\\velmoran_pose\\A01\\", u"ab:c.json", u"t"); }),
            u"The name contains a stream separator");
}

TEST_F(FileHelpersTest, WriteTextToFolderStaysInsideTheRoot) {
  EXPECT_EQ(
      ErrorOf([&] { WriteTextToFolder(platform, u"C:\\velmoran_pose\\A01\\", u"..\\..\\x.json", u"t"); }),
      u"The path is outside the capture root");
  EXPECT_EQ(ErrorOf([&] { WriteTextToFolder(platform, u"C:\\elsewhere\\", u"x.json", u"t"); }),
            u"The path is outside the capture root");
  EXPECT_FALSE(std::filesystem::exists(Host("x.json")));
  EXPECT_FALSE(std::filesystem::exists(Host("elsewhere")));
}

TEST_F(FileHelpersTest, CannotCreateFileCarriesPathAndTrimmedSystemText) {
  auto& files = platform.files();
  EnsureDirectory(files, CapturePath(u"C:\\velmoran_pose\\A01\\"));
  const platform::Handle other =
      files.CreateFileW(u"C:\\velmoran_pose\\A01\\busy.png", platform::kGenericWrite,
                        platform::kFileShareRead, platform::kCreateAlways);
  ASSERT_NE(other, platform::kInvalidHandle);
  std::u16string systemText = platform.locale().FormatMessageW(platform::kErrorSharingViolation);
  ASSERT_GE(systemText.size(), 2u);
  ASSERT_EQ(systemText.substr(systemText.size() - 2), u"\r\n");
  systemText.resize(systemText.size() - 2);
  EXPECT_EQ(
      ErrorOf([&] { WriteFileBytes(platform, CapturePath(u"C:\\velmoran_pose\\A01\\\\busy.png"), "x"); }),
      u"Cannot create file \"C:\\velmoran_pose\\A01\\\\busy.png\". " + systemText);
  files.CloseHandle(other);
}

TEST_F(FileHelpersTest, FullDiskIsAStreamWriteError) {
  EnsureDirectory(platform.files(), CapturePath(u"C:\\velmoran_pose\\A01\\"));
  platform.files().SetDiskSpace(3);
  EXPECT_EQ(
      ErrorOf([&] { WriteFileBytes(platform, CapturePath(u"C:\\velmoran_pose\\A01\\x.png"), "12345"); }),
      u"Stream write error");
  EXPECT_EQ(platform.files().OpenHandles(), 0u);
}

TEST(TemporaryPathFor, SitsBesideTheFileAndNeverLooksLikeACapture) {
  const std::u16string temporary = TemporaryPathFor(CapturePath(u"C:\\velmoran_pose\\A01\\\\1.png"));
  EXPECT_EQ(temporary.rfind(u"C:\\velmoran_pose\\A01\\~vm", 0), 0u) << Utf16ToUtf8(temporary);
  EXPECT_EQ(temporary.size(), std::u16string_view(u"C:\\velmoran_pose\\A01\\").size() + 11);
  EXPECT_EQ(TemporaryPathFor(CapturePath(u"C:\\velmoran_pose\\a01\\1.PNG")).substr(20), temporary.substr(20))
      << "the same file whatever its spelling";
  EXPECT_NE(TemporaryPathFor(CapturePath(u"C:\\velmoran_pose\\A01\\2.png")), temporary);
  EXPECT_NE(TemporaryPathFor(CapturePath(u"C:\\velmoran_pose\\A01\\user.txt")), temporary);
  EXPECT_TRUE(CapturePath::IsTemporaryName(temporary.substr(temporary.find_last_of(u'\\') + 1)))
      << "the form no capture may have";
}

// What is in the way of a capture file that already holds "old", and what
// the write of "new" then raises.
struct RefusedWriteCase {
  const char* name;
  const char16_t* target;  // below C:\velmoran_pose\A01
  std::function<void(platform::sim::SimPlatform&, platform::sim::SimFiles& otherProcess,
                     const std::filesystem::path& host)>
      arrange;
  std::u16string error;  // the system's message for "Cannot create file", or the whole text
};

void PrintTo(const RefusedWriteCase& c, std::ostream* out) { *out << c.name; }

class RefusedWrites : public FileHelpersTest, public ::testing::WithParamInterface<RefusedWriteCase> {};

TEST_P(RefusedWrites, LeaveTheEarlierFileExactlyAsItWas) {
  const RefusedWriteCase& c = GetParam();
  EnsureDirectory(platform.files(), CapturePath(u"C:\\velmoran_pose\\A01\\"));
  const std::filesystem::path host = Host("velmoran_pose/A01/1.png");
  WriteHostFile(host, "old");
  platform::sim::SimFiles otherProcess(root.path());
  c.arrange(platform, otherProcess, host);
  const std::u16string written = u"C:\\velmoran_pose\\A01\\" + std::u16string(c.target);
  const std::u16string text = ErrorOf([&] { WriteFileBytes(platform, CapturePath(written), "new"); });
  if (c.error == u"Stream write error") {
    EXPECT_EQ(text, c.error);
  } else {
    EXPECT_EQ(text, u"Cannot create file \"" + written + u"\". " + c.error);
  }
  platform.files().SetFlushFailure(platform::kErrorSuccess);
  std::filesystem::permissions(host, std::filesystem::perms::owner_all);
  EXPECT_EQ(ReadHostFile(host), "old");
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(Host("velmoran_pose/A01"))) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(names, std::vector<std::string>{"1.png"}) << "no temporary is left behind";
  EXPECT_EQ(platform.files().OpenHandles(), 0u);
}

const auto kNothingInTheWay = [](platform::sim::SimPlatform&, platform::sim::SimFiles&,
                                 const std::filesystem::path&) {};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, RefusedWrites, ::testing::Values(
    RefusedWriteCase{"EmptyNameNamesTheFolder", u"", kNothingInTheWay, u"Access is denied."},
    RefusedWriteCase{"MissingFolder", u"sub\\1.png", kNothingInTheWay, u"The system cannot find the path specified."},
    RefusedWriteCase{"ReadOnlyTarget", u"1.png",
        [](auto&, auto&, const std::filesystem::path& host) {
          std::filesystem::permissions(host, std::filesystem::perms::owner_read);
        },
        u"Access is denied."},
    RefusedWriteCase{"TargetHeldOpenByAnotherProcess", u"1.png",
        [](auto&, platform::sim::SimFiles& other, const std::filesystem::path&) {
          other.CreateFileW(u"C:\\velmoran_pose\\A01\\1.png", platform::kGenericRead, platform::kFileShareRead,
                            platform::kOpenExisting);
        },
        u"The process cannot access the file because it is being used by another process."},
    // Open for its attributes only: no share mode stops a write, but the file cannot be replaced.
    RefusedWriteCase{"MoveRefusedByAHandleWithoutDataAccess", u"1.png",
        [](auto&, platform::sim::SimFiles& other, const std::filesystem::path&) {
          other.CreateFileW(u"C:\\velmoran_pose\\A01\\1.png", 0, platform::kFileShareRead | platform::kFileShareWrite,
                            platform::kOpenExisting);
        },
        u"Access is denied."},
    RefusedWriteCase{"DiskFull", u"1.png",
        [](platform::sim::SimPlatform& p, auto&, const std::filesystem::path&) { p.files().SetDiskSpace(2); },
        u"Stream write error"},
    RefusedWriteCase{"FlushFails", u"1.png",
        [](platform::sim::SimPlatform& p, auto&, const std::filesystem::path&) {
          p.files().SetFlushFailure(platform::kErrorDiskFull);
        },
        u"Stream write error"}),
    CaseName());
// clang-format on

TEST_F(FileHelpersTest, StaleTemporaryIsReplacedByTheNextWriteOfTheSameFile) {
  EnsureDirectory(platform.files(), CapturePath(u"C:\\velmoran_pose\\A01\\"));
  const CapturePath file(u"C:\\velmoran_pose\\A01\\\\1.png");
  const std::filesystem::path stale = platform.files().HostPath(TemporaryPathFor(file));
  WriteHostFile(stale, std::string(5000, 'x'));
  WriteFileBytes(platform, file, "new");
  EXPECT_EQ(ReadHostFile(Host("velmoran_pose/A01/1.png")), "new");
  EXPECT_FALSE(std::filesystem::exists(stale));
}

// What a killed process leaves in a capture folder, and what the next write
// there removes.
TEST_F(FileHelpersTest, WriteRemovesTheTemporariesLeftInItsFolder) {
  EnsureDirectory(platform.files(), CapturePath(u"C:\\velmoran_pose\\A01\\"));
  EnsureDirectory(platform.files(), CapturePath(u"C:\\velmoran_pose\\B02\\"));
  const std::vector<std::string> left{"~vm0a1b2c3d", "~VMDEADBEEF", "~vm12345678"};
  for (const std::string& name : left) WriteHostFile(Host("velmoran_pose/A01") / name, "half a capture");
  const std::vector<std::string> kept{"1.png", "~vm1234.png", "~vm0a1b2c3d4", "~vm0a1b2c3g", "~vmAAAAAAAA"};
  for (const std::string& name : kept) {
    if (name != "~vmAAAAAAAA") WriteHostFile(Host("velmoran_pose/A01") / name, "kept");
  }
  std::filesystem::create_directory(Host("velmoran_pose/A01/~vmAAAAAAAA"));  // a folder is no temporary
  WriteHostFile(Host("velmoran_pose/A01/~vmFFFFFFFF"), "still being written");
  WriteHostFile(Host("velmoran_pose/B02/~vm0a1b2c3d"), "another folder's");
  // Another process is still writing this one: it is not stale.
  platform::sim::SimFiles otherProcess(root.path());
  const platform::Handle writing =
      otherProcess.CreateFileW(u"C:\\velmoran_pose\\A01\\~vmFFFFFFFF", platform::kGenericWrite,
                               platform::kFileShareNone, platform::kOpenExisting);
  ASSERT_NE(writing, platform::kInvalidHandle);

  WriteFileBytes(platform, CapturePath(u"C:\\velmoran_pose\\A01\\\\2.png"), "new");
  otherProcess.CloseHandle(writing);

  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(Host("velmoran_pose/A01"))) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  std::vector<std::string> expected = kept;
  expected.push_back("2.png");
  expected.push_back("~vmFFFFFFFF");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(names, expected);
  EXPECT_EQ(ReadHostFile(Host("velmoran_pose/A01/2.png")), "new");
  EXPECT_EQ(ReadHostFile(Host("velmoran_pose/B02/~vm0a1b2c3d")), "another folder's")
      << "only the written folder";
  EXPECT_EQ(platform.files().OpenHandles(), 0u) << "the folder's listing is ended";
}

}  // namespace
}  // namespace velmoran::test
