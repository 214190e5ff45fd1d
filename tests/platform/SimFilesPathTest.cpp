#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/sim/SimFiles.h"
#include "tests/support/CaseName.h"
#include "tests/support/TempFolder.h"

namespace velmoran::test {
namespace {

using platform::Handle;
using platform::kCreateAlways;
using platform::kCreateNew;
using platform::kErrorAlreadyExists;
using platform::kErrorDirectory;
using platform::kErrorFilenameExcedRange;
using platform::kErrorFileNotFound;
using platform::kErrorInvalidName;
using platform::kErrorPathNotFound;
using platform::kFileAttributeArchive;
using platform::kFileAttributeDirectory;
using platform::kGenericWrite;
using platform::kInvalidFileAttributes;
using platform::kInvalidHandle;
using platform::sim::SimFiles;

constexpr std::uint32_t kErrorBadNetPath = 53;
constexpr std::uint32_t kFile = kFileAttributeArchive;
constexpr std::uint32_t kFolder = kFileAttributeDirectory;
constexpr std::uint32_t kNone = kInvalidFileAttributes;

// Every case runs against the same small tree: C:\Pose\A01\1.png.
class SimFilesPaths : public ::testing::Test {
 protected:
  SimFilesPaths() : files(temp.path()) {
    std::filesystem::create_directories(temp.path() / "C" / "Pose" / "A01");
    std::ofstream(temp.path() / "C" / "Pose" / "A01" / "1.png") << "png";
  }
  std::filesystem::path Host(const char* relative) const { return temp.path() / relative; }

  test::TempFolder temp;
  SimFiles files;
};

struct PathCase {
  std::string name;
  std::u16string path;
  std::uint32_t attributes;
  std::uint32_t error;  // GetLastError() after a failure
};

class SimFilesPathTable : public SimFilesPaths, public ::testing::WithParamInterface<PathCase> {};

TEST_P(SimFilesPathTable, AttributesFollowWindowsPathRules) {
  const PathCase& c = GetParam();
  EXPECT_EQ(files.GetFileAttributesW(c.path), c.attributes);
  if (c.attributes == kNone) {
    EXPECT_EQ(files.GetLastError(), c.error);
  } else if (c.attributes == kFile) {
    EXPECT_EQ(files.HostPath(c.path), Host("C/Pose/A01/1.png"));
  }
}

std::vector<PathCase> PathCases() {
  const std::u16string folder = u"C:\\Pose\\";  // 8 characters
  return {
      {"Exact", u"C:\\Pose\\A01\\1.png", kFile, 0},
      {"OtherCaseAndForwardSlashes", u"c:/pOSE/a01/1.PNG", kFile, 0},
      {"OnlyFirstNameInOtherCase", u"C:\\POSE\\A01\\1.png", kFile, 0},
      {"RepeatedSeparators", u"C:\\\\Pose\\A01\\\\1.png", kFile, 0},
      {"DotAndDotDot", u"C:\\Pose\\x\\..\\A01\\.\\1.png", kFile, 0},
      {"DotDotAboveRootStaysAtRoot", u"C:\\..\\..\\Pose\\A01\\1.png", kFile, 0},
      {"TrailingDotsAndBlanksOfLastName", u"C:\\Pose\\A01\\1.png. .", kFile, 0},
      {"SingleTrailingDotOfInnerName", u"C:\\Pose.\\A01\\1.png", kFile, 0},
      {"RelativeToCurrentDirectory", u"Pose\\A01\\1.png", kFile, 0},
      {"DriveRelative", u"c:Pose\\A01\\1.png", kFile, 0},
      {"RootedOnCurrentDrive", u"\\Pose\\A01", kFolder, 0},
      {"DriveRoot", u"C:\\", kFolder, 0},
      {"FolderWithTrailingSeparator", u"C:\\Pose\\a01\\", kFolder, 0},
      {"LongTextThatResolvesShort",
       u"C:\\Pose\\" +
           [] {
             std::u16string detours;
             for (int i = 0; i < 60; ++i) detours += u"xyz\\..\\";
             return detours;
           }() +
           u"A01",
       kFolder, 0},
      {"MissingFile", u"C:\\Pose\\A01\\2.png", kNone, kErrorFileNotFound},
      {"MissingFolder", u"C:\\Nope\\A01\\1.png", kNone, kErrorPathNotFound},
      {"FileUsedAsFolder", u"C:\\Pose\\A01\\1.png\\x", kNone, kErrorPathNotFound},
      {"FileWithTrailingSeparator", u"C:\\Pose\\A01\\1.png\\", kNone, kErrorInvalidName},
      {"Asterisk", u"C:\\Pose\\A0*", kNone, kErrorInvalidName},
      {"QuestionMark", u"C:\\Pose\\A0?\\1.png", kNone, kErrorInvalidName},
      {"AngleBracket", u"C:\\Pose\\a<b", kNone, kErrorInvalidName},
      {"Pipe", u"C:\\Pose\\a|b", kNone, kErrorInvalidName},
      {"Quote", u"C:\\Pose\\a\"b", kNone, kErrorInvalidName},
      // A colon in the final name names a stream of the file before it.
      {"StreamOfMissingFile", u"C:\\Pose\\a:b", kNone, kErrorFileNotFound},
      {"MissingStreamOfFile", u"C:\\Pose\\A01\\1.png:x", kNone, kErrorFileNotFound},
      {"MainStreamOfFile", u"C:\\Pose\\A01\\1.PNG::$DATA", kFile, 0},
      {"StreamOfAnotherType", u"C:\\Pose\\A01\\1.png:x:$INDEX_ALLOCATION", kNone, kErrorInvalidName},
      {"EmptyStreamName", u"C:\\Pose\\A01\\1.png:", kNone, kErrorInvalidName},
      {"ColonInAFolderName", u"C:\\Pose\\a:b\\1.png", kNone, kErrorInvalidName},
      {"ControlCharacter",
       u"C:\\Pose\\a\x01"
       u"b",
       kNone, kErrorInvalidName},
      // Win32 calls take terminated strings: the path ends at its first NUL.
      {"EmbeddedNulEndsThePath", std::u16string(u"C:\\Pose\0x", 9), kFolder, 0},
      {"MissingDrive", u"D:\\Pose", kNone, kErrorPathNotFound},
      {"Unc", u"\\\\server\\share\\1.png", kNone, kErrorBadNetPath},
      {"UncWithForwardSlashes", u"//server/share/1.png", kNone, kErrorBadNetPath},
      {"Empty", u"", kNone, kErrorPathNotFound},
      {"Exactly259Characters", folder + std::u16string(251, u'a'), kNone, kErrorFileNotFound},
      {"Over259Characters", folder + std::u16string(252, u'a'), kNone, kErrorPathNotFound},
      {"NameOver255Characters", u"C:\\" + std::u16string(256, u'a'), kNone, kErrorFilenameExcedRange},
  };
}

INSTANTIATE_TEST_SUITE_P(Cases, SimFilesPathTable, ::testing::ValuesIn(PathCases()), CaseName());

TEST_F(SimFilesPaths, NewNamesKeepTheirCaseAndExistingNamesAreFoundInAnyCase) {
  ASSERT_TRUE(files.CreateDirectoryW(u"c:\\pose\\New"));
  EXPECT_TRUE(std::filesystem::is_directory(Host("C/Pose/New")));
  EXPECT_FALSE(files.CreateDirectoryW(u"C:\\POSE\\NEW"));
  EXPECT_EQ(files.GetLastError(), kErrorAlreadyExists);

  const Handle file = files.CreateFileW(u"C:\\pose\\new\\Capture.TXT", kGenericWrite, 0, kCreateNew);
  ASSERT_NE(file, kInvalidHandle);
  files.CloseHandle(file);
  EXPECT_TRUE(std::filesystem::is_regular_file(Host("C/Pose/New/Capture.TXT")));

  // Replacing through another case must hit the same file, not make a second one.
  const Handle again = files.CreateFileW(u"C:\\POSE\\NEW\\capture.txt", kGenericWrite, 0, kCreateAlways);
  ASSERT_NE(again, kInvalidHandle);
  EXPECT_EQ(files.GetLastError(), kErrorAlreadyExists);
  files.CloseHandle(again);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Host("C/Pose/New")),
                          std::filesystem::directory_iterator()),
            1);
}

TEST_F(SimFilesPaths, CreateDirectoryNeedsItsParentAndRefusesExistingNames) {
  EXPECT_FALSE(files.CreateDirectoryW(u"C:\\Pose\\B\\C"));
  EXPECT_EQ(files.GetLastError(), kErrorPathNotFound);
  EXPECT_FALSE(files.CreateDirectoryW(u"C:\\Pose\\A01\\1.png"));
  EXPECT_EQ(files.GetLastError(), kErrorAlreadyExists);
  EXPECT_FALSE(files.CreateDirectoryW(u"X:\\Pose"));
  EXPECT_EQ(files.GetLastError(), kErrorPathNotFound);

  files.AddDrive(u'x');
  EXPECT_TRUE(files.CreateDirectoryW(u"X:\\Pose\\"));
  EXPECT_TRUE(std::filesystem::is_directory(Host("X/Pose")));
}

TEST_F(SimFilesPaths, CurrentDirectoryAnchorsRelativePaths) {
  EXPECT_EQ(files.GetCurrentDirectoryW(), u"C:\\");
  ASSERT_TRUE(files.SetCurrentDirectoryW(u"C:\\Pose\\"));
  EXPECT_EQ(files.GetCurrentDirectoryW(), u"C:\\Pose");
  EXPECT_EQ(files.GetFileAttributesW(u"A01\\1.png"), kFile);
  EXPECT_EQ(files.GetFileAttributesW(u"C:A01\\1.png"), kFile);
  EXPECT_EQ(files.GetFileAttributesW(u"..\\Pose\\A01"), kFolder);

  EXPECT_FALSE(files.SetCurrentDirectoryW(u"A01\\1.png"));
  EXPECT_EQ(files.GetLastError(), kErrorDirectory);
  EXPECT_FALSE(files.SetCurrentDirectoryW(u"C:\\Nope"));
  EXPECT_EQ(files.GetLastError(), kErrorFileNotFound);
  EXPECT_EQ(files.GetCurrentDirectoryW(), u"C:\\Pose");
}

TEST_F(SimFilesPaths, DriveRelativePathOnAnotherDriveStartsAtItsRoot) {
  files.AddDrive(u'D');
  ASSERT_TRUE(files.SetCurrentDirectoryW(u"C:\\Pose"));
  ASSERT_TRUE(files.CreateDirectoryW(u"D:A01"));
  EXPECT_TRUE(std::filesystem::is_directory(Host("D/A01")));
}

}  // namespace
}  // namespace velmoran::test
