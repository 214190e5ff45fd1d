// The whole road on the simulated Windows and the simulated browser runtime:
// the program's own start-up, the browser created in the main window, page
// messages turned into capture files and reply scripts, the full-screen
// switch, a failed navigation, and a shutdown that leaves nothing of the
// runtime behind.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "app/TWebCamFrm.h"
#include "base/Text.h"
#include "platform/sim/SimPlatform.h"
#include "runtime/sim/SimController.h"
#include "runtime/sim/SimControllerSide.h"
#include "runtime/sim/SimRuntime.h"
#include "runtime/sim/SimWebView.h"
#include "tests/platform/TempFolder.h"
#include "webview/loader/TWVLoader.h"

namespace velmoran::e2e {
namespace {

using app::WebCamFrm;
using platform::Rect;

constexpr char16_t kIndexURL[] = u"http://localhost/www/corvale2/index.html";

// The inner object of a capture message, as the page serialises it before posting it as a string.
std::u16string CaptureObject(std::u16string_view callMode, int index) {
  const std::u16string number = DecimalText(index);
  return u"{\"callMode\":\"" + std::u16string(callMode) + u"\",\"name\":\"pose\",\"index\":" + number +
         u",\"image\":\"data:image/png;base64,AAECAw==\",\"length\":8,\"SavePath\":\"A01\",\"filename\":\"" +
         number + u".png\",\"jsonfilename\":\"" + number +
         u".json\",\"member_info\":\"member\",\"poseWorldLandmarks2\":\"[1,2]\"}";
}

std::string FileText(const std::filesystem::path& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (error) return "<missing>";
  std::string text(static_cast<std::size_t>(size), '\0');
  std::ifstream(path, std::ios::binary).read(text.data(), static_cast<std::streamsize>(text.size()));
  return text;
}

class WholeRoadTest : public ::testing::Test {
 protected:
  WholeRoadTest() : sim(root.path()) {
    const auto bin = root.path() / "C" / "xampp" / "apache" / "bin";
    std::filesystem::create_directories(bin);
    std::ofstream(bin / "httpd.exe") << "MZ";
    sim.shell().AddProcess(u"C:\\xampp\\apache\\bin\\httpd.exe");
    runtime = runtime::sim::InstallSimRuntime(sim);
    side = runtime::sim::InstallSimControllerSide(*runtime);
  }

  // The user's part: one step each time the queue runs dry, then the window is closed.
  void Script(std::vector<std::function<void()>> steps) {
    steps_ = std::move(steps);
    sim.windows().SetIdleHandler([this] {
      auto& windows = sim.windows();
      while (windows.QueuedMessages() == 0 && next_ < steps_.size()) steps_[next_++]();
      if (windows.QueuedMessages() == 0 && WebCamFrm != nullptr) {
        windows.PostMessageW(WebCamFrm->Handle(), platform::kWmClose, 0, 0);
      }
    });
  }

  // The runtime's newest controller; a step that finds none fails there.
  runtime::sim::SimController& Controller() {
    runtime::sim::SimController* controller = side->LastController();
    if (controller == nullptr) throw std::runtime_error("the runtime made no controller");
    return *controller;
  }
  std::vector<std::u16string> Scripts() { return Controller().WebView().ExecutedScripts(); }
  bool Logged(std::u16string_view line) {
    for (const std::u16string& logged : WebCamFrm->Memo1.Lines()) {
      if (logged.ends_with(line)) return true;
    }
    return false;
  }
  std::filesystem::path Capture(const char* name) {
    return root.path() / "C" / "velmoran_pose" / "A01" / name;
  }

  platform::test::TempFolder root;
  platform::sim::SimPlatform sim;
  std::unique_ptr<runtime::sim::SimRuntime> runtime;
  std::shared_ptr<runtime::sim::SimControllerSide> side;
  std::vector<std::function<void()>> steps_;
  std::size_t next_ = 0;
};

TEST_F(WholeRoadTest, FromStartUpThroughThePageToShutdown) {
  webview::ComPtr<runtime::sim::SimController> heldController;
  webview::TOnWebMessageReceivedEvent pageHandler;
  std::size_t stepsRun = 0;
  Script({
      [&] {
        // The loader answered, the first show's request made the browser, sized it and opened the page.
        ++stepsRun;
        // The server was found running: nothing was started.
        EXPECT_TRUE(sim.shell().Requests().empty());
        ASSERT_NE(webview::SharedWebViewLoader(), nullptr);
        EXPECT_TRUE(webview::SharedWebViewLoader()->Initialized());
        ASSERT_NE(side->LastController(), nullptr);
        EXPECT_EQ(side->Requests().front().parentWindow,
                  reinterpret_cast<HWND>(WebCamFrm->WVWindowParent1.Handle()));
        EXPECT_TRUE(WebCamFrm->WVBrowser1.Initialized());
        Rect client;
        sim.windows().GetClientRect(WebCamFrm->WVWindowParent1.Handle(), client);
        ASSERT_FALSE(Controller().BoundsHistory().empty());
        const RECT& first = Controller().BoundsHistory().front();
        EXPECT_EQ((Rect{first.left, first.top, first.right, first.bottom}), client);
        EXPECT_GT(client.Width(), 0);
        EXPECT_EQ(Controller().WebView().NavigatedUris(), std::vector<std::u16string>{kIndexURL});
        EXPECT_TRUE(sim.windows().MessageBoxes().empty());
        Controller().WebView().Page().PostWebMessageAsString(CaptureObject(u"imgSave", 3));
      },
      [&] {
        ++stepsRun;
        EXPECT_EQ(FileText(Capture("3.png")), std::string("\x00\x01\x02\x03", 4));
        EXPECT_EQ(FileText(Capture("user.txt")), "member");
        EXPECT_EQ(FileText(Capture("3.json")), "[1,2]");
        EXPECT_EQ(Scripts(), std::vector<std::u16string>{u"img_send_indx_done(3,1)"});
        Controller().WebView().Page().PostWebMessageAsString(CaptureObject(u"sendAllDataCall", 3));
      },
      [&] {
        ++stepsRun;
        const std::vector<std::u16string> scripts = Scripts();
        ASSERT_EQ(scripts.size(), 3u);
        EXPECT_EQ(scripts[1], u"img_send_indx_done(3,1)");
        EXPECT_EQ(scripts[2], u"img_send_all_no(\"1,2,4,\")");
        // The page fails the next reply.
        side->Config().scriptCompletion = E_FAIL;
        Controller().WebView().Page().PostWebMessageAsString(CaptureObject(u"imgSave", 4));
      },
      [&] {
        ++stepsRun;
        EXPECT_TRUE(Logged(u"--- 스크립트 실행 실패: -2147467259"));
        side->Config().scriptCompletion = S_OK;
        EXPECT_FALSE(WebCamFrm->FIsFullScreen);
        Controller().WebView().Page().PostWebMessageAsString(u"AppExit");
      },
      [&] {
        ++stepsRun;
        EXPECT_TRUE(WebCamFrm->FIsFullScreen);
        side->Config().navigationSucceeds = false;
        side->Config().navigationErrorStatus = COREWEBVIEW2_WEB_ERROR_STATUS_SERVER_UNREACHABLE;
        EXPECT_TRUE(WebCamFrm->WVBrowser1.Navigate(u"http://localhost/www/corvale2/missing.html"));
      },
      [&] {
        ++stepsRun;
        EXPECT_TRUE(Logged(u"페이지 이동 실패: 6"));
        // A page-message handler that throws inside the runtime's callback.
        pageHandler = WebCamFrm->WVBrowser1.OnWebMessageReceived;
        WebCamFrm->WVBrowser1.OnWebMessageReceived = [](webview::TWVBrowserBase*, ICoreWebView2*,
                                                        ICoreWebView2WebMessageReceivedEventArgs*) {
          throw std::runtime_error("bad alloc");
        };
        Controller().WebView().Page().PostWebMessageAsString(u"AppExit");
      },
      [&] {
        ++stepsRun;
        // The exception stopped at the control, the runtime got its answer and the log keeps it.
        EXPECT_TRUE(Logged(u"Exception in WebMessageReceived handler: bad alloc"));
        EXPECT_TRUE(WebCamFrm->FIsFullScreen);
        WebCamFrm->WVBrowser1.OnWebMessageReceived = pageHandler;
        // Kept past shutdown to look at what the program left on it.
        heldController = webview::ComPtr<runtime::sim::SimController>(&Controller());
      },
  });

  EXPECT_EQ(app::RunVelmoran(sim), 0);

  EXPECT_EQ(stepsRun, 7u);
  ASSERT_TRUE(heldController);
  // Every subscription was removed before the controller was closed (Close itself drops any left).
  EXPECT_EQ(heldController->SubscriptionsAtClose(), std::optional<std::size_t>(0));
  heldController.Reset();
  EXPECT_EQ(runtime->LiveObjects(), 0u);
  EXPECT_EQ(sim.com().OutstandingBlocks(), 0u);
  EXPECT_EQ(sim.com().ForeignFrees(), 0u);
}

}  // namespace
}  // namespace velmoran::e2e
