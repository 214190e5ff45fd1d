// Version collection and the one rule: a wrapper holds an unbroken run of
// versions, stops asking at the first refusal (leaving one line in the
// loader's error log), and never calls through a version it does not hold.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "runtime/sim/SimSettings.h"
#include "tests/webview/browser/WrapperFixture.h"
#include "webview/browser/TCoreWebView2.h"
#include "webview/browser/TCoreWebView2Controller.h"
#include "webview/browser/TCoreWebView2ControllerOptions.h"
#include "webview/browser/TCoreWebView2PrintSettings.h"
#include "webview/browser/TCoreWebView2Profile.h"
#include "webview/browser/TCoreWebView2Settings.h"

namespace velmoran::test {
namespace {

using ::testing::ElementsAreArray;
using webview::ComPtr;
using webview::TCoreWebView2;
using webview::TCoreWebView2Controller;
using webview::TCoreWebView2ControllerOptions;
using webview::TCoreWebView2Profile;
using webview::TCoreWebView2Settings;

using WrapperVersionsTest = WrapperFixture;

TEST_F(WrapperVersionsTest, AWrapperBuiltFromNoneHoldsNothingAndSubscribesNothing) {
  TCoreWebView2 webView(nullptr, platform.com());
  TCoreWebView2Controller controller(nullptr);
  TCoreWebView2Profile profile(nullptr, platform.com());
  TCoreWebView2Settings settings(nullptr, platform.com());

  EXPECT_FALSE(webView.Initialized());
  EXPECT_FALSE(controller.Initialized());
  EXPECT_FALSE(profile.Initialized());
  EXPECT_FALSE(settings.Initialized());
  EXPECT_FALSE(webView.AddAllBrowserEvents(&events));
  EXPECT_FALSE(controller.AddAllBrowserEvents(&events));
  EXPECT_FALSE(profile.AddAllBrowserEvents(&events));
  EXPECT_FALSE(webView.Navigate(u"http://127.0.0.1/"));
  EXPECT_EQ(webView.Source(), u"");
  EXPECT_FALSE(controller.CoreWebView2());
  EXPECT_FALSE(controller.Close());
  EXPECT_FALSE(settings.IsScriptEnabled());
  EXPECT_EQ(RefusalLines(), 0u);
}

TEST_F(WrapperVersionsTest,
       AWebViewOfferingUpToVersion3SubscribesThroughDOMContentLoadedAndStopsBeforeFrameCreated) {
  side->Config().webViewVersions = {3, {}};
  auto controller = MakeController();
  TCoreWebView2 webView(&controller->WebView(), platform.com());

  EXPECT_FALSE(webView.AddAllBrowserEvents(&events));

  // DOMContentLoaded is the last event of version 2; FrameCreated needs version 4.
  EXPECT_THAT(subscriptions.subscribed,
              ElementsAreArray(EventsUpTo(WebViewEventsInOrder(), "DOMContentLoaded")));
  EXPECT_EQ(controller->WebView().Events().Count(), 18u);
  EXPECT_EQ(controller->WebView().Events().Count("DOMContentLoaded"), 1u);
  EXPECT_EQ(controller->WebView().Events().Count("FrameCreated"), 0u);
  EXPECT_EQ(controller->WebView().Events().Count("ScreenCaptureStarting"), 0u);
  EXPECT_EQ(RefusalLines(), 1u);
  EXPECT_TRUE(LogNames(IID_ICoreWebView2_4));
}

TEST_F(WrapperVersionsTest, TheQueryStopsAtTheFirstRefusalEvenWhenALaterVersionWouldBeGranted) {
  side->Config().webViewVersions = {27, {5}};
  auto controller = MakeController();
  controller->WebView().Values().Write<BOOL>("IsMuted", TRUE);  // a version 8 property
  TCoreWebView2 webView(&controller->WebView(), platform.com());

  EXPECT_FALSE(webView.IsMuted());
  EXPECT_FALSE(webView.AddAllBrowserEvents(&events));
  // DownloadStarting is the last event of version 4; ClientCertificateRequested needs version 5.
  EXPECT_THAT(subscriptions.subscribed,
              ElementsAreArray(EventsUpTo(WebViewEventsInOrder(), "DownloadStarting")));
  EXPECT_EQ(controller->WebView().Events().Count(), 20u);
  EXPECT_EQ(RefusalLines(), 1u);
  EXPECT_TRUE(LogNames(IID_ICoreWebView2_5));
}

TEST_F(WrapperVersionsTest, AFullRuntimeLeavesNoLineInTheErrorLog) {
  auto controller = MakeController();
  TCoreWebView2Controller controllerWrapper(controller.Get());
  TCoreWebView2 webView(controllerWrapper.CoreWebView2().Get(), platform.com());
  TCoreWebView2Settings settings(webView.Settings().Get(), platform.com());
  TCoreWebView2Profile profile(webView.Profile().Get(), platform.com());

  EXPECT_TRUE(webView.AddAllBrowserEvents(&events));
  EXPECT_TRUE(controllerWrapper.AddAllBrowserEvents(&events));
  EXPECT_TRUE(profile.AddAllBrowserEvents(&events));
  EXPECT_EQ(controller->WebView().Events().Count(), 34u);
  EXPECT_EQ(controller->Events().Count(), 6u);
  EXPECT_TRUE(settings.Initialized());
  EXPECT_EQ(RefusalLines(), 0u);
}

TEST_F(WrapperVersionsTest, AControllerWithoutVersion2GivesNoWebViewAndNeverAsksForIt) {
  side->Config().controllerVersions = {1, {}};
  auto controller = MakeController();
  TCoreWebView2Controller wrapper(controller.Get());

  EXPECT_TRUE(wrapper.Initialized());
  EXPECT_FALSE(wrapper.CoreWebView2());
  EXPECT_FALSE(wrapper.AddAllBrowserEvents(&events));
  // ZoomFactorChanged is the controller's last event of version 1; RasterizationScaleChanged needs version 3.
  EXPECT_THAT(subscriptions.subscribed,
              ElementsAreArray(EventsUpTo(ControllerEventsInOrder(), "ZoomFactorChanged")));
  EXPECT_EQ(controller->Events().Count(), 5u);
  EXPECT_EQ(controller->Events().Count("RasterizationScaleChanged"), 0u);
  EXPECT_EQ(RefusalLines(), 1u);
  EXPECT_TRUE(LogNames(IID_ICoreWebView2Controller2));
}

TEST_F(WrapperVersionsTest, TheSettingsGetterGoesThroughVersion2OfTheWebView) {
  side->Config().webViewVersions = {1, {}};
  auto controller = MakeController();
  TCoreWebView2 webView(&controller->WebView(), platform.com());

  EXPECT_TRUE(webView.Initialized());
  EXPECT_FALSE(webView.Settings());
  EXPECT_FALSE(webView.Profile());
}

TEST_F(WrapperVersionsTest, ValuesAndTextsCrossUnchangedAndEveryRuntimeTextIsFreed) {
  auto controller = MakeController();
  TCoreWebView2 webView(&controller->WebView(), platform.com());
  TCoreWebView2Settings settings(webView.Settings().Get(), platform.com());

  EXPECT_TRUE(settings.IsScriptEnabled());
  EXPECT_TRUE(settings.IsWebMessageEnabled());
  EXPECT_TRUE(settings.SetIsScriptEnabled(false));
  EXPECT_FALSE(settings.IsScriptEnabled());
  EXPECT_TRUE(settings.SetUserAgent(u"벨모란 agent"));
  EXPECT_EQ(settings.UserAgent(), u"벨모란 agent");

  EXPECT_TRUE(webView.Navigate(u"http://127.0.0.1/www/corvale2/"));
  PumpAll();
  EXPECT_EQ(webView.Source(), u"http://127.0.0.1/www/corvale2/");
  EXPECT_EQ(platform.com().OutstandingBlocks(), 0u);
}

TEST_F(WrapperVersionsTest, AFailingGetterAnswersEmptyAndStillFreesWhatItWasGiven) {
  auto controller = MakeController();
  TCoreWebView2 webView(&controller->WebView(), platform.com());
  Runtime().SetCallResult("get_Source", E_ACCESSDENIED);

  EXPECT_EQ(webView.Source(), u"");
  EXPECT_EQ(platform.com().OutstandingBlocks(), 0u);
}

TEST_F(WrapperVersionsTest, ScriptLocaleIsPutOnlyThroughVersion2OfTheControllerOptions) {
  side->Config().controllerOptionsVersions = {1, {}};
  auto environment = Environment();
  ComPtr<ICoreWebView2ControllerOptions> options;
  ComPtr<ICoreWebView2Environment10> environment10;
  ASSERT_EQ(environment.As(environment10), S_OK);
  ASSERT_EQ(environment10->CreateCoreWebView2ControllerOptions(options.Put()), S_OK);
  TCoreWebView2ControllerOptions wrapper(options.Get(), platform.com());

  EXPECT_TRUE(wrapper.SetProfileName(u""));
  EXPECT_TRUE(wrapper.SetIsInPrivateModeEnabled(true));
  EXPECT_FALSE(wrapper.SetScriptLocale(u"ko-KR"));
  EXPECT_TRUE(wrapper.IsInPrivateModeEnabled());
  EXPECT_TRUE(LogNames(IID_ICoreWebView2ControllerOptions2));
}

}  // namespace
}  // namespace velmoran::test
