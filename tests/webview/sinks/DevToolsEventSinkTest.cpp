// The DevTools event sink: one per subscription, carrying the name and id it
// was made with to the face beside the runtime's own arguments.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/webview/sinks/RecordingEvents.h"
#include "webview/sinks/TCoreWebView2DevToolsProtocolEventReceivedEventHandler.h"

namespace velmoran::test {
namespace {

using webview::ComPtr;
using webview::MakeComObject;
using webview::TCoreWebView2DevToolsProtocolEventReceivedEventHandler;

TEST(DevToolsEventSinkTest, HandsTheSubscribedNameAndIdToTheFace) {
  RecordingBrowserEvents events;
  events.answer = S_FALSE;
  auto first = MakeComObject<TCoreWebView2DevToolsProtocolEventReceivedEventHandler>(
      &events, u"Network.requestWillBeSent", 7);
  auto second = MakeComObject<TCoreWebView2DevToolsProtocolEventReceivedEventHandler>(
      &events, u"Page.loadEventFired", -3);
  auto* sender = reinterpret_cast<ICoreWebView2*>(std::uintptr_t{0x1000});
  auto* args = reinterpret_cast<ICoreWebView2DevToolsProtocolEventReceivedEventArgs*>(std::uintptr_t{0x2000});

  EXPECT_EQ(second->Invoke(sender, args), S_FALSE);
  EXPECT_EQ(first->Invoke(nullptr, nullptr), S_FALSE);

  EXPECT_EQ(events.devToolsEventNames,
            (std::vector<std::u16string>{u"Page.loadEventFired", u"Network.requestWillBeSent"}));
  ASSERT_EQ(events.calls.size(), 2u);
  EXPECT_EQ(events.calls[0].name, u"DevToolsProtocolEventReceived");
  EXPECT_EQ(events.calls[0].arguments,
            (std::vector<std::uintptr_t>{0x1000, 0x2000, static_cast<std::uintptr_t>(std::int32_t{-3})}));
  EXPECT_EQ(events.calls[1].arguments, (std::vector<std::uintptr_t>{0, 0, 7}));
}

TEST(DevToolsEventSinkTest, WithoutALiveTargetAnswersEFail) {
  auto orphan = MakeComObject<TCoreWebView2DevToolsProtocolEventReceivedEventHandler>(nullptr, u"X.y", 1);
  EXPECT_EQ(orphan->Invoke(nullptr, nullptr), E_FAIL);

  ComPtr<TCoreWebView2DevToolsProtocolEventReceivedEventHandler> outlived;
  {
    RecordingBrowserEvents events;
    outlived = MakeComObject<TCoreWebView2DevToolsProtocolEventReceivedEventHandler>(&events, u"X.y", 1);
  }
  EXPECT_EQ(outlived->Invoke(nullptr, nullptr), E_FAIL);
}

TEST(DevToolsEventSinkTest, AThrowingHandlerIsReportedAndTheRuntimeAnsweredSOk) {
  RecordingBrowserEvents events;
  events.throwOn = u"DevToolsProtocolEventReceived";
  auto sink = MakeComObject<TCoreWebView2DevToolsProtocolEventReceivedEventHandler>(&events, u"X.y", 1);
  EXPECT_EQ(sink->Invoke(nullptr, nullptr), S_OK);
  ASSERT_EQ(events.reported.size(), 1u);
  EXPECT_EQ(events.reported[0].callbackName, u"DevToolsProtocolEventReceived");
}

}  // namespace
}  // namespace velmoran::test
