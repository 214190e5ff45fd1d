#pragma once

// The simulated runtime's DevTools protocol events: one receiver per event
// name (the webview hands out the same one each time it is asked for that
// name), whose handlers the webview calls when a test raises the event, with
// arguments that carry the event's parameter object as JSON and the session
// it came from.

#include <memory>
#include <string>
#include <utility>

#include "runtime/sim/SimEventHandlers.h"
#include "runtime/sim/SimRuntimeContext.h"
#include "webview/abi/CoTaskMemText.h"
#include "webview/abi/ComObject.h"
#include "webview/abi/WebView2Interfaces.h"

namespace velmoran::runtime::sim {

class SimDevToolsProtocolEventReceiver final
    : public webview::ComObject<ICoreWebView2DevToolsProtocolEventReceiver>,
      private SimCountedObject {
 public:
  SimDevToolsProtocolEventReceiver(std::shared_ptr<SimRuntimeContext> context, std::u16string eventName)
      : SimCountedObject(std::move(context)), eventName_(std::move(eventName)), handlers_(Context()) {}

  HRESULT WV2_STDCALL
  add_DevToolsProtocolEventReceived(ICoreWebView2DevToolsProtocolEventReceivedEventHandler* eventHandler,
                                    EventRegistrationToken* token) override {
    return handlers_.Add("DevToolsProtocolEventReceived", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_DevToolsProtocolEventReceived(EventRegistrationToken token) override {
    return handlers_.Remove("DevToolsProtocolEventReceived", token);
  }

  const std::u16string& EventName() const { return eventName_; }
  std::size_t HandlerCount() const { return handlers_.Count(); }
  void Raise(ICoreWebView2* sender, ICoreWebView2DevToolsProtocolEventReceivedEventArgs* args) {
    handlers_.Raise<ICoreWebView2DevToolsProtocolEventReceivedEventHandler>("DevToolsProtocolEventReceived",
                                                                            sender, args);
  }
  void Clear() { handlers_.Clear(); }

 private:
  std::u16string eventName_;
  SimEventHandlers handlers_;
};

class SimDevToolsProtocolEventReceivedEventArgs final
    : public webview::ComObject<ICoreWebView2DevToolsProtocolEventReceivedEventArgs2>,
      private SimCountedObject {
 public:
  SimDevToolsProtocolEventReceivedEventArgs(std::shared_ptr<SimRuntimeContext> context,
                                            std::u16string parameterObjectAsJson, std::u16string sessionId)
      : SimCountedObject(std::move(context)),
        parameterObjectAsJson_(std::move(parameterObjectAsJson)),
        sessionId_(std::move(sessionId)) {}

  HRESULT WV2_STDCALL get_ParameterObjectAsJson(LPWSTR* value) override {
    return Text(parameterObjectAsJson_, value);
  }
  HRESULT WV2_STDCALL get_SessionId(LPWSTR* value) override { return Text(sessionId_, value); }

 private:
  HRESULT Text(const std::u16string& text, LPWSTR* value) {
    if (value == nullptr) return E_POINTER;
    *value = webview::CoTaskMemDup(Context().Com(), text);
    return *value == nullptr ? E_OUTOFMEMORY : S_OK;
  }

  std::u16string parameterObjectAsJson_;
  std::u16string sessionId_;
};

}  // namespace velmoran::runtime::sim
