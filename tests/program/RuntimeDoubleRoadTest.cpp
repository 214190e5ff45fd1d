// The runtime double under the whole program on the simulated Windows: the
// scenario a test writes decides what the runtime does and the page posts,
// and the transcript records what the program asked of the runtime, as it
// does for the executable under Wine.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "runtime/double/RuntimeDouble.h"
#include "runtime/sim/SimPlatformQueue.h"
#include "tests/support/ShellSession.h"

namespace velmoran::test {
namespace {

constexpr char kDemoScenario[] = VELMORAN_TEST_DATA_DIR "/../../samples/demo-scenario.txt";
constexpr char kEnvironmentLine[] =
    "environment\tC:\\velmoran\\CustomCache\t"
    "--disable-features=msEdgeRose --remote-debugging-port=9999 --remote-allow-origins=*";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

struct RoadCase {
  const char* name;
  std::string scenario;
  // Lines the transcript holds in this order, others between them.
  std::vector<std::string> inOrder;
  // Beginnings no line of the transcript has.
  std::vector<std::string> absent;
};

void PrintTo(const RoadCase& road, std::ostream* out) { *out << road.name; }

// The server already runs; the simulated runtime's file, registry entry and
// exports are in place as a test prefix has them, and the double answers for
// them. The page posts everything it was given, the queue runs dry, and the
// user closes the window.
class RuntimeDoubleRoadTest : public ::testing::TestWithParam<RoadCase> {
 protected:
  RuntimeDoubleRoadTest() {
    session.InstallApache(ApacheExecutable::File);
    session.StartServer();
    session.InstallRuntime();
  }

  std::shared_ptr<runtime::doubles::RuntimeDouble> StartDouble(const std::u16string& scenarioPath) {
    session.sim.environment().SetVariable(runtime::doubles::kScenarioVariable, scenarioPath);
    session.sim.environment().SetVariable(runtime::doubles::kTranscriptVariable, u"C:\\transcript.txt");
    return runtime::doubles::RuntimeDouble::Start(
        session.sim, std::make_shared<runtime::sim::SimPlatformQueue>(session.sim.windows()));
  }
  std::string Transcript() { return FileText(session.root.path() / "C" / "transcript.txt"); }

  // Runs the program with the runtime double reading `scenario`; answers the transcript.
  std::vector<std::string> Run(const std::string& scenario) {
    std::ofstream(session.root.path() / "C" / "scenario.txt", std::ios::binary) << scenario;
    auto runtime = StartDouble(u"C:\\scenario.txt");
    EXPECT_EQ(session.Run(), 0);
    runtime->Unload();
    return Lines(Transcript());
  }

  ShellSession session;
};

TEST_P(RuntimeDoubleRoadTest, TranscriptFollowsTheScenario) {
  const std::vector<std::string> transcript = Run(GetParam().scenario);
  auto next = transcript.begin();
  for (const std::string& expected : GetParam().inOrder) {
    next = std::find(next, transcript.end(), expected);
    ASSERT_NE(next, transcript.end()) << "missing, or out of order: " << expected;
  }
  for (const std::string& prefix : GetParam().absent) {
    for (const std::string& line : transcript) EXPECT_FALSE(line.starts_with(prefix)) << line;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Scenarios, RuntimeDoubleRoadTest,
    ::testing::Values(
        RoadCase{"NothingScripted",
                 "",
                 {kEnvironmentLine, "subscribe\tNavigationCompleted", "subscribe\tWebMessageReceived",
                  "navigate\thttp://localhost/www/corvale2/index.html", "navigation-completed\t1",
                  "unsubscribe\tWebMessageReceived", "close\t0", "unload\t0"},
                 {"page-message", "script", "scenario-error", "environment-failed"}},
        RoadCase{"EnvironmentRefused",
                 "fail CreateCoreWebView2EnvironmentWithOptions 0x80070005\n",
                 {"environment-failed\t0x80070005", "unload\t0"},
                 {"environment\t", "controller"}},
        RoadCase{"EnvironmentCompletesWithAFailure",
                 "complete environment E_FAIL\n",
                 {"environment-failed\t0x80004005", "unload\t0"},
                 {"controller"}},
        RoadCase{"ControllerCompletesWithAFailure",
                 "complete controller 0x80004004\n",
                 {kEnvironmentLine, "controller-failed\t0x80004004", "unload\t0"},
                 {"navigate"}},
        RoadCase{"FirstNavigationFails",
                 "navigation 1 fails CANNOT_CONNECT\n\"AppExit\"\n",
                 {"navigate\thttp://localhost/www/corvale2/index.html", "navigation-completed\t0\t12",
                  "close\t0", "unload\t0"},
                 {"page-message"}},
        RoadCase{"UnreadableMessageGetsNoReply",
                 "!unreadable\n",
                 {"navigation-completed\t1", "page-message\t!unreadable", "close\t0", "unload\t0"},
                 {"script"}},
        RoadCase{"ImageQueryRepliesWithoutACapture",
                 "wait 200\n{\"image\":\"x\",\"name\":\"q\",\"index\":7,\"length\":1}\n",
                 {"page-message\t{\"image\":\"x\",\"name\":\"q\",\"index\":7,\"length\":1}",
                  "script\timg_send_indx_done(7,0)", "close\t0", "unload\t0"},
                 {}},
        RoadCase{"ReplyScriptRefused",
                 "fail ExecuteScript E_FAIL\n{\"image\":\"x\",\"name\":\"q\",\"index\":7,\"length\":1}\n",
                 {"page-message\t{\"image\":\"x\",\"name\":\"q\",\"index\":7,\"length\":1}", "close\t0",
                  "unload\t0"},
                 {"script"}},
        RoadCase{"UnreadableScenarioLine",
                 "wait soon\n",
                 {"scenario-error\t1\twait needs a number of milliseconds", "unload\t0"},
                 {}}),
    [](const ::testing::TestParamInfo<RoadCase>& param) { return std::string(param.param.name); });

// A long run's messages come from a file read as the page goes, named in
// the transcript by their line, with what the process holds every N messages.
TEST_F(RuntimeDoubleRoadTest, FileOfMessagesIsPostedLineByLineWithResourcesAndTheEnd) {
  std::ofstream(session.root.path() / "C" / "messages.txt", std::ios::binary)
      << "{\"image\":\"\",\"name\":\"q\",\"index\":1,\"length\":0}\r\n!unreadable\n"
         "{\"image\":\"\",\"name\":\"q\",\"index\":2,\"length\":0}";
  const std::vector<std::string> transcript =
      Run("resources every 2\nmessages C:\\messages.txt\n\"a\"\nmessages C:\\missing.txt\n");
  const std::vector<std::string> expected = {"page-message\tline 1",
                                             "script\timg_send_indx_done(1,0)",
                                             "page-message\tline 2",
                                             "resources\t2\t0\t0\t0\t0\t0\t0",
                                             "page-message\tline 3",
                                             "script\timg_send_indx_done(2,0)",
                                             "page-message\t\"a\"",
                                             "resources\t4\t0\t0\t0\t0\t0\t0",
                                             "scenario-error\t0\tcannot read C:\\missing.txt",
                                             "page-done\t4",
                                             "unload\t0"};
  auto next = transcript.begin();
  for (const std::string& line : expected) {
    next = std::find(next, transcript.end(), line);
    ASSERT_NE(next, transcript.end()) << "missing, or out of order: " << line << "\n" << Transcript();
  }
}

TEST_F(RuntimeDoubleRoadTest, DemoScenarioStoresOneCaptureAndChecksForFour) {
  const std::vector<std::string> transcript = Run(FileText(kDemoScenario));
  std::vector<std::string> scripts;
  for (const std::string& line : transcript) {
    if (line.starts_with("script\t")) scripts.push_back(line);
  }
  EXPECT_EQ(scripts,
            (std::vector<std::string>{"script\timg_send_indx_done(1,1)", "script\timg_send_indx_done(1,1)",
                                      "script\timg_send_all_no(\"2,3,4,\")"}));
  const auto capture = session.root.path() / "C" / "velmoran_pose" / "A01" / "2026-04-28";
  EXPECT_TRUE(std::filesystem::is_regular_file(capture / "1.png"));
  EXPECT_EQ(FileText(capture / "1.json"), "[[0.5, 0.25, -0.1], [0.45, 0.3, -0.05]]");
  EXPECT_EQ(FileText(capture / "user.txt"), "{\"member\":\"홍길동\",\"age\":41}");
  EXPECT_EQ(transcript.back(), "unload\t0");
}

TEST_F(RuntimeDoubleRoadTest, ScenarioThatCannotBeRead) {
  auto runtime = StartDouble(u"C:\\no such scenario.txt");
  runtime->Unload();
  EXPECT_EQ(Transcript(), "scenario-error\t0\tcannot read C:\\no such scenario.txt\nunload\t0\n");
}

}  // namespace
}  // namespace velmoran::test
