// The program's start-up with the real loader on the simulated runtime when
// the loader fails: with no runtime, a missing export, a request refused at
// once, or an answer refusing the environment before or after the first
// show. Each failure reaches the user as it should, no browser is asked for,
// and nothing of the loader or the runtime is left.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "app/TWebCamFrm.h"
#include "runtime/sim/SimRuntime.h"
#include "tests/support/ShellSession.h"
#include "webview/abi/ComResults.h"
#include "webview/loader/TWVLoader.h"

namespace velmoran::test {
namespace {

using webview::SharedWebViewLoader;

constexpr char16_t kTitle[] = u"벨모란-VELMORAN";
constexpr std::uint32_t kLoaderDialogFlags = platform::kMbIconError | platform::kMbTopMost;

constexpr char16_t kNotInstalled[] =
    u"WebView2 Runtime is not installed correctly.\r\n"
    u"Download and run the Evergreen Standalone Installer from \r\n"
    u"https://developer.microsoft.com/microsoft-edge/webview2/\r\n";
constexpr char16_t kRuntimeUnableToStart[] =
    u"There was a problem initializing the browser environment.\r\nError code : 0x80004005\r\n"
    u"Edge runtime unable to start.\r\n";

// When the refusal reaches the program.
enum class Refusal {
  AtStart,                 // the loader's start fails by itself, before any window
  DuringTheLaunchersWait,  // the answer arrives while the launcher waits for the server
  OnTheMainLoop,           // the server ran already: the answer waits for the main loop's first pump
  AfterTheFirstIdle,       // the answer is held until the window sat idle
};

struct FailureCase {
  const char* name;
  std::function<void(bool& install, runtime::sim::SimRuntimeConfig&)> arrange;
  Refusal refusal;
  bool loaderDialog;  // the loader's own box before the main window's
  std::u16string errorMessage;
};

void PrintTo(const FailureCase& failure, std::ostream* out) { *out << failure.name; }

class LoaderStartupFailureTest : public ::testing::TestWithParam<FailureCase> {
 protected:
  void ExpectEverythingReleased() {
    EXPECT_EQ(SharedWebViewLoader(), nullptr);
    if (session.runtime) {
      EXPECT_EQ(session.runtime->LiveObjects(), 0u);
    }
    EXPECT_EQ(session.sim.com().OutstandingBlocks(), 0u);
    EXPECT_EQ(session.sim.modules().LoadedLibraries(), 0u);
  }

  ShellSession session;
};

TEST_P(LoaderStartupFailureTest, ReachesTheUserAsExpected) {
  const FailureCase& failure = GetParam();
  bool install = true;
  runtime::sim::SimRuntimeConfig options;
  failure.arrange(install, options);
  options.holdEnvironmentCompletions = failure.refusal == Refusal::AfterTheFirstIdle;
  session.InstallApache(ApacheExecutable::File);
  // With the server running nothing pumps the queue before the first show.
  const bool serverRunning =
      failure.refusal == Refusal::OnTheMainLoop || failure.refusal == Refusal::AfterTheFirstIdle;
  if (serverRunning) session.StartServer();
  if (install) session.InstallRuntime(options);
  int idleCallsAtLastBox = -1;
  session.sim.windows().SetMessageBoxHandler([&](const auto&) {
    idleCallsAtLastBox = session.IdleCalls();
    return platform::kIdOk;
  });
  std::size_t boxesAtFirstIdle = 99;
  MainWindowView shown;

  session.Run({[&] {
                 boxesAtFirstIdle = session.sim.windows().MessageBoxes().size();
                 if (session.runtime) session.runtime->ReleaseEnvironmentCompletions();
               },
               [&] { shown = session.Observe(); }});

  EXPECT_EQ(shown.loaderStatus, webview::wvlsError);
  EXPECT_EQ(shown.loaderError, failure.errorMessage);
  const auto& boxes = session.sim.windows().MessageBoxes();
  ASSERT_EQ(boxes.size(), failure.loaderDialog ? 2u : 1u);
  if (failure.loaderDialog) {
    EXPECT_EQ(boxes[0].owner, 0u);
    EXPECT_EQ(boxes[0].caption, u"Error");
    EXPECT_EQ(boxes[0].flags, kLoaderDialogFlags);
    EXPECT_EQ(boxes[0].text, failure.errorMessage);
  }
  EXPECT_EQ(boxes.back().caption, kTitle);
  EXPECT_EQ(boxes.back().flags, platform::kMbOk);
  EXPECT_EQ(boxes.back().text, u"Initialization Error: " + failure.errorMessage);
  if (failure.refusal == Refusal::AfterTheFirstIdle) {
    EXPECT_EQ(boxesAtFirstIdle, 0u) << "nothing is shown before the answer";
  } else {
    EXPECT_EQ(idleCallsAtLastBox, 0) << "shown before the main loop first ran dry";
  }
  EXPECT_EQ(shown.browserParent, 0u);
  if (session.runtime) {
    EXPECT_TRUE(session.runtime->ControllerRequests().empty());
  }
  EXPECT_FALSE(shown.panelVisible);
  EXPECT_FALSE(shown.splitterVisible);
  ExpectEverythingReleased();
}

INSTANTIATE_TEST_SUITE_P(
    Failures, LoaderStartupFailureTest,
    ::testing::Values(
        FailureCase{"NoRuntime", [](bool& install, auto&) { install = false; }, Refusal::AtStart, true,
                    kNotInstalled},
        FailureCase{"MissingExport",
                    [](bool&, auto& options) { options.missingExports = {"CreateCoreWebView2Environment"}; },
                    Refusal::AtStart, true, u"There was a problem loading the library procedures\r\n"},
        FailureCase{"RequestRefusedAtOnce",
                    [](bool&, auto& options) { options.createEnvironment.immediate = E_ACCESSDENIED; },
                    Refusal::AtStart, true,
                    u"There was an error creating the browser environment. (1)\r\nError code : 0x80070005\r\n"
                    u"Unable to create user data folder, Access Denied.\r\n"},
        FailureCase{"RefusedDuringTheLaunchersWait",
                    [](bool&, auto& options) { options.createEnvironment.completion = E_FAIL; },
                    Refusal::DuringTheLaunchersWait, false, kRuntimeUnableToStart},
        FailureCase{"RefusedOnTheMainLoop",
                    [](bool&, auto& options) { options.createEnvironment.completion = E_FAIL; },
                    Refusal::OnTheMainLoop, false, kRuntimeUnableToStart},
        FailureCase{
            "NotFoundAfterTheFirstIdle",
            [](bool&, auto& options) {
              options.createEnvironment.completion = static_cast<HRESULT>(0x80070002);
            },
            Refusal::AfterTheFirstIdle, false,
            u"There was a problem initializing the browser environment.\r\nError code : 0x80070002\r\n"
            u"Could not find Edge installation.\r\n"}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

}  // namespace
}  // namespace velmoran::test
