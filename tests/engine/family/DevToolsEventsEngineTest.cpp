// DevTools protocol events and editing commands on the real engine: the
// browser control subscribed to Network.requestWillBeSent hears of every
// request of a page Apache serves, with the request's address in the event's
// parameter object; SelectAll run as an editing command selects the page's
// text; a message posted with no additional objects reaches the page.

#include <gtest/gtest.h>
#include <objbase.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/Text.h"
#include "codec/Json.h"
#include "tests/engine/family/EngineFamilyFixture.h"
#include "webview/abi/WebView2Abi.h"
#include "webview/browser/TWV2EditingCommand.h"

namespace velmoran::test::engine {
namespace {

using webview::ComPtr;
using webview::TWV2EditingCommand;
using webview::TWVBrowserBase;

constexpr std::int32_t kRequestEventID = 4711;

// The event's parameter object, read through the arguments' interface the
// control hands out as IUnknown; empty when it cannot be read.
std::u16string ParameterObjectAsJson(IUnknown* args) {
  ComPtr<ICoreWebView2DevToolsProtocolEventReceivedEventArgs> read;
  if (args == nullptr ||
      FAILED(args->QueryInterface(IID_ICoreWebView2DevToolsProtocolEventReceivedEventArgs, read.PutVoid())))
    return {};
  LPWSTR text = nullptr;
  std::u16string json;
  if (SUCCEEDED(read->get_ParameterObjectAsJson(&text)) && text != nullptr)
    json = reinterpret_cast<const char16_t*>(text);
  ::CoTaskMemFree(text);
  return json;
}

std::u16string RequestURL(const std::u16string& parametersAsJson) {
  const std::optional<codec::JsonValue> parameters = codec::ParseJson(parametersAsJson);
  if (!parameters) return {};
  const codec::JsonValue* request = parameters->Find(u"request");
  const codec::JsonValue* url = request != nullptr ? request->Find(u"url") : nullptr;
  return url != nullptr && url->IsString() ? std::u16string(url->view()) : std::u16string();
}

using DevToolsEventsEngineTest = EngineFamilyFixture;
using RequestEventHandler = decltype(TWVBrowserBase::OnDevToolsProtocolEventReceived);

TEST_F(DevToolsEventsEngineTest, RequestWillBeSentArrivesForEveryRequestOfThePageWithItsAddress) {
  std::vector<std::u16string> requested;
  std::vector<std::u16string> strays;
  Hook(Browser().OnDevToolsProtocolEventReceived,
       RequestEventHandler([&](TWVBrowserBase*, ICoreWebView2* webView, IUnknown* args,
                               const std::u16string& name, std::int32_t id) {
         if (webView == nullptr || name != u"Network.requestWillBeSent" || id != kRequestEventID) {
           strays.push_back(name);
           return;
         }
         requested.push_back(RequestURL(ParameterObjectAsJson(args)));
       }));
  ASSERT_TRUE(Browser().SubscribeToDevToolsProtocolEvent(u"Network.requestWillBeSent", kRequestEventID));

  ASSERT_TRUE(Engine().NavigateAndWait(PageURL(u"devtools/index.html")));
  const std::vector<std::u16string> expected = {PageURL(u"devtools/index.html"),
                                                PageURL(u"devtools/style.css"),
                                                PageURL(u"devtools/script.js"), PageURL(u"devtools/dot.svg")};
  const auto allSeen = [&] {
    return std::all_of(expected.begin(), expected.end(), [&](const std::u16string& url) {
      return std::find(requested.begin(), requested.end(), url) != requested.end();
    });
  };
  EXPECT_TRUE(Engine().WaitUntil(allSeen, 20s));
  for (const std::u16string& url : expected)
    EXPECT_NE(std::find(requested.begin(), requested.end(), url), requested.end()) << Utf16ToUtf8(url);
  EXPECT_TRUE(strays.empty());
}

TEST_F(DevToolsEventsEngineTest, SelectAllRunAsAnEditingCommandSelectsThePageText) {
  ASSERT_TRUE(Engine().NavigateAndWait(PageURL(u"devtools/index.html")));
  ASSERT_EQ(Engine().ExecuteScriptAndWait(
                u"window.getSelection().removeAllRanges(); window.getSelection().toString()"),
            std::optional<std::u16string>(u"\"\""));
  std::optional<bool> answered;
  Hook(Browser().OnSimulateKeyEventCompleted,
       webview::TOnBooleanResultEvent([&](TWVBrowserBase*, bool aResult) { answered = aResult; }));

  ASSERT_TRUE(Browser().SimulateEditingCommand(TWV2EditingCommand::ecmSelectAll));
  ASSERT_TRUE(Engine().WaitUntil([&] { return answered.has_value(); }, 20s));
  EXPECT_TRUE(*answered);
  // The page applies the command as it handles the key event, which may end after the protocol's answer.
  std::optional<std::u16string> selected;
  bool found = false;
  for (int attempt = 0; attempt < 40 && !found; ++attempt) {
    if (attempt > 0) Engine().PumpFor(250ms);
    selected = Engine().ExecuteScriptAndWait(u"window.getSelection().toString()");
    found = selected && selected->find(u"Twelve quiet herons") != std::u16string::npos;
  }
  EXPECT_TRUE(found) << (selected ? Utf16ToUtf8(*selected) : std::string("no answer"));
}

TEST_F(DevToolsEventsEngineTest, AMessageWithoutAdditionalObjectsReachesThePageAsItsJson) {
  ASSERT_TRUE(Engine().NavigateAndWait(PageURL(u"devtools/index.html")));
  ASSERT_TRUE(Browser().PostWebMessageAsJsonWithAdditionalObjects(u"{\"heron\":12}", nullptr));
  std::optional<std::u16string> received;
  bool arrived = false;
  for (int attempt = 0; attempt < 40 && !arrived; ++attempt) {
    if (attempt > 0) Engine().PumpFor(250ms);
    received = Engine().ExecuteScriptAndWait(u"JSON.stringify(window.receivedMessages)");
    arrived = received && *received != u"\"[]\"";
  }
  EXPECT_EQ(received, std::optional<std::u16string>(u"\"[{\\\"heron\\\":12}]\""));
}

}  // namespace
}  // namespace velmoran::test::engine
