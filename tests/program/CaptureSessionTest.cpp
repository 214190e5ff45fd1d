// A session on the page from start to end on the simulated Windows and the
// simulated browser runtime: the program's own start-up, the browser created
// in the main window, page messages turned into capture files and reply
// scripts, the full-screen switch, a failed navigation, and a shutdown that
// removes every subscription and leaves nothing of the runtime behind.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/TWebCamFrm.h"
#include "base/Text.h"
#include "runtime/sim/SimController.h"
#include "runtime/sim/SimControllerSide.h"
#include "runtime/sim/SimWebView.h"
#include "tests/support/ShellSession.h"
#include "webview/loader/TWVLoader.h"

namespace velmoran::test {
namespace {

using app::WebCamFrm;
using platform::Rect;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr char16_t kIndexURL[] = u"http://localhost/www/corvale2/index.html";

// The loader's handlers on the environment, in the order it adds them.
const std::vector<std::string> kEnvironmentEvents = {"NewBrowserVersionAvailable", "BrowserProcessExited",
                                                     "ProcessInfosChanged"};
// The browser control's handlers on the webview and the controller, in the order it adds them.
// clang-format off
const std::vector<std::string> kBrowserEvents = {
    "Deleted", "NavigationStarting", "NavigationCompleted", "SourceChanged", "HistoryChanged",
    "ContentLoading", "DocumentTitleChanged", "NewWindowRequested", "FrameNavigationStarting",
    "FrameNavigationCompleted", "WebResourceRequested", "ScriptDialogOpening", "PermissionRequested",
    "ProcessFailed", "WebMessageReceived", "ContainsFullScreenElementChanged", "WindowCloseRequested",
    "WebResourceResponseReceived", "DOMContentLoaded", "FrameCreated", "DownloadStarting",
    "ClientCertificateRequested", "IsMutedChanged", "IsDocumentPlayingAudioChanged",
    "IsDefaultDownloadDialogOpenChanged", "BasicAuthenticationRequested", "ContextMenuRequested",
    "StatusBarTextChanged", "ServerCertificateErrorDetected", "FaviconChanged", "LaunchingExternalUriScheme",
    "NotificationReceived", "SaveAsUIShowing", "SaveFileSecurityCheckStarting", "ScreenCaptureStarting",
    "AcceleratorKeyPressed", "GotFocus", "LostFocus", "MoveFocusRequested", "ZoomFactorChanged",
    "RasterizationScaleChanged"};
// clang-format on

// The order of subscribing: the loader's, then the browser's.
std::vector<std::string> SubscriptionOrder() {
  std::vector<std::string> events = kEnvironmentEvents;
  events.insert(events.end(), kBrowserEvents.begin(), kBrowserEvents.end());
  return events;
}

// The order of teardown: the window goes, the browser removes its handlers in
// the order it added them and closes its controller, the loader removes its
// own, and only then does OLE end.
std::vector<std::string> TeardownOrder() {
  std::vector<std::string> events = {"destroy main window"};
  for (const std::string& event : kBrowserEvents) events.push_back("unsubscribe " + event);
  events.push_back("close controller, 0 left");
  for (const std::string& event : kEnvironmentEvents) events.push_back("unsubscribe " + event);
  events.push_back("uninitialize OLE");
  return events;
}

// The server already runs, so the loader's answer arrives on the main loop.
class CaptureSessionTest : public ::testing::Test {
 protected:
  CaptureSessionTest() {
    session.InstallApache(ApacheExecutable::File);
    session.StartServer();
    session.InstallRuntime();
    session.InstallControllerSide();
  }

  runtime::sim::SimController& Controller() { return session.Controller(); }
  std::vector<std::u16string> Scripts() { return session.WebView().ExecutedScripts(); }
  std::filesystem::path Capture(const char* name) { return session.CaptureFile(name); }

  ShellSession session;
};

TEST_F(CaptureSessionTest, StartsCapturesRepliesAndShutsDownCleanly) {
  webview::ComPtr<runtime::sim::SimController> heldController;
  webview::TOnWebMessageReceivedEvent pageHandler;
  const int exitCode = session.Run({
      [&] {
        // The loader answered, the first show's request made the browser, sized it and opened the page.
        // The server was found running: nothing was started.
        EXPECT_TRUE(session.sim.shell().Requests().empty());
        ASSERT_NE(webview::SharedWebViewLoader(), nullptr);
        EXPECT_TRUE(webview::SharedWebViewLoader()->Initialized());
        ASSERT_NE(session.side->LastController(), nullptr);
        EXPECT_EQ(session.side->Requests().front().parentWindow,
                  reinterpret_cast<HWND>(WebCamFrm->WVWindowParent1.Handle()));
        EXPECT_TRUE(WebCamFrm->WVBrowser1.Initialized());
        Rect client;
        session.sim.windows().GetClientRect(WebCamFrm->WVWindowParent1.Handle(), client);
        ASSERT_FALSE(Controller().BoundsHistory().empty());
        const RECT& first = Controller().BoundsHistory().front();
        EXPECT_EQ((Rect{first.left, first.top, first.right, first.bottom}), client);
        EXPECT_GT(client.Width(), 0);
        EXPECT_EQ(Controller().WebView().NavigatedUris(), std::vector<std::u16string>{kIndexURL});
        EXPECT_TRUE(session.sim.windows().MessageBoxes().empty());
        Controller().WebView().Page().PostWebMessageAsString(CaptureObject(u"imgSave", 3));
      },
      [&] {
        EXPECT_EQ(FileText(Capture("3.png")), kCapturedImage);
        EXPECT_EQ(FileText(Capture("user.txt")), "member");
        EXPECT_EQ(FileText(Capture("3.json")), "[1,2]");
        EXPECT_EQ(Scripts(), std::vector<std::u16string>{u"img_send_indx_done(3,1)"});
        Controller().WebView().Page().PostWebMessageAsString(CaptureObject(u"sendAllDataCall", 3));
      },
      [&] {
        EXPECT_THAT(Scripts(), ElementsAre(u"img_send_indx_done(3,1)", u"img_send_indx_done(3,1)",
                                           u"img_send_all_no(\"1,2,4,\")"));
        // The page fails the next reply.
        session.side->Config().scriptCompletion = E_FAIL;
        Controller().WebView().Page().PostWebMessageAsString(CaptureObject(u"imgSave", 4));
      },
      [&] {
        EXPECT_TRUE(session.Logged(u"--- 스크립트 실행 실패: -2147467259"));
        session.side->Config().scriptCompletion = S_OK;
        EXPECT_FALSE(WebCamFrm->FIsFullScreen);
        Controller().WebView().Page().PostWebMessageAsString(u"AppExit");
      },
      [&] {
        EXPECT_TRUE(WebCamFrm->FIsFullScreen);
        session.side->Config().navigationSucceeds = false;
        session.side->Config().navigationErrorStatus = COREWEBVIEW2_WEB_ERROR_STATUS_SERVER_UNREACHABLE;
        EXPECT_TRUE(WebCamFrm->WVBrowser1.Navigate(u"http://localhost/www/corvale2/missing.html"));
      },
      [&] {
        EXPECT_TRUE(session.Logged(u"페이지 이동 실패: 6"));
        // A page-message handler that throws inside the runtime's callback.
        pageHandler = WebCamFrm->WVBrowser1.OnWebMessageReceived;
        WebCamFrm->WVBrowser1.OnWebMessageReceived = [](webview::TWVBrowserBase*, ICoreWebView2*,
                                                        ICoreWebView2WebMessageReceivedEventArgs*) {
          throw std::runtime_error("bad alloc");
        };
        Controller().WebView().Page().PostWebMessageAsString(u"AppExit");
      },
      [&] {
        // The exception stopped at the control, the runtime got its answer and the log keeps it.
        EXPECT_TRUE(session.Logged(u"Exception in WebMessageReceived handler: bad alloc"));
        EXPECT_TRUE(WebCamFrm->FIsFullScreen);
        WebCamFrm->WVBrowser1.OnWebMessageReceived = pageHandler;
        // Kept past shutdown to look at what the program left on it.
        heldController = webview::ComPtr<runtime::sim::SimController>(&Controller());
      },
  });

  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(session.StepsRun(), 7u);
  EXPECT_THAT(session.Subscriptions(), ElementsAreArray(SubscriptionOrder()));
  EXPECT_THAT(session.Teardown(), ElementsAreArray(TeardownOrder()));
  ASSERT_TRUE(heldController);
  // Every subscription was removed before the controller was closed (Close itself drops any left).
  EXPECT_EQ(heldController->SubscriptionsAtClose(), std::optional<std::size_t>(0));
  heldController.Reset();
  EXPECT_EQ(session.runtime->LiveObjects(), 0u);
  EXPECT_EQ(session.sim.com().OutstandingBlocks(), 0u);
  EXPECT_EQ(session.sim.com().ForeignFrees(), 0u);
}

}  // namespace
}  // namespace velmoran::test
