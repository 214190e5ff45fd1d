#pragma once

// One iframe of the top document, as the webview announces it with
// FrameCreated (ICoreWebView2Frame to ICoreWebView2Frame6). Its events are
// raised by the webview as the FrameTracker reports them; its scripts and
// messages run in the frame's own script context. What Chromium cannot do
// for a frame here answers E_NOTIMPL: host objects, shared buffers;
// PermissionRequested and ScreenCaptureStarting are taken but never raised.

#include <cstdint>
#include <memory>
#include <string>

#include "runtime/chromium/win32/ChromiumBrowser.h"
#include "runtime/common/EventHandlerList.h"
#include "webview/abi/ComObject.h"
#include "webview/abi/WebView2Interfaces.h"

namespace velmoran::runtime::chromium {

class ChromiumFrame final : public webview::AtomicComObject<ICoreWebView2Frame6> {
 public:
  ChromiumFrame(std::shared_ptr<ChromiumBrowser> browser, std::uint32_t frameId, std::u16string name);

  std::uint32_t Id() const { return frameId_; }
  // The events raised on the frame, by the webview.
  EventHandlerList& Events() { return events_; }
  void Rename(std::u16string_view name) { name_ = std::u16string(name); }
  // Taken out of the page (or the webview closed): no more events, every operation refused.
  void MarkDestroyed() { destroyed_ = true; }

  // ICoreWebView2Frame
  HRESULT WV2_STDCALL get_Name(LPWSTR* name) override;
  HRESULT WV2_STDCALL add_NameChanged(ICoreWebView2FrameNameChangedEventHandler* eventHandler,
                                      EventRegistrationToken* token) override {
    return events_.Add("NameChanged", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_NameChanged(EventRegistrationToken token) override {
    events_.Remove("NameChanged", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL AddHostObjectToScriptWithOrigins(LPCWSTR, VARIANT*, UINT32, LPCWSTR*) override {
    return E_NOTIMPL;
  }
  HRESULT WV2_STDCALL RemoveHostObjectFromScript(LPCWSTR) override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL add_Destroyed(ICoreWebView2FrameDestroyedEventHandler* eventHandler,
                                    EventRegistrationToken* token) override {
    return events_.Add("Destroyed", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_Destroyed(EventRegistrationToken token) override {
    events_.Remove("Destroyed", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL IsDestroyed(BOOL* destroyed) override;
  // ICoreWebView2Frame2
  HRESULT WV2_STDCALL add_NavigationStarting(ICoreWebView2FrameNavigationStartingEventHandler* eventHandler,
                                             EventRegistrationToken* token) override {
    return events_.Add("NavigationStarting", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_NavigationStarting(EventRegistrationToken token) override {
    events_.Remove("NavigationStarting", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL add_ContentLoading(ICoreWebView2FrameContentLoadingEventHandler* eventHandler,
                                         EventRegistrationToken* token) override {
    return events_.Add("ContentLoading", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_ContentLoading(EventRegistrationToken token) override {
    events_.Remove("ContentLoading", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL add_NavigationCompleted(ICoreWebView2FrameNavigationCompletedEventHandler* eventHandler,
                                              EventRegistrationToken* token) override {
    return events_.Add("NavigationCompleted", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_NavigationCompleted(EventRegistrationToken token) override {
    events_.Remove("NavigationCompleted", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL add_DOMContentLoaded(ICoreWebView2FrameDOMContentLoadedEventHandler* eventHandler,
                                           EventRegistrationToken* token) override {
    return events_.Add("DOMContentLoaded", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_DOMContentLoaded(EventRegistrationToken token) override {
    events_.Remove("DOMContentLoaded", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL ExecuteScript(LPCWSTR javaScript,
                                    ICoreWebView2ExecuteScriptCompletedHandler* handler) override;
  HRESULT WV2_STDCALL PostWebMessageAsJson(LPCWSTR webMessageAsJson) override;
  HRESULT WV2_STDCALL PostWebMessageAsString(LPCWSTR webMessageAsString) override;
  HRESULT WV2_STDCALL add_WebMessageReceived(ICoreWebView2FrameWebMessageReceivedEventHandler* eventHandler,
                                             EventRegistrationToken* token) override {
    return events_.Add("WebMessageReceived", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_WebMessageReceived(EventRegistrationToken token) override {
    events_.Remove("WebMessageReceived", token);
    return S_OK;
  }
  // ICoreWebView2Frame3
  HRESULT WV2_STDCALL add_PermissionRequested(ICoreWebView2FramePermissionRequestedEventHandler* eventHandler,
                                              EventRegistrationToken* token) override {
    return events_.Add("PermissionRequested", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_PermissionRequested(EventRegistrationToken token) override {
    events_.Remove("PermissionRequested", token);
    return S_OK;
  }
  // ICoreWebView2Frame4
  HRESULT WV2_STDCALL PostSharedBufferToScript(ICoreWebView2SharedBuffer*, COREWEBVIEW2_SHARED_BUFFER_ACCESS,
                                               LPCWSTR) override {
    return E_NOTIMPL;
  }
  // ICoreWebView2Frame5
  HRESULT WV2_STDCALL get_FrameId(UINT32* id) override;
  // ICoreWebView2Frame6
  HRESULT WV2_STDCALL
  add_ScreenCaptureStarting(ICoreWebView2FrameScreenCaptureStartingEventHandler* eventHandler,
                            EventRegistrationToken* token) override {
    return events_.Add("ScreenCaptureStarting", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_ScreenCaptureStarting(EventRegistrationToken token) override {
    events_.Remove("ScreenCaptureStarting", token);
    return S_OK;
  }

 private:
  // Evaluates `expression` in the frame's script context; false when the frame has none now.
  bool Evaluate(const std::string& expression, bool returnByValue, DevToolsSession::AnswerHandler onAnswer);

  std::shared_ptr<ChromiumBrowser> browser_;
  std::uint32_t frameId_;
  std::u16string name_;
  EventHandlerList events_;
  bool destroyed_ = false;
};

}  // namespace velmoran::runtime::chromium
