// Subscriptions: made in the fixed order for the browser face, never twice,
// removed with every token cleared whatever the runtime answers, and each
// subscribed event reaching the face with the runtime's arguments.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/webview/browser/WrapperFixture.h"
#include "webview/abi/CoTaskMemText.h"
#include "webview/browser/TCoreWebView2.h"
#include "webview/browser/TCoreWebView2Controller.h"
#include "webview/browser/TCoreWebView2Profile.h"
#include "webview/browser/TCoreWebView2Settings.h"

namespace velmoran::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using webview::ComPtr;
using webview::TCoreWebView2;
using webview::TCoreWebView2Controller;
using webview::TCoreWebView2Profile;
using webview::TCoreWebView2Settings;

class WrapperEventsTest : public WrapperFixture {
 protected:
  WrapperEventsTest() : controller(MakeController()) {}

  ComPtr<runtime::sim::SimController> controller;
};

TEST_F(WrapperEventsTest, SubscribesEveryWebViewEventOnceInItsFixedOrder) {
  TCoreWebView2 webView(&controller->WebView(), platform.com());
  ASSERT_TRUE(webView.AddAllBrowserEvents(&events));

  EXPECT_THAT(subscriptions.subscribed, ElementsAreArray(WebViewEventsInOrder()));
  EXPECT_EQ(controller->WebView().Events().Count(), WebViewEventsInOrder().size());
}

TEST_F(WrapperEventsTest, ASecondAddAllBrowserEventsStopsBeforeTheFirstEventAndChangesNothing) {
  TCoreWebView2 webView(&controller->WebView(), platform.com());
  ASSERT_TRUE(webView.AddAllBrowserEvents(&events));
  subscriptions.subscribed.clear();
  // Any add_ reaching the runtime now would fail loudly.
  Runtime().SetCallResult("add_NavigationStarting", E_UNEXPECTED);

  EXPECT_FALSE(webView.AddAllBrowserEvents(&events));
  EXPECT_THAT(subscriptions.subscribed, IsEmpty());
  EXPECT_EQ(controller->WebView().Events().Count(), 34u);
}

TEST_F(WrapperEventsTest, ARefusedSubscriptionEndsTheSequenceAndKeepsTheOnesMade) {
  TCoreWebView2 webView(&controller->WebView(), platform.com());
  Runtime().SetCallResult("add_WebMessageReceived", E_OUTOFMEMORY);

  EXPECT_FALSE(webView.AddAllBrowserEvents(&events));
  EXPECT_THAT(subscriptions.subscribed,
              ElementsAre("NavigationStarting", "NavigationCompleted", "SourceChanged", "HistoryChanged",
                          "ContentLoading", "DocumentTitleChanged", "NewWindowRequested",
                          "FrameNavigationStarting", "FrameNavigationCompleted", "WebResourceRequested",
                          "ScriptDialogOpening", "PermissionRequested", "ProcessFailed"));
  EXPECT_EQ(controller->WebView().Events().Count(), 13u);
  EXPECT_EQ(controller->WebView().Events().Count("ContainsFullScreenElementChanged"), 0u);
}

TEST_F(WrapperEventsTest, RemoveAllEventsClearsEveryTokenEvenWhenARemoveFails) {
  TCoreWebView2 webView(&controller->WebView(), platform.com());
  TCoreWebView2Controller controllerWrapper(controller.Get());
  ASSERT_TRUE(webView.AddAllBrowserEvents(&events));
  ASSERT_TRUE(controllerWrapper.AddAllBrowserEvents(&events));
  Runtime().SetCallResult("remove_WebMessageReceived", E_FAIL);
  Runtime().SetCallResult("remove_GotFocus", E_FAIL);

  webView.RemoveAllEvents();
  controllerWrapper.RemoveAllEvents();

  // The runtime kept the two it refused to remove; everything else is gone.
  EXPECT_EQ(controller->WebView().Events().Count(), 1u);
  EXPECT_EQ(controller->Events().Count(), 1u);
  // Every token is zero: the whole sequence can be made again.
  Runtime().SetCallResult("remove_WebMessageReceived", S_OK);
  Runtime().SetCallResult("remove_GotFocus", S_OK);
  EXPECT_TRUE(webView.AddAllBrowserEvents(&events));
  EXPECT_TRUE(controllerWrapper.AddAllBrowserEvents(&events));
  EXPECT_EQ(controller->WebView().Events().Count(), 35u);
  EXPECT_EQ(controller->Events().Count(), 7u);
}

TEST_F(WrapperEventsTest, DestroyingTheWrappersRemovesTheirSubscriptionsAndClosesTheController) {
  {
    TCoreWebView2Controller controllerWrapper(controller.Get());
    TCoreWebView2 webView(controllerWrapper.CoreWebView2().Get(), platform.com());
    TCoreWebView2Profile profile(webView.Profile().Get(), platform.com());
    ASSERT_TRUE(controllerWrapper.AddAllBrowserEvents(&events));
    ASSERT_TRUE(webView.AddAllBrowserEvents(&events));
    ASSERT_TRUE(profile.AddAllBrowserEvents(&events));
  }
  // The wrappers go in the reverse order of their making, each removing its
  // subscriptions in the order it made them.
  std::vector<std::string> teardown{"Deleted"};
  teardown.insert(teardown.end(), WebViewEventsInOrder().begin(), WebViewEventsInOrder().end());
  teardown.insert(teardown.end(), ControllerEventsInOrder().begin(), ControllerEventsInOrder().end());
  EXPECT_THAT(subscriptions.unsubscribed, ElementsAreArray(teardown));
  EXPECT_EQ(controller->WebView().Events().Count(), 0u);
  EXPECT_EQ(controller->Events().Count(), 0u);
  EXPECT_TRUE(controller->Closed());
  EXPECT_EQ(platform.windows().FindWindowExW(hostWindow, 0, u"Chrome_WidgetWin_0", u""), 0u);
}

TEST_F(WrapperEventsTest, SubscribedEventsReachTheFaceWithTheRuntimesArguments) {
  TCoreWebView2 webView(&controller->WebView(), platform.com());
  ASSERT_TRUE(webView.AddAllBrowserEvents(&events));

  ASSERT_TRUE(webView.Navigate(u"http://127.0.0.1/www/corvale2/"));
  controller->WebView().Page().PostWebMessageAsString(u"AppExit");
  PumpAll();

  std::vector<std::u16string> names;
  for (const auto& call : events.calls) names.push_back(call.name);
  EXPECT_EQ(names, (std::vector<std::u16string>{u"NavigationStarting", u"WebMessageReceived",
                                                u"NavigationCompleted"}));
  EXPECT_EQ(events.calls[0].arguments[0],
            reinterpret_cast<std::uintptr_t>(static_cast<ICoreWebView2*>(&controller->WebView())));
}

TEST_F(WrapperEventsTest, AScriptCompletionBringsItsExecutionIdAndTheRuntimesTextUnchanged) {
  TCoreWebView2 webView(&controller->WebView(), platform.com());
  side->Config().scriptCompletion = S_OK;
  side->Config().scriptResult = u"{\"stored\":1}";

  ASSERT_TRUE(webView.ExecuteScript(u"img_send_indx_done(3,1)", &events, 0));
  EXPECT_TRUE(events.calls.empty());
  PumpAll();

  ASSERT_EQ(events.calls.size(), 1u);
  EXPECT_EQ(events.calls[0].name, u"ExecuteScriptCompleted");
  EXPECT_EQ(events.calls[0].arguments[0], static_cast<std::uintptr_t>(S_OK));
  EXPECT_EQ(events.calls[0].arguments[2], 0u);
  EXPECT_EQ(controller->WebView().ExecutedScripts(),
            (std::vector<std::u16string>{u"img_send_indx_done(3,1)"}));
}

TEST_F(WrapperEventsTest, ACallbackAfterTheBrowserControlIsGoneNeverReachesIt) {
  auto browser = std::make_unique<RecordingBrowserEvents>();
  TCoreWebView2 webView(&controller->WebView(), platform.com());
  ASSERT_TRUE(webView.AddAllBrowserEvents(browser.get()));
  ASSERT_TRUE(webView.ExecuteScript(u"1+1", browser.get(), 4));
  controller->WebView().Page().PostWebMessageAsJson(u"{\"callMode\":\"imgSave\"}");

  browser.reset();
  PumpAll();  // the sanitizer build catches any touch of the destroyed face

  EXPECT_EQ(controller->WebView().Events().Count(), 34u);
}

// Wrappers own their references and sinks are held by the runtime only: once
// the wrappers are gone and the queue has run dry, nothing of the runtime is
// left alive and no runtime text is left unfreed (the sanitizer build also
// proves every sink was deleted).
TEST_F(WrapperEventsTest, WrappersAndSinksLeaveNothingBehind) {
  {
    TCoreWebView2Controller controllerWrapper(controller.Get());
    TCoreWebView2 webView(controllerWrapper.CoreWebView2().Get(), platform.com());
    TCoreWebView2Settings settings(webView.Settings().Get(), platform.com());
    TCoreWebView2Profile profile(webView.Profile().Get(), platform.com());
    ASSERT_TRUE(controllerWrapper.AddAllBrowserEvents(&events));
    ASSERT_TRUE(webView.AddAllBrowserEvents(&events));
    ASSERT_TRUE(profile.AddAllBrowserEvents(&events));
    ASSERT_TRUE(webView.ExecuteScript(u"img_send_all_no()", &events, 0));
    ASSERT_TRUE(webView.Navigate(u"http://127.0.0.1/"));
    EXPECT_FALSE(profile.ProfileName().empty() && profile.ProfilePath().empty());
    Pump();
  }
  controller = nullptr;
  PumpAll();

  EXPECT_EQ(Runtime().LiveObjects(), 0u);
  EXPECT_EQ(platform.com().OutstandingBlocks(), 0u);
}

}  // namespace
}  // namespace velmoran::test
