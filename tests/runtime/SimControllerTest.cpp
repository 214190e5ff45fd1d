// The simulated runtime's controller side keeps the promises the wrappers and
// the browser control rely on: answers only from the message queue, interface
// versions as the test chose, the runtime's child windows in the host window,
// web messages in their JSON form, and every object released in the end.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "base/Text.h"
#include "runtime/sim/SimSettings.h"
#include "runtime/sim/SimWebViewPage.h"
#include "tests/runtime/SimControllerFixture.h"
#include "tests/support/CaseName.h"
#include "webview/abi/WebView2Abi.h"

namespace velmoran::test {
namespace {

using runtime::sim::SimCallOutcome;
using runtime::sim::SimWebView;

using webview::ComObject;
using webview::ComPtr;
using webview::CoTaskMemText;
using webview::MakeComObject;

class ControllerCompletion final
    : public ComObject<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler> {
 public:
  HRESULT WV2_STDCALL Invoke(HRESULT errorCode, ICoreWebView2Controller* result) override {
    ++calls;
    code = errorCode;
    controller = ComPtr<ICoreWebView2Controller>(result);
    return S_OK;
  }
  int calls = 0;
  HRESULT code = S_FALSE;
  ComPtr<ICoreWebView2Controller> controller;
};

class ScriptCompletion final : public ComObject<ICoreWebView2ExecuteScriptCompletedHandler> {
 public:
  HRESULT WV2_STDCALL Invoke(HRESULT errorCode, LPCWSTR result) override {
    ++calls;
    code = errorCode;
    text = std::u16string(webview::FromWideText(result));
    return S_OK;
  }
  int calls = 0;
  HRESULT code = S_FALSE;
  std::u16string text;
};

// Records what the events carried, read during the call as a handler must.
class NavigationRecorder final : public ComObject<ICoreWebView2NavigationStartingEventHandler,
                                                  ICoreWebView2NavigationCompletedEventHandler> {
 public:
  explicit NavigationRecorder(platform::Com& com) : com_(com) {}
  HRESULT WV2_STDCALL Invoke(ICoreWebView2*, ICoreWebView2NavigationStartingEventArgs* args) override {
    CoTaskMemText uri(com_);
    args->get_Uri(uri.Put());
    log.push_back(u"starting " + uri.ToU16String());
    return S_OK;
  }
  HRESULT WV2_STDCALL Invoke(ICoreWebView2*, ICoreWebView2NavigationCompletedEventArgs* args) override {
    BOOL success = FALSE;
    COREWEBVIEW2_WEB_ERROR_STATUS status = COREWEBVIEW2_WEB_ERROR_STATUS_UNKNOWN;
    args->get_IsSuccess(&success);
    args->get_WebErrorStatus(&status);
    log.push_back(u"completed " + std::u16string(success ? u"ok" : u"failed") + u" " +
                  velmoran::AsciiToUtf16(std::to_string(status)));
    return S_OK;
  }
  std::vector<std::u16string> log;

 private:
  platform::Com& com_;
};

class MessageRecorder final : public ComObject<ICoreWebView2WebMessageReceivedEventHandler> {
 public:
  explicit MessageRecorder(platform::Com& com) : com_(com) {}
  HRESULT WV2_STDCALL Invoke(ICoreWebView2*, ICoreWebView2WebMessageReceivedEventArgs* args) override {
    CoTaskMemText json(com_);
    EXPECT_EQ(args->get_WebMessageAsJson(json.Put()), S_OK);
    messages.push_back(json.ToU16String());
    CoTaskMemText text(com_);
    asString.push_back(SUCCEEDED(args->TryGetWebMessageAsString(text.Put()))
                           ? std::optional(text.ToU16String())
                           : std::nullopt);
    CoTaskMemText source(com_);
    EXPECT_EQ(args->get_Source(source.Put()), S_OK);
    sources.push_back(source.ToU16String());
    return S_OK;
  }
  std::vector<std::u16string> messages;
  std::vector<std::optional<std::u16string>> asString;
  std::vector<std::u16string> sources;

 private:
  platform::Com& com_;
};

using SimControllerTest = SimControllerFixture;

struct CreationCase {
  const char* label;
  SimCallOutcome outcome;
  HRESULT expectedCode;
  bool expectController;
};

class SimControllerCreationTest : public SimControllerFixture,
                                  public testing::WithParamInterface<CreationCase> {};

TEST_P(SimControllerCreationTest, CompletesLaterAsChosen) {
  side->Config().createController = GetParam().outcome;
  auto environment = Environment();
  auto completion = MakeComObject<ControllerCompletion>();

  ASSERT_EQ(environment->CreateCoreWebView2Controller(HostHwnd(), completion.Get()), S_OK);
  EXPECT_EQ(completion->calls, 0);
  Pump();

  EXPECT_EQ(completion->calls, 1);
  EXPECT_EQ(completion->code, GetParam().expectedCode);
  EXPECT_EQ(static_cast<bool>(completion->controller), GetParam().expectController);
  EXPECT_EQ(platform.windows().FindWindowExW(hostWindow, 0, u"Chrome_WidgetWin_0", u"") != 0,
            GetParam().expectController);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, SimControllerCreationTest,
    testing::Values(CreationCase{"Success", SimCallOutcome{S_OK, S_OK, false}, S_OK, true},
                    CreationCase{"Failure", SimCallOutcome{S_OK, E_ACCESSDENIED, false}, E_ACCESSDENIED,
                                 false},
                    CreationCase{"SuccessWithoutController", SimCallOutcome{S_OK, S_OK, true}, S_OK, false}),
    [](const auto& testInfo) { return TestNameFrom(testInfo.param.label); });

TEST_F(SimControllerTest, ARefusedRequestNeverCompletes) {
  side->Config().createController.immediate = E_INVALIDARG;
  auto environment = Environment();
  auto completion = MakeComObject<ControllerCompletion>();

  EXPECT_EQ(environment->CreateCoreWebView2Controller(HostHwnd(), completion.Get()), E_INVALIDARG);
  PumpAll();
  EXPECT_EQ(completion->calls, 0);
}

TEST_F(SimControllerTest, TheRuntimesWindowsSitInsideTheHostWindowAsTheControlLooksForThem) {
  auto controller = MakeController();
  auto& windows = platform.windows();

  const auto widget0 = windows.FindWindowExW(hostWindow, 0, u"Chrome_WidgetWin_0", u"");
  const auto widget1 = windows.FindWindowExW(widget0, 0, u"Chrome_WidgetWin_1", std::nullopt);
  const auto render =
      windows.FindWindowExW(widget1, 0, u"Chrome_RenderWidgetHostHWND", u"Chrome Legacy Window");
  const auto d3d = windows.FindWindowExW(widget1, 0, u"Intermediate D3D Window", std::nullopt);

  EXPECT_EQ(widget0, controller->Widget0Window());
  EXPECT_NE(widget1, 0u);
  EXPECT_EQ(render, controller->RenderWindow());
  EXPECT_NE(d3d, 0u);
}

TEST_F(SimControllerTest, BoundsAreRecordedAndMoveTheRuntimesWindow) {
  auto controller = MakeController();
  const RECT bounds{0, 0, 640, 480};

  ASSERT_EQ(controller->put_Bounds(bounds), S_OK);

  RECT read{};
  ASSERT_EQ(controller->get_Bounds(&read), S_OK);
  EXPECT_EQ(read.right, 640);
  EXPECT_EQ(controller->BoundsHistory().size(), 1u);
  platform::Rect client;
  ASSERT_TRUE(platform.windows().GetClientRect(controller->Widget0Window(), client));
  EXPECT_EQ(client.Width(), 640);
  EXPECT_EQ(client.Height(), 480);
}

TEST_F(SimControllerTest, QueryInterfaceRefusesVersionsAboveTheChosenOnes) {
  side->Config().controllerVersions = {2, {}};
  side->Config().webViewVersions = {13, {}};
  auto controller = MakeController();
  ComPtr<ICoreWebView2Controller2> controller2;
  ComPtr<ICoreWebView2Controller3> controller3;
  ComPtr<ICoreWebView2_13> webView13;
  ComPtr<ICoreWebView2_14> webView14;

  EXPECT_EQ(controller.As(controller2), S_OK);
  EXPECT_EQ(controller.As(controller3), E_NOINTERFACE);
  ComPtr<ICoreWebView2> webView;
  ASSERT_EQ(controller->get_CoreWebView2(webView.Put()), S_OK);
  EXPECT_EQ(webView.As(webView13), S_OK);
  EXPECT_EQ(webView.As(webView14), E_NOINTERFACE);
}

TEST_F(SimControllerTest, NavigationStartsOnTheNextPumpAndCompletesOnALaterOne) {
  side->Config().navigationSucceeds = false;
  side->Config().navigationErrorStatus = COREWEBVIEW2_WEB_ERROR_STATUS_CONNECTION_ABORTED;
  auto controller = MakeController();
  SimWebView& webView = controller->WebView();
  auto recorder = MakeComObject<NavigationRecorder>(platform.com());
  EventRegistrationToken starting{}, completed{};
  ASSERT_EQ(webView.add_NavigationStarting(recorder.Get(), &starting), S_OK);
  ASSERT_EQ(webView.add_NavigationCompleted(recorder.Get(), &completed), S_OK);

  ASSERT_EQ(webView.Navigate(u"http://127.0.0.1/www/corvale2/"), S_OK);
  EXPECT_TRUE(recorder->log.empty());
  Pump();
  EXPECT_EQ(recorder->log, (std::vector<std::u16string>{u"starting http://127.0.0.1/www/corvale2/"}));
  Pump();
  EXPECT_EQ(recorder->log.back(), u"completed failed 9");
  EXPECT_EQ(platform.com().OutstandingBlocks(), 0u);
}

TEST_F(SimControllerTest, APostedStringArrivesInItsJsonFormWithItsQuotes) {
  auto controller = MakeController();
  SimWebView& webView = controller->WebView();
  auto recorder = MakeComObject<MessageRecorder>(platform.com());
  EventRegistrationToken token{};
  ASSERT_EQ(webView.add_WebMessageReceived(recorder.Get(), &token), S_OK);

  webView.Page().PostWebMessageAsString(u"AppExit");
  webView.Page().PostWebMessageAsString(u"say \"hi\"\n");
  webView.Page().PostWebMessageAsJson(u"{\"callMode\":\"imgSave\"}");
  EXPECT_TRUE(recorder->messages.empty());
  Pump();

  EXPECT_EQ(recorder->messages, (std::vector<std::u16string>{u"\"AppExit\"", u"\"say \\\"hi\\\"\\n\"",
                                                             u"{\"callMode\":\"imgSave\"}"}));
  EXPECT_EQ(recorder->messages[0].size(), 9u);
  EXPECT_EQ(recorder->asString[0], std::optional<std::u16string>(u"AppExit"));
  EXPECT_EQ(recorder->asString[2], std::nullopt);
  EXPECT_EQ(platform.com().OutstandingBlocks(), 0u);
}

TEST_F(SimControllerTest, AMessageComesFromTheAddressThePageIsAtWhenItPosts) {
  auto controller = MakeController();
  SimWebView& webView = controller->WebView();
  auto recorder = MakeComObject<MessageRecorder>(platform.com());
  EventRegistrationToken token{};
  ASSERT_EQ(webView.add_WebMessageReceived(recorder.Get(), &token), S_OK);

  ASSERT_EQ(webView.Navigate(u"http://localhost/www/corvale2/index.html"), S_OK);
  PumpAll();
  webView.Page().PostWebMessageAsString(u"AppExit");
  PumpAll();
  webView.Page().FollowLink(u"http://127.0.0.1/www/corvale2/index.html");
  PumpAll();
  webView.Page().PostWebMessageAsString(u"AppExit");
  PumpAll();

  EXPECT_EQ(recorder->sources, (std::vector<std::u16string>{u"http://localhost/www/corvale2/index.html",
                                                            u"http://127.0.0.1/www/corvale2/index.html"}));
  EXPECT_EQ(webView.NavigatedUris(), std::vector<std::u16string>{u"http://localhost/www/corvale2/index.html"})
      << "the page went there by itself";
  CoTaskMemText source(platform.com());
  ASSERT_EQ(webView.get_Source(source.Put()), S_OK);
  EXPECT_EQ(source.View(), u"http://127.0.0.1/www/corvale2/index.html");
}

TEST_F(SimControllerTest, NoMessageArrivesWhileWebMessagesAreDisabled) {
  auto controller = MakeController();
  SimWebView& webView = controller->WebView();
  auto recorder = MakeComObject<MessageRecorder>(platform.com());
  EventRegistrationToken token{};
  ASSERT_EQ(webView.add_WebMessageReceived(recorder.Get(), &token), S_OK);
  ASSERT_EQ(webView.Settings().put_IsWebMessageEnabled(FALSE), S_OK);

  webView.Page().PostWebMessageAsString(u"AppExit");
  PumpAll();
  EXPECT_TRUE(recorder->messages.empty());
}

TEST_F(SimControllerTest, AScriptCompletesLaterWithTheChosenCodeAndText) {
  side->Config().scriptCompletion = E_INVALIDARG;
  side->Config().scriptResult = u"\"done\"";
  auto controller = MakeController();
  auto completion = MakeComObject<ScriptCompletion>();

  ASSERT_EQ(controller->WebView().ExecuteScript(u"img_send_all_done()", completion.Get()), S_OK);
  EXPECT_EQ(completion->calls, 0);
  PumpAll();

  EXPECT_EQ(completion->calls, 1);
  EXPECT_EQ(completion->code, E_INVALIDARG);
  EXPECT_EQ(completion->text, u"\"done\"");
}

TEST_F(SimControllerTest, TokensAre64BitAndSubscriptionsCanBeRefusedOrKeptByTheTest) {
  auto controller = MakeController();
  auto recorder = MakeComObject<MessageRecorder>(platform.com());
  EventRegistrationToken first{}, second{};

  ASSERT_EQ(controller->WebView().add_WebMessageReceived(recorder.Get(), &first), S_OK);
  EXPECT_GT(first.value, 0xFFFFFFFFll);
  context->SetCallResult("add_WebMessageReceived", E_OUTOFMEMORY);
  EXPECT_EQ(controller->WebView().add_WebMessageReceived(recorder.Get(), &second), E_OUTOFMEMORY);
  context->SetCallResult("remove_WebMessageReceived", E_FAIL);
  EXPECT_EQ(controller->WebView().remove_WebMessageReceived(first), E_FAIL);
  EXPECT_EQ(controller->WebView().Events().Count(), 1u);
  context->SetCallResult("remove_WebMessageReceived", S_OK);
  EXPECT_EQ(controller->WebView().remove_WebMessageReceived(first), S_OK);
  EXPECT_EQ(controller->WebView().Events().Count(), 0u);
}

TEST_F(SimControllerTest, CloseDestroysTheWindowsAndDropsEverySubscription) {
  auto controller = MakeController();
  auto recorder = MakeComObject<MessageRecorder>(platform.com());
  EventRegistrationToken token{};
  ASSERT_EQ(controller->WebView().add_WebMessageReceived(recorder.Get(), &token), S_OK);
  const auto widget0 = controller->Widget0Window();

  ASSERT_EQ(controller->Close(), S_OK);

  EXPECT_FALSE(platform.windows().IsWindow(widget0));
  EXPECT_EQ(controller->WebView().Events().Count(), 0u);
  controller->WebView().Page().PostWebMessageAsString(u"late");
  PumpAll();
  EXPECT_TRUE(recorder->messages.empty());
}

TEST_F(SimControllerTest, EveryObjectIsReleasedOnceItsHoldersLetGo) {
  {
    auto environment = Environment();
    auto completion = MakeComObject<ControllerCompletion>();
    ASSERT_EQ(environment->CreateCoreWebView2Controller(HostHwnd(), completion.Get()), S_OK);
    PumpAll();
    ASSERT_TRUE(completion->controller);
    ComPtr<ICoreWebView2> webView;
    ASSERT_EQ(completion->controller->get_CoreWebView2(webView.Put()), S_OK);
    auto script = MakeComObject<ScriptCompletion>();
    ASSERT_EQ(webView->ExecuteScript(u"1", script.Get()), S_OK);
    ASSERT_EQ(webView->Navigate(u"http://127.0.0.1/"), S_OK);
    EXPECT_GT(context->LiveObjects(), 0u);
    PumpAll();
  }
  EXPECT_EQ(context->LiveObjects(), 0u);
  EXPECT_EQ(platform.com().OutstandingBlocks(), 0u);
  EXPECT_EQ(side->Controllers().size(), 0u);
}

}  // namespace
}  // namespace velmoran::test
