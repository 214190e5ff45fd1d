#include <gtest/gtest.h>

#include "bridge/BridgeError.h"
#include "bridge/FileHelpers.h"
#include "tests/bridge/BridgeTestSupport.h"

namespace velmoran::test {
namespace {

using bridge::BridgeError;
using bridge::CapturePath;
using bridge::CheckPathCharacters;
using bridge::CheckPathFormat;
using bridge::CombineFolderAndName;
using bridge::EnsureDirectory;
using bridge::FolderOf;
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

}  // namespace
}  // namespace velmoran::test
