// DevTools protocol events, editing commands, filters by request source
// kind, messages with additional objects, shared buffers and the process
// extended infos: nothing before the browser is Initialized, then one
// runtime call each, with the answer raised through the control's own event.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/CaseName.h"
#include "tests/webview/browser/BrowserFixture.h"
#include "webview/abi/CoTaskMemText.h"
#include "webview/abi/ComObject.h"
#include "webview/browser/TWV2EditingCommand.h"

namespace velmoran::test {
namespace {

using webview::ComObject;
using webview::ComPtr;
using webview::CoTaskMemText;
using webview::MakeComObject;
using webview::SharedWebViewLoader;
using webview::TWV2EditingCommand;
using webview::TWVBrowserBase;

// Stands for a buffer the runtime made: the control only passes it on.
class StandInSharedBuffer final : public ComObject<IUnknown> {};

struct DevToolsFamilyMember {
  const char* name;
  std::function<bool(TWVBrowserBase&)> call;  // true when the control says it did something
};

const std::vector<DevToolsFamilyMember>& DevToolsFamilyMembers() {
  static const std::vector<DevToolsFamilyMember> members = {
      {"SubscribeToDevToolsProtocolEvent",
       [](TWVBrowserBase& b) { return b.SubscribeToDevToolsProtocolEvent(u"Network.requestWillBeSent", 1); }},
      {"SimulateEditingCommand",
       [](TWVBrowserBase& b) { return b.SimulateEditingCommand(TWV2EditingCommand::ecmSelectAll); }},
      {"AddWebResourceRequestedFilterWithRequestSourceKinds",
       [](TWVBrowserBase& b) {
         return b.AddWebResourceRequestedFilterWithRequestSourceKinds(
             u"*", COREWEBVIEW2_WEB_RESOURCE_CONTEXT_ALL, COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS_ALL);
       }},
      {"PostWebMessageAsJsonWithAdditionalObjects",
       [](TWVBrowserBase& b) { return b.PostWebMessageAsJsonWithAdditionalObjects(u"{\"a\":1}", nullptr); }},
      {"GetProcessExtendedInfos", [](TWVBrowserBase& b) { return b.GetProcessExtendedInfos(); }},
      {"PostSharedBufferToScript",
       [](TWVBrowserBase& b) {
         ComPtr<StandInSharedBuffer> buffer = MakeComObject<StandInSharedBuffer>();
         return b.PostSharedBufferToScript(buffer.Get(), COREWEBVIEW2_SHARED_BUFFER_ACCESS_READ_ONLY, u"{}");
       }},
  };
  return members;
}

class BrowserDevToolsFamilyTest : public BrowserTest,
                                  public testing::WithParamInterface<DevToolsFamilyMember> {};

TEST_P(BrowserDevToolsFamilyTest, DoesNothingBeforeInitializedAndActsAfter) {
  StartRuntime();
  EXPECT_FALSE(GetParam().call(*browser));
  ASSERT_TRUE(browser->CreateBrowser(host.Handle(), true));
  EXPECT_FALSE(GetParam().call(*browser));  // requested, not yet created
  Pump();
  ASSERT_TRUE(browser->Initialized());
  EXPECT_TRUE(GetParam().call(*browser));
}

INSTANTIATE_TEST_SUITE_P(Family, BrowserDevToolsFamilyTest, testing::ValuesIn(DevToolsFamilyMembers()),
                         CaseName());

// What OnDevToolsProtocolEventReceived raised, with the arguments read back
// through the interface the control handed them out as.
struct ReceivedProtocolEvent {
  std::u16string name;
  std::int32_t id = 0;
  std::u16string parameters;
  std::u16string sessionId;
  bool operator==(const ReceivedProtocolEvent&) const = default;
};

void PrintTo(const ReceivedProtocolEvent& event, std::ostream* out) {
  *out << Utf16ToUtf8(event.name) << "#" << event.id << " " << Utf16ToUtf8(event.parameters) << " ["
       << Utf16ToUtf8(event.sessionId) << "]";
}

class BrowserProtocolEventTest : public BrowserTest {
 protected:
  void SetUp() override {
    CreateBrowserNow();
    ASSERT_TRUE(browser->Initialized());
    browser->OnDevToolsProtocolEventReceived = [this](TWVBrowserBase* sender, ICoreWebView2* webView,
                                                      IUnknown* args, const std::u16string& name,
                                                      std::int32_t id) {
      EXPECT_EQ(sender, browser.get());
      EXPECT_NE(webView, nullptr);
      ReceivedProtocolEvent event{name, id, {}, {}};
      ComPtr<ICoreWebView2DevToolsProtocolEventReceivedEventArgs2> read;
      if (args != nullptr && SUCCEEDED(args->QueryInterface(
                                 IID_ICoreWebView2DevToolsProtocolEventReceivedEventArgs2, read.PutVoid()))) {
        CoTaskMemText parameters(sim.com());
        if (SUCCEEDED(read->get_ParameterObjectAsJson(parameters.Put())))
          event.parameters = parameters.ToU16String();
        CoTaskMemText session(sim.com());
        if (SUCCEEDED(read->get_SessionId(session.Put()))) event.sessionId = session.ToU16String();
      }
      received.push_back(event);
    };
  }

  std::vector<ReceivedProtocolEvent> received;
};

struct ProtocolEventCase {
  const char* name;
  std::vector<std::pair<std::u16string, std::int32_t>> subscriptions;
  // Raised by the page in this order: name, parameters, session.
  std::vector<std::vector<std::u16string>> raised;
  std::vector<ReceivedProtocolEvent> expected;
};

const std::vector<ProtocolEventCase>& ProtocolEventCases() {
  static const std::vector<ProtocolEventCase> cases = {
      {"OneSubscriptionGetsEveryEventOfItsName",
       {{u"Network.requestWillBeSent", 7}},
       {{u"Network.requestWillBeSent", u"{\"request\":{\"url\":\"http://a/1\"}}", u""},
        {u"Network.requestWillBeSent", u"{\"request\":{\"url\":\"http://a/2\"}}", u"S1"}},
       {{u"Network.requestWillBeSent", 7, u"{\"request\":{\"url\":\"http://a/1\"}}", u""},
        {u"Network.requestWillBeSent", 7, u"{\"request\":{\"url\":\"http://a/2\"}}", u"S1"}}},
      {"EventsOfOtherNamesStayAway",
       {{u"Page.loadEventFired", 1}},
       {{u"Network.requestWillBeSent", u"{}", u""}, {u"Page.loadEventFired", u"{\"timestamp\":1.5}", u""}},
       {{u"Page.loadEventFired", 1, u"{\"timestamp\":1.5}", u""}}},
      {"EachNameKeepsItsOwnId",
       {{u"Page.loadEventFired", 1}, {u"Page.domContentEventFired", -2}},
       {{u"Page.domContentEventFired", u"{}", u""}, {u"Page.loadEventFired", u"{}", u""}},
       {{u"Page.domContentEventFired", -2, u"{}", u""}, {u"Page.loadEventFired", 1, u"{}", u""}}},
      {"ASecondSubscriptionReplacesTheFirst",
       {{u"Page.loadEventFired", 1}, {u"Page.loadEventFired", 9}},
       {{u"Page.loadEventFired", u"{}", u""}},
       {{u"Page.loadEventFired", 9, u"{}", u""}}},
  };
  return cases;
}

class BrowserProtocolEventTableTest : public BrowserProtocolEventTest,
                                      public testing::WithParamInterface<ProtocolEventCase> {};

TEST_P(BrowserProtocolEventTableTest, RaisesTheSubscribedEventsWithTheirNameIdAndArguments) {
  for (const auto& [name, id] : GetParam().subscriptions)
    ASSERT_TRUE(browser->SubscribeToDevToolsProtocolEvent(name, id));
  for (const auto& event : GetParam().raised)
    WebView().RaiseDevToolsProtocolEvent(event[0], event[1], event[2]);
  EXPECT_TRUE(received.empty());  // never inside the call
  Pump();
  EXPECT_EQ(received, GetParam().expected);
  for (const auto& [name, id] : GetParam().subscriptions)
    EXPECT_EQ(WebView().DevToolsEventHandlerCount(name), 1u);
}

INSTANTIATE_TEST_SUITE_P(Events, BrowserProtocolEventTableTest, testing::ValuesIn(ProtocolEventCases()),
                         CaseName());

TEST_F(BrowserProtocolEventTest, ClosingTheBrowserRemovesTheSubscriptions) {
  ASSERT_TRUE(browser->SubscribeToDevToolsProtocolEvent(u"Network.requestWillBeSent", 3));
  ASSERT_EQ(WebView().DevToolsEventHandlerCount(u"Network.requestWillBeSent"), 1u);
  runtime::sim::SimWebView& webView = WebView();
  ComPtr<ICoreWebView2> keep(&webView);
  browser->CloseBrowser();
  EXPECT_EQ(webView.DevToolsEventHandlerCount(u"Network.requestWillBeSent"), 0u);
  webView.RaiseDevToolsProtocolEvent(u"Network.requestWillBeSent", u"{}");
  Pump();
  EXPECT_TRUE(received.empty());
}

TEST_F(BrowserProtocolEventTest, ARefusedReceiverOrAnEmptyNameMakesNoSubscription) {
  EXPECT_FALSE(browser->SubscribeToDevToolsProtocolEvent(u"", 1));
  runtime->SetCallResult("GetDevToolsProtocolEventReceiver", E_ACCESSDENIED);
  EXPECT_FALSE(browser->SubscribeToDevToolsProtocolEvent(u"Page.loadEventFired", 1));
  runtime->SetCallResult("GetDevToolsProtocolEventReceiver", S_OK);
  runtime->SetCallResult("add_DevToolsProtocolEventReceived", E_OUTOFMEMORY);
  EXPECT_FALSE(browser->SubscribeToDevToolsProtocolEvent(u"Page.loadEventFired", 1));
  EXPECT_EQ(WebView().DevToolsEventHandlerCount(u"Page.loadEventFired"), 0u);
  ASSERT_NE(SharedWebViewLoader(), nullptr);
  const std::vector<std::u16string>& log = SharedWebViewLoader()->ErrorLog();
  ASSERT_FALSE(log.empty());
  EXPECT_NE(log.back().find(u"SubscribeToDevToolsProtocolEvent"), std::u16string::npos);
}

struct EditingCommandCase {
  const char* name;
  TWV2EditingCommand command;
  std::u16string parameters;
};

const std::vector<EditingCommandCase>& EditingCommandCases() {
  static const std::vector<EditingCommandCase> cases = {
      {"SelectAll", TWV2EditingCommand::ecmSelectAll, u"{\"type\":\"keyDown\",\"commands\":[\"SelectAll\"]}"},
      {"Copy", TWV2EditingCommand::ecmCopy, u"{\"type\":\"keyDown\",\"commands\":[\"Copy\"]}"},
      {"DeleteWordBackward", TWV2EditingCommand::ecmDeleteWordBackward,
       u"{\"type\":\"keyDown\",\"commands\":[\"DeleteWordBackward\"]}"},
      {"YankAndSelect", TWV2EditingCommand::ecmYankAndSelect,
       u"{\"type\":\"keyDown\",\"commands\":[\"YankAndSelect\"]}"},
  };
  return cases;
}

class BrowserEditingCommandTest : public BrowserTest,
                                  public testing::WithParamInterface<EditingCommandCase> {};

TEST_P(BrowserEditingCommandTest, GoesOutAsAKeyEventCarryingTheCommandAndAnswersAsKeyEventSimulation) {
  CreateBrowserNow();
  std::vector<bool> answers;
  bool general = false;
  browser->OnSimulateKeyEventCompleted = [&](TWVBrowserBase*, bool result) { answers.push_back(result); };
  browser->OnCallDevToolsProtocolMethodCompleted = [&](TWVBrowserBase*, HRESULT, const std::u16string&,
                                                       std::int32_t) { general = true; };
  ASSERT_TRUE(browser->SimulateEditingCommand(GetParam().command));
  ASSERT_EQ(WebView().DevToolsCalls().size(), 1u);
  EXPECT_EQ(WebView().DevToolsCalls()[0].method, u"Input.dispatchKeyEvent");
  EXPECT_EQ(WebView().DevToolsCalls()[0].parametersAsJson, GetParam().parameters);
  WebView().AnswerDevToolsMethod(u"Input.dispatchKeyEvent", E_FAIL, u"{}");
  ASSERT_TRUE(browser->SimulateEditingCommand(GetParam().command));
  Pump();
  EXPECT_EQ(answers, (std::vector<bool>{true, false}));
  EXPECT_FALSE(general);
}

INSTANTIATE_TEST_SUITE_P(Commands, BrowserEditingCommandTest, testing::ValuesIn(EditingCommandCases()),
                         CaseName());

TEST_F(BrowserTest, AnEditingCommandOutsideTheListIsRefusedWithALogLine) {
  CreateBrowserNow();
  EXPECT_FALSE(browser->SimulateEditingCommand(static_cast<TWV2EditingCommand>(100000)));
  EXPECT_FALSE(browser->SimulateEditingCommand(static_cast<TWV2EditingCommand>(-1)));
  EXPECT_TRUE(WebView().DevToolsCalls().empty());
  ASSERT_NE(SharedWebViewLoader(), nullptr);
  const std::vector<std::u16string>& log = SharedWebViewLoader()->ErrorLog();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log.back(), u"SimulateEditingCommand: -1 is no editing command.");
}

TEST_F(BrowserTest, RequestFiltersBySourceKindAreRemovedOnlyAsTheyWereAdded) {
  CreateBrowserNow();
  constexpr auto kDocument = COREWEBVIEW2_WEB_RESOURCE_CONTEXT_DOCUMENT;
  constexpr auto kWorkers = COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS_SHARED_WORKER;
  EXPECT_TRUE(
      browser->AddWebResourceRequestedFilterWithRequestSourceKinds(u"http://a/*", kDocument, kWorkers));
  EXPECT_EQ(WebView().RequestFilters(),
            (std::vector<runtime::sim::SimWebView::RequestFilter>{{u"http://a/*", kDocument, kWorkers}}));
  EXPECT_FALSE(browser->RemoveWebResourceRequestedFilterWithRequestSourceKinds(
      u"http://a/*", kDocument, COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS_DOCUMENT));
  EXPECT_TRUE(
      browser->RemoveWebResourceRequestedFilterWithRequestSourceKinds(u"http://a/*", kDocument, kWorkers));
  EXPECT_TRUE(WebView().RequestFilters().empty());
  EXPECT_FALSE(
      browser->RemoveWebResourceRequestedFilterWithRequestSourceKinds(u"http://a/*", kDocument, kWorkers));
}

TEST_F(BrowserTest, AMessageWithAdditionalObjectsReachesThePageAsItsJson) {
  CreateBrowserNow();
  EXPECT_TRUE(browser->PostWebMessageAsJsonWithAdditionalObjects(u"{\"n\":2}", nullptr));
  EXPECT_EQ(WebView().MessagesToPage(), std::vector<std::u16string>{u"{\"n\":2}"});
  EXPECT_EQ(WebView().MessagesWithObjects(), std::vector<bool>{false});
}

TEST_F(BrowserTest, SharedBuffersArePassedOnAsTheyWereGivenAndNoneIsRefused) {
  CreateBrowserNow();
  ComPtr<IUnknown> made;
  // The simulated runtime makes no buffers, so it answers as the real one does without them.
  EXPECT_FALSE(browser->CreateSharedBuffer(64, made));
  EXPECT_FALSE(made);
  EXPECT_FALSE(
      browser->PostSharedBufferToScript(nullptr, COREWEBVIEW2_SHARED_BUFFER_ACCESS_READ_WRITE, u"{}"));
  ComPtr<StandInSharedBuffer> buffer = MakeComObject<StandInSharedBuffer>();
  EXPECT_TRUE(browser->PostSharedBufferToScript(buffer.Get(), COREWEBVIEW2_SHARED_BUFFER_ACCESS_READ_WRITE,
                                                u"{\"k\":1}"));
  ASSERT_EQ(WebView().SharedBufferPosts().size(), 1u);
  EXPECT_EQ(reinterpret_cast<IUnknown*>(WebView().SharedBufferPosts()[0].buffer), buffer.Get());
  EXPECT_EQ(WebView().SharedBufferPosts()[0].access, COREWEBVIEW2_SHARED_BUFFER_ACCESS_READ_WRITE);
  EXPECT_EQ(WebView().SharedBufferPosts()[0].additionalDataAsJson, u"{\"k\":1}");
}

TEST_F(BrowserTest, ProcessExtendedInfosArriveThroughTheirEventAndReadThroughOurInterface) {
  CreateBrowserNow();
  std::vector<std::pair<std::int32_t, COREWEBVIEW2_PROCESS_KIND>> processes;
  HRESULT code = E_FAIL;
  browser->OnGetProcessExtendedInfosCompleted = [&](TWVBrowserBase*, HRESULT aErrorCode,
                                                    ICoreWebView2ProcessExtendedInfoCollection* aResult) {
    code = aErrorCode;
    ComPtr<ICoreWebView2ProcessExtendedInfoCollection> collection;
    ASSERT_NE(aResult, nullptr);
    ASSERT_TRUE(SUCCEEDED(
        aResult->QueryInterface(IID_ICoreWebView2ProcessExtendedInfoCollection, collection.PutVoid())));
    UINT count = 0;
    ASSERT_EQ(collection->get_Count(&count), S_OK);
    for (UINT i = 0; i < count; ++i) {
      ComPtr<ICoreWebView2ProcessExtendedInfo> info;
      ASSERT_EQ(collection->GetValueAtIndex(i, info.Put()), S_OK);
      ComPtr<ICoreWebView2ProcessInfo> process;
      ASSERT_EQ(info->get_ProcessInfo(process.Put()), S_OK);
      INT32 id = 0;
      COREWEBVIEW2_PROCESS_KIND kind{};
      process->get_ProcessId(&id);
      process->get_Kind(&kind);
      processes.emplace_back(id, kind);
    }
  };
  ASSERT_TRUE(browser->GetProcessExtendedInfos());
  EXPECT_TRUE(processes.empty());
  Pump();
  EXPECT_EQ(code, S_OK);
  EXPECT_EQ(processes,
            (std::vector<std::pair<std::int32_t, COREWEBVIEW2_PROCESS_KIND>>{
                {static_cast<std::int32_t>(options.browserProcessId), COREWEBVIEW2_PROCESS_KIND_BROWSER}}));
}

}  // namespace
}  // namespace velmoran::test
