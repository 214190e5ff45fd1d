#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/TApplication.h"
#include "app/TWebCamFrm.h"
#include "base/Text.h"
#include "runtime/sim/SimRuntime.h"
#include "tests/app/SimShellFixture.h"
#include "tests/support/CaseName.h"
#include "webview/abi/CoTaskMemText.h"
#include "webview/abi/ComObject.h"
#include "webview/loader/TWVLoader.h"

namespace velmoran::test {
namespace {

using app::ssAlt;
using app::ssCtrl;
using app::ssShift;
using app::TApplication;
using app::TWebCamFrm;
using app::WebCamFrm;
using platform::MonitorInfo;
using platform::Rect;

class FakeNavigationArgs final : public webview::ComObject<ICoreWebView2NavigationCompletedEventArgs> {
 public:
  FakeNavigationArgs(BOOL success, std::int32_t status) : success_(success), status_(status) {}
  HRESULT WV2_STDCALL get_IsSuccess(BOOL* isSuccess) override {
    *isSuccess = success_;
    return 0;
  }
  HRESULT WV2_STDCALL get_WebErrorStatus(COREWEBVIEW2_WEB_ERROR_STATUS* status) override {
    *status = static_cast<COREWEBVIEW2_WEB_ERROR_STATUS>(status_);
    return 0;
  }
  HRESULT WV2_STDCALL get_NavigationId(UINT64* id) override {
    *id = 1;
    return 0;
  }

 private:
  BOOL success_;
  std::int32_t status_;
};

// A message posted by the document at `source`; nullopt: the runtime cannot say where from.
class FakeWebMessageArgs final : public webview::ComObject<ICoreWebView2WebMessageReceivedEventArgs> {
 public:
  FakeWebMessageArgs(platform::Com& com, std::u16string json,
                     std::optional<std::u16string> source = u"http://localhost/")
      : com_(com), json_(std::move(json)), source_(std::move(source)) {}
  HRESULT WV2_STDCALL get_Source(LPWSTR* source) override {
    *source = nullptr;
    if (!source_) return static_cast<HRESULT>(0x80004005);
    *source = webview::CoTaskMemDup(com_, *source_);
    return 0;
  }
  HRESULT WV2_STDCALL get_WebMessageAsJson(LPWSTR* json) override {
    *json = webview::CoTaskMemDup(com_, json_);
    return 0;
  }
  HRESULT WV2_STDCALL TryGetWebMessageAsString(LPWSTR* text) override {
    *text = nullptr;
    return static_cast<HRESULT>(0x80070057);
  }

 private:
  platform::Com& com_;
  std::u16string json_;
  std::optional<std::u16string> source_;
};

// The main window built and shown as start-up does it, on the simulated
// runtime, with the server running and the loader's answer handled before
// the window is made (unless the test holds it back).
class WebCamFrmTest : public SimShellFixture {
 protected:
  WebCamFrmTest() {
    InstallApache(ApacheExecutable::File);
    sim.shell().AddProcess(u"httpd.exe");
  }
  ~WebCamFrmTest() override {
    // The start-up's teardown order: the window, the loader, then OLE with the application.
    if (application) application->DestroyForms();
    webview::DestroySharedWebViewLoader();
    application.reset();
  }

  void Start(bool show = true) {
    runtime = runtime::sim::InstallSimRuntime(sim, options);
    application = std::make_unique<TApplication>(sim);
    webview::CreateSharedWebViewLoader(sim).StartWebView2();
    Pump();  // the running server leaves no launcher's wait to deliver the answer
    application->SetTitle(u"벨모란-VELMORAN");
    application->CreateForm(WebCamFrm);
    if (show) form().Show();
  }
  TWebCamFrm& form() { return *WebCamFrm; }
  platform::WindowHandle handle() { return form().Handle(); }

  void Pump() {
    auto& windows = sim.windows();
    platform::Message message;
    while (windows.PeekMessageW(message, 0, 0, 0, platform::kPmRemove)) {
      windows.TranslateMessage(message);
      windows.DispatchMessageW(message);
    }
  }
  Rect WindowRect() {
    Rect rect;
    sim.windows().GetWindowRect(handle(), rect);
    return rect;
  }
  std::int32_t Style() { return sim.windows().GetWindowLongW(handle(), platform::kGwlStyle); }
  void PressF11(std::uint16_t modifier) {
    if (modifier != 0) sim.windows().SetKeyDown(modifier, true);
    sim.windows().PressKey(platform::kVkF11, handle());
    Pump();
    if (modifier != 0) sim.windows().SetKeyDown(modifier, false);
  }
  void PostAppExit() {
    auto args = webview::MakeComObject<FakeWebMessageArgs>(sim.com(), u"\"AppExit\"");
    form().WVBrowser1WebMessageReceived(&form().WVBrowser1, nullptr, args.Get());
  }

  runtime::sim::SimRuntimeConfig options;
  std::unique_ptr<runtime::sim::SimRuntime> runtime;
  std::unique_ptr<TApplication> application;
};

TEST_F(WebCamFrmTest, RestoredWindowHasTheFixedClientSizeCentredAndAFixedBorder) {
  Start();
  sim.windows().ShowWindow(handle(), platform::kSwRestore);
  Rect client;
  sim.windows().GetClientRect(handle(), client);
  EXPECT_EQ(client, (Rect{0, 0, 1106, 607}));
  const Rect window = WindowRect();
  EXPECT_LE(std::abs(window.left + window.right - 1920), 1);
  EXPECT_LE(std::abs(window.top + window.bottom - 1080), 1);
  const auto style = static_cast<std::uint32_t>(Style());
  EXPECT_EQ(style & platform::kWsCaption, platform::kWsCaption);
  EXPECT_TRUE(style & platform::kWsSysMenu);
  EXPECT_TRUE(style & platform::kWsMinimizeBox);
  EXPECT_TRUE(style & platform::kWsMaximizeBox);
  EXPECT_FALSE(style & platform::kWsThickFrame);
}

struct ToggleCase {
  const char* name;
  bool firstByKey;
  bool secondByKey;
  std::uint16_t modifier;
};

void PrintTo(const ToggleCase& toggle, std::ostream* out) { *out << toggle.name; }

class FullScreenTest : public WebCamFrmTest, public ::testing::WithParamInterface<ToggleCase> {};

TEST_P(FullScreenTest, CoversTheMonitorAndComesBackExactly) {
  const ToggleCase& c = GetParam();
  Start();
  const Rect before = WindowRect();
  const std::int32_t styleBefore = Style();

  c.firstByKey ? PressF11(c.modifier) : PostAppExit();
  EXPECT_TRUE(form().FIsFullScreen);
  EXPECT_EQ(WindowRect(), (Rect{0, 0, 1920, 1080})) << "the monitor, task bar included";
  EXPECT_EQ(static_cast<std::uint32_t>(Style()), static_cast<std::uint32_t>(styleBefore) & 0xFF3BFFFFu);
  EXPECT_TRUE(static_cast<std::uint32_t>(Style()) & platform::kWsMaximize) << "the window state is kept";

  c.secondByKey ? PressF11(c.modifier) : PostAppExit();
  EXPECT_FALSE(form().FIsFullScreen);
  EXPECT_EQ(WindowRect(), before);
  EXPECT_EQ(Style(), styleBefore);
  EXPECT_TRUE(sim.windows().IsWindowVisible(handle()));
}

INSTANTIATE_TEST_SUITE_P(Triggers, FullScreenTest,
                         ::testing::Values(ToggleCase{"F11Twice", true, true, 0},
                                           ToggleCase{"F11WithShift", true, true, platform::kVkShift},
                                           ToggleCase{"F11WithCtrl", true, true, platform::kVkControl},
                                           ToggleCase{"F11WithAlt", true, true, platform::kVkMenu},
                                           ToggleCase{"AppExitTwice", false, false, 0},
                                           ToggleCase{"F11ThenAppExit", true, false, 0}),
                         CaseName());

// The page's full-screen switch from a document the shell did not open, or
// from one the runtime cannot place: one log line, and nothing else.
TEST_F(WebCamFrmTest, MessageFromAnotherOriginOrNoneIsRefused) {
  Start();
  const std::size_t linesBefore = form().Memo1.LineCount();
  const std::size_t blocksBefore = sim.com().OutstandingBlocks();
  const auto foreign = webview::MakeComObject<FakeWebMessageArgs>(sim.com(), u"\"AppExit\"",
                                                                  u"http://127.0.0.1/www/corvale2/");
  form().WVBrowser1WebMessageReceived(&form().WVBrowser1, nullptr, foreign.Get());
  const auto unknown = webview::MakeComObject<FakeWebMessageArgs>(sim.com(), u"\"AppExit\"", std::nullopt);
  form().WVBrowser1WebMessageReceived(&form().WVBrowser1, nullptr, unknown.Get());
  EXPECT_FALSE(form().FIsFullScreen);
  const std::vector<std::u16string> lines = form().Memo1.Lines();
  ASSERT_EQ(lines.size(), linesBefore + 2);
  EXPECT_TRUE(
      lines[linesBefore].ends_with(u":::다른 출처의 메시지를 거부했습니다: http://127.0.0.1/www/corvale2/"));
  EXPECT_TRUE(lines[linesBefore + 1].ends_with(u":::출처를 알 수 없는 메시지를 거부했습니다."));
  EXPECT_EQ(sim.com().OutstandingBlocks(), blocksBefore) << "the address read is freed";
}

TEST_F(WebCamFrmTest, FullScreenCoversTheMonitorTheWindowIsOn) {
  sim.windows().SetMonitors({MonitorInfo{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 1},
                             MonitorInfo{{1920, -200, 3200, 824}, {1920, -200, 3200, 784}, 0}});
  Start();
  sim.windows().ShowWindow(handle(), platform::kSwRestore);
  sim.windows().SetWindowPos(handle(), 0, 2100, 0, 800, 600, platform::kSwpNoZOrder);
  const Rect before = WindowRect();

  PressF11(0);
  EXPECT_EQ(WindowRect(), (Rect{1920, -200, 3200, 824}));
  PressF11(0);
  EXPECT_EQ(WindowRect(), before);
}

TEST_F(WebCamFrmTest, F11GoesToTheBrowserWhenItHasTheFocus) {
  Start();
  sim.windows().SetFocus(form().WVWindowParent1.Handle());
  PressF11(0);
  EXPECT_FALSE(form().FIsFullScreen);
}

TEST_F(WebCamFrmTest, OtherKeysAreLeftAlone) {
  Start();
  std::uint16_t key = 0x7B;  // F12
  form().FormKeyDown(&form(), key, 0);
  EXPECT_EQ(key, 0x7B);
  key = platform::kVkF11;
  form().FormKeyDown(&form(), key, ssShift | ssCtrl | ssAlt);
  EXPECT_EQ(key, 0);
  EXPECT_TRUE(form().FIsFullScreen);
}

TEST_F(WebCamFrmTest, HostFillsTheClientAreaOnceTheLogPanelIsHidden) {
  Start(false);
  Rect host;
  sim.windows().GetWindowRect(form().WVWindowParent1.Handle(), host);
  EXPECT_EQ(host.Height(), 607 - 139 - 5) << "the log panel and its splitter take the bottom at first";
  form().Show();
  Rect client;
  sim.windows().GetClientRect(handle(), client);
  sim.windows().GetWindowRect(form().WVWindowParent1.Handle(), host);
  EXPECT_EQ(host.Width(), client.Width());
  EXPECT_EQ(host.Height(), client.Height());
  EXPECT_EQ(form().WVBrowser1.WindowParentHandle(), form().WVWindowParent1.Handle());
}

TEST_F(WebCamFrmTest, WindowAndLogViewShareTheBoldElevenPixelFontUntilTheEnd) {
  Start();
  auto& windows = sim.windows();
  const auto font =
      static_cast<platform::GdiObject>(windows.SendMessageW(handle(), platform::kWmGetFont, 0, 0));
  EXPECT_EQ(sim.graphics().FontOf(font), (platform::LogFont{-11, platform::kFwBold, 1, u"맑은 고딕"}));
  EXPECT_EQ(static_cast<platform::GdiObject>(
                windows.SendMessageW(form().Memo1.Handle(), platform::kWmGetFont, 0, 0)),
            font);
  application->DestroyForms();
  EXPECT_EQ(sim.graphics().FontsCreated(), 1u);
  EXPECT_EQ(sim.graphics().LiveFonts(), 0u) << "deleted once its windows are gone";
}

TEST_F(WebCamFrmTest, LogViewIsAHiddenEditInTheLogPanelFollowingTheLog) {
  Start();
  auto& windows = sim.windows();
  const platform::WindowHandle memo = form().Memo1.Handle();
  EXPECT_EQ(windows.ClassName(memo), u"EDIT");
  EXPECT_EQ(windows.Parent(memo), form().Panel1.Handle());
  EXPECT_FALSE(windows.IsWindowVisible(memo));
  const std::u16string before = windows.GetWindowTextW(memo);
  EXPECT_TRUE(before.starts_with(u"\r\n")) << "the initial empty line comes first";
  form().logw(u"a line");
  EXPECT_EQ(windows.GetWindowTextW(memo), before + form().Memo1.Lines().back() + u"\r\n");
  EXPECT_TRUE(form().Memo1.Lines().back().ends_with(u":::a line"));
}

struct NavigationCase {
  const char* name;
  BOOL success;
  std::int32_t status;
  std::u16string_view logged;  // empty: nothing
};

void PrintTo(const NavigationCase& navigation, std::ostream* out) { *out << navigation.name; }

class NavigationCompletedTest : public WebCamFrmTest, public ::testing::WithParamInterface<NavigationCase> {};

TEST_P(NavigationCompletedTest, LogsOnlyFailures) {
  Start();
  const std::size_t linesBefore = form().Memo1.LineCount();
  auto args = webview::MakeComObject<FakeNavigationArgs>(GetParam().success, GetParam().status);
  form().WVBrowser1NavigationCompleted(&form().WVBrowser1, nullptr, args.Get());
  if (GetParam().logged.empty()) {
    EXPECT_EQ(form().Memo1.LineCount(), linesBefore);
  } else {
    ASSERT_EQ(form().Memo1.LineCount(), linesBefore + 1);
    EXPECT_TRUE(form().Memo1.Lines().back().ends_with(u":::" + std::u16string(GetParam().logged)));
  }
}

INSTANTIATE_TEST_SUITE_P(Results, NavigationCompletedTest,
                         ::testing::Values(NavigationCase{"Succeeded", 1, 0, u""},
                                           NavigationCase{"SucceededWithAStatus", 1, 6, u""},
                                           NavigationCase{"FailedWithoutAStatus", 0, 0,
                                                          u"알 수 없는 오류 발생."},
                                           NavigationCase{"ServerUnreachable", 0, 6, u"페이지 이동 실패: 6"},
                                           NavigationCase{"OtherStatus", 0, 16, u"페이지 이동 실패: 16"}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(WebCamFrmTest, ClosedWindowForgetsTheLoaderItWasWaitingFor) {
  options.holdEnvironmentCompletions = true;  // no answer before the first show
  Start();
  EXPECT_EQ(form().WVBrowser1.WindowParentHandle(), 0u);
  application->DestroyForms();
  runtime->ReleaseEnvironmentCompletions();  // must not reach the window
  Pump();
  EXPECT_TRUE(webview::SharedWebViewLoader()->Initialized()) << "the answer did arrive";
  EXPECT_EQ(WebCamFrm, nullptr);
  EXPECT_TRUE(runtime->ControllerRequests().empty());
  EXPECT_FALSE(static_cast<bool>(webview::SharedWebViewLoader()->OnEnvironmentCreated));
}

// The loader may hold its handler anywhere, here inside a larger handler of
// its own; the window's handler drops both while it runs and must read
// nothing of itself afterwards.
TEST_F(WebCamFrmTest, LateAnswerHandlerMayDropItselfWhileRunning) {
  options.holdEnvironmentCompletions = true;  // no answer before the first show
  Start();
  webview::TWVLoader& loader = *webview::SharedWebViewLoader();
  struct Padding {
    char bytes[64] = {};
  };
  loader.OnEnvironmentCreated = [inner = loader.OnEnvironmentCreated,
                                 padding = Padding{}](webview::TWVLoader* sender) {
    (void)padding;
    inner(sender);
  };
  runtime->ReleaseEnvironmentCompletions();
  Pump();
  EXPECT_EQ(form().WVBrowser1.WindowParentHandle(), form().WVWindowParent1.Handle());
  EXPECT_FALSE(static_cast<bool>(loader.OnEnvironmentCreated));
}

class PumpedWaitTest : public WebCamFrmTest {
 protected:
  int Queue(int count) {
    for (int i = 0; i < count; ++i) sim.windows().PostCallback([this] { ++handled; });
    return count;
  }
  int handled = 0;
};

TEST_F(PumpedWaitTest, ZeroHandlesNothing) {
  Start();
  Queue(3);
  const auto slept = sim.clock().TotalSlept();
  form().SleepWithPeekMessage(0);
  EXPECT_EQ(handled, 0);
  EXPECT_EQ(sim.clock().TotalSlept(), slept);
}

TEST_F(PumpedWaitTest, HandlesAtMostOneMessagePerMillisecond) {
  Start();
  Queue(150);
  form().SleepWithPeekMessage(100);
  EXPECT_EQ(handled, 100);
  form().SleepWithPeekMessage(100);
  EXPECT_EQ(handled, 150);
}

TEST_F(PumpedWaitTest, LastsItsFullLengthAcrossTheCounterWrap) {
  Start();
  sim.clock().SetTickCount(0xFFFFFFFFu - 300);
  const auto slept = sim.clock().TotalSlept();
  form().SleepWithPeekMessage(1000);
  EXPECT_EQ(sim.clock().TotalSlept() - slept, 1000u);
  EXPECT_EQ(sim.clock().GetTickCount(), 699u);
}

TEST_F(PumpedWaitTest, QuitRequestIsHandedBackWithItsCode) {
  Start();
  Queue(2);
  sim.windows().PostQuitMessage(5);
  form().SleepWithPeekMessage(10);
  EXPECT_EQ(handled, 2);
  platform::Message message;
  ASSERT_TRUE(sim.windows().PeekMessageW(message, 0, 0, 0, platform::kPmRemove));
  EXPECT_EQ(message.message, platform::kWmQuit);
  EXPECT_EQ(message.wParam, 5u);
}

}  // namespace
}  // namespace velmoran::test
