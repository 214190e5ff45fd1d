#include <algorithm>

#include "webview/browser/TCoreWebView2.h"
#include "webview/browser/WrapperCalls.h"
#include "webview/loader/QueryInterfaceLogged.h"
#include "webview/sinks/TCoreWebView2DevToolsProtocolEventReceivedEventHandler.h"

// The DevTools protocol events the control subscribes on request. The runtime
// hands out one receiver per event name; its interface is declared by this
// project with an id of its own, so the receiver is only used once it has
// answered QueryInterface for that id: a runtime that does not know the id
// refuses there, and the subscription is simply not made.

namespace velmoran::webview {

bool TCoreWebView2::SubscribeToDevToolsProtocolEvent(const std::u16string& aEventName, std::int32_t aEventID,
                                                     IWVBrowserEvents* aBrowserEvents) {
  ICoreWebView2* intf = FVersions.Get<ICoreWebView2>();
  if (intf == nullptr || aEventName.empty()) return false;
  ComPtr<ICoreWebView2DevToolsProtocolEventReceiver> given;
  if (FAILED(intf->GetDevToolsProtocolEventReceiver(AsWideText(aEventName), given.Put())) || !given)
    return false;
  ComPtr<ICoreWebView2DevToolsProtocolEventReceiver> receiver;
  if (!QueryInterfaceLogged(given, IID_ICoreWebView2DevToolsProtocolEventReceiver, receiver)) return false;
  UnsubscribeDevToolsProtocolEvent(aEventName);
  ComPtr<TCoreWebView2DevToolsProtocolEventReceivedEventHandler> sink =
      MakeComObject<TCoreWebView2DevToolsProtocolEventReceivedEventHandler>(aBrowserEvents, aEventName,
                                                                            aEventID);
  EventRegistrationToken token{};
  if (FAILED(receiver->add_DevToolsProtocolEventReceived(sink.Get(), &token))) return false;
  sink->Token = token;
  FDevToolsSubscriptions.push_back(DevToolsSubscription{aEventName, token, receiver});
  return true;
}

bool TCoreWebView2::IsSubscribedToDevToolsProtocolEvent(const std::u16string& aEventName) const {
  return std::any_of(FDevToolsSubscriptions.begin(), FDevToolsSubscriptions.end(),
                     [&](const DevToolsSubscription& s) { return s.FEventName == aEventName; });
}

void TCoreWebView2::UnsubscribeDevToolsProtocolEvent(const std::u16string& aEventName) {
  const auto found = std::find_if(FDevToolsSubscriptions.begin(), FDevToolsSubscriptions.end(),
                                  [&](const DevToolsSubscription& s) { return s.FEventName == aEventName; });
  if (found == FDevToolsSubscriptions.end()) return;
  // Taken out of the list first: a failed removal leaves nothing behind to try again.
  const DevToolsSubscription subscription = *found;
  FDevToolsSubscriptions.erase(found);
  subscription.FReceiver->remove_DevToolsProtocolEventReceived(subscription.FToken);
}

void TCoreWebView2::UnsubscribeAllDevToolsProtocolEvents() {
  // The list is emptied before any runtime call, so it is empty afterwards
  // whatever a removal does.
  std::vector<DevToolsSubscription> subscriptions;
  subscriptions.swap(FDevToolsSubscriptions);
  for (const DevToolsSubscription& subscription : subscriptions)
    subscription.FReceiver->remove_DevToolsProtocolEventReceived(subscription.FToken);
}

}  // namespace velmoran::webview
