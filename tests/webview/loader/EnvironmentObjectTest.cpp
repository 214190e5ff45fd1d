// The environment object: the interface versions it learns at construction,
// what each operation answers without them, its subscriptions and their
// removal, and the completion sink of an environment request.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "runtime/sim/SimCoreWebView2Environment.h"
#include "tests/webview/loader/LoaderFixture.h"
#include "tests/webview/sinks/RecordingEvents.h"
#include "webview/abi/ComResults.h"
#include "webview/loader/TCoreWebView2Environment.h"
#include "webview/loader/TCoreWebView2EnvironmentCompletedHandler.h"

namespace velmoran::test {
namespace {

using webview::ComPtr;
using webview::IWVBrowserEvents;
using webview::IWVLoaderEvents;
using webview::MakeComObject;
using webview::SharedWebViewLoader;
using webview::TCoreWebView2Environment;
using webview::TCoreWebView2EnvironmentCompletedHandler;
using webview::TWVLoader;
using webview::wvlsCreated;

using testing::ElementsAre;

class EnvironmentObjectTest : public LoaderTest {
 protected:
  // The runtime's environment, as a completion would hand it over.
  ComPtr<ICoreWebView2Environment> RuntimeEnvironment() {
    if (!SharedWebViewLoader()) MakeLoader();
    return ComPtr<ICoreWebView2Environment>(MakeComObject<runtime::sim::SimCoreWebView2Environment>(
        runtime::sim::SimRuntime::ActiveContext(), runtime::sim::SimEnvironmentRequest{}));
  }
};

TEST_F(EnvironmentObjectTest, RuntimeStoppingAtVersionNineLogsTheRefusalOfTen) {
  options.highestEnvironmentVersion = 9;
  ComPtr<ICoreWebView2Environment> base = RuntimeEnvironment();

  TCoreWebView2Environment environment(sim.com(), base.Get());

  EXPECT_THAT(ErrorLogUtf8(),
              ElementsAre("The QueryInterface call for {EE0EB9DF-6F12-46CE-B53F-3F47B9C928E0} failed. "
                          "Error code : 0x80004002"));
  EXPECT_FALSE(environment.SupportsControllerOptions());
  EXPECT_TRUE(environment.SupportsCompositionController());
  ComPtr<ICoreWebView2ControllerOptions> controllerOptions;
  HRESULT result = S_OK;
  EXPECT_FALSE(environment.CreateCoreWebView2ControllerOptions(controllerOptions, result));
  EXPECT_EQ(result, E_NOTIMPL);
  EXPECT_FALSE(controllerOptions);
  EXPECT_EQ(environment.FailureReportFolderPath(), u"");  // version 11
  EXPECT_NE(environment.UserDataFolder(), u"");           // version 7
  EXPECT_TRUE(environment.ProcessInfos());                // version 8
}

class EnvironmentVersionTest : public EnvironmentObjectTest,
                               public testing::WithParamInterface<std::uint32_t> {};

TEST_P(EnvironmentVersionTest, HoldsEveryOfferedVersionAndLogsOneRefusalAtMost) {
  const std::uint32_t highest = GetParam();
  options.highestEnvironmentVersion = highest;
  ComPtr<ICoreWebView2Environment> base = RuntimeEnvironment();

  TCoreWebView2Environment environment(sim.com(), base.Get());

  EXPECT_TRUE(environment.Initialized());
  EXPECT_EQ(Loader().ErrorLog().size(), highest < 14 ? 1u : 0u);
  EXPECT_EQ(environment.SupportsCompositionController(), highest >= 3);
  EXPECT_EQ(environment.SupportsControllerOptions(), highest >= 10);
  EXPECT_EQ(environment.UserDataFolder().empty(), highest < 7);
  EXPECT_EQ(static_cast<bool>(environment.ProcessInfos()), highest >= 8);
  EXPECT_EQ(environment.FailureReportFolderPath().empty(), highest < 11);
}

INSTANTIATE_TEST_SUITE_P(Highest, EnvironmentVersionTest,
                         testing::Values(1u, 2u, 3u, 7u, 8u, 10u, 11u, 13u, 14u),
                         [](const auto& testInfo) { return "UpToVersion" + std::to_string(testInfo.param); });

TEST_F(EnvironmentObjectTest, FirstRefusalEndsTheQuestionsEvenWhenALaterVersionWouldBeGranted) {
  options.refusedEnvironmentVersions = {2};
  ComPtr<ICoreWebView2Environment> base = RuntimeEnvironment();

  TCoreWebView2Environment environment(sim.com(), base.Get());

  EXPECT_TRUE(environment.Initialized());
  EXPECT_FALSE(environment.SupportsCompositionController());  // version 3 was never asked for
  EXPECT_THAT(ErrorLogUtf8(),
              ElementsAre("The QueryInterface call for {41F3632B-5EF4-404F-AD82-2D606C5A9A21} failed. "
                          "Error code : 0x80004002"));
}

TEST_F(EnvironmentObjectTest, WithoutAnInterfaceEverythingAnswersNothingAndNothingIsLogged) {
  MakeLoader();
  TCoreWebView2Environment environment(sim.com(), nullptr);

  EXPECT_FALSE(environment.Initialized());
  EXPECT_EQ(environment.BaseIntf(), nullptr);
  EXPECT_EQ(environment.BrowserVersionInfo(), u"");
  EXPECT_EQ(environment.UserDataFolder(), u"");
  EXPECT_FALSE(environment.ProcessInfos());
  HRESULT result = S_OK;
  EXPECT_FALSE(environment.CreateCoreWebView2Controller(nullptr, nullptr, result));
  EXPECT_EQ(result, E_FAIL);
  ComPtr<ICoreWebView2ControllerOptions> controllerOptions;
  EXPECT_FALSE(environment.CreateCoreWebView2ControllerOptions(controllerOptions, result));
  EXPECT_EQ(result, E_NOTIMPL);
  ComPtr<ICoreWebView2PrintSettings> printSettings;
  EXPECT_FALSE(environment.CreatePrintSettings(printSettings));
  EXPECT_FALSE(environment.AddAllLoaderEvents(&Loader()));
  EXPECT_TRUE(Loader().ErrorLog().empty());
}

TEST_F(EnvironmentObjectTest, SecondAddAllLoaderEventsSubscribesNothingAndAnswersFalse) {
  ComPtr<ICoreWebView2Environment> base = RuntimeEnvironment();
  TCoreWebView2Environment environment(sim.com(), base.Get());

  EXPECT_TRUE(environment.AddAllLoaderEvents(&Loader()));
  EXPECT_EQ(runtime->Subscriptions(), 3u);
  const std::int64_t token = environment.NewBrowserVersionAvailableEventToken();
  EXPECT_GT(token, std::int64_t{0xFFFFFFFF});  // the whole 64-bit token is kept

  EXPECT_FALSE(environment.AddAllLoaderEvents(&Loader()));
  EXPECT_EQ(runtime->Subscriptions(), 3u);
  EXPECT_EQ(environment.NewBrowserVersionAvailableEventToken(), token);
}

TEST_F(EnvironmentObjectTest, SubscriptionsStopAtTheFirstOneNotMade) {
  options.highestEnvironmentVersion = 7;  // process exited (5) yes, process infos (8) no
  ComPtr<ICoreWebView2Environment> base = RuntimeEnvironment();
  TCoreWebView2Environment environment(sim.com(), base.Get());
  EXPECT_FALSE(environment.AddAllLoaderEvents(&Loader()));
  EXPECT_EQ(runtime->Subscriptions(), 2u);

  runtime->SetCallResult("add_BrowserProcessExited", E_FAIL);
  TCoreWebView2Environment second(sim.com(), base.Get());
  EXPECT_FALSE(second.AddAllLoaderEvents(&Loader()));
  EXPECT_EQ(second.BrowserProcessExitedEventToken(), 0);
  EXPECT_EQ(second.ProcessInfosChangedEventToken(), 0);  // not attempted after the failure
  EXPECT_EQ(runtime->Subscriptions(), 3u);
}

TEST_F(EnvironmentObjectTest, DestructionRemovesTheSubscriptionsAndReleasesTheInterfaces) {
  {
    ComPtr<ICoreWebView2Environment> base = RuntimeEnvironment();
    TCoreWebView2Environment environment(sim.com(), base.Get());
    ASSERT_TRUE(environment.AddAllLoaderEvents(&Loader()));
  }
  EXPECT_EQ(runtime->LiveObjects(), 0u);
}

TEST_F(EnvironmentObjectTest, BrowserEventsReachTheBrowserFaceNotTheLoader) {
  ComPtr<ICoreWebView2Environment> base = RuntimeEnvironment();
  RecordingBrowserEvents browser;
  int loaderExits = 0;
  Loader().OnBrowserProcessExited = [&](TWVLoader*, ICoreWebView2Environment*,
                                        ICoreWebView2BrowserProcessExitedEventArgs*) { ++loaderExits; };
  {
    TCoreWebView2Environment environment(sim.com(), base.Get());
    EXPECT_TRUE(environment.AddAllBrowserEvents(&browser));
    EXPECT_EQ(environment.NewBrowserVersionAvailableEventToken(), 0);  // the loader's event only
    runtime->RaiseBrowserProcessExited();
    runtime->RaiseProcessInfosChanged();
    Pump();
  }
  ASSERT_EQ(browser.calls.size(), 2u);
  EXPECT_EQ(browser.calls[0].name, u"BrowserProcessExited");
  EXPECT_EQ(browser.calls[1].name, u"ProcessInfosChanged");
  EXPECT_EQ(loaderExits, 0);
  EXPECT_EQ(runtime->Subscriptions(), 0u);
}

TEST_F(EnvironmentObjectTest, BrowserVersionTextIsCopiedAndFreed) {
  ComPtr<ICoreWebView2Environment> base = RuntimeEnvironment();
  TCoreWebView2Environment environment(sim.com(), base.Get());
  EXPECT_EQ(environment.BrowserVersionInfo(), u"135.0.3179.45");
  runtime->SetCallResult("get_BrowserVersionString", E_FAIL);
  EXPECT_EQ(environment.BrowserVersionInfo(), u"");
  EXPECT_EQ(sim.com().OutstandingBlocks(), 0u);
}

TEST_F(EnvironmentObjectTest, ControllerRequestWithoutARuntimeFactoryIsRefusedAtOnce) {
  ComPtr<ICoreWebView2Environment> base = RuntimeEnvironment();
  TCoreWebView2Environment environment(sim.com(), base.Get());
  RecordingBrowserEvents browser;
  HRESULT result = S_OK;
  EXPECT_FALSE(environment.CreateCoreWebView2Controller(nullptr, &browser, result));
  EXPECT_EQ(result, E_NOTIMPL);
}

TEST_F(EnvironmentObjectTest, CompletionSinkMadeForABrowserNeverReachesTheLoader) {
  ComPtr<ICoreWebView2Environment> base = RuntimeEnvironment();
  int created = 0;
  int failed = 0;
  Loader().OnEnvironmentCreated = [&](TWVLoader*) { ++created; };
  Loader().OnInitializationError = [&](TWVLoader*) { ++failed; };
  auto browser = std::make_unique<RecordingBrowserEvents>();
  browser->answer = E_FAIL;
  auto sink =
      MakeComObject<TCoreWebView2EnvironmentCompletedHandler>(static_cast<IWVBrowserEvents*>(browser.get()));

  EXPECT_EQ(sink->Invoke(S_OK, base.Get()), E_FAIL);  // the browser face's own answer
  ASSERT_EQ(browser->calls.size(), 1u);
  EXPECT_EQ(browser->calls[0].name, u"EnvironmentCompleted");

  browser.reset();
  EXPECT_EQ(sink->Invoke(E_FAIL, nullptr), E_FAIL);  // its face is gone: still not the loader

  EXPECT_EQ(created + failed, 0);
  EXPECT_EQ(Loader().Status(), wvlsCreated);
  EXPECT_TRUE(Loader().ErrorLog().empty());
}

TEST_F(EnvironmentObjectTest, CompletionSinkMadeForTheLoaderAnswersTheLoader) {
  ComPtr<ICoreWebView2Environment> base = RuntimeEnvironment();
  auto sink =
      MakeComObject<TCoreWebView2EnvironmentCompletedHandler>(static_cast<IWVLoaderEvents*>(&Loader()));

  EXPECT_EQ(sink->Invoke(S_OK, base.Get()), S_OK);

  EXPECT_TRUE(Loader().Initialized());
  EXPECT_EQ(Loader().Environment(), base.Get());
}

}  // namespace
}  // namespace velmoran::test
