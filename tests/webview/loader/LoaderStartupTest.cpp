// The program's start-up with the real loader on the simulated runtime, end to
// end: the exports come from the simulated library, the answer arrives on a
// later pump, the main window asks for the browser once the loader is
// initialized, and each start-up failure reaches the user as it should.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "app/TWebCamFrm.h"
#include "runtime/sim/SimRuntime.h"
#include "tests/app/SimShellFixture.h"
#include "webview/abi/ComResults.h"
#include "webview/loader/TWVLoader.h"

namespace velmoran::webview::test {
namespace {

using velmoran::testing::ApacheExecutable;

constexpr char16_t kTitle[] = u"벨모란-VELMORAN";
constexpr std::uint32_t kLoaderDialogFlags = platform::kMbIconError | platform::kMbTopMost;

struct AtFirstIdle {
  std::u16string errorMessage;
  TWV2LoaderStatus status = wvlsCreated;
  platform::WindowHandle host = 0;
};

class LoaderStartupTest : public velmoran::testing::SimShellFixture {
 protected:
  ~LoaderStartupTest() override { DestroySharedWebViewLoader(); }

  // Runs the program; at the first moment the queue runs dry the loader and
  // the window are looked at, and the window is then closed.
  void Run(bool serverRunning) {
    InstallApache(ApacheExecutable::File);
    if (serverRunning) sim_.shell().AddProcess(u"C:\\xampp\\apache\\bin\\httpd.exe");
    if (install_) runtime_ = runtime::sim::InstallSimRuntime(sim_, options_);
    bool observed = false;
    sim_.windows().SetIdleHandler([this, &observed] {
      if (!observed && app::WebCamFrm != nullptr) {
        observed = true;
        atFirstIdle_.errorMessage = SharedWebViewLoader()->ErrorMessage();
        atFirstIdle_.status = SharedWebViewLoader()->Status();
        atFirstIdle_.host = app::WebCamFrm->WVWindowParent1.Handle();
      }
      if (app::WebCamFrm != nullptr) {
        sim_.windows().PostMessageW(app::WebCamFrm->Handle(), platform::kWmClose, 0, 0);
      }
    });
    app::RunVelmoran(sim_);
  }

  std::vector<std::uintptr_t> ControllerParents() const {
    std::vector<std::uintptr_t> parents;
    for (HWND parent : runtime_->ControllerRequests())
      parents.push_back(reinterpret_cast<std::uintptr_t>(parent));
    return parents;
  }

  void ExpectEverythingReleased() {
    EXPECT_EQ(SharedWebViewLoader(), nullptr);
    if (runtime_) {
      EXPECT_EQ(runtime_->LiveObjects(), 0u);
    }
    EXPECT_EQ(sim_.com().OutstandingBlocks(), 0u);
    EXPECT_EQ(sim_.modules().LoadedLibraries(), 0u);
  }

  bool install_ = true;
  runtime::sim::SimRuntimeConfig options_;
  std::unique_ptr<runtime::sim::SimRuntime> runtime_;
  AtFirstIdle atFirstIdle_;
};

TEST_F(LoaderStartupTest, AnswerDuringTheLaunchersWaitLetsTheFirstShowAskForTheBrowser) {
  Run(/*serverRunning=*/false);

  ASSERT_EQ(runtime_->EnvironmentRequests().size(), 1u);
  const runtime::sim::SimEnvironmentRequest& request = runtime_->EnvironmentRequests()[0];
  EXPECT_EQ(request.userDataFolder, u"C:\\velmoran\\CustomCache");
  EXPECT_EQ(request.additionalBrowserArguments,
            u"--disable-features=msEdgeRose --remote-debugging-port=9999 --remote-allow-origins=*");
  EXPECT_TRUE(request.areBrowserExtensionsEnabled);
  EXPECT_EQ(sim_.modules().LoadLog(), std::vector<std::u16string>{u"WebView2Loader.dll"});
  EXPECT_EQ(sim_.clock().TotalSlept(), 1000u);  // the launcher's pumped wait delivered the answer

  EXPECT_EQ(atFirstIdle_.status, wvlsInitialized);
  EXPECT_EQ(ControllerParents(), std::vector<std::uintptr_t>{atFirstIdle_.host});
  EXPECT_TRUE(sim_.windows().MessageBoxes().empty());
  ExpectEverythingReleased();
}

TEST_F(LoaderStartupTest, AnswerAfterTheFirstShowStillAsksForTheBrowserOnce) {
  Run(/*serverRunning=*/true);  // nothing pumps the queue before the first show

  EXPECT_EQ(atFirstIdle_.status, wvlsInitialized);
  EXPECT_EQ(ControllerParents(), std::vector<std::uintptr_t>{atFirstIdle_.host});
  EXPECT_TRUE(sim_.windows().MessageBoxes().empty());
  ExpectEverythingReleased();
}

struct FailureCase {
  const char* name;
  std::function<void(bool& install, runtime::sim::SimRuntimeConfig&)> arrange;
  bool serverRunning;
  bool loaderDialog;  // the loader's own box before the main window's
  std::u16string errorMessage;
};

class LoaderStartupFailureTest : public LoaderStartupTest,
                                 public ::testing::WithParamInterface<FailureCase> {};

TEST_P(LoaderStartupFailureTest, ReachesTheUserAsExpected) {
  const FailureCase& failure = GetParam();
  failure.arrange(install_, options_);

  Run(failure.serverRunning);

  EXPECT_EQ(atFirstIdle_.status, wvlsError);
  EXPECT_EQ(atFirstIdle_.errorMessage, failure.errorMessage);
  const auto& boxes = sim_.windows().MessageBoxes();
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
  if (runtime_) {
    EXPECT_TRUE(runtime_->ControllerRequests().empty());
  }
  ExpectEverythingReleased();
}

INSTANTIATE_TEST_SUITE_P(
    Failures, LoaderStartupFailureTest,
    ::testing::Values(
        FailureCase{"NoRuntime", [](bool& install, auto&) { install = false; }, false, true,
                    u"WebView2 Runtime is not installed correctly.\r\n"
                    u"Download and run the Evergreen Standalone Installer from \r\n"
                    u"https://developer.microsoft.com/microsoft-edge/webview2/\r\n"},
        FailureCase{"MissingExport",
                    [](bool&, auto& options) { options.missingExports = {"CreateCoreWebView2Environment"}; },
                    false, true, u"There was a problem loading the library procedures\r\n"},
        FailureCase{"RequestRefusedAtOnce",
                    [](bool&, auto& options) { options.createEnvironment.immediate = E_ACCESSDENIED; }, false,
                    true,
                    u"There was an error creating the browser environment. (1)\r\nError code : 0x80070005\r\n"
                    u"Unable to create user data folder, Access Denied.\r\n"},
        FailureCase{
            "RefusedDuringTheLaunchersWait",
            [](bool&, auto& options) { options.createEnvironment.completion = E_FAIL; }, false, false,
            u"There was a problem initializing the browser environment.\r\nError code : 0x80004005\r\n"
            u"Edge runtime unable to start.\r\n"},
        FailureCase{
            "RefusedAfterTheFirstShow",
            [](bool&, auto& options) { options.createEnvironment.completion = E_FAIL; }, true, false,
            u"There was a problem initializing the browser environment.\r\nError code : 0x80004005\r\n"
            u"Edge runtime unable to start.\r\n"}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

}  // namespace
}  // namespace velmoran::webview::test
