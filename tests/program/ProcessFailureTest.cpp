// The browser's processes failing under the whole program, on the simulated
// Windows and runtime: a dead renderer gets its page loaded again; a dead
// browser process is replaced by a new browser in the same host window, back
// at the page it had, with the captures stored before untouched and the page
// bridge working on the new page; a third failure within a minute ends the
// recovery with one message box, while failures spread wider keep recovering.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/TWebCamFrm.h"
#include "base/Text.h"
#include "runtime/sim/SimController.h"
#include "runtime/sim/SimControllerSide.h"
#include "runtime/sim/SimWebView.h"
#include "tests/support/CaseName.h"
#include "tests/support/ShellSession.h"

namespace velmoran::test {
namespace {

using app::WebCamFrm;
using ::testing::ElementsAre;

constexpr char16_t kFirstPageURL[] = u"http://localhost/www/corvale2/index.html";
constexpr char16_t kSecondPageURL[] = u"http://localhost/www/corvale2/second.html";
constexpr int kAccessViolation = -1073741819;  // 0xC0000005

class ProcessFailureTest : public ::testing::Test {
 protected:
  ProcessFailureTest() {
    session.InstallApache(ApacheExecutable::File);
    session.StartServer();
    session.InstallRuntime();
    session.InstallControllerSide();
  }

  runtime::sim::SimController& Controller() { return session.Controller(); }
  runtime::sim::SimWebView& WebView() { return session.WebView(); }
  std::filesystem::path CaptureFile(int index) { return session.CaptureFile(std::to_string(index) + ".png"); }
  std::size_t MessageBoxes() { return session.sim.windows().MessageBoxes().size(); }
  std::size_t EnvironmentRequests() { return session.runtime->EnvironmentRequests().size(); }
  // The browser process dies `afterMilliseconds` after the previous step.
  std::function<void()> BrowserDies(std::uint32_t afterMilliseconds) {
    return [this, afterMilliseconds] {
      session.sim.clock().Advance(afterMilliseconds);
      session.runtime->FailBrowserProcess(kAccessViolation);
    };
  }

  ShellSession session;
};

struct RendererCase {
  const char* name;
  COREWEBVIEW2_PROCESS_FAILED_KIND kind;
  COREWEBVIEW2_PROCESS_FAILED_REASON reason;
  std::u16string logged;
  bool reloads;
};

class RendererFailureTest : public ProcessFailureTest, public ::testing::WithParamInterface<RendererCase> {};

TEST_P(RendererFailureTest, ReloadsThePageOnlyWhenItsRendererIsGone) {
  const RendererCase& failure = GetParam();
  const std::size_t controllersBefore = session.side->Requests().size();
  session.Run({
      [&] { WebView().FailRenderProcess(failure.kind, failure.reason, 5); },
      [&] {
        EXPECT_TRUE(session.Logged(failure.logged)) << Utf16ToUtf8(failure.logged);
        EXPECT_EQ(WebView().ReloadedUris(), failure.reloads ? std::vector<std::u16string>{kFirstPageURL}
                                                            : std::vector<std::u16string>{});
        EXPECT_EQ(session.Logged(app::kReloadingPage), failure.reloads);
        // The browser itself stays: same controller, same environment, nothing shown to the user.
        EXPECT_EQ(session.side->Requests().size(), controllersBefore + 1);
        EXPECT_EQ(EnvironmentRequests(), 1u);
        EXPECT_EQ(MessageBoxes(), 0u);
        WebView().Page().PostWebMessageAsString(CaptureObject(u"imgSave", 2));
      },
      [&] {
        EXPECT_EQ(FileText(CaptureFile(2)), kCapturedImage);
        EXPECT_THAT(WebView().ExecutedScripts(), ElementsAre(u"img_send_indx_done(2,1)"));
      },
  });
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, RendererFailureTest,
    ::testing::Values(
        RendererCase{"RendererCrashed", COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_EXITED,
                     COREWEBVIEW2_PROCESS_FAILED_REASON_CRASHED,
                     u"브라우저 프로세스 실패: 종류 1, 원인 3, 종료 코드 5", true},
        // A renderer that hangs has not exited: the runtime gives STILL_ACTIVE for its code.
        RendererCase{"RendererUnresponsive", COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_UNRESPONSIVE,
                     COREWEBVIEW2_PROCESS_FAILED_REASON_UNRESPONSIVE,
                     u"브라우저 프로세스 실패: 종류 2, 원인 1, 종료 코드 259", true},
        // Only some frames lost their renderer: the runtime shows them an error page, the page stays.
        RendererCase{"FrameRendererCrashed", COREWEBVIEW2_PROCESS_FAILED_KIND_FRAME_RENDER_PROCESS_EXITED,
                     COREWEBVIEW2_PROCESS_FAILED_REASON_CRASHED,
                     u"브라우저 프로세스 실패: 종류 3, 원인 3, 종료 코드 5", false}),
    CaseName());

TEST_F(ProcessFailureTest, RecreatesADeadBrowserInTheSameWindowAtThePageItHad) {
  webview::ComPtr<runtime::sim::SimController> deadController;
  platform::WindowHandle host = 0;
  session.Run({
      [&] {
        host = WebCamFrm->WVWindowParent1.Handle();
        WebView().Page().PostWebMessageAsString(CaptureObject(u"imgSave", 1));
      },
      [&] { EXPECT_TRUE(WebCamFrm->WVBrowser1.Navigate(kSecondPageURL)); },
      [&] {
        deadController = webview::ComPtr<runtime::sim::SimController>(&Controller());
        session.runtime->FailBrowserProcess(kAccessViolation);
      },
      [&] {
        EXPECT_TRUE(session.Logged(u"브라우저 프로세스 실패: 종류 0, 원인 0, 종료 코드 -1073741819"));
        EXPECT_TRUE(session.Logged(std::u16string(app::kRecreatingBrowser) + kSecondPageURL));
        EXPECT_TRUE(session.Logged(app::kBrowserRecreated));
        // The dead controller lost every subscription, then was closed.
        EXPECT_TRUE(deadController->Closed());
        EXPECT_EQ(deadController->SubscriptionsAtClose(), std::optional<std::size_t>(0));
        // A new environment (its browser process died with the old one), a new controller in the same window.
        EXPECT_EQ(EnvironmentRequests(), 2u);
        ASSERT_NE(&Controller(), deadController.Get());
        EXPECT_EQ(session.side->Requests().back().parentWindow, reinterpret_cast<HWND>(host));
        EXPECT_TRUE(WebCamFrm->WVBrowser1.Initialized());
        EXPECT_FALSE(Controller().BoundsHistory().empty()) << "the new browser is sized to its host";
        EXPECT_EQ(WebView().NavigatedUris(), std::vector<std::u16string>{kSecondPageURL});
        EXPECT_EQ(MessageBoxes(), 0u);
        // What was stored before the failure is still there.
        EXPECT_EQ(FileText(CaptureFile(1)), kCapturedImage);
        WebView().Page().PostWebMessageAsString(CaptureObject(u"imgSave", 2));
      },
      [&] {
        EXPECT_EQ(FileText(CaptureFile(2)), kCapturedImage);
        EXPECT_THAT(WebView().ExecutedScripts(), ElementsAre(u"img_send_indx_done(2,1)"));
        deadController.Reset();
      },
  });
  EXPECT_EQ(session.runtime->LiveObjects(), 0u);
}

TEST_F(ProcessFailureTest, ABrowserThatCannotBeMadeAgainEndsTheRecoveryWithOneMessageBox) {
  session.Run({
      [&] {
        session.side->Config().createController.completion = E_ABORT;
        session.runtime->FailBrowserProcess(kAccessViolation);
      },
      [&] {
        EXPECT_TRUE(
            session.Logged(std::u16string(app::kBrowserRecreateFailed) +
                           u" There was an error creating the controller. (2) Error code : 0x80004004 "
                           u"The parent window was destroyed before the controller creation was "
                           u"finished."));
        EXPECT_FALSE(session.Logged(app::kBrowserRecreated));
        EXPECT_FALSE(WebCamFrm->WVBrowser1.Initialized());
        ASSERT_EQ(MessageBoxes(), 1u);
        EXPECT_EQ(session.sim.windows().MessageBoxes().front().text, app::kRecoveryGivenUpText);
      },
  });
}

TEST_F(ProcessFailureTest, AThirdFailureWithinAMinuteEndsTheRecoveryWithOneMessageBox) {
  session.Run({
      BrowserDies(0),
      BrowserDies(20000),
      [&] {
        EXPECT_EQ(EnvironmentRequests(), 3u);
        EXPECT_EQ(MessageBoxes(), 0u);
        session.sim.clock().Advance(39000);
        // A renderer failure counts as well: the third within 59 seconds.
        WebView().FailRenderProcess(COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_EXITED,
                                    COREWEBVIEW2_PROCESS_FAILED_REASON_CRASHED, 1);
      },
      [&] {
        EXPECT_TRUE(session.Logged(app::kRecoveryStopped));
        EXPECT_TRUE(WebView().ReloadedUris().empty());
        ASSERT_EQ(MessageBoxes(), 1u);
        const auto& box = session.sim.windows().MessageBoxes().front();
        EXPECT_EQ(box.text, app::kRecoveryGivenUpText);
        EXPECT_EQ(box.caption, u"벨모란-VELMORAN");
        EXPECT_EQ(box.flags, platform::kMbOk);
      },
      BrowserDies(120000),
      [&] {
        // Logged, and nothing more: no new browser, no second box.
        EXPECT_TRUE(session.Logged(app::kRecoveryStoppedBefore));
        EXPECT_EQ(EnvironmentRequests(), 3u);
        EXPECT_EQ(session.side->Requests().size(), 3u);
        EXPECT_TRUE(WebView().BrowserProcessGone());
        EXPECT_EQ(MessageBoxes(), 1u);
      },
  });
}

TEST_F(ProcessFailureTest, FailuresSpreadOverMoreThanAMinuteKeepRecovering) {
  // Five failures, each 30 s after the one before: never three within a minute.
  std::vector<std::function<void()>> steps(5, BrowserDies(30001));
  steps.push_back([&] {
    EXPECT_EQ(EnvironmentRequests(), 6u);
    EXPECT_EQ(MessageBoxes(), 0u);
    EXPECT_TRUE(WebCamFrm->WVBrowser1.Initialized());
    WebView().Page().PostWebMessageAsString(CaptureObject(u"imgSave", 4));
  });
  steps.push_back([&] { EXPECT_THAT(WebView().ExecutedScripts(), ElementsAre(u"img_send_indx_done(4,1)")); });
  session.Run(std::move(steps));
  EXPECT_EQ(session.StepsRun(), 7u);
}

}  // namespace
}  // namespace velmoran::test
