// Creating the browser inside the host window: the checks of CreateBrowser,
// the controller request with and without options, the completion's steps and
// their failure messages, the first navigation, and teardown.

#include <optional>
#include <string>

#include "base/Text.h"
#include "tests/support/CaseName.h"
#include "tests/webview/browser/BrowserFixture.h"

namespace velmoran::test {
namespace {

using webview::ComPtr;
using webview::CreateSharedWebViewLoader;
using webview::DestroySharedWebViewLoader;
using webview::TWVBrowserBase;
using webview::TWVLoader;

using runtime::sim::SimController;

constexpr char16_t kDefaultURL[] = u"http://127.0.0.1/www/corvale2/index.html";

TEST_F(BrowserTest, CreatesTheBrowserRaisesAfterCreatedThenOpensDefaultURL) {
  browser->SetDefaultURL(kDefaultURL);
  std::vector<std::u16string> navigatedDuringAfterCreated;
  bool initializedThen = false;
  browser->OnAfterCreated = [&](TWVBrowserBase* sender) {
    initializedThen = sender->Initialized();
    // Accepted from inside the handler; DefaultURL is opened after it returns.
    EXPECT_TRUE(sender->Navigate(u"about:blank"));
    navigatedDuringAfterCreated = WebView().NavigatedUris();
  };

  StartRuntime();
  ASSERT_TRUE(browser->CreateBrowser(host.Handle(), true));
  EXPECT_FALSE(browser->Initialized());  // only once the completion came
  Pump();

  EXPECT_TRUE(initializedThen);
  EXPECT_TRUE(browser->Initialized());
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(navigatedDuringAfterCreated, std::vector<std::u16string>{u"about:blank"});
  EXPECT_EQ(WebView().NavigatedUris(), (std::vector<std::u16string>{u"about:blank", kDefaultURL}));
  EXPECT_EQ(browser->WindowParentHandle(), host.Handle());
  EXPECT_TRUE(browser->UseDefaultEnvironment());
}

TEST_F(BrowserTest, EmptyDefaultURLCreatesButOpensNothing) {
  int afterCreated = 0;
  browser->OnAfterCreated = [&](TWVBrowserBase*) { ++afterCreated; };
  CreateBrowserNow();
  EXPECT_EQ(afterCreated, 1);
  EXPECT_TRUE(WebView().NavigatedUris().empty());
}

TEST_F(BrowserTest, RefusedCallsChangeNothingAndRaiseNothing) {
  StartRuntime();
  EXPECT_FALSE(browser->CreateBrowser(0, true));
  Pump();
  EXPECT_EQ(browser->WindowParentHandle(), 0u);
  EXPECT_TRUE(side->Requests().empty());
  EXPECT_TRUE(errors.empty());
}

TEST_F(BrowserTest, WithoutAnInitializedLoaderNothingIsRequestedNowOrLater) {
  EXPECT_FALSE(browser->CreateBrowser(host.Handle(), true));  // no loader at all
  runtime = runtime::sim::InstallSimRuntime(sim, options);
  side = runtime::sim::InstallSimControllerSide(*runtime, choices);
  TWVLoader& loader = CreateSharedWebViewLoader(sim);
  ASSERT_TRUE(loader.StartWebView2());
  EXPECT_FALSE(browser->CreateBrowser(host.Handle(), true));  // the answer has not come yet
  Pump();
  EXPECT_TRUE(loader.Initialized());
  EXPECT_TRUE(side->Requests().empty());
  EXPECT_FALSE(browser->Initialized());
  EXPECT_TRUE(errors.empty());
}

TEST_F(BrowserTest, ASecondCreateBrowserLeavesTheLiveBrowserAlone) {
  CreateBrowserNow();
  SimController* first = &Controller();
  EXPECT_FALSE(browser->CreateBrowser(host.Handle(), true));
  Pump();
  EXPECT_EQ(side->Requests().size(), 1u);
  EXPECT_EQ(&Controller(), first);
  EXPECT_FALSE(first->Closed());
}

TEST_F(BrowserTest, ClosingTheBrowserLetsItGoAndAllowsANewOneInTheSameWindow) {
  browser->SetDefaultURL(kDefaultURL);
  CreateBrowserNow();
  ComPtr<SimController> first(&Controller());

  browser->CloseBrowser();

  EXPECT_FALSE(browser->Initialized());
  EXPECT_TRUE(first->Closed());
  EXPECT_EQ(first->SubscriptionsAtClose(), std::optional<std::size_t>(0));
  EXPECT_FALSE(browser->Navigate(kDefaultURL));
  EXPECT_EQ(browser->Widget0CompHWND(), 0u) << "the closed browser's windows are forgotten";
  EXPECT_EQ(browser->DefaultURL(), kDefaultURL) << "the settings stay";

  ASSERT_TRUE(browser->CreateBrowser(host.Handle(), true));
  Pump();
  EXPECT_TRUE(browser->Initialized());
  ASSERT_NE(&Controller(), first.Get());
  EXPECT_EQ(side->Requests().back().parentWindow, reinterpret_cast<HWND>(host.Handle()));
  EXPECT_EQ(WebView().NavigatedUris(), std::vector<std::u16string>{kDefaultURL});
  EXPECT_TRUE(errors.empty());
}

TEST_F(BrowserTest, AnInvisibleBrowserLivesInTheMessageOnlyParent) {
  StartRuntime();
  ASSERT_TRUE(browser->CreateInvisibleBrowser());
  Pump();
  EXPECT_TRUE(browser->Initialized());
  ASSERT_EQ(side->Requests().size(), 1u);
  EXPECT_EQ(reinterpret_cast<platform::WindowHandle>(side->Requests().front().parentWindow),
            static_cast<platform::WindowHandle>(-3));
}

TEST_F(BrowserTest, OptionsCarryProfileNamePrivateModeAndScriptLocale) {
  browser->SetIsInPrivateModeEnabled(true);
  browser->SetScriptLocale(u"ko-KR");
  CreateBrowserNow();
  ASSERT_EQ(side->Requests().size(), 1u);
  const runtime::sim::SimControllerRequest& request = side->Requests().front();
  EXPECT_TRUE(request.withOptions);
  EXPECT_EQ(request.profileName, u"");
  EXPECT_TRUE(request.isInPrivateModeEnabled);
  EXPECT_EQ(request.scriptLocale, u"ko-KR");
}

TEST_F(BrowserTest, EnvironmentWithoutVersion10RequestsWithoutOptionsAndClearsTheirValues) {
  options.highestEnvironmentVersion = 9;
  browser->SetProfileName(u"Work");
  browser->SetIsInPrivateModeEnabled(true);
  CreateBrowserNow();
  ASSERT_EQ(side->Requests().size(), 1u);
  EXPECT_FALSE(side->Requests().front().withOptions);
  EXPECT_EQ(browser->ProfileName(), u"");
  EXPECT_FALSE(browser->IsInPrivateModeEnabled());
  EXPECT_TRUE(browser->Initialized());
}

struct CreationFailure {
  const char* name;
  const char* scriptedMethod;  // a call of the environment made to fail at once, or none
  HRESULT immediate;
  HRESULT completion;
  bool withoutController;
  HRESULT expectedCode;
  const char16_t* expectedMessage;
};

class BrowserCreationFailureTest : public BrowserTest, public testing::WithParamInterface<CreationFailure> {};

TEST_P(BrowserCreationFailureTest, RaisesTheMessageAndLeavesTheBrowserUninitialized) {
  const CreationFailure& failure = GetParam();
  choices.createController.immediate = failure.immediate;
  choices.createController.completion = failure.completion;
  choices.createController.withoutObject = failure.withoutController;
  browser->SetDefaultURL(kDefaultURL);
  int afterCreated = 0;
  browser->OnAfterCreated = [&](TWVBrowserBase*) { ++afterCreated; };
  StartRuntime();
  if (failure.scriptedMethod != nullptr) runtime->SetCallResult(failure.scriptedMethod, failure.immediate);

  const bool started = browser->CreateBrowser(host.Handle(), true);
  Pump();

  EXPECT_EQ(started, failure.scriptedMethod == nullptr && SUCCEEDED(failure.immediate));
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].code, failure.expectedCode);
  EXPECT_EQ(Utf16ToUtf8(errors[0].message), Utf16ToUtf8(failure.expectedMessage));
  EXPECT_FALSE(browser->Initialized());
  EXPECT_EQ(afterCreated, 0);
  EXPECT_FALSE(browser->ExecuteScript(u"1", 0));
}

INSTANTIATE_TEST_SUITE_P(
    Steps, BrowserCreationFailureTest,
    testing::Values(
        CreationFailure{
            "OptionsRefused", "CreateCoreWebView2ControllerOptions", E_INVALIDARG, S_OK, false, E_INVALIDARG,
            u"There was an error creating the controller options. (2)\r\nError code : 0x80070057\r\n"
            u"Invalid profile name."},
        CreationFailure{"RequestRefused", nullptr, E_UNEXPECTED, S_OK, false, E_UNEXPECTED,
                        u"There was an error creating the controller. (4)\r\nError code : 0x8000FFFF\r\n"
                        u"The runtime does not have permissions to the user data folder."},
        CreationFailure{"CompletionFailed", nullptr, S_OK, E_ABORT, false, E_ABORT,
                        u"There was an error creating the controller. (2)\r\nError code : 0x80004004\r\n"
                        u"The parent window was destroyed before the controller creation was finished."},
        CreationFailure{"CompletionWithoutController", nullptr, S_OK, S_OK, true, S_OK,
                        u"There was an error creating the controller. (2)\r\nError code : 0x00000000\r\n"
                        u"Unexpected error result."}),
    CaseName());

TEST_F(BrowserTest, AFailedCompletionIsStillAnsweredSOk) {
  StartRuntime();
  EXPECT_EQ(browser->HandleControllerCompleted(E_ABORT, nullptr), S_OK);
  EXPECT_EQ(errors.size(), 1u);
}

TEST_F(BrowserTest, ControllerWithoutVersion2FailsToGiveTheWebView) {
  choices.controllerVersions.highest = 1;
  browser->SetDefaultURL(kDefaultURL);
  CreateBrowserNow();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].code, E_FAIL);
  EXPECT_EQ(errors[0].message, u"There was an error getting the browser webview.");
  EXPECT_FALSE(browser->Initialized());
  // No subscription was made and DefaultURL was not opened.
  EXPECT_EQ(Controller().Events().Count(), 0u);
  EXPECT_EQ(WebView().Events().Count(), 0u);
  EXPECT_TRUE(WebView().NavigatedUris().empty());
}

TEST_F(BrowserTest, EveryEventIsSubscribedWithoutHandlers) {
  CreateBrowserNow();
  EXPECT_EQ(WebView().Events().Count(), 34u);
  EXPECT_EQ(Controller().Events().Count(), 6u);
}

TEST_F(BrowserTest, ControllerEventsAreSubscribedEvenWhenTheWebViewsStopEarly) {
  choices.webViewVersions.highest = 3;
  CreateBrowserNow();
  EXPECT_EQ(WebView().Events().Count(), 18u);
  EXPECT_EQ(Controller().Events().Count(), 6u);
  EXPECT_TRUE(browser->Initialized());
}

TEST_F(BrowserTest, DestructionRemovesEverySubscriptionBeforeTheControllerIsClosed) {
  CreateBrowserNow();
  ComPtr<SimController> controller(&Controller());

  browser.reset();

  EXPECT_EQ(controller->SubscriptionsAtClose(), std::optional<std::size_t>(0));
  EXPECT_EQ(host.Browser(), nullptr);
}

TEST_F(BrowserTest, NothingOfTheRuntimeOutlivesTheLoaderAndTheBrowser) {
  browser->SetDefaultURL(kDefaultURL);
  CreateBrowserNow();
  EXPECT_TRUE(browser->ExecuteScript(u"1+1", 0));
  browser.reset();
  DestroySharedWebViewLoader();
  Pump();
  EXPECT_EQ(runtime->LiveObjects(), 0u);
  EXPECT_EQ(sim.com().OutstandingBlocks(), 0u);
}

}  // namespace
}  // namespace velmoran::test
