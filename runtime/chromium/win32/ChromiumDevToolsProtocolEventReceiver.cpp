#include "runtime/chromium/win32/ChromiumDevToolsProtocolEventReceiver.h"

#include "base/Text.h"
#include "runtime/chromium/JsonWriter.h"

namespace velmoran::runtime::chromium {

namespace {

constexpr char kReceivedEvent[] = "DevToolsProtocolEventReceived";

}  // namespace

HRESULT ChromiumDevToolsProtocolEventReceiver::add_DevToolsProtocolEventReceived(
    ICoreWebView2DevToolsProtocolEventReceivedEventHandler* eventHandler, EventRegistrationToken* token) {
  if (sender_ == nullptr) return HRESULT_FROM_WIN32(ERROR_INVALID_STATE);
  const HRESULT added = handlers_.Add(kReceivedEvent, eventHandler, token);
  if (SUCCEEDED(added) && subscription_ == 0) {
    subscription_ =
        browser_->SubscribePageEvent(eventName_, [this](const codec::JsonValue& params) { Deliver(params); });
  }
  return added;
}

HRESULT ChromiumDevToolsProtocolEventReceiver::remove_DevToolsProtocolEventReceived(
    EventRegistrationToken token) {
  handlers_.Remove(kReceivedEvent, token);
  if (handlers_.Count() == 0 && subscription_ != 0) {
    browser_->UnsubscribePageEvent(subscription_);
    subscription_ = 0;
  }
  return S_OK;
}

void ChromiumDevToolsProtocolEventReceiver::Detach() {
  if (subscription_ != 0) browser_->UnsubscribePageEvent(subscription_);
  subscription_ = 0;
  handlers_.Clear();
  sender_ = nullptr;
}

void ChromiumDevToolsProtocolEventReceiver::Deliver(const codec::JsonValue& params) {
  if (sender_ == nullptr) return;
  // A handler may let go of the last reference to this receiver while it runs.
  webview::ComPtr<ChromiumDevToolsProtocolEventReceiver> self(this);
  JsonWriter json;
  if (params.IsObject())
    json.Value(params);
  else
    json.BeginObject().EndObject();
  auto args = webview::MakeComObject<DevToolsProtocolEventReceivedArgs>(Utf8ToUtf16(json.Text()));
  handlers_.Raise<ICoreWebView2DevToolsProtocolEventReceivedEventHandler>(
      kReceivedEvent, sender_, static_cast<ICoreWebView2DevToolsProtocolEventReceivedEventArgs*>(args.Get()));
}

}  // namespace velmoran::runtime::chromium
