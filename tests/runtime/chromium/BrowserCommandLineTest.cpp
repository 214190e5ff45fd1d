#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "runtime/chromium/BrowserCommandLine.h"
#include "tests/support/CaseName.h"

namespace velmoran::test {
namespace {

using runtime::chromium::BrowserArguments;
using runtime::chromium::BrowserLaunch;
using runtime::chromium::BrowserStartScript;
using runtime::chromium::JoinWindowsArguments;
using runtime::chromium::ShellQuoted;
using runtime::chromium::SplitWindowsArguments;

struct SplitCase {
  const char* name;
  std::u16string line;
  std::vector<std::u16string> arguments;
};

class WindowsArgumentCases : public ::testing::TestWithParam<SplitCase> {};

TEST_P(WindowsArgumentCases, SplitAsTheSystemDoes) {
  EXPECT_EQ(SplitWindowsArguments(GetParam().line), GetParam().arguments);
}

TEST_P(WindowsArgumentCases, JoinedArgumentsSplitBackUnchanged) {
  EXPECT_EQ(SplitWindowsArguments(JoinWindowsArguments(GetParam().arguments)), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, WindowsArgumentCases,
    ::testing::Values(
        SplitCase{
            "HostSwitches",
            u"--disable-features=msEdgeRose --remote-debugging-port=9999 --remote-allow-origins=*",
            {u"--disable-features=msEdgeRose", u"--remote-debugging-port=9999", u"--remote-allow-origins=*"}},
        SplitCase{"Empty", u"  ", {}},
        SplitCase{"QuotedSpaces", u"--user-agent=\"a b\"  c", {u"--user-agent=a b", u"c"}},
        SplitCase{"EscapedQuote", u"a\\\"b", {u"a\"b"}},
        SplitCase{"BackslashesNotBeforeQuote", u"C:\\x\\\\y", {u"C:\\x\\\\y"}},
        SplitCase{"EvenBackslashesBeforeQuote", u"\"a\\\\\" b", {u"a\\", u"b"}},
        SplitCase{"EmptyQuotedArgument", u"\"\" x", {u"", u"x"}}),
    CaseName());

struct QuoteCase {
  const char* name;
  std::string text;
  std::string quoted;
};

class ShellQuoteCases : public ::testing::TestWithParam<QuoteCase> {};

TEST_P(ShellQuoteCases, TakenLiterallyByBash) { EXPECT_EQ(ShellQuoted(GetParam().text), GetParam().quoted); }

INSTANTIATE_TEST_SUITE_P(Texts, ShellQuoteCases,
                         ::testing::Values(QuoteCase{"Plain", "--no-first-run", "'--no-first-run'"},
                                           QuoteCase{"GlobAndDollar", "--x=* $HOME", "'--x=* $HOME'"},
                                           QuoteCase{"SingleQuote", "it's", "'it'\\''s'"}),
                         CaseName());

struct ArgumentsCase {
  const char* name;
  BrowserLaunch launch;
  std::vector<std::string> present;
  std::vector<std::string> absent;
};

class BrowserArgumentsCases : public ::testing::TestWithParam<ArgumentsCase> {};

TEST_P(BrowserArgumentsCases, HoldTheRuntimesAndTheHostsSwitches) {
  const std::vector<std::string> arguments = BrowserArguments(GetParam().launch);
  for (const std::string& argument : GetParam().present)
    EXPECT_NE(std::find(arguments.begin(), arguments.end(), argument), arguments.end()) << argument;
  for (const std::string& argument : GetParam().absent)
    EXPECT_EQ(std::find(arguments.begin(), arguments.end(), argument), arguments.end()) << argument;
}

BrowserLaunch Launch(std::u16string additional, bool fakeMedia, std::string userData) {
  BrowserLaunch launch;
  launch.port = 4711;
  launch.windowClass = "velmoran-12-1";
  launch.additionalArguments = std::move(additional);
  launch.fakeMediaDevices = fakeMedia;
  launch.userDataFolder = std::move(userData);
  return launch;
}

INSTANTIATE_TEST_SUITE_P(
    Launches, BrowserArgumentsCases,
    ::testing::Values(
        ArgumentsCase{
            "ShellSettings",
            Launch(u"--disable-features=msEdgeRose --remote-debugging-port=9999 --remote-allow-origins=*",
                   false, "/tmp/p/CustomCache"),
            {"--remote-debugging-pipe", "--disable-features=msEdgeRose", "--remote-debugging-port=9999",
             "--remote-allow-origins=*", "--user-data-dir=/tmp/p/CustomCache", "--class=velmoran-12-1",
             "--no-first-run", "--disable-background-networking", "--disable-component-update",
             "--disable-sync"},
            {"--use-fake-device-for-media-stream"}},
        ArgumentsCase{"DemoCamera",
                      Launch(u"", true, ""),
                      {"--use-fake-device-for-media-stream", "--use-fake-ui-for-media-stream"},
                      {"--user-data-dir="}}),
    CaseName());

TEST(BrowserStartScript, ConnectsGreetsRunsChromiumOnTheSocketThenReportsItsEnd) {
  BrowserLaunch launch = Launch(u"--remote-allow-origins=*", false, "/tmp/u d");
  launch.greeting = "hello-1";
  const std::string script = BrowserStartScript(launch);
  const auto connect = script.find("exec 3<>/dev/tcp/127.0.0.1/4711");
  const auto greet = script.find("printf '%s\\0' 'hello-1' >&3");
  const auto start = script.find("; '/usr/bin/chromium' \"$@\"");
  const auto ended = script.find(
      "; printf '\\0{\"method\":\"Velmoran.browserExited\",\"params\":{\"exitCode\":%d}}\\0' $? >&3");
  ASSERT_NE(connect, std::string::npos);
  ASSERT_NE(greet, std::string::npos);
  ASSERT_NE(start, std::string::npos);
  ASSERT_NE(ended, std::string::npos) << script;
  EXPECT_LT(connect, greet);
  EXPECT_LT(greet, start);
  EXPECT_LT(start, ended);
  EXPECT_EQ(script.find("exec '/usr/bin/chromium'"), std::string::npos) << "bash stays to report the end";
  EXPECT_NE(script.find(" '--remote-allow-origins=*'"), std::string::npos);
  EXPECT_NE(script.find(" '--user-data-dir=/tmp/u d'"), std::string::npos);
  EXPECT_NE(script.find(" 4>&3 "), std::string::npos);
  EXPECT_NE(script.find("set -- --no-sandbox"), std::string::npos);
}

}  // namespace
}  // namespace velmoran::test
