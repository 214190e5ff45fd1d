// From the runtime's callbacks to the application's handlers: scripts and
// their execution ids, web messages, the navigation flag, the runtime's child
// windows, and the two mends (a callback after the control is gone, and a
// handler that throws).

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/webview/browser/BrowserFixture.h"
#include "webview/abi/CoTaskMemText.h"

namespace velmoran::test {
namespace {

using webview::CoTaskMemText;
using webview::kRetrieveHTMLExecutionID;
using webview::TWVBrowserBase;
using webview::TWVMessage;

struct ScriptCompletion {
  HRESULT code = 0;
  std::u16string result;
  std::int32_t executionId = -1;
};

class BrowserEventsTest : public BrowserTest {
 protected:
  void ListenToScripts() {
    browser->OnExecuteScriptCompleted = [this](TWVBrowserBase* sender, HRESULT code,
                                               const std::u16string& result, std::int32_t executionId) {
      EXPECT_EQ(sender, browser.get());
      completions.push_back({code, result, executionId});
    };
  }

  std::vector<ScriptCompletion> completions;
};

TEST_F(BrowserEventsTest, ScriptsAreRefusedBeforeInitializedAndWhenEmpty) {
  ListenToScripts();
  EXPECT_FALSE(browser->ExecuteScript(u"1+1", 0));
  CreateBrowserNow();
  EXPECT_FALSE(browser->ExecuteScript(u"", 0));
  Pump();
  EXPECT_TRUE(completions.empty());
  EXPECT_TRUE(WebView().ExecutedScripts().empty());
}

TEST_F(BrowserEventsTest, AScriptCompletesOnceWithTheRuntimesCodeAndTextUnchanged) {
  choices.scriptResult = u"\"a\\\"b\"";
  choices.scriptCompletion = static_cast<HRESULT>(0x80020101);
  ListenToScripts();
  CreateBrowserNow();

  ASSERT_TRUE(browser->ExecuteScript(u"img_send_indx_done(3,1)", 0));
  EXPECT_TRUE(completions.empty());  // never inside the call
  Pump();

  ASSERT_EQ(completions.size(), 1u);
  EXPECT_EQ(completions[0].code, static_cast<HRESULT>(0x80020101));
  EXPECT_EQ(completions[0].result, u"\"a\\\"b\"");
  EXPECT_EQ(completions[0].executionId, 0);
  EXPECT_EQ(WebView().ExecutedScripts(), std::vector<std::u16string>{u"img_send_indx_done(3,1)"});
}

TEST_F(BrowserEventsTest, RetrievalIdsNeverReachTheGeneralCompletion) {
  choices.scriptResult = u"\"%3Cp%3E%EB%B2%A8%3C%2Fp%3E\"";
  ListenToScripts();
  std::vector<std::u16string> html;
  browser->OnRetrieveHTMLCompleted = [&](TWVBrowserBase*, bool result, const std::u16string& text) {
    EXPECT_TRUE(result);
    html.push_back(text);
  };
  CreateBrowserNow();

  EXPECT_TRUE(browser->RetrieveHTML());
  EXPECT_TRUE(browser->RetrieveText());
  EXPECT_TRUE(browser->ExecuteScript(u"x", kRetrieveHTMLExecutionID));
  EXPECT_TRUE(browser->ExecuteScript(u"y", 7));
  Pump();

  EXPECT_EQ(html, (std::vector<std::u16string>{u"<p>벨</p>", u"<p>벨</p>"}));
  ASSERT_EQ(completions.size(), 1u);
  EXPECT_EQ(completions[0].executionId, 7);
  EXPECT_EQ(WebView().ExecutedScripts()[0], u"encodeURIComponent(document.documentElement.outerHTML);");
  EXPECT_EQ(WebView().ExecutedScripts()[1], u"encodeURIComponent(document.body.innerText);");
}

TEST_F(BrowserEventsTest, DevToolsIdsOfTheCompositeOperationsGoToTheirOwnEvents) {
  std::vector<std::u16string> mhtml;
  std::vector<bool> cacheCleared;
  std::vector<std::int32_t> general;
  browser->OnRetrieveMHTMLCompleted = [&](TWVBrowserBase*, bool, const std::u16string& text) {
    mhtml.push_back(text);
  };
  browser->OnClearCacheCompleted = [&](TWVBrowserBase*, bool result) { cacheCleared.push_back(result); };
  browser->OnCallDevToolsProtocolMethodCompleted = [&](TWVBrowserBase*, HRESULT, const std::u16string&,
                                                       std::int32_t id) { general.push_back(id); };
  EXPECT_EQ(browser->HandleCallDevToolsProtocolMethodCompleted(S_OK, u"{\"data\":\"snapshot\"}", 10000),
            S_OK);
  browser->HandleCallDevToolsProtocolMethodCompleted(E_FAIL, u"{}", 10001);
  browser->HandleCallDevToolsProtocolMethodCompleted(S_OK, u"{}", 10007);
  EXPECT_EQ(mhtml, std::vector<std::u16string>{u"snapshot"});
  EXPECT_EQ(cacheCleared, std::vector<bool>{false});
  EXPECT_EQ(general, std::vector<std::int32_t>{10007});
}

TEST_F(BrowserEventsTest, AWebMessageArrivesAsTheRuntimesJsonText) {
  std::vector<std::u16string> messages;
  browser->OnWebMessageReceived = [&](TWVBrowserBase*, ICoreWebView2* webView,
                                      ICoreWebView2WebMessageReceivedEventArgs* args) {
    EXPECT_NE(webView, nullptr);
    CoTaskMemText json(sim.com());
    ASSERT_EQ(args->get_WebMessageAsJson(json.Put()), S_OK);
    messages.push_back(json.ToU16String());
  };
  CreateBrowserNow();
  WebView().Page().PostWebMessageAsString(u"AppExit");
  Pump();
  EXPECT_EQ(messages, std::vector<std::u16string>{u"\"AppExit\""});
}

TEST_F(BrowserEventsTest, IsNavigatingIsSetBeforeStartingAndClearedBeforeCompleted) {
  std::vector<bool> seen;
  browser->OnNavigationStarting = [&](TWVBrowserBase* sender, ICoreWebView2*,
                                      ICoreWebView2NavigationStartingEventArgs*) {
    seen.push_back(sender->IsNavigating());
  };
  browser->OnNavigationCompleted = [&](TWVBrowserBase* sender, ICoreWebView2*,
                                       ICoreWebView2NavigationCompletedEventArgs*) {
    seen.push_back(sender->IsNavigating());
  };
  CreateBrowserNow();
  EXPECT_FALSE(browser->IsNavigating());
  ASSERT_TRUE(browser->Navigate(u"http://127.0.0.1/"));
  Pump();
  EXPECT_EQ(seen, (std::vector<bool>{true, false}));
  EXPECT_FALSE(browser->IsNavigating());
}

TEST_F(BrowserEventsTest, UnassignedEventsAreAnsweredSOk) {
  CreateBrowserNow();
  EXPECT_EQ(browser->HandleWebMessageReceived(nullptr, nullptr), S_OK);
  EXPECT_EQ(browser->HandleGotFocus(nullptr, nullptr), S_OK);
  EXPECT_EQ(browser->HandleExecuteScriptCompleted(S_OK, nullptr, 0), S_OK);
  ASSERT_TRUE(browser->Navigate(u"http://127.0.0.1/"));
  Pump();
  EXPECT_FALSE(browser->IsNavigating());
}

TEST_F(BrowserEventsTest, NavigationRecordsTheRuntimeWindowsAndHooksNoneWithoutHandlers) {
  CreateBrowserNow();
  runtime::sim::SimController& controller = Controller();
  const platform::WindowProcRef renderProcedure = windows.GetWindowProcW(controller.RenderWindow());
  const platform::WindowProcRef widget0Procedure = windows.GetWindowProcW(controller.Widget0Window());
  ASSERT_TRUE(browser->Navigate(u"http://127.0.0.1/"));
  Pump();
  EXPECT_EQ(browser->Widget0CompHWND(), controller.Widget0Window());
  EXPECT_EQ(browser->Widget1CompHWND(), controller.Widget1Window());
  EXPECT_EQ(browser->RenderCompHWND(), controller.RenderWindow());
  EXPECT_EQ(browser->D3DWindowCompHWND(), controller.D3DWindow());
  EXPECT_EQ(windows.GetWindowProcW(controller.RenderWindow()), renderProcedure);
  EXPECT_EQ(windows.GetWindowProcW(controller.Widget0Window()), widget0Procedure);
}

TEST_F(BrowserEventsTest, AHookedWindowPassesOnWhatTheHandlerLeavesAndIsRestoredAtTheEnd) {
  std::vector<std::uint32_t> seen;
  browser->OnRenderCompMsg = [&](TWVBrowserBase*, TWVMessage& message, bool& handled) {
    seen.push_back(message.Msg);
    if (message.Msg == platform::kWmUser) {
      handled = true;
      message.Result = 42;
    }
  };
  CreateBrowserNow();
  const platform::WindowHandle render = Controller().RenderWindow();
  const platform::WindowProcRef original = windows.GetWindowProcW(render);
  ASSERT_TRUE(browser->Navigate(u"http://127.0.0.1/"));
  Pump();
  EXPECT_NE(windows.GetWindowProcW(render), original);

  EXPECT_EQ(windows.SendMessageW(render, platform::kWmUser, 0, 0), 42);
  windows.SendMessageW(render, platform::kWmUser + 1, 0, 0);
  EXPECT_EQ(seen, (std::vector<std::uint32_t>{platform::kWmUser, platform::kWmUser + 1}));

  browser.reset();
  // The controller closed and destroyed its windows; had it not, the procedure would be back.
  EXPECT_TRUE(!windows.IsWindow(render) || windows.GetWindowProcW(render) == original);
}

TEST_F(BrowserEventsTest, AHookedWindowGetsItsProcedureBackWhenDestroyed) {
  int destroys = 0;
  browser->OnD3DWindowCompMsg = [&](TWVBrowserBase*, TWVMessage& message, bool&) {
    if (message.Msg == platform::kWmDestroy) ++destroys;
  };
  CreateBrowserNow();
  ASSERT_TRUE(browser->Navigate(u"http://127.0.0.1/"));
  Pump();
  windows.DestroyWindow(Controller().D3DWindow());
  EXPECT_EQ(destroys, 1);
}

TEST_F(BrowserEventsTest, ACompletionQueuedWhenTheControlIsDestroyedNeverReachesIt) {
  int completed = 0;
  browser->OnExecuteScriptCompleted = [&](TWVBrowserBase*, HRESULT, const std::u16string&, std::int32_t) {
    ++completed;
  };
  CreateBrowserNow();
  ASSERT_TRUE(browser->ExecuteScript(u"img_send_all_done(\"\")", 0));
  browser.reset();
  Pump();  // the completion is still delivered by the runtime, to a sink cut from its target
  EXPECT_EQ(completed, 0);
}

TEST_F(BrowserEventsTest, AThrowingHandlerIsStoppedReportedAndLaterEventsStillArrive) {
  std::vector<std::u16string> reports;
  int messages = 0;
  browser->OnWebMessageReceived = [&](TWVBrowserBase*, ICoreWebView2*,
                                      ICoreWebView2WebMessageReceivedEventArgs*) {
    if (++messages == 1) throw std::runtime_error("bad page message");
  };
  browser->OnHandlerException = [&](TWVBrowserBase*, const std::u16string& callback,
                                    const std::u16string& what) {
    reports.push_back(callback + u": " + what);
  };
  CreateBrowserNow();
  WebView().Page().PostWebMessageAsJson(u"{}");
  WebView().Page().PostWebMessageAsJson(u"[]");
  Pump();
  EXPECT_EQ(messages, 2);
  EXPECT_EQ(reports, std::vector<std::u16string>{u"WebMessageReceived: bad page message"});
}

TEST_F(BrowserEventsTest, AThrowingAfterCreatedHandlerStillLeavesTheFirstNavigation) {
  browser->SetDefaultURL(u"http://127.0.0.1/www/corvale2/index.html");
  browser->OnAfterCreated = [](TWVBrowserBase*) { throw std::runtime_error("sizing failed"); };
  std::vector<std::u16string> reports;
  browser->OnHandlerException = [&](TWVBrowserBase*, const std::u16string& callback, const std::u16string&) {
    reports.push_back(callback);
  };
  CreateBrowserNow();
  EXPECT_EQ(reports, std::vector<std::u16string>{u"AfterCreated"});
  EXPECT_EQ(WebView().NavigatedUris().size(), 1u);
}

}  // namespace
}  // namespace velmoran::test
