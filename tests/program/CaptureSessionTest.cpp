// A session on the page from start to end on the simulated Windows and the
// simulated browser runtime: the program's own start-up, the browser created
// in the main window, page messages turned into capture files and reply
// scripts, the full-screen switch, a failed navigation, and a shutdown that
// removes every subscription and leaves nothing of the runtime behind. Then
// what the page may not do: be heard from another site, be told a lost
// capture is stored, or give a capture the name of a temporary.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/TWebCamFrm.h"
#include "base/Text.h"
#include "bridge/CapturePath.h"
#include "bridge/FileHelpers.h"
#include "runtime/sim/SimController.h"
#include "runtime/sim/SimControllerSide.h"
#include "runtime/sim/SimWebView.h"
#include "tests/support/HostFiles.h"
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
  void Post(std::u16string_view message) { Controller().WebView().Page().PostWebMessageAsString(message); }
  // The log's lines from the `from`-th on, without their time stamps.
  std::vector<std::u16string> LogSince(std::size_t from) {
    std::vector<std::u16string> lines;
    const std::vector<std::u16string> all = WebCamFrm->Memo1.Lines();
    for (std::size_t i = from; i < all.size(); ++i) lines.push_back(all[i].substr(all[i].find(u":::") + 3));
    return lines;
  }
  std::size_t LogLines() { return WebCamFrm->Memo1.LineCount(); }
  // The names in the capture folder A01, sorted.
  std::vector<std::string> CaptureFolder() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Capture("."))) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

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

// A link, or a redirect of the server, takes the browser to the same server
// under another name: nothing the page posts there is stored, toggled or
// answered, each message leaves one line; back on the start page's origin
// the page is heard again.
TEST_F(CaptureSessionTest, MessagesFromAnotherOriginAreNeitherStoredNorAnswered) {
  const std::u16string elsewhere = u"http://127.0.0.1/www/corvale2/index.html";
  std::size_t logFrom = 0;
  session.Run({
      [&] { Controller().WebView().Page().FollowLink(elsewhere); },
      [&] {
        logFrom = LogLines();
        Post(CaptureObject(u"imgSave", 3));
        Post(u"AppExit");
        Post(CaptureObject(u"sendAllDataCall", 3));
      },
      [&] {
        const std::u16string refused = u"다른 출처의 메시지를 거부했습니다: " + elsewhere;
        EXPECT_EQ(LogSince(logFrom), (std::vector<std::u16string>{refused, refused, refused}));
        EXPECT_FALSE(std::filesystem::exists(Capture(".")));
        EXPECT_TRUE(Scripts().empty());
        EXPECT_FALSE(WebCamFrm->FIsFullScreen);
        Controller().WebView().Page().FollowLink(u"HTTP://LOCALHOST:80/www/corvale2/retake.html");
      },
      [&] { Post(CaptureObject(u"imgSave", 3)); },
      [&] {
        EXPECT_EQ(FileText(Capture("3.png")), kCapturedImage);
        EXPECT_EQ(Scripts(), std::vector<std::u16string>{u"img_send_indx_done(3,1)"});
      },
  });
  EXPECT_EQ(session.StepsRun(), 5u);
}

// Images 1 to 4 from an earlier day lie in the folder. Today's capture of
// image 1 is lost to a full disk: neither the four-image check nor the index
// check of the page's check message counts the old file; the retake does.
TEST_F(CaptureSessionTest, ACaptureLostTodayIsMissingThoughAnOlderFileRemains) {
  for (const char* name : {"1.png", "2.png", "3.png", "4.png"}) WriteHostFile(Capture(name), "yesterday");
  session.Run({
      [&] {
        session.sim.files().SetDiskSpace(11);  // "member" and "[1,2]", not the image
        Post(CaptureObject(u"imgSave", 1));
      },
      [&] {
        EXPECT_TRUE(session.Logged(u"Exception JSON parsing: Stream write error"));
        EXPECT_TRUE(Scripts().empty()) << "a failed capture gets no per-image reply";
        Post(CaptureObject(u"sendAllDataCall", 4));
      },
      [&] {
        EXPECT_THAT(Scripts(), ElementsAre(u"img_send_indx_done(4,1)", u"img_send_all_no(\"1,\")"));
        EXPECT_TRUE(session.Logged(u"최근 저장에 실패한 이미지 파일: C:\\velmoran_pose\\A01\\\\1.png"));
        EXPECT_EQ(FileText(Capture("1.png")), "yesterday") << "the earlier file is kept whole";
        // The page's image query, posted as an object.
        Controller().WebView().Page().PostWebMessageAsJson(
            u"{\"image\":\"\",\"name\":\"query\",\"index\":1,\"length\":0}");
      },
      [&] {
        EXPECT_EQ(Scripts().back(), u"img_send_indx_done(1,0)");
        session.sim.files().SetDiskSpace(1 << 20);
        Post(CaptureObject(u"imgSave", 1));
      },
      [&] {
        EXPECT_EQ(FileText(Capture("1.png")), kCapturedImage);
        EXPECT_EQ(Scripts().back(), u"img_send_indx_done(1,1)");
        Post(CaptureObject(u"sendAllDataCall", 4));
      },
      [&] { EXPECT_EQ(Scripts().back(), u"img_send_all_done(\"\")"); },
  });
  EXPECT_EQ(session.StepsRun(), 6u);
}

// A shell killed while it wrote left a temporary in the folder. The page
// names a capture exactly as the temporary of 3.png would be named: refused
// with the usual lines. The next capture there removes the leftover.
TEST_F(CaptureSessionTest, TemporariesAreNeverCapturesAndLeftOnesGoWithTheNextCapture) {
  WriteHostFile(Capture("~vmDEADBEEF"), "half of a capture");
  const std::u16string temporary =
      bridge::TemporaryPathFor(bridge::CapturePath(u"C:\\velmoran_pose\\A01\\3.png"));
  const std::u16string temporaryName = temporary.substr(temporary.find_last_of(u'\\') + 1);
  std::u16string named = CaptureObject(u"imgSave", 3);
  const std::u16string filename = u"\"filename\":\"3.png\"";
  named.replace(named.find(filename), filename.size(), u"\"filename\":\"" + temporaryName + u"\"");
  std::size_t logFrom = 0;
  session.Run({
      [&] {
        logFrom = LogLines();
        Post(named);
      },
      [&] {
        EXPECT_EQ(LogSince(logFrom),
                  (std::vector<std::u16string>{
                      u"WebMessageReceived triggered", u"**** SavePath::C:\\velmoran_pose\\A01\\",
                      u"Exception JSON parsing: The name is reserved for temporary files",
                      u"Failed to parse JSON.--1"}));
        EXPECT_TRUE(Scripts().empty());
        Post(CaptureObject(u"imgSave", 3));
      },
      [&] {
        EXPECT_EQ(Scripts(), std::vector<std::u16string>{u"img_send_indx_done(3,1)"});
        EXPECT_EQ(CaptureFolder(), (std::vector<std::string>{"3.json", "3.png", "user.txt"}));
      },
  });
  EXPECT_EQ(session.StepsRun(), 3u);
}

}  // namespace
}  // namespace velmoran::test
