#include <gtest/gtest.h>

#include <ostream>

#include "app/ActivityLog.h"
#include "base/Text.h"
#include "platform/sim/SimPlatform.h"
#include "tests/support/CaseName.h"
#include "tests/support/HostFiles.h"
#include "tests/support/TempFolder.h"

namespace velmoran::test {
namespace {

using app::ActivityLog;
using app::LogView;

using platform::SystemTime;

// 28 April 2026, 09:05:07.045, as in the log's own example.
constexpr SystemTime kMorning{2026, 4, 2, 28, 9, 5, 7, 45};

class ActivityLogTest : public ::testing::Test {
 protected:
  ActivityLogTest() : platform(root.path()), log(platform, view) {
    platform.clock().SetLocalTime(kMorning);
    std::filesystem::create_directories(LogFolder());
  }
  std::filesystem::path LogFolder() const { return root.path() / "C" / "velmoran"; }
  std::string LogFile() const { return ReadHostFile(LogFolder() / "errlog.txt"); }

  TempFolder root;
  platform::sim::SimPlatform platform;
  LogView view;
  ActivityLog log;
};

TEST_F(ActivityLogTest, WritesOneTimestampedLineToViewAndFile) {
  log.logw(u"WebMessageReceived triggered");
  EXPECT_EQ(view.Lines(),
            (std::vector<std::u16string>{u"", u"04-28 9:5:07.045:::WebMessageReceived triggered"}));
  EXPECT_EQ(LogFile(), "04-28 9:5:07.045:::WebMessageReceived triggered\r\n");
}

struct StampCase {
  SystemTime time;
  const char16_t* separator;
  const char16_t* stamp;
};

void PrintTo(const StampCase& c, std::ostream* out) {
  *out << "stamp \"" << Utf16ToUtf8(c.stamp) << "\" with separator \"" << Utf16ToUtf8(c.separator) << '"';
}

class Timestamps : public ::testing::TestWithParam<StampCase> {};

TEST_P(Timestamps, PadOnlyMonthDaySecondAndMillisecond) {
  EXPECT_EQ(ActivityLog::Timestamp(GetParam().time, GetParam().separator), GetParam().stamp);
}

INSTANTIATE_TEST_SUITE_P(
    ActivityLog, Timestamps,
    ::testing::Values(StampCase{kMorning, u":", u"04-28 9:5:07.045"},
                      StampCase{{2026, 12, 1, 31, 13, 45, 59, 999}, u":", u"12-31 13:45:59.999"},
                      StampCase{{2027, 1, 5, 1, 0, 0, 0, 0}, u":", u"01-01 0:0:00.000"},
                      StampCase{kMorning, u".", u"04-28 9.5.07.045"}));

TEST_F(ActivityLogTest, UsesTheLocaleTimeSeparatorAndAnEmptyMessage) {
  platform.locale().SetTimeSeparator(u".");
  log.logw(u"");
  EXPECT_EQ(LogFile(), "04-28 9.5.07.045:::\r\n");
}

TEST_F(ActivityLogTest, AppendsToTheFileOfEarlierRuns) {
  WriteHostFile(LogFolder() / "errlog.txt", "earlier run\r\n");
  log.logw(u"a");
  platform.clock().Advance(1);
  log.logw(u"b");
  EXPECT_EQ(LogFile(), "earlier run\r\n04-28 9:5:07.045:::a\r\n04-28 9:5:07.046:::b\r\n");
}

TEST_F(ActivityLogTest, LineBreaksStayInsideTheRecordAndCountAsViewLines) {
  log.logw(u"one\r\ntwo");
  EXPECT_EQ(view.LineCount(), 3u);
  EXPECT_EQ(LogFile(), "04-28 9:5:07.045:::one\r\ntwo\r\n");
}

TEST_F(ActivityLogTest, EmptiesTheViewOnlyPastThirteenThousandLines) {
  while (view.LineCount() < ActivityLog::kMaxViewLines) view.AddLine(u"old");
  log.logw(u"kept");
  EXPECT_EQ(view.LineCount(), 13001u);
  EXPECT_EQ(view.Lines().front(), u"");
  log.logw(u"alone");
  EXPECT_EQ(view.Lines(), std::vector<std::u16string>{u"04-28 9:5:07.045:::alone"});
}

TEST_F(ActivityLogTest, ConvertsToTheAnsiCodePage) {
  log.logw(u"가");
  platform.locale().SetCodePage(1252);
  log.logw(u"가");
  EXPECT_EQ(LogFile(), "04-28 9:5:07.045:::\xB0\xA1\r\n04-28 9:5:07.045:::?\r\n");
  EXPECT_EQ(view.Lines().back(), u"04-28 9:5:07.045:::가");
}

struct EofCase {
  std::string before;
  std::string after;
};

void PrintTo(const EofCase& c, std::ostream* out) {
  *out << ::testing::PrintToString(c.before) << " read as " << ::testing::PrintToString(c.after);
}

class EofMarks : public ActivityLogTest, public ::testing::WithParamInterface<EofCase> {};

TEST_P(EofMarks, AreCutOnlyNearTheEnd) {
  WriteHostFile(LogFolder() / "errlog.txt", GetParam().before);
  log.logw(u"x");
  EXPECT_EQ(LogFile(), GetParam().after + "04-28 9:5:07.045:::x\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    ActivityLog, EofMarks,
    ::testing::Values(EofCase{"abc\x1A", "abc"}, EofCase{"\x1A", ""},
                      EofCase{"ab\x1A"
                              "cd\x1A"
                              "ef",
                              "ab"},
                      EofCase{std::string(100, 'a') + "\x1A" + std::string(27, 'b'), std::string(100, 'a')},
                      EofCase{"\x1A" + std::string(127, 'b'), ""},
                      EofCase{"\x1A" + std::string(128, 'b'), "\x1A" + std::string(128, 'b')}));

TEST_F(ActivityLogTest, FileHeldForWritingLosesTheLineButNotTheView) {
  WriteHostFile(LogFolder() / "errlog.txt", "held\r\n");
  auto& files = platform.files();
  const platform::Handle other = files.CreateFileW(u"C:\\velmoran\\errlog.txt", platform::kGenericWrite,
                                                   platform::kFileShareRead, platform::kOpenExisting);
  ASSERT_NE(other, platform::kInvalidHandle);
  log.logw(u"lost");
  files.CloseHandle(other);
  EXPECT_EQ(LogFile(), "held\r\n");
  EXPECT_EQ(view.Lines().back(), u"04-28 9:5:07.045:::lost");
  EXPECT_EQ(files.OpenHandles(), 0u);
}

TEST_F(ActivityLogTest, FolderNamedLikeTheFileIsNoLogFile) {
  std::filesystem::create_directories(LogFolder() / "errlog.txt");
  log.logw(u"x");
  EXPECT_TRUE(std::filesystem::is_directory(LogFolder() / "errlog.txt"));
  EXPECT_EQ(view.LineCount(), 2u);
  EXPECT_EQ(platform.files().OpenHandles(), 0u);
}

TEST_F(ActivityLogTest, FullDiskClosesTheFileAndGoesOn) {
  platform.files().SetDiskSpace(4);
  log.logw(u"x");
  EXPECT_EQ(platform.files().OpenHandles(), 0u);
  EXPECT_EQ(view.LineCount(), 2u);
}

// A log of at most 100 bytes; every line of these cases ("04-28 9:5:07.045:::"
// and one letter, CR LF) is 22 bytes.
struct CapCase {
  const char* name;
  std::string before;       // errlog.txt before the line "n"
  const char* olderBefore;  // errlog.1.txt before; nullptr: none
  bool olderHeld;           // another process holds errlog.1.txt open
  std::string after;        // errlog.txt after
  std::string olderAfter;   // errlog.1.txt after ("" for none)
};

void PrintTo(const CapCase& c, std::ostream* out) { *out << c.name; }

class CappedLog : public ActivityLogTest, public ::testing::WithParamInterface<CapCase> {};

TEST_P(CappedLog, MovesTheFullFileAsideBeforeALineWouldPassTheCap) {
  const CapCase& c = GetParam();
  ActivityLog capped(platform, view, 100);
  WriteHostFile(LogFolder() / "errlog.txt", c.before);
  if (c.olderBefore) WriteHostFile(LogFolder() / "errlog.1.txt", c.olderBefore);
  platform::sim::SimFiles otherProcess(root.path());
  if (c.olderHeld) {
    ASSERT_NE(otherProcess.CreateFileW(u"C:\\velmoran\\errlog.1.txt", platform::kGenericRead,
                                       platform::kFileShareRead | platform::kFileShareWrite,
                                       platform::kOpenExisting),
              platform::kInvalidHandle);
  }
  capped.logw(u"n");
  EXPECT_EQ(LogFile(), c.after);
  EXPECT_EQ(ReadHostFile(LogFolder() / "errlog.1.txt"), c.olderAfter);
  EXPECT_EQ(view.Lines().back(), u"04-28 9:5:07.045:::n");
  EXPECT_EQ(platform.files().OpenHandles(), 0u);
}

const std::string kLine = "04-28 9:5:07.045:::n\r\n";
const std::string kOld78(78, 'o');  // with one more line, exactly the cap
const std::string kOld79(79, 'o');  // one byte past it

// clang-format off
INSTANTIATE_TEST_SUITE_P(ActivityLog, CappedLog, ::testing::Values(
    CapCase{"BelowTheCapAppends",        "a\r\n",  nullptr,  false, "a\r\n" + kLine, ""},
    CapCase{"ReachingTheCapAppends",     kOld78,   nullptr,  false, kOld78 + kLine,  ""},
    CapCase{"PassingTheCapMovesAside",   kOld79,   nullptr,  false, kLine,           kOld79},
    CapCase{"OlderFileIsReplaced",       kOld79,   "older",  false, kLine,           kOld79},
    CapCase{"RefusedMoveKeepsAppending", kOld79,   "older",  true,  kOld79 + kLine,  "older"}),
    CaseName());
// clang-format on

// An executable folder whose log path has `length` characters.
std::u16string ExecutableForLogPathLength(std::size_t length) {
  const std::size_t folderName = length - std::u16string_view(u"C:\\\\errlog.txt").size();
  return u"C:\\" + std::u16string(folderName, u'f') + u"\\velmoran.exe";
}

TEST_F(ActivityLogTest, LogPathOfAtMost259CharactersIsWritten) {
  for (std::size_t length : {259u, 260u}) {
    const std::u16string exe = ExecutableForLogPathLength(length);
    std::filesystem::create_directories(root.path() / "C" / std::string(length - 14, 'f'));
    platform.process().SetExecutablePath(exe);
    log.logw(u"x");
    EXPECT_EQ(std::filesystem::exists(root.path() / "C" / std::string(length - 14, 'f') / "errlog.txt"),
              length == 259)
        << length;
  }
}

TEST_F(ActivityLogTest, TruncatedExecutablePathWritesNoFile) {
  const std::u16string folder = u"C:\\" + std::u16string(250, u'g');
  std::filesystem::create_directories(root.path() / "C" / std::string(250, 'g'));
  platform.process().SetExecutablePath(folder + u"\\velmoran.exe");  // 266 characters
  log.logw(u"x");
  EXPECT_TRUE(std::filesystem::is_empty(root.path() / "C" / std::string(250, 'g')));
  EXPECT_EQ(view.LineCount(), 2u);
}

}  // namespace
}  // namespace velmoran::test
