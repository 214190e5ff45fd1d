// The program's start-up on the simulated Windows and runtime: what the
// loader is told and when, how the launcher's outcome reaches the first
// address, the loader's answer arriving before or after the first show, and
// the teardown in reverse.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "app/TWebCamFrm.h"
#include "base/Text.h"
#include "runtime/sim/SimLoaderExports.h"
#include "runtime/sim/SimRuntime.h"
#include "tests/app/SimShellFixture.h"
#include "tests/support/ShellSession.h"
#include "webview/abi/WebView2Exports.h"
#include "webview/loader/TWVLoader.h"

namespace velmoran::test {
namespace {

using app::UserDataFolderFor;
using app::WebCamFrm;
using platform::Rect;
using ::testing::ElementsAre;
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

class StartupTest : public ::testing::Test {
 protected:
  ~StartupTest() override { EnvironmentRequestObserver() = nullptr; }

  // The simulated runtime as `options` describe it, its environment request
  // watched on its way in.
  void InstallRuntime() {
    session.InstallRuntime(options);
    auto exports = runtime::sim::SimLoaderExports();
    platform::ProcAddress& create = exports[webview::kCreateCoreWebView2EnvironmentWithOptionsExport];
    RuntimeCreateEnvironment() = reinterpret_cast<CreateCoreWebView2EnvironmentWithOptionsFunc>(create);
    create = reinterpret_cast<platform::ProcAddress>(&ObservedCreateEnvironment);
    session.sim.modules().RegisterLibrary(u"WebView2Loader.dll", std::move(exports));
    EnvironmentRequestObserver() = [this] {
      const TWVLoader& loader = *SharedWebViewLoader();
      atStart = LoaderAtStart{loader.UserDataFolder(),
                              loader.RemoteDebuggingPort(),
                              loader.RemoteAllowOrigins(),
                              loader.AreBrowserExtensionsEnabled(),
                              session.sim.windows().LiveWindows(),
                              session.sim.com().OleDepth()};
    };
  }

  std::vector<std::uintptr_t> ControllerParents() const {
    std::vector<std::uintptr_t> parents;
    for (HWND parent : session.runtime->ControllerRequests())
      parents.push_back(reinterpret_cast<std::uintptr_t>(parent));
    return parents;
  }

  ShellSession session;
  runtime::sim::SimRuntimeConfig options;
  std::optional<LoaderAtStart> atStart;
};

TEST_F(StartupTest, RunsInOrderShowsTheBrowserAndTearsDownInReverse) {
  session.InstallApache(ApacheExecutable::File);
  InstallRuntime();  // the answer arrives during the launcher's pumped wait
  bool loaderAliveAtWindowEnd = false;
  int oleAtWindowEnd = 0;
  bool loaderGoneAtOleEnd = false;
  session.onMainWindowDestroyed = [&] {
    loaderAliveAtWindowEnd = SharedWebViewLoader() != nullptr;
    oleAtWindowEnd = session.sim.com().OleDepth();
  };
  session.onOleUninitialize = [&] { loaderGoneAtOleEnd = SharedWebViewLoader() == nullptr; };
  MainWindowView shown;

  EXPECT_EQ(session.Run({[&] { shown = session.Observe(); }}), 0);

  ASSERT_TRUE(atStart.has_value());
  EXPECT_EQ(atStart->userDataFolder, u"C:\\velmoran\\CustomCache");
  EXPECT_EQ(atStart->port, 9999);
  EXPECT_EQ(atStart->origins, u"*");
  EXPECT_TRUE(atStart->extensions);
  EXPECT_EQ(atStart->windows, 0u) << "the loader starts before any window exists";
  EXPECT_EQ(atStart->oleDepth, 1) << "and after OLE is initialised";
  // What reached the runtime: the settings above as the request carries them.
  ASSERT_EQ(session.runtime->EnvironmentRequests().size(), 1u);
  const runtime::sim::SimEnvironmentRequest& request = session.runtime->EnvironmentRequests()[0];
  EXPECT_EQ(request.userDataFolder, u"C:\\velmoran\\CustomCache");
  EXPECT_EQ(request.additionalBrowserArguments,
            u"--disable-features=msEdgeRose --remote-debugging-port=9999 --remote-allow-origins=*");
  EXPECT_TRUE(request.areBrowserExtensionsEnabled);
  EXPECT_THAT(session.sim.modules().LoadLog(), ElementsAre(u"WebView2Loader.dll"));

  EXPECT_EQ(shown.caption, u"벨모란 V.26.04.28");
  EXPECT_EQ(shown.defaultURL, u"http://localhost/www/corvale2/");
  EXPECT_EQ(session.sim.clock().TotalSlept(), 1000u);
  EXPECT_NE(shown.host, 0u);
  EXPECT_EQ(shown.browserParent, shown.host);
  EXPECT_FALSE(shown.panelVisible);
  EXPECT_FALSE(shown.splitterVisible);
  EXPECT_EQ(shown.hostRect.Width(), shown.client.Width());
  EXPECT_EQ(shown.hostRect.Height(), shown.client.Height());
  EXPECT_TRUE(shown.style & platform::kWsMaximize);
  // Maximised: the frame's border hangs over the 1920 x 1040 work area.
  EXPECT_EQ(shown.window, (Rect{-3, -3, 1923, 1043}));
  EXPECT_TRUE(session.sim.windows().MessageBoxes().empty());
  EXPECT_EQ(ControllerParents(), std::vector<std::uintptr_t>{shown.host});

  // The loader's three environment events, each removed again once the window is gone and before OLE ends.
  EXPECT_THAT(session.Subscriptions(),
              ElementsAre("NewBrowserVersionAvailable", "BrowserProcessExited", "ProcessInfosChanged"));
  EXPECT_THAT(session.Teardown(), ElementsAre("destroy main window", "unsubscribe NewBrowserVersionAvailable",
                                              "unsubscribe BrowserProcessExited",
                                              "unsubscribe ProcessInfosChanged", "uninitialize OLE"));
  EXPECT_TRUE(loaderAliveAtWindowEnd);
  EXPECT_EQ(oleAtWindowEnd, 1);
  EXPECT_TRUE(loaderGoneAtOleEnd);
  EXPECT_EQ(WebCamFrm, nullptr);
  EXPECT_EQ(SharedWebViewLoader(), nullptr);
  EXPECT_EQ(session.sim.windows().LiveWindows(), 0u);
  EXPECT_EQ(session.sim.com().OleDepth(), 0);
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

void PrintTo(const LaunchCase& launch, std::ostream* out) { *out << launch.name; }

class StartupLaunchTest : public StartupTest, public ::testing::WithParamInterface<LaunchCase> {};

TEST_P(StartupLaunchTest, LauncherOutcomeReachesTheFirstAddress) {
  const LaunchCase& c = GetParam();
  session.InstallApache(c.executable);
  if (c.serverRunning) session.StartServer();
  session.sim.shell().RefuseStarts(c.refusal);
  InstallRuntime();
  bool formReachableAtBox = false;
  session.sim.windows().SetMessageBoxHandler([&](const auto&) {
    formReachableAtBox = WebCamFrm != nullptr && WebCamFrm->Handle() != 0;
    return platform::kIdOk;
  });
  MainWindowView shown;

  session.Run({[&] { shown = session.Observe(); }});

  EXPECT_EQ(shown.defaultURL, c.url);
  EXPECT_EQ(session.sim.clock().TotalSlept(), c.slept);
  const auto& boxes = session.sim.windows().MessageBoxes();
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

// The loader's answer may come during the launcher's pumped wait, on the main
// loop's first pump (the server was already running, so nothing pumped the
// queue before the first show), or only once the window sat idle: each time
// exactly one browser is asked for, in the host.
enum class AnswerArrives { DuringTheLaunchersWait, OnTheMainLoop, AfterTheFirstIdle };

struct AnswerCase {
  const char* name;
  AnswerArrives arrives;
};

void PrintTo(const AnswerCase& answer, std::ostream* out) { *out << answer.name; }

class StartupAnswerOrderTest : public StartupTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(StartupAnswerOrderTest, BrowserIsRequestedOnceWhicheverComesFirst) {
  const AnswerArrives arrives = GetParam().arrives;
  session.InstallApache(ApacheExecutable::File);
  if (arrives != AnswerArrives::DuringTheLaunchersWait) session.sim.shell().AddProcess(u"httpd.exe");
  options.holdEnvironmentCompletions = arrives == AnswerArrives::AfterTheFirstIdle;
  InstallRuntime();
  platform::WindowHandle parentAtFirstIdle = 1;
  MainWindowView shown;

  session.Run({[&] {
                 parentAtFirstIdle = WebCamFrm->WVBrowser1.WindowParentHandle();
                 session.runtime->ReleaseEnvironmentCompletions();
               },
               [&] { shown = session.Observe(); }});

  EXPECT_EQ(parentAtFirstIdle, arrives == AnswerArrives::AfterTheFirstIdle ? 0u : shown.host);
  EXPECT_NE(shown.host, 0u);
  EXPECT_EQ(shown.loaderStatus, webview::wvlsInitialized);
  EXPECT_EQ(shown.browserParent, shown.host);
  EXPECT_EQ(ControllerParents(), std::vector<std::uintptr_t>{shown.host});
  EXPECT_TRUE(session.sim.windows().MessageBoxes().empty());
  // Nothing of the loader or the runtime outlives the program.
  EXPECT_EQ(SharedWebViewLoader(), nullptr);
  EXPECT_EQ(session.runtime->LiveObjects(), 0u);
  EXPECT_EQ(session.sim.com().OutstandingBlocks(), 0u);
  EXPECT_EQ(session.sim.modules().LoadedLibraries(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Orders, StartupAnswerOrderTest,
                         ::testing::Values(AnswerCase{"DuringTheLaunchersWait",
                                                      AnswerArrives::DuringTheLaunchersWait},
                                           AnswerCase{"OnTheMainLoop", AnswerArrives::OnTheMainLoop},
                                           AnswerCase{"AfterTheFirstIdle", AnswerArrives::AfterTheFirstIdle}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(StartupTest, QuitTakenByThePumpedWaitStillEndsTheLoop) {
  session.InstallApache(ApacheExecutable::File);
  InstallRuntime();
  session.sim.windows().PostQuitMessage(7);  // queued before the launcher's wait takes it

  EXPECT_EQ(session.Run(), 7);
  EXPECT_EQ(session.IdleCalls(), 0) << "the main loop met the quit request before running dry";
  EXPECT_EQ(session.sim.clock().TotalSlept(), 1000u);
}

struct FolderCase {
  const char* name;
  std::u16string executable;
  std::u16string userDataFolder;
};

void PrintTo(const FolderCase& folder, std::ostream* out) { *out << folder.name; }

class UserDataFolderTest : public SimShellFixture, public ::testing::WithParamInterface<FolderCase> {};

TEST_P(UserDataFolderTest, FolderOfTheExecutablePlusCustomCache) {
  sim.process().SetExecutablePath(GetParam().executable);
  EXPECT_EQ(UserDataFolderFor(sim.process()), GetParam().userDataFolder);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, UserDataFolderTest,
    ::testing::Values(
        FolderCase{"BesideTheExecutable", u"C:\\velmoran\\velmoran.exe", u"C:\\velmoran\\CustomCache"},
        FolderCase{"AtTheDriveRoot", u"C:\\velmoran.exe", u"C:\\\\CustomCache"},
        FolderCase{"DeeperOnAnotherDrive", u"D:\\a\\b\\c.exe", u"D:\\a\\b\\CustomCache"},
        FolderCase{"OnANetworkShare", u"\\\\server\\share\\v.exe", u"\\\\server\\share\\CustomCache"},
        // A path the buffer cut short would name another folder: the runtime chooses instead.
        FolderCase{"TooLongForTheBuffer", u"C:\\" + std::u16string(300, u'x') + u"\\v.exe", u""}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

}  // namespace
}  // namespace velmoran::test
