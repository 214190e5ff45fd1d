#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <vector>

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

// The view's text stays within its budget, the line rule still exact: a
// line that would take the text past the budget empties the view first; one
// that reaches it exactly does not.
struct BudgetCase {
  const char* name;
  std::size_t held;   // code units of text in the view before the call
  std::size_t added;  // code units of the message logged
  bool empties;
};

void PrintTo(const BudgetCase& c, std::ostream* out) { *out << c.name; }

class ViewTextBudget : public ActivityLogTest, public ::testing::WithParamInterface<BudgetCase> {};

TEST_P(ViewTextBudget, EmptiesTheViewBeforeALineThatWouldPassIt) {
  constexpr std::size_t kHead = std::u16string_view(u"04-28 9:5:07.045:::").size();
  view.AddLine(std::u16string(GetParam().held, u'o'));
  log.logw(std::u16string(GetParam().added - kHead, u'n'));
  const std::size_t lines = GetParam().empties ? 1 : 3;
  EXPECT_EQ(view.LineCount(), lines);
  EXPECT_EQ(view.TextSize(), GetParam().empties ? GetParam().added : GetParam().held + GetParam().added);
  EXPECT_EQ(view.Lines().back().size(), GetParam().added);
}

INSTANTIATE_TEST_SUITE_P(
    ActivityLog, ViewTextBudget,
    ::testing::Values(BudgetCase{"ReachesTheBudget", ActivityLog::kViewTextBudget - 100, 100, false},
                      BudgetCase{"PassesItByOne", ActivityLog::kViewTextBudget - 100, 101, true},
                      BudgetCase{"FillsAnEmptyView", 0, ActivityLog::kViewTextBudget, false},
                      BudgetCase{"SmallLineOnAFullView", ActivityLog::kViewTextBudget - 20, 21, true}),
    [](const ::testing::TestParamInfo<BudgetCase>& c) { return std::string(c.param.name); });

// A line longer than the whole budget is kept in the view cut to the budget,
// ending in the cut mark and never inside a surrogate pair; the file has it
// whole, converted piece by piece to the bytes of the whole line converted at
// once, a surrogate pair on a piece boundary included.
TEST_F(ActivityLogTest, LongLineIsCutInTheViewAndWholeInTheFile) {
  constexpr std::size_t kHead = std::u16string_view(u"04-28 9:5:07.045:::").size();
  constexpr std::u16string_view kPair = u"\U0001F600";
  for (const std::size_t pairAt : {ActivityLog::kViewTextBudget - 2, ActivityLog::kViewTextBudget - 3}) {
    std::u16string message = u"가" + std::u16string(ActivityLog::kViewTextBudget + 10, u'a');
    message.replace(pairAt - kHead, 2, kPair);
    message.replace(ActivityLog::kRecordPieceUnits - 1 - kHead, 2, kPair);
    std::filesystem::remove(LogFolder() / "errlog.txt");
    view.Clear();
    log.logw(message);

    const std::u16string line = u"04-28 9:5:07.045:::" + message;
    const bool pairCut = pairAt == ActivityLog::kViewTextBudget - 2;
    const std::size_t kept = ActivityLog::kViewTextBudget - 1 - (pairCut ? 1 : 0);
    EXPECT_EQ(view.Lines(), std::vector<std::u16string>{line.substr(0, kept) + u"…"}) << pairAt;
    EXPECT_EQ(LogFile(), platform.locale().WideCharToMultiByte(949, line) + "\r\n") << pairAt;
  }
  // Code page 949 has no character for the pair and gives two default
  // characters either way; UTF-8 tells a pair cut in two from a whole one.
  platform.locale().SetCodePage(65001);
  std::filesystem::remove(LogFolder() / "errlog.txt");
  std::u16string message(ActivityLog::kRecordPieceUnits, u'a');
  message.replace(ActivityLog::kRecordPieceUnits - 1 - kHead, 2, kPair);
  log.logw(message);
  EXPECT_EQ(LogFile(), "04-28 9:5:07.045:::" + Utf16ToUtf8(message) + "\r\n");
}

// A line given in parts is the line their text makes together.
TEST_F(ActivityLogTest, PartsMakeOneLine) {
  const std::array<std::u16string_view, 3> parts = {u"***** [", u"가\r\nb", u"]"};
  log.logw(parts);
  EXPECT_EQ(view.Lines(), (std::vector<std::u16string>{u"", u"04-28 9:5:07.045:::***** [가", u"b]"}));
  EXPECT_EQ(LogFile(), "04-28 9:5:07.045:::***** [\xB0\xA1\r\nb]\r\n");
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
