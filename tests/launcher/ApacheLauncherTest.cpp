#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "base/Text.h"
#include "launcher/ApacheLauncher.h"
#include "tests/app/SimShellFixture.h"
#include "tests/support/CaseName.h"

namespace velmoran::test {
namespace {

using launcher::IsApacheRunning;
using launcher::LauncherHost;
using launcher::RunApacheDirect;
using launcher::TrimSystemMessage;
using platform::sim::SimShell;

constexpr std::u16string_view kTitle = u"벨모란-VELMORAN";
constexpr std::u16string_view kResourceURL = u"http://localhost/www/corvale2/";

class RecordingHost final : public LauncherHost {
 public:
  void logw(std::u16string_view str) override { lines.emplace_back(str); }
  void SleepWithPeekMessage(std::int32_t Milliseconds) override { waits.push_back(Milliseconds); }
  void SetDefaultURL(std::u16string url) override { defaultURL = std::move(url); }
  std::u16string ApplicationTitle() const override { return std::u16string(kTitle); }

  std::vector<std::u16string> lines;
  std::vector<std::int32_t> waits;
  std::u16string defaultURL{kResourceURL};
};

struct LaunchCase {
  const char* name;
  ApacheExecutable executable;
  std::vector<std::u16string> processes;
  std::uint32_t refusal;  // 0: the shell starts what it is asked
  std::u16string_view expectedURL;
  bool expectBox;
  bool expectStart;
  bool expectLog;
};

void PrintTo(const LaunchCase& launch, std::ostream* out) { *out << launch.name; }

class RunApacheDirectTest : public SimShellFixture, public ::testing::WithParamInterface<LaunchCase> {};

TEST_P(RunApacheDirectTest, ChoosesTheAddressAndReportsOnlyWhatItShould) {
  const LaunchCase& c = GetParam();
  InstallApache(c.executable);
  for (const auto& process : c.processes) sim.shell().AddProcess(process);
  sim.shell().RefuseStarts(c.refusal);
  RecordingHost host;

  RunApacheDirect(sim, host);

  EXPECT_EQ(host.defaultURL, c.expectedURL);
  const auto& boxes = sim.windows().MessageBoxes();
  ASSERT_EQ(boxes.size(), c.expectBox ? 1u : 0u);
  if (c.expectBox) {
    EXPECT_EQ(boxes[0].text, u"Apache 실행 파일이 없습니다. XAMPP를 설치해 주세요.");
    EXPECT_EQ(boxes[0].caption, kTitle);
    EXPECT_EQ(boxes[0].flags, platform::kMbOk);
    EXPECT_EQ(boxes[0].owner, 0u);
  }
  EXPECT_EQ(sim.shell().SnapshotsAsked(), c.expectBox ? 0u : 1u)
      << "a missing executable ends the launcher before any process check";
  EXPECT_EQ(sim.shell().Requests().size(), c.expectStart ? 1u : 0u);
  EXPECT_EQ(host.waits, c.expectStart ? std::vector<std::int32_t>{1000} : std::vector<std::int32_t>{});
  if (c.expectLog) {
    const std::u16string reason(TrimSystemMessage(sim.locale().FormatMessageW(c.refusal)));
    EXPECT_EQ(host.lines, std::vector<std::u16string>{u"Apache 실행 실패: " + reason});
  } else {
    EXPECT_TRUE(host.lines.empty());
  }
  EXPECT_EQ(sim.shell().OpenHandles(), 0u);
}

constexpr std::u16string_view kPageURL = u"http://localhost/www/corvale2/index.html";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Outcomes, RunApacheDirectTest, ::testing::Values(
    //         name                            executable                  processes                                refusal                   url           box    start  log
    LaunchCase{"Missing",                      ApacheExecutable::Missing, {},                                       0,                        kResourceURL, true,  false, false},
    LaunchCase{"MissingEvenWithServerRunning", ApacheExecutable::Missing, {u"C:\\other\\httpd.exe"},                0,                        kResourceURL, true,  false, false},
    LaunchCase{"FolderInPlaceOfExecutable",    ApacheExecutable::Folder,  {},                                       0,                        kResourceURL, true,  false, false},
    LaunchCase{"LinkToAFolder",                ApacheExecutable::LinkToFolder, {},                                  0,                        kResourceURL, true,  false, false},
    LaunchCase{"LinkToNothing",                ApacheExecutable::DanglingLink, {},                                  0,                        kResourceURL, true,  false, false},
    LaunchCase{"LinkToAFile",                  ApacheExecutable::LinkToFile, {},                                    0,                        kResourceURL, false, true,  false},
    LaunchCase{"Running",                      ApacheExecutable::File,    {u"C:\\xampp\\apache\\bin\\httpd.exe"},      0,                        kPageURL,     false, false, false},
    LaunchCase{"RunningInCapitals",            ApacheExecutable::File,    {u"D:\\SERVER\\HTTPD.EXE"},                 0,                        kPageURL,     false, false, false},
    LaunchCase{"Started",                      ApacheExecutable::File,    {u"C:\\Windows\\explorer.exe"},            0,                        kResourceURL, false, true,  false},
    LaunchCase{"ElevationDeclined",            ApacheExecutable::File,    {},                                       platform::kErrorCancelled, kResourceURL, false, true,  true}),
    CaseName());
// clang-format on

TEST_F(RunApacheDirectTest, StartRequestIsElevatedHiddenAndWithoutUi) {
  InstallApache(ApacheExecutable::File);
  RecordingHost host;
  RunApacheDirect(sim, host);

  ASSERT_EQ(sim.shell().Requests().size(), 1u);
  const SimShell::Request& request = sim.shell().Requests()[0];
  EXPECT_EQ(request.cbSize, 60u);
  EXPECT_EQ(request.fMask, 0x440u);
  EXPECT_EQ(request.hwnd, 0u);
  EXPECT_EQ(request.lpVerb, u"runas");
  EXPECT_EQ(request.lpFile, u"C:\\xampp\\apache\\bin\\httpd.exe");
  EXPECT_FALSE(request.lpParameters.has_value());
  EXPECT_FALSE(request.lpDirectory.has_value());
  EXPECT_EQ(request.nShow, 0);
  EXPECT_TRUE(IsApacheRunning(sim.shell()));
}

TEST_F(RunApacheDirectTest, DeclinedElevationLogsTheSystemReasonTrimmed) {
  InstallApache(ApacheExecutable::File);
  sim.shell().RefuseStarts(platform::kErrorCancelled);
  RecordingHost host;
  RunApacheDirect(sim, host);
  EXPECT_EQ(host.lines,
            std::vector<std::u16string>{u"Apache 실행 실패: The operation was canceled by the user"});
}

struct ImageCase {
  const char* name;
  std::u16string image;
  bool running;
};

void PrintTo(const ImageCase& image, std::ostream* out) { *out << image.name; }

class IsApacheRunningTest : public SimShellFixture, public ::testing::WithParamInterface<ImageCase> {};

TEST_P(IsApacheRunningTest, MatchesTheFileNameOnlyIgnoringAsciiCase) {
  sim.shell().AddProcess(u"C:\\Windows\\System32\\svchost.exe");
  sim.shell().AddProcess(GetParam().image);
  EXPECT_EQ(IsApacheRunning(sim.shell()), GetParam().running);
  EXPECT_EQ(sim.shell().OpenHandles(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Images, IsApacheRunningTest,
    ::testing::Values(ImageCase{"BareName", u"httpd.exe", true},
                      ImageCase{"FullPathInAnyCase", u"C:\\xampp\\apache\\bin\\HtTpD.ExE", true},
                      ImageCase{"DriveRelative", u"D:httpd.exe", true},
                      ImageCase{"TrailingBlank", u"httpd.exe ", false},
                      ImageCase{"LongerName", u"xhttpd.exe", false},
                      ImageCase{"FurtherExtension", u"httpd.exe.bak", false},
                      ImageCase{"FolderOfThatName", u"C:\\httpd.exe\\other.exe", false},
                      // 260 characters without a terminator end the name there.
                      ImageCase{"NameCutShortAt260", std::u16string(251, u'a') + u"\\httpd.exe", false},
                      ImageCase{"NameEndingAt260", std::u16string(250, u'a') + u"\\httpd.exe", true},
                      ImageCase{"TailPast260Ignored", std::u16string(250, u'a') + u"\\httpd.exeXYZ", true}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(IsApacheRunningTest, RefusedSnapshotCountsAsNotRunning) {
  sim.shell().AddProcess(u"httpd.exe");
  sim.shell().FailSnapshots(true);
  EXPECT_FALSE(IsApacheRunning(sim.shell()));
}

TEST(TrimSystemMessageTest, DropsTrailingControlsBlanksAndFullStops) {
  struct Case {
    std::u16string in;
    std::u16string_view out;
  };
  const Case cases[] = {
      {u"The operation was canceled by the user.\r\n", u"The operation was canceled by the user"},
      {std::u16string(u"Access is denied. . \t") + u'\0', u"Access is denied"},
      {u"", u""},
      {u"...", u""},
      {u"v1.2 ok", u"v1.2 ok"},
      {u".middle. text", u".middle. text"}};
  for (const Case& c : cases) {
    EXPECT_EQ(TrimSystemMessage(c.in), c.out);
  }
}

}  // namespace
}  // namespace velmoran::test
