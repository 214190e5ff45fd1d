#pragma once

// The receiver of one DevTools protocol event of the page, as the webview
// hands it out per event name. While it has handlers it is subscribed to that
// event on the browser's protocol session and raises each occurrence with the
// event's parameter object as JSON; the page's own session is the main one,
// so the session id it reports is empty.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "codec/Json.h"
#include "runtime/chromium/win32/ChromiumBrowser.h"
#include "runtime/chromium/win32/TaskMemText.h"
#include "runtime/common/EventHandlerList.h"
#include "webview/abi/ComObject.h"
#include "webview/abi/WebView2Interfaces.h"

namespace velmoran::runtime::chromium {

class DevToolsProtocolEventReceivedArgs final
    : public webview::AtomicComObject<ICoreWebView2DevToolsProtocolEventReceivedEventArgs2> {
 public:
  explicit DevToolsProtocolEventReceivedArgs(std::u16string parameterObjectAsJson)
      : parameterObjectAsJson_(std::move(parameterObjectAsJson)) {}
  HRESULT WV2_STDCALL get_ParameterObjectAsJson(LPWSTR* value) override {
    return HandOutText(parameterObjectAsJson_, value);
  }
  HRESULT WV2_STDCALL get_SessionId(LPWSTR* value) override { return HandOutText({}, value); }

 private:
  std::u16string parameterObjectAsJson_;
};

class ChromiumDevToolsProtocolEventReceiver final
    : public webview::AtomicComObject<ICoreWebView2DevToolsProtocolEventReceiver> {
 public:
  // `sender` is the webview that made the receiver; it calls Detach before it goes.
  ChromiumDevToolsProtocolEventReceiver(std::shared_ptr<ChromiumBrowser> browser, ICoreWebView2* sender,
                                        std::u16string eventName)
      : browser_(std::move(browser)), sender_(sender), eventName_(std::move(eventName)) {}
  ~ChromiumDevToolsProtocolEventReceiver() override { Detach(); }

  HRESULT WV2_STDCALL
  add_DevToolsProtocolEventReceived(ICoreWebView2DevToolsProtocolEventReceivedEventHandler* eventHandler,
                                    EventRegistrationToken* token) override;
  HRESULT WV2_STDCALL remove_DevToolsProtocolEventReceived(EventRegistrationToken token) override;

  // The webview closed: no more events, and the subscription on the session ends.
  void Detach();

 private:
  void Deliver(const codec::JsonValue& params);

  std::shared_ptr<ChromiumBrowser> browser_;
  ICoreWebView2* sender_;
  std::u16string eventName_;
  EventHandlerList handlers_;
  std::uint64_t subscription_ = 0;  // zero while not subscribed on the session
};

}  // namespace velmoran::runtime::chromium
