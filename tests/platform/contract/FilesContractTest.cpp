#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/platform/contract/ContractBackend.h"
#include "tests/support/CaseName.h"

namespace velmoran::test {
namespace {

using platform::Handle;
using platform::kInvalidHandle;

constexpr std::uint32_t kFile = platform::kFileAttributeArchive;
constexpr std::uint32_t kFolder = platform::kFileAttributeDirectory;
constexpr std::uint32_t kNone = platform::kInvalidFileAttributes;
constexpr std::uint32_t kReadWrite = platform::kGenericRead | platform::kGenericWrite;
constexpr std::uint32_t kShareAll = platform::kFileShareRead | platform::kFileShareWrite;
constexpr std::uint32_t kErrorNegativeSeek = 131;
constexpr std::uint32_t kErrorResourceDataNotFound = 1812;

// Every case runs in its own scratch folder S holding S\Pose\A01\1.png ("png").
class FilesContract : public ::testing::Test {
 protected:
  FilesContract() {
    files_.CreateDirectoryW(scratch_ + u"\\Pose");
    files_.CreateDirectoryW(scratch_ + u"\\Pose\\A01");
    Put(u"\\Pose\\A01\\1.png", "png");
  }

  std::u16string At(std::u16string_view relative) const { return scratch_ + std::u16string(relative); }

  // Creates or replaces a file below S with `content`; false when it cannot be created.
  bool Put(std::u16string_view relative, std::string_view content,
           std::uint32_t disposition = platform::kCreateAlways) {
    const Handle file = files_.CreateFileW(At(relative), platform::kGenericWrite, 0, disposition);
    if (file == kInvalidHandle) return false;
    std::uint32_t written = 0;
    const bool ok =
        files_.WriteFile(file, content.data(), static_cast<std::uint32_t>(content.size()), written);
    files_.CloseHandle(file);
    return ok && written == content.size();
  }

  // A file's whole content, or nullopt (GetLastError set) when it does not open.
  std::optional<std::string> Content(std::u16string_view relative) {
    const Handle file =
        files_.CreateFileW(At(relative), platform::kGenericRead, kShareAll, platform::kOpenExisting);
    if (file == kInvalidHandle) return std::nullopt;
    std::string content(4096, '\0');
    std::uint32_t read = 0;
    files_.ReadFile(file, content.data(), static_cast<std::uint32_t>(content.size()), read);
    files_.CloseHandle(file);
    content.resize(read);
    return content;
  }

  std::unique_ptr<ContractBackend> backend_ = MakeContractBackend();
  platform::Files& files_ = backend_->Services().files();
  const std::u16string scratch_ = backend_->ScratchFolder();
};

// --- GetFileAttributesW over the arranged tree -------------------------------

struct Answer {
  std::uint32_t attributes;
  std::uint32_t error;  // GetLastError() when the attributes are kNone
};

struct PathCase {
  const char* name;
  std::u16string path;  // below S, unless it starts with a drive letter
  Answer windows;
  std::optional<Answer> wine = std::nullopt;
};

void PrintTo(const PathCase& c, std::ostream* out) { *out << c.name; }

class FilesPathTable : public FilesContract, public ::testing::WithParamInterface<PathCase> {};

TEST_P(FilesPathTable, AttributesFollowWindowsPathRules) {
  const PathCase& c = GetParam();
  const bool absolute = c.path.size() > 1 && c.path[1] == u':';
  const std::u16string path = absolute ? c.path : At(c.path);
  const Answer expected = Expected(*backend_, c.windows, c.wine);
  const std::uint32_t attributes = files_.GetFileAttributesW(path);
  const Answer answer{attributes, attributes == kNone ? files_.GetLastError() : 0};
  EXPECT_EQ(answer.attributes, expected.attributes);
  EXPECT_EQ(answer.error, expected.error);
}

std::vector<PathCase> PathCases() {
  return {
      {"Exact", u"\\Pose\\A01\\1.png", {kFile, 0}},
      {"OtherCaseAndForwardSlashes", u"/pOSE/a01/1.PNG", {kFile, 0}},
      {"RepeatedSeparators", u"\\Pose\\\\A01\\\\1.png", {kFile, 0}},
      {"DotAndDotDot", u"\\Pose\\x\\..\\A01\\.\\1.png", {kFile, 0}},
      {"TrailingDotsAndBlanksOfLastName", u"\\Pose\\A01\\1.png. .", {kFile, 0}},
      {"FolderWithTrailingSeparator", u"\\Pose\\a01\\", {kFolder, 0}},
      {"MissingFile", u"\\Pose\\A01\\2.png", {kNone, platform::kErrorFileNotFound}},
      {"MissingFolder", u"\\Nope\\A01\\1.png", {kNone, platform::kErrorPathNotFound}},
      {"FileUsedAsFolder", u"\\Pose\\A01\\1.png\\x", {kNone, platform::kErrorPathNotFound}},
      // Wine looks for a folder of that name and finds none.
      {"FileWithTrailingSeparator",
       u"\\Pose\\A01\\1.png\\",
       {kNone, platform::kErrorInvalidName},
       Answer{kNone, platform::kErrorPathNotFound}},
      {"Asterisk", u"\\Pose\\A0*", {kNone, platform::kErrorInvalidName}},
      {"QuestionMark", u"\\Pose\\A0?\\1.png", {kNone, platform::kErrorInvalidName}},
      {"AngleBracket", u"\\Pose\\a<b", {kNone, platform::kErrorInvalidName}},
      {"Pipe", u"\\Pose\\a|b", {kNone, platform::kErrorInvalidName}},
      {"Quote", u"\\Pose\\a\"b", {kNone, platform::kErrorInvalidName}},
      {"ControlCharacter", u"\\Pose\\a\x01z", {kNone, platform::kErrorInvalidName}},
      // Win32 calls take terminated strings: the name ends at the first NUL.
      {"EmbeddedNulEndsTheName", std::u16string(u"\\Pose\\A01\\1.png\0junk", 20), {kFile, 0}},
      // "name:stream" names a stream of the file "name", here of a missing file.
      {"StreamOfMissingFile", u"\\Pose\\a:b", {kNone, platform::kErrorFileNotFound}},
      // Wine reports the missing drive as a missing file.
      {"MissingDrive",
       u"Q:\\Pose",
       {kNone, platform::kErrorPathNotFound},
       Answer{kNone, platform::kErrorFileNotFound}},
  };
}

INSTANTIATE_TEST_SUITE_P(Cases, FilesPathTable, ::testing::ValuesIn(PathCases()), CaseName());

TEST_F(FilesContract, PathLengthLimits) {
  const std::u16string folder = At(u"\\Pose");
  EXPECT_EQ(files_.GetFileAttributesW(PathOfLength(folder, platform::kMaxPathLength)), kNone);
  EXPECT_EQ(files_.GetLastError(), platform::kErrorFileNotFound);

  // One character over MAX_PATH - 1: Windows refuses the path before looking
  // at it. Wine accepts long paths everywhere and only finds nothing there.
  const std::u16string tooLong = PathOfLength(folder, platform::kMaxPathLength + 1);
  EXPECT_EQ(files_.GetFileAttributesW(tooLong), kNone);
  EXPECT_EQ(files_.GetLastError(),
            Expected(*backend_, platform::kErrorPathNotFound, std::optional(platform::kErrorFileNotFound)));
  const Handle created = files_.CreateFileW(tooLong, platform::kGenericWrite, 0, platform::kCreateAlways);
  if (backend_->UnderWine()) {
    EXPECT_NE(created, kInvalidHandle);
    files_.CloseHandle(created);
  } else {
    EXPECT_EQ(created, kInvalidHandle);
    EXPECT_EQ(files_.GetLastError(), platform::kErrorPathNotFound);
  }
}

TEST_F(FilesContract, CreateDirectoryLeavesRoomForAShortNameBelowIt) {
  // CreateDirectoryW keeps room for an 8.3 name inside every folder it makes
  // and refuses a longer path before looking at it. Wine has no such limit.
  constexpr std::size_t kLongestFolder = platform::kMaxDirectoryPathLength;
  EXPECT_TRUE(files_.CreateDirectoryW(PathOfLength(scratch_, kLongestFolder)));
  const bool created = files_.CreateDirectoryW(PathOfLength(scratch_, kLongestFolder + 1, u'm'));
  EXPECT_EQ(created, backend_->UnderWine());
  if (!created) {
    EXPECT_EQ(files_.GetLastError(), platform::kErrorFilenameExcedRange);
  }
}

TEST_F(FilesContract, CreateDirectoryNeedsItsParentAndAFreeName) {
  struct Case {
    const char* name;
    std::u16string path;
    std::uint32_t error;
  };
  const Case cases[] = {
      {"MissingParent", At(u"\\Pose\\B\\C"), platform::kErrorPathNotFound},
      {"ExistingFile", At(u"\\Pose\\A01\\1.png"), platform::kErrorAlreadyExists},
      {"ExistingFolderInOtherCase", At(u"\\POSE\\a01"), platform::kErrorAlreadyExists},
      {"InvalidName", At(u"\\Pose\\a|b"), platform::kErrorInvalidName},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(files_.CreateDirectoryW(c.path)) << c.name;
    EXPECT_EQ(files_.GetLastError(), c.error) << c.name;
  }
  EXPECT_TRUE(files_.CreateDirectoryW(At(u"\\Pose\\New\\")));
  EXPECT_EQ(files_.GetFileAttributesW(At(u"\\pose\\NEW")), kFolder);
}

// --- Names -------------------------------------------------------------------

TEST_F(FilesContract, NamesAreUtf16CodeUnitsSoUnpairedSurrogatesNameDistinctFiles) {
  // NTFS stores names as UTF-16 code units without checking them. Wine keeps
  // names in UTF-8 on the Unix side, cannot spell an unpaired surrogate there
  // and answers ERROR_FILE_NOT_FOUND instead.
  struct Case {
    std::u16string name;
    std::string content;
    bool wineCreates;
  };
  // Built by appending: GCC 12's -O3 restrict check misreads a chain of + here.
  auto name = [](std::initializer_list<char16_t> units) {
    std::u16string text(u"\\");
    text.append(units.begin(), units.end());
    text.append(u".png");
    return text;
  };
  const Case cases[] = {
      {name({0xD800}), "1", false},
      {name({0xD801}), "22", false},
      {name({0xFFFD}), "333", true},
      {name({0xDC00, 0xD800}), "4444", false},
  };
  for (const Case& c : cases) {
    const bool creates = !backend_->UnderWine() || c.wineCreates;
    EXPECT_EQ(Put(c.name, c.content, platform::kCreateNew), creates) << c.content;
    if (!creates) {
      EXPECT_EQ(files_.GetLastError(), platform::kErrorFileNotFound) << c.content;
    }
  }
  for (const Case& c : cases) {
    if (backend_->UnderWine() && !c.wineCreates) continue;
    EXPECT_EQ(Content(c.name), c.content);
  }
}

TEST_F(FilesContract, NameEndsAtItsFirstNulAndLosesItsTrailingDotsAndBlanks) {
  ASSERT_TRUE(Put(std::u16string(u"\\n.txt\0junk", 11), "nul"));
  EXPECT_EQ(Content(u"\\n.txt"), "nul");
  ASSERT_TRUE(Put(u"\\t.png. .", "dots"));
  EXPECT_EQ(Content(u"\\T.PNG"), "dots");
  EXPECT_EQ(files_.GetFileAttributesW(At(u"\\t.png. .")), kFile);
}

TEST_F(FilesContract, ColonNamesAStreamOfTheFileNotAFileOfItsOwn) {
  // Wine keeps no streams: it makes a file literally called "a.txt:x", so the
  // file "a.txt" and its main stream "a.txt::$DATA" stay missing there.
  ASSERT_TRUE(Put(u"\\a.txt:x", "stream"));
  EXPECT_EQ(Content(u"\\a.txt:x"), "stream");
  EXPECT_EQ(Content(u"\\A.TXT:X"), "stream") << "stream names ignore case like file names";
  EXPECT_EQ(files_.GetFileAttributesW(At(u"\\a.txt:x")), kFile);
  EXPECT_EQ(files_.GetFileAttributesW(At(u"\\a.txt:y")), kNone);
  EXPECT_EQ(files_.GetLastError(), platform::kErrorFileNotFound);

  const Answer fileItself = Expected(*backend_, Answer{kFile, 0}, std::optional(Answer{kNone, 2}));
  for (const std::u16string_view name : {u"\\a.txt", u"\\a.txt::$DATA"}) {
    const std::uint32_t attributes = files_.GetFileAttributesW(At(name));
    EXPECT_EQ(attributes, fileItself.attributes);
    if (attributes == kNone) {
      EXPECT_EQ(files_.GetLastError(), fileItself.error);
    }
  }
  if (!backend_->UnderWine()) {
    EXPECT_EQ(Content(u"\\a.txt"), "") << "the stream's data does not land in the file's own content";
  }

  ASSERT_TRUE(Put(u"\\b.txt", "main"));
  ASSERT_TRUE(Put(u"\\b.txt:x", "side"));
  EXPECT_EQ(Content(u"\\b.txt"), "main");
  EXPECT_EQ(Content(u"\\b.txt:x"), "side");
  EXPECT_EQ(Content(u"\\b.txt:nope"), std::nullopt);
  EXPECT_EQ(files_.GetLastError(), platform::kErrorFileNotFound);
}

// --- CreateFileW dispositions ------------------------------------------------

struct Outcome {
  bool opens;
  std::uint32_t error;       // GetLastError() after the call, success or not
  const char* contentAfter;  // nullptr: no file there
};

struct DispositionCase {
  const char* name;
  bool exists;  // S\log.txt holds "old" before the call
  std::uint32_t access;
  std::uint32_t disposition;
  Outcome windows;
  std::optional<Outcome> wine = std::nullopt;
};

void PrintTo(const DispositionCase& c, std::ostream* out) { *out << c.name; }

class FilesDispositionTable : public FilesContract, public ::testing::WithParamInterface<DispositionCase> {};

TEST_P(FilesDispositionTable, CreateFileFollowsItsDisposition) {
  const DispositionCase& c = GetParam();
  if (c.exists) {
    ASSERT_TRUE(Put(u"\\log.txt", "old"));
  }
  const Outcome& expected = Expected(*backend_, c.windows, c.wine);
  const Handle file = files_.CreateFileW(At(u"\\log.txt"), c.access, platform::kFileShareRead, c.disposition);
  const std::uint32_t error = files_.GetLastError();
  EXPECT_EQ(file != kInvalidHandle, expected.opens);
  EXPECT_EQ(error, expected.error);
  if (file != kInvalidHandle) files_.CloseHandle(file);
  EXPECT_EQ(Content(u"\\log.txt"),
            expected.contentAfter ? std::optional<std::string>(expected.contentAfter) : std::nullopt);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, FilesDispositionTable, ::testing::Values(
    //              name                            exists access                   disposition                 {opens  error                         content after}
    DispositionCase{"CreateNewMakesTheFile",        false, platform::kGenericWrite, platform::kCreateNew,        {true,  platform::kErrorSuccess,       ""}},
    DispositionCase{"CreateNewRefusesExisting",     true,  platform::kGenericWrite, platform::kCreateNew,        {false, platform::kErrorFileExists,    "old"}},
    DispositionCase{"CreateAlwaysReplaces",         true,  platform::kGenericWrite, platform::kCreateAlways,     {true,  platform::kErrorAlreadyExists, ""}},
    DispositionCase{"CreateAlwaysMakesTheFile",     false, platform::kGenericWrite, platform::kCreateAlways,     {true,  platform::kErrorSuccess,       ""}},
    DispositionCase{"OpenAlwaysKeepsExisting",      true,  kReadWrite,              platform::kOpenAlways,       {true,  platform::kErrorAlreadyExists, "old"}},
    DispositionCase{"OpenAlwaysMakesTheFile",       false, kReadWrite,              platform::kOpenAlways,       {true,  platform::kErrorSuccess,       ""}},
    DispositionCase{"OpenExistingKeeps",            true,  platform::kGenericRead,  platform::kOpenExisting,     {true,  platform::kErrorSuccess,       "old"}},
    DispositionCase{"OpenExistingNeedsTheFile",     false, platform::kGenericRead,  platform::kOpenExisting,     {false, platform::kErrorFileNotFound,  nullptr}},
    DispositionCase{"TruncateExistingEmpties",      true,  platform::kGenericWrite, platform::kTruncateExisting, {true,  platform::kErrorSuccess,       ""}},
    DispositionCase{"TruncateExistingNeedsTheFile", false, platform::kGenericWrite, platform::kTruncateExisting, {false, platform::kErrorFileNotFound,  nullptr}},
    // Wine opens and empties the file all the same.
    DispositionCase{"TruncateNeedsWriteAccess",     true,  platform::kGenericRead,  platform::kTruncateExisting, {false, platform::kErrorInvalidParameter, "old"},
                    Outcome{true, platform::kErrorSuccess, ""}},
    DispositionCase{"UnknownDisposition",           true,  platform::kGenericWrite, 6,                           {false, platform::kErrorInvalidParameter, "old"}}),
    CaseName());
// clang-format on

TEST_F(FilesContract, FolderIsNotAFile) {
  for (const std::u16string_view name : {u"\\Pose", u"\\Pose\\"}) {
    for (const std::uint32_t disposition : {platform::kOpenExisting, platform::kOpenAlways,
                                            platform::kCreateAlways, platform::kTruncateExisting}) {
      EXPECT_EQ(files_.CreateFileW(At(name), platform::kGenericWrite, kShareAll, disposition),
                kInvalidHandle);
      EXPECT_EQ(files_.GetLastError(), platform::kErrorAccessDenied) << "disposition " << disposition;
    }
  }
  EXPECT_EQ(files_.GetFileAttributesW(At(u"\\Pose")), kFolder);
  EXPECT_EQ(files_.CreateFileW(At(u"\\Missing\\x.txt"), platform::kGenericWrite, 0, platform::kCreateAlways),
            kInvalidHandle);
  EXPECT_EQ(files_.GetLastError(), platform::kErrorPathNotFound);
}

// --- Handles -----------------------------------------------------------------

TEST_F(FilesContract, AppendSeekReadAndCut) {
  ASSERT_TRUE(Put(u"\\log.txt", "hello world"));
  const Handle file =
      files_.CreateFileW(At(u"\\log.txt"), kReadWrite, platform::kFileShareRead, platform::kOpenExisting);
  ASSERT_NE(file, kInvalidHandle);

  std::int64_t position = -1;
  ASSERT_TRUE(files_.SetFilePointerEx(file, -6, platform::kFileEnd, &position));
  EXPECT_EQ(position, 5);
  char tail[16] = {};
  std::uint32_t read = 99;
  ASSERT_TRUE(files_.ReadFile(file, tail, sizeof tail, read));
  EXPECT_EQ(std::string(tail, read), " world") << "a short read at the end is a success";
  ASSERT_TRUE(files_.ReadFile(file, tail, sizeof tail, read));
  EXPECT_EQ(read, 0u);

  ASSERT_TRUE(files_.SetFilePointerEx(file, -6, platform::kFileCurrent, &position));
  ASSERT_TRUE(files_.SetEndOfFile(file));
  std::int64_t size = -1;
  ASSERT_TRUE(files_.GetFileSizeEx(file, size));
  EXPECT_EQ(size, 5);
  std::uint32_t written = 0;
  ASSERT_TRUE(files_.WriteFile(file, "!", 1, written));
  EXPECT_FALSE(files_.SetFilePointerEx(file, -1, platform::kFileBegin, &position));
  EXPECT_EQ(files_.GetLastError(), kErrorNegativeSeek);
  EXPECT_TRUE(files_.CloseHandle(file));
  EXPECT_EQ(Content(u"\\log.txt"), "hello!");

  const Handle appender =
      files_.CreateFileW(At(u"\\log.txt"), kReadWrite, platform::kFileShareRead, platform::kOpenAlways);
  ASSERT_NE(appender, kInvalidHandle);
  ASSERT_TRUE(files_.SetFilePointerEx(appender, 0, platform::kFileEnd, nullptr));
  ASSERT_TRUE(files_.WriteFile(appender, "\r\n", 2, written));
  files_.CloseHandle(appender);
  EXPECT_EQ(Content(u"\\log.txt"), "hello!\r\n");
}

TEST_F(FilesContract, HandlesRefuseWhatTheirAccessDoesNotAllow) {
  ASSERT_TRUE(Put(u"\\log.txt", "x"));
  const Handle reader =
      files_.CreateFileW(At(u"\\log.txt"), platform::kGenericRead, kShareAll, platform::kOpenExisting);
  ASSERT_NE(reader, kInvalidHandle);
  std::uint32_t count = 0;
  EXPECT_FALSE(files_.WriteFile(reader, "y", 1, count));
  EXPECT_EQ(files_.GetLastError(), platform::kErrorAccessDenied);
  EXPECT_FALSE(files_.SetEndOfFile(reader));
  // Wine passes the host's answer on: ftruncate() on a descriptor opened for reading is EINVAL.
  EXPECT_EQ(files_.GetLastError(), Expected(*backend_, platform::kErrorAccessDenied,
                                            std::optional(platform::kErrorInvalidParameter)));
  files_.CloseHandle(reader);

  const Handle writer =
      files_.CreateFileW(At(u"\\log.txt"), platform::kGenericWrite, kShareAll, platform::kOpenExisting);
  ASSERT_NE(writer, kInvalidHandle);
  char buffer[4];
  EXPECT_FALSE(files_.ReadFile(writer, buffer, sizeof buffer, count));
  EXPECT_EQ(files_.GetLastError(), platform::kErrorAccessDenied);
  EXPECT_TRUE(files_.CloseHandle(writer));
  EXPECT_FALSE(files_.CloseHandle(writer));
  EXPECT_EQ(files_.GetLastError(), platform::kErrorInvalidHandle);
}

TEST_F(FilesContract, CurrentDirectoryAnchorsRelativePaths) {
  const std::u16string before = files_.GetCurrentDirectoryW();
  ASSERT_TRUE(files_.SetCurrentDirectoryW(scratch_ + u"\\"));
  EXPECT_EQ(files_.GetCurrentDirectoryW(), scratch_);
  EXPECT_EQ(files_.GetFileAttributesW(u"Pose\\A01\\1.png"), kFile);
  EXPECT_EQ(files_.GetFileAttributesW(u".\\Pose\\..\\Pose\\A01"), kFolder);
  EXPECT_FALSE(files_.SetCurrentDirectoryW(u"Pose\\A01\\1.png"));
  EXPECT_EQ(files_.GetLastError(), platform::kErrorDirectory);
  EXPECT_FALSE(files_.SetCurrentDirectoryW(u"Nope"));
  EXPECT_EQ(files_.GetLastError(), platform::kErrorFileNotFound);
  EXPECT_EQ(files_.GetCurrentDirectoryW(), scratch_);
  ASSERT_TRUE(files_.SetCurrentDirectoryW(before));
}

// --- Moving, deleting, flushing --------------------------------------------------

// What stands at the target S\cap.png before S\new.tmp ("new") is moved there.
enum class MoveTarget {
  kMissing,
  kOldFile,
  kReadOnlyFile,
  kOldFolder,
  kHeldWithoutDataAccess,
  kHeldForReading,
  kInMissingFolder
};

struct MoveOutcome {
  bool moves;
  std::uint32_t error;      // GetLastError() when it fails
  const char* targetAfter;  // the target's content afterwards; nullptr: no file there
};

struct MoveCase {
  const char* name;
  MoveTarget target;
  bool sourceExists;
  bool sourceHeld;  // another process holds S\new.tmp open, sharing read and write
  std::uint32_t flags;
  MoveOutcome windows;
  std::optional<MoveOutcome> wine = std::nullopt;
};

void PrintTo(const MoveCase& c, std::ostream* out) { *out << c.name; }

class FilesMoveTable : public FilesContract, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(FilesMoveTable, MoveReplacesOnlyWhatWindowsLetsGo) {
  const MoveCase& c = GetParam();
  platform::Files& other = backend_->OtherProcessFiles();
  const std::u16string target =
      At(c.target == MoveTarget::kInMissingFolder ? u"\\Nope\\cap.png" : u"\\cap.png");
  if (c.sourceExists) {
    ASSERT_TRUE(Put(u"\\new.tmp", "new"));
  }
  Handle held = kInvalidHandle;
  switch (c.target) {
    case MoveTarget::kOldFile:
    case MoveTarget::kReadOnlyFile:
    case MoveTarget::kHeldWithoutDataAccess:
    case MoveTarget::kHeldForReading:
      ASSERT_TRUE(Put(u"\\cap.png", "old"));
      break;
    case MoveTarget::kOldFolder:
      ASSERT_TRUE(files_.CreateDirectoryW(target));
      break;
    case MoveTarget::kMissing:
    case MoveTarget::kInMissingFolder:
      break;
  }
  if (c.target == MoveTarget::kReadOnlyFile) backend_->MakeReadOnly(target);
  if (c.target == MoveTarget::kHeldWithoutDataAccess || c.target == MoveTarget::kHeldForReading) {
    const std::uint32_t access = c.target == MoveTarget::kHeldForReading ? platform::kGenericRead : 0;
    held = other.CreateFileW(target, access, kShareAll, platform::kOpenExisting);
    ASSERT_NE(held, kInvalidHandle);
  }
  if (c.sourceHeld) {
    held = other.CreateFileW(At(u"\\new.tmp"), platform::kGenericRead, kShareAll, platform::kOpenExisting);
    ASSERT_NE(held, kInvalidHandle);
  }

  const MoveOutcome& expected = Expected(*backend_, c.windows, c.wine);
  const bool moved = files_.MoveFileExW(At(u"\\new.tmp"), target, c.flags);
  const std::uint32_t error = files_.GetLastError();
  if (held != kInvalidHandle) other.CloseHandle(held);
  EXPECT_EQ(moved, expected.moves);
  if (!moved) {
    EXPECT_EQ(error, expected.error);
  }
  EXPECT_EQ(Content(c.target == MoveTarget::kInMissingFolder ? u"\\Nope\\cap.png" : u"\\cap.png"),
            expected.targetAfter ? std::optional<std::string>(expected.targetAfter) : std::nullopt);
  if (c.target == MoveTarget::kOldFolder) {
    EXPECT_EQ(files_.GetFileAttributesW(target), kFolder);
  }
  // A refused move leaves the source where it was.
  EXPECT_EQ(Content(u"\\new.tmp"),
            c.sourceExists && !moved ? std::optional<std::string>("new") : std::nullopt);
}

constexpr std::uint32_t kReplace = platform::kMoveFileReplaceExisting | platform::kMoveFileWriteThrough;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, FilesMoveTable, ::testing::Values(
    //       name                               target                                source exists, held  flags                                   {moves  error                            target after}
    MoveCase{"ReplacesTheTarget",               MoveTarget::kOldFile,                    true,  false, kReplace,                                {true,  0,                               "new"}},
    MoveCase{"RenamesToAFreeName",              MoveTarget::kMissing,                 true,  false, 0,                                       {true,  0,                               "new"}},
    MoveCase{"ExistingTargetNeedsReplace",      MoveTarget::kOldFile,                    true,  false, platform::kMoveFileWriteThrough,         {false, platform::kErrorAlreadyExists,   "old"}},
    // Wine replaces a read-only file all the same.
    MoveCase{"ReadOnlyTargetStays",             MoveTarget::kReadOnlyFile,            true,  false, kReplace,                                {false, platform::kErrorAccessDenied,    "old"},
             MoveOutcome{true, 0, "new"}},
    MoveCase{"FolderTargetStays",               MoveTarget::kOldFolder,                  true,  false, kReplace,                                {false, platform::kErrorAccessDenied,    nullptr}},
    MoveCase{"TargetHeldWithoutDataAccessStays",MoveTarget::kHeldWithoutDataAccess,   true,  false, kReplace,                                {false, platform::kErrorAccessDenied,    "old"}},
    MoveCase{"TargetHeldForReadingStays",       MoveTarget::kHeldForReading,          true,  false, kReplace,                                {false, platform::kErrorAccessDenied,    "old"}},
    MoveCase{"HeldSourceStays",                 MoveTarget::kOldFile,                    true,  true,  kReplace,                                {false, platform::kErrorSharingViolation,"old"}},
    MoveCase{"MissingSource",                   MoveTarget::kOldFile,                    false, false, kReplace,                                {false, platform::kErrorFileNotFound,    "old"}},
    MoveCase{"TargetInAMissingFolder",          MoveTarget::kInMissingFolder,         true,  false, kReplace,                                {false, platform::kErrorPathNotFound,    nullptr}}),
    CaseName());
// clang-format on

TEST_F(FilesContract, DeleteRemovesOnlyAFileNobodyHolds) {
  ASSERT_TRUE(Put(u"\\gone.txt", "x"));
  ASSERT_TRUE(Put(u"\\held.txt", "x"));
  ASSERT_TRUE(Put(u"\\readonly.txt", "x"));
  backend_->MakeReadOnly(At(u"\\readonly.txt"));
  platform::Files& other = backend_->OtherProcessFiles();
  const Handle held =
      other.CreateFileW(At(u"\\held.txt"), platform::kGenericRead, kShareAll, platform::kOpenExisting);
  ASSERT_NE(held, kInvalidHandle);
  struct Case {
    const char* name;
    std::u16string path;
    std::uint32_t error;
  };
  const Case refused[] = {
      {"Missing", At(u"\\missing.txt"), platform::kErrorFileNotFound},
      {"MissingFolder", At(u"\\Nope\\x.txt"), platform::kErrorPathNotFound},
      {"Folder", At(u"\\Pose"), platform::kErrorAccessDenied},
      {"ReadOnly", At(u"\\readonly.txt"), platform::kErrorAccessDenied},
      {"Held", At(u"\\held.txt"), platform::kErrorSharingViolation},
  };
  for (const Case& c : refused) {
    EXPECT_FALSE(files_.DeleteFileW(c.path)) << c.name;
    EXPECT_EQ(files_.GetLastError(), c.error) << c.name;
  }
  other.CloseHandle(held);
  EXPECT_EQ(Content(u"\\held.txt"), "x");
  EXPECT_EQ(files_.GetFileAttributesW(At(u"\\Pose")), kFolder);
  EXPECT_TRUE(files_.DeleteFileW(At(u"\\GONE.TXT")));
  EXPECT_EQ(files_.GetFileAttributesW(At(u"\\gone.txt")), kNone);
  EXPECT_EQ(files_.GetLastError(), platform::kErrorFileNotFound);
}

TEST_F(FilesContract, HandleWithoutDataAccessTellsTheSizeWhateverOthersShare) {
  ASSERT_TRUE(Put(u"\\log.txt", "12345"));
  platform::Files& other = backend_->OtherProcessFiles();
  const Handle writer = other.CreateFileW(At(u"\\log.txt"), platform::kGenericWrite, platform::kFileShareNone,
                                          platform::kOpenExisting);
  ASSERT_NE(writer, kInvalidHandle);
  const Handle probe = files_.CreateFileW(At(u"\\log.txt"), 0, kShareAll, platform::kOpenExisting);
  ASSERT_NE(probe, kInvalidHandle);
  std::int64_t size = -1;
  EXPECT_TRUE(files_.GetFileSizeEx(probe, size));
  EXPECT_EQ(size, 5);
  files_.CloseHandle(probe);
  other.CloseHandle(writer);
}

TEST_F(FilesContract, FlushNeedsAWritingHandle) {
  ASSERT_TRUE(Put(u"\\log.txt", "x"));
  const Handle writer =
      files_.CreateFileW(At(u"\\log.txt"), platform::kGenericWrite, 0, platform::kOpenExisting);
  ASSERT_NE(writer, kInvalidHandle);
  std::uint32_t written = 0;
  ASSERT_TRUE(files_.WriteFile(writer, "yz", 2, written));
  EXPECT_TRUE(files_.FlushFileBuffers(writer));
  files_.CloseHandle(writer);
  EXPECT_FALSE(files_.FlushFileBuffers(writer));
  EXPECT_EQ(files_.GetLastError(), platform::kErrorInvalidHandle);

  const Handle reader =
      files_.CreateFileW(At(u"\\log.txt"), platform::kGenericRead, kShareAll, platform::kOpenExisting);
  ASSERT_NE(reader, kInvalidHandle);
  EXPECT_FALSE(files_.FlushFileBuffers(reader));
  EXPECT_EQ(files_.GetLastError(), platform::kErrorAccessDenied);
  files_.CloseHandle(reader);
  EXPECT_EQ(Content(u"\\log.txt"), "yz");
}

// --- Listing a folder ----------------------------------------------------------

// S\Pose\A01 holds 1.png, 2.json, ~vm0a1b2c3d and the folder Sub for these.
struct SearchCase {
  const char* name;
  std::u16string pattern;                                         // below S
  std::vector<std::pair<std::u16string, std::uint32_t>> entries;  // sorted by name; empty: none
  std::uint32_t error = platform::kErrorSuccess;                  // when there are none
  std::optional<std::uint32_t> wineError = std::nullopt;
};

void PrintTo(const SearchCase& c, std::ostream* out) { *out << c.name; }

class FilesSearchTable : public FilesContract, public ::testing::WithParamInterface<SearchCase> {};

TEST_P(FilesSearchTable, ListsTheMatchingEntriesOnce) {
  const SearchCase& c = GetParam();
  ASSERT_TRUE(Put(u"\\Pose\\A01\\2.json", "{}"));
  ASSERT_TRUE(Put(u"\\Pose\\A01\\~vm0a1b2c3d", "left"));
  ASSERT_TRUE(files_.CreateDirectoryW(At(u"\\Pose\\A01\\Sub")));

  platform::FindData data;
  const Handle search = files_.FindFirstFileW(At(c.pattern), data);
  if (c.entries.empty()) {
    EXPECT_EQ(search, kInvalidHandle);
    EXPECT_EQ(files_.GetLastError(), Expected(*backend_, c.error, c.wineError));
    return;
  }
  ASSERT_NE(search, kInvalidHandle) << "error " << files_.GetLastError();
  std::vector<std::pair<std::u16string, std::uint32_t>> entries;
  do {
    entries.emplace_back(data.fileName, data.attributes);
  } while (files_.FindNextFileW(search, data));
  EXPECT_EQ(files_.GetLastError(), platform::kErrorNoMoreFiles);
  EXPECT_TRUE(files_.FindClose(search));
  // The order is the file system's: NTFS sorts, other file systems do not.
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, c.entries);
}

std::vector<SearchCase> SearchCases() {
  return {
      {"WholeFolderWithItsDotEntries",
       u"\\Pose\\A01\\*",
       {{u".", kFolder},
        {u"..", kFolder},
        {u"1.png", kFile},
        {u"2.json", kFile},
        {u"Sub", kFolder},
        {u"~vm0a1b2c3d", kFile}}},
      {"FolderAndNameInOtherCase", u"\\pOSE\\a01\\*.PNG", {{u"1.png", kFile}}},
      {"Prefix", u"\\Pose\\A01\\~VM*", {{u"~vm0a1b2c3d", kFile}}},
      {"OneCharacter", u"\\Pose\\A01\\?.json", {{u"2.json", kFile}}},
      {"NothingMatches", u"\\Pose\\A01\\x*", {}, platform::kErrorFileNotFound},
      {"MissingFolder", u"\\Nope\\*", {}, platform::kErrorPathNotFound},
      // Wine answers ERROR_INVALID_NAME where Windows says the folder is no folder.
      {"FileForAFolder",
       u"\\Pose\\A01\\1.png\\*",
       {},
       platform::kErrorDirectory,
       platform::kErrorInvalidName},
  };
}

INSTANTIATE_TEST_SUITE_P(Cases, FilesSearchTable, ::testing::ValuesIn(SearchCases()), CaseName());

// --- Version resources ---------------------------------------------------------

TEST_F(FilesContract, VersionResourceIsReadFromTheFile) {
  std::u16string executable;
  backend_->Services().process().GetModuleFileNameW(260, executable);
  const std::u16string library =
      executable.substr(0, executable.find_last_of(u'\\') + 1) + backend_->LibraryWithExports();
  std::uint32_t ms = 0;
  std::uint32_t ls = 0;
  ASSERT_TRUE(files_.GetFileVersionFixed(library, ms, ls));
  EXPECT_EQ(ms, 0x00010002u);
  EXPECT_EQ(ls, 0x00030004u);
  std::u16string text;
  ASSERT_TRUE(files_.GetFileVersionString(library, u"\\StringFileInfo\\040904B0\\ProductVersion", text));
  EXPECT_EQ(text, u"1.2.3.4");
  text.clear();
  EXPECT_TRUE(files_.GetFileVersionString(library, u"\\stringfileinfo\\040904b0\\productversion", text))
      << "sub-blocks are found whatever their case";
  EXPECT_EQ(text, u"1.2.3.4");
  EXPECT_FALSE(files_.GetFileVersionString(library, u"\\StringFileInfo\\040904B0\\FileDescription", text));

  EXPECT_FALSE(files_.GetFileVersionFixed(backend_->ProgramFile(), ms, ls)) << "a program without resources";
  EXPECT_EQ(files_.GetLastError(), kErrorResourceDataNotFound);
  EXPECT_FALSE(files_.GetFileVersionFixed(At(u"\\missing.dll"), ms, ls));
  EXPECT_EQ(files_.GetLastError(), platform::kErrorFileNotFound);
}

// --- Share modes ---------------------------------------------------------------

struct ShareCase {
  const char* name;
  std::uint32_t firstAccess, firstShare, secondAccess, secondShare;
  bool secondOpens;
};

void PrintTo(const ShareCase& c, std::ostream* out) { *out << c.name; }

class FilesShareModes : public FilesContract,
                        public ::testing::WithParamInterface<std::tuple<ShareCase, bool>> {};

TEST_P(FilesShareModes, SecondOpenRespectsBothShareModes) {
  const auto& [c, otherProcess] = GetParam();
  platform::Files& second = otherProcess ? backend_->OtherProcessFiles() : files_;
  ASSERT_TRUE(Put(u"\\log.txt", "held"));
  const Handle first =
      files_.CreateFileW(At(u"\\log.txt"), c.firstAccess, c.firstShare, platform::kOpenExisting);
  ASSERT_NE(first, kInvalidHandle);
  // CREATE_ALWAYS for a writer: a refused open must leave the held file's content alone.
  const std::uint32_t disposition =
      (c.secondAccess & platform::kGenericWrite) ? platform::kCreateAlways : platform::kOpenExisting;
  const Handle opened = second.CreateFileW(At(u"\\log.txt"), c.secondAccess, c.secondShare, disposition);
  if (c.secondOpens) {
    EXPECT_NE(opened, kInvalidHandle);
    second.CloseHandle(opened);
  } else {
    EXPECT_EQ(opened, kInvalidHandle);
    EXPECT_EQ(second.GetLastError(), platform::kErrorSharingViolation);
  }
  files_.CloseHandle(first);
  if (!c.secondOpens) {
    EXPECT_EQ(Content(u"\\log.txt"), "held");
  }
  const Handle afterClose =
      second.CreateFileW(At(u"\\log.txt"), c.secondAccess, c.secondShare, platform::kOpenExisting);
  EXPECT_NE(afterClose, kInvalidHandle) << "closing the first handle lifts the conflict";
  second.CloseHandle(afterClose);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, FilesShareModes, ::testing::Combine(::testing::Values(
    //        name                              first access             first share               second access            second share              opens
    ShareCase{"WriterRefusesSecondWriter",       kReadWrite,              platform::kFileShareRead, platform::kGenericWrite, platform::kFileShareRead, false},
    ShareCase{"WriterAllowsSharingReader",       kReadWrite,              platform::kFileShareRead, platform::kGenericRead,  kShareAll,                true},
    ShareCase{"ReaderMustShareWriteWithWriter",  platform::kGenericWrite, platform::kFileShareRead, platform::kGenericRead,  platform::kFileShareRead, false},
    ShareCase{"ExclusiveReaderRefusesReader",    platform::kGenericRead,  platform::kFileShareNone, platform::kGenericRead,  kShareAll,                false},
    ShareCase{"SharedReaders",                   platform::kGenericRead,  platform::kFileShareRead, platform::kGenericRead,  platform::kFileShareRead, true},
    ShareCase{"WritersSharingWrite",             kReadWrite,              kShareAll,                platform::kGenericWrite, kShareAll,                true},
    ShareCase{"WriterRefusedByExclusiveReader",  platform::kGenericRead,  platform::kFileShareNone, platform::kGenericWrite, kShareAll,                false},
    ShareCase{"NoDataAccessIsNeverRefused",      kReadWrite,              platform::kFileShareNone, 0,                       platform::kFileShareNone, true}),
    ::testing::Bool()),
    [](const auto& testCase) {
      return std::string(std::get<0>(testCase.param).name) + (std::get<1>(testCase.param) ? "_OtherProcess" : "_SameProcess");
    });
// clang-format on

}  // namespace
}  // namespace velmoran::test
