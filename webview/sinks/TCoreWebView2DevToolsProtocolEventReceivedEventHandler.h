#pragma once

// The sink of one DevTools protocol event subscription. Unlike the other
// event sinks it is made per subscription, not per event kind: the runtime
// gives every protocol event its own receiver, so the sink carries the name
// and id the control subscribed under and hands them to the face with the
// runtime's arguments. `Token` is the registration the runtime gave for it.

#include <cstdint>
#include <string>
#include <string_view>

#include "webview/abi/ComObject.h"
#include "webview/sinks/IWVBrowserEvents.h"
#include "webview/sinks/SinkDispatch.h"
#include "webview/sinks/SinkLink.h"

namespace velmoran::webview {

class TCoreWebView2DevToolsProtocolEventReceivedEventHandler final
    : public ComObject<ICoreWebView2DevToolsProtocolEventReceivedEventHandler> {
 public:
  static constexpr std::u16string_view kCallbackName = u"DevToolsProtocolEventReceived";

  TCoreWebView2DevToolsProtocolEventReceivedEventHandler(IWVBrowserEvents* aEvents, std::u16string aEventName,
                                                         std::int32_t aEventID)
      : FEvents(aEvents), FEventName(std::move(aEventName)), FEventID(aEventID) {}

  HRESULT WV2_STDCALL Invoke(ICoreWebView2* sender,
                             ICoreWebView2DevToolsProtocolEventReceivedEventArgs* args) override {
    return DispatchToTarget(FEvents, kCallbackName, [&](IWVBrowserEvents& target) {
      return target.HandleDevToolsProtocolEventReceived(sender, args, FEventName, FEventID);
    });
  }

  const std::u16string& EventName() const { return FEventName; }
  std::int32_t EventID() const { return FEventID; }

  EventRegistrationToken Token{};

 private:
  SinkLink<IWVBrowserEvents> FEvents;
  std::u16string FEventName;
  std::int32_t FEventID;
};

}  // namespace velmoran::webview
