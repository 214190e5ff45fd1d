#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "app/TWebCamFrm.h"
#include "base/Text.h"
#include "runtime/sim/SimLoaderExports.h"
#include "runtime/sim/SimRuntime.h"
#include "tests/app/SimShellFixture.h"
#include "webview/abi/WebView2Exports.h"
#include "webview/loader/TWVLoader.h"

namespace velmoran::app {
namespace {

using platform::Rect;
using testing::ApacheExecutable;
using webview::SharedWebViewLoader;
using webview::TWVLoader;

struct LoaderAtStart {
  std::u16string userDataFolder;
  std::int32_t port = 0;
  std::u16string origins;
  bool extensions = false;
  std::size_t windows = 0;
  int oleDepth = 0;
};

struct ShownState {
  std::u16string caption;
  std::u16string defaultURL;
  platform::WindowHandle browserParent = 0;  // the window CreateBrowser was given
  platform::WindowHandle host = 0;
  bool panelVisible = true;
  bool splitterVisible = true;
  Rect hostRect, client, window;
  std::uint32_t style = 0;
  std::vector<std::u16string> logLines;
};

// Start-up's state at the moment the loader asks the runtime for the
// environment, seen from inside the runtime's export.
std::function<void()>& EnvironmentRequestObserver() {
  static std::function<void()> observer;
  return observer;
}
CreateCoreWebView2EnvironmentWithOptionsFunc& RuntimeCreateEnvironment() {
  static CreateCoreWebView2EnvironmentWithOptionsFunc forward = nullptr;
  return forward;
}
HRESULT WV2_STDCALL ObservedCreateEnvironment(
    PCWSTR browserExecutableFolder, PCWSTR userDataFolder, ICoreWebView2EnvironmentOptions* options,
    ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* handler) {
  if (EnvironmentRequestObserver()) EnvironmentRequestObserver()();
  return RuntimeCreateEnvironment()(browserExecutableFolder, userDataFolder, options, handler);
}

class StartupTest : public testing::SimShellFixture {
 protected:
  ~StartupTest() override {
    EnvironmentRequestObserver() = nullptr;
    webview::DestroySharedWebViewLoader();
  }

  // The simulated runtime as options_ describe it, its environment request
  // watched on its way in.
  void InstallRuntime() {
    runtime_ = runtime::sim::InstallSimRuntime(sim_, options_);
    auto exports = runtime::sim::SimLoaderExports();
    platform::ProcAddress& create = exports[webview::kCreateCoreWebView2EnvironmentWithOptionsExport];
    RuntimeCreateEnvironment() = reinterpret_cast<CreateCoreWebView2EnvironmentWithOptionsFunc>(create);
    create = reinterpret_cast<platform::ProcAddress>(&ObservedCreateEnvironment);
    sim_.modules().RegisterLibrary(u"WebView2Loader.dll", std::move(exports));
    EnvironmentRequestObserver() = [this] {
      const TWVLoader& loader = *SharedWebViewLoader();
      atStart_ = LoaderAtStart{loader.UserDataFolder(),      loader.RemoteDebuggingPort(),
                               loader.RemoteAllowOrigins(),  loader.AreBrowserExtensionsEnabled(),
                               sim_.windows().LiveWindows(), sim_.com().OleDepth()};
    };
  }

  // The user's part, one step each time the queue runs dry; then the window is closed.
  void Script(std::vector<std::function<void()>> steps) {
    steps_ = std::move(steps);
    sim_.windows().SetIdleHandler([this] {
      ++idleCalls_;
      auto& windows = sim_.windows();
      while (windows.QueuedMessages() == 0 && next_ < steps_.size()) steps_[next_++]();
      if (windows.QueuedMessages() == 0 && WebCamFrm != nullptr) {
        windows.PostMessageW(WebCamFrm->Handle(), platform::kWmClose, 0, 0);
      }
    });
  }

  ShownState Observe() {
    ShownState state;
    TWebCamFrm& form = *WebCamFrm;
    auto& windows = sim_.windows();
    state.caption = windows.GetWindowTextW(form.Handle());
    state.defaultURL = form.WVBrowser1.DefaultURL();
    state.browserParent = form.WVBrowser1.WindowParentHandle();
    state.host = form.WVWindowParent1.Handle();
    // Hidden both as the form knows it and as the system shows it.
    state.panelVisible = form.Panel1.Visible() || windows.IsWindowVisible(form.Panel1.Handle());
    state.splitterVisible = form.Splitter1.Visible() || windows.IsWindowVisible(form.Splitter1.Handle());
    windows.GetWindowRect(state.host, state.hostRect);
    windows.GetClientRect(form.Handle(), state.client);
    windows.GetWindowRect(form.Handle(), state.window);
    state.style = static_cast<std::uint32_t>(windows.GetWindowLongW(form.Handle(), platform::kGwlStyle));
    state.logLines = form.Memo1.Lines();
    return state;
  }

  runtime::sim::SimRuntimeConfig options_;
  std::unique_ptr<runtime::sim::SimRuntime> runtime_;
  std::optional<LoaderAtStart> atStart_;
  std::vector<std::function<void()>> steps_;
  std::size_t next_ = 0;
  int idleCalls_ = 0;
};

TEST_F(StartupTest, RunsInOrderShowsTheBrowserAndTearsDownInReverse) {
  InstallApache(ApacheExecutable::File);
  InstallRuntime();  // the answer arrives during the launcher's pumped wait
  bool loaderAliveAtWindowEnd = false;
  int oleAtWindowEnd = 0;
  bool loaderGoneAtOleEnd = false;
  sim_.windows().SetDestroyObserver([&](platform::WindowHandle window) {
    if (sim_.windows().ClassName(window) != u"TWebCamFrm") return;
    loaderAliveAtWindowEnd = SharedWebViewLoader() != nullptr;
    oleAtWindowEnd = sim_.com().OleDepth();
  });
  sim_.com().SetOleUninitializeObserver([&] { loaderGoneAtOleEnd = SharedWebViewLoader() == nullptr; });
  ShownState shown;
  Script({[&] { shown = Observe(); }});

  EXPECT_EQ(RunVelmoran(sim_), 0);

  ASSERT_TRUE(atStart_.has_value());
  EXPECT_EQ(atStart_->userDataFolder, u"C:\\velmoran\\CustomCache");
  EXPECT_EQ(atStart_->port, 9999);
  EXPECT_EQ(atStart_->origins, u"*");
  EXPECT_TRUE(atStart_->extensions);
  EXPECT_EQ(atStart_->windows, 0u) << "the loader starts before any window exists";
  EXPECT_EQ(atStart_->oleDepth, 1) << "and after OLE is initialised";

  EXPECT_EQ(shown.caption, u"벨모란 V.26.04.28");
  EXPECT_EQ(shown.defaultURL, u"http://localhost/www/corvale2/");
  EXPECT_EQ(sim_.clock().TotalSlept(), 1000u);
  EXPECT_NE(shown.host, 0u);
  EXPECT_EQ(shown.browserParent, shown.host);
  EXPECT_FALSE(shown.panelVisible);
  EXPECT_FALSE(shown.splitterVisible);
  EXPECT_EQ(shown.hostRect.Width(), shown.client.Width());
  EXPECT_EQ(shown.hostRect.Height(), shown.client.Height());
  EXPECT_TRUE(shown.style & platform::kWsMaximize);
  // Maximised: the frame's border hangs over the 1920 x 1040 work area.
  EXPECT_EQ(shown.window, (Rect{-3, -3, 1923, 1043}));
  EXPECT_TRUE(sim_.windows().MessageBoxes().empty());
  EXPECT_EQ(runtime_->ControllerRequests().size(), 1u);

  EXPECT_TRUE(loaderAliveAtWindowEnd);
  EXPECT_EQ(oleAtWindowEnd, 1);
  EXPECT_TRUE(loaderGoneAtOleEnd);
  EXPECT_EQ(WebCamFrm, nullptr);
  EXPECT_EQ(SharedWebViewLoader(), nullptr);
  EXPECT_EQ(sim_.windows().LiveWindows(), 0u);
  EXPECT_EQ(sim_.com().OleDepth(), 0);
}

struct LaunchCase {
  const char* name;
  ApacheExecutable executable;
  bool serverRunning;
  std::uint32_t refusal;
  std::u16string_view url;
  std::uint64_t slept;
  std::u16string_view logLine;  // empty: nothing logged
};

class StartupLaunchTest : public StartupTest, public ::testing::WithParamInterface<LaunchCase> {};

TEST_P(StartupLaunchTest, LauncherOutcomeReachesTheFirstAddress) {
  const LaunchCase& c = GetParam();
  InstallApache(c.executable);
  if (c.serverRunning) sim_.shell().AddProcess(u"C:\\xampp\\apache\\bin\\httpd.exe");
  sim_.shell().RefuseStarts(c.refusal);
  InstallRuntime();
  bool formReachableAtBox = false;
  sim_.windows().SetMessageBoxHandler([&](const auto&) {
    formReachableAtBox = WebCamFrm != nullptr && WebCamFrm->Handle() != 0;
    return platform::kIdOk;
  });
  ShownState shown;
  Script({[&] { shown = Observe(); }});

  RunVelmoran(sim_);

  EXPECT_EQ(shown.defaultURL, c.url);
  EXPECT_EQ(sim_.clock().TotalSlept(), c.slept);
  const auto& boxes = sim_.windows().MessageBoxes();
  if (c.executable != ApacheExecutable::File) {
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, u"벨모란-VELMORAN") << "the title is in place before the window exists";
    EXPECT_TRUE(formReachableAtBox) << "WebCamFrm is set before its creation step runs";
  } else {
    EXPECT_TRUE(boxes.empty());
  }
  if (c.logLine.empty()) {
    EXPECT_EQ(shown.logLines, std::vector<std::u16string>{u""});
  } else {
    ASSERT_EQ(shown.logLines.size(), 2u);
    EXPECT_TRUE(shown.logLines[1].ends_with(u":::" + std::u16string(c.logLine)))
        << Utf16ToUtf8(shown.logLines[1]);
  }
  EXPECT_EQ(shown.browserParent, shown.host);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, StartupLaunchTest,
    ::testing::Values(LaunchCase{"MissingExecutable", ApacheExecutable::Missing, true, 0,
                                 u"http://localhost/www/corvale2/", 0, u""},
                      LaunchCase{"ServerRunning", ApacheExecutable::File, true, 0,
                                 u"http://localhost/www/corvale2/index.html", 0, u""},
                      LaunchCase{"ServerStarted", ApacheExecutable::File, false, 0,
                                 u"http://localhost/www/corvale2/", 1000, u""},
                      LaunchCase{"ElevationRefused", ApacheExecutable::File, false, platform::kErrorCancelled,
                                 u"http://localhost/www/corvale2/", 1000,
                                 u"Apache 실행 실패: The operation was canceled by the user"}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(StartupTest, LoaderErrorAtFirstShowIsShownAndNoBrowserIsAsked) {
  InstallApache(ApacheExecutable::File);  // no server yet: the launcher's wait delivers the refusal
  options_.createEnvironment.completion = E_FAIL;
  InstallRuntime();
  int idleCallsAtBox = -1;
  sim_.windows().SetMessageBoxHandler([&](const auto&) {
    idleCallsAtBox = idleCalls_;
    return platform::kIdOk;
  });
  ShownState shown;
  Script({[&] { shown = Observe(); }});

  RunVelmoran(sim_);

  const auto& boxes = sim_.windows().MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            u"Initialization Error: There was a problem initializing the browser environment.\r\n"
            u"Error code : 0x80004005\r\nEdge runtime unable to start.\r\n");
  EXPECT_EQ(boxes[0].caption, u"벨모란-VELMORAN");
  EXPECT_EQ(boxes[0].flags, platform::kMbOk);
  EXPECT_EQ(idleCallsAtBox, 0) << "shown by the first show, before the main loop ran dry";
  EXPECT_EQ(shown.browserParent, 0u);
  EXPECT_TRUE(runtime_->ControllerRequests().empty());
  EXPECT_FALSE(shown.panelVisible);
  EXPECT_FALSE(shown.splitterVisible);
}

// The loader's answer may come before the first show (handled in the
// launcher's wait) or after it (the server was already running, so nothing
// pumped the queue): either way exactly one browser is asked for, in the host.
struct OrderCase {
  const char* name;
  bool serverRunning;
};

class StartupAnswerOrderTest : public StartupTest, public ::testing::WithParamInterface<OrderCase> {};

TEST_P(StartupAnswerOrderTest, BrowserIsRequestedOnceWhicheverComesFirst) {
  InstallApache(ApacheExecutable::File);
  // With the server running nothing pumps the queue before the first show;
  // the answer waits in the runtime until the window is up.
  if (GetParam().serverRunning) sim_.shell().AddProcess(u"httpd.exe");
  options_.holdEnvironmentCompletions = GetParam().serverRunning;
  InstallRuntime();
  platform::WindowHandle parentBeforeAnswer = 1;
  ShownState shown;
  Script({[&] {
            parentBeforeAnswer = WebCamFrm->WVBrowser1.WindowParentHandle();
            runtime_->ReleaseEnvironmentCompletions();
          },
          [&] { shown = Observe(); }});

  RunVelmoran(sim_);

  EXPECT_EQ(parentBeforeAnswer, GetParam().serverRunning ? 0u : shown.host);
  EXPECT_NE(shown.host, 0u);
  EXPECT_EQ(shown.browserParent, shown.host);
  EXPECT_EQ(runtime_->ControllerRequests().size(), 1u);
  EXPECT_TRUE(sim_.windows().MessageBoxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Orders, StartupAnswerOrderTest,
                         ::testing::Values(OrderCase{"AnswerBeforeFirstShow", false},
                                           OrderCase{"AnswerAfterFirstShow", true}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(StartupTest, LoaderFailureAfterFirstShowIsShownAsAtFirstShow) {
  InstallApache(ApacheExecutable::File);
  sim_.shell().AddProcess(u"httpd.exe");
  options_.holdEnvironmentCompletions = true;
  options_.createEnvironment.completion = static_cast<HRESULT>(0x80070002);
  InstallRuntime();
  std::size_t boxesBeforeAnswer = 99;
  ShownState shown;
  Script({[&] {
            boxesBeforeAnswer = sim_.windows().MessageBoxes().size();
            runtime_->ReleaseEnvironmentCompletions();
          },
          [&] { shown = Observe(); }});

  RunVelmoran(sim_);

  EXPECT_EQ(boxesBeforeAnswer, 0u);
  const auto& boxes = sim_.windows().MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            u"Initialization Error: There was a problem initializing the browser environment.\r\n"
            u"Error code : 0x80070002\r\nCould not find Edge installation.\r\n");
  EXPECT_EQ(shown.browserParent, 0u);
  EXPECT_TRUE(runtime_->ControllerRequests().empty());
}

TEST_F(StartupTest, QuitTakenByThePumpedWaitStillEndsTheLoop) {
  InstallApache(ApacheExecutable::File);
  InstallRuntime();
  sim_.windows().PostQuitMessage(7);  // queued before the launcher's wait takes it
  Script({});

  EXPECT_EQ(RunVelmoran(sim_), 7);
  EXPECT_EQ(idleCalls_, 0) << "the main loop met the quit request before running dry";
  EXPECT_EQ(sim_.clock().TotalSlept(), 1000u);
}

struct FolderCase {
  std::u16string executable;
  std::u16string userDataFolder;
};

class UserDataFolderTest : public testing::SimShellFixture,
                           public ::testing::WithParamInterface<FolderCase> {};

TEST_P(UserDataFolderTest, FolderOfTheExecutablePlusCustomCache) {
  sim_.process().SetExecutablePath(GetParam().executable);
  EXPECT_EQ(UserDataFolderFor(sim_.process()), GetParam().userDataFolder);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, UserDataFolderTest,
    ::testing::Values(FolderCase{u"C:\\velmoran\\velmoran.exe", u"C:\\velmoran\\CustomCache"},
                      FolderCase{u"C:\\velmoran.exe", u"C:\\\\CustomCache"},
                      FolderCase{u"D:\\a\\b\\c.exe", u"D:\\a\\b\\CustomCache"},
                      FolderCase{u"\\\\server\\share\\v.exe", u"\\\\server\\share\\CustomCache"},
                      // A path the buffer cut short would name another folder: the runtime chooses instead.
                      FolderCase{u"C:\\" + std::u16string(300, u'x') + u"\\v.exe", u""}));

}  // namespace
}  // namespace velmoran::app
