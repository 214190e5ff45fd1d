#pragma once

// The environment: one started Chromium. It makes the one controller that
// Chromium's single app window can back, embedded in the host's window.

#include <memory>

#include "runtime/chromium/win32/ChromiumBrowser.h"
#include "runtime/common/EventHandlerList.h"
#include "webview/abi/ComObject.h"
#include "webview/abi/WebView2Interfaces.h"

namespace velmoran::runtime::chromium {

class ChromiumEnvironment final : public webview::AtomicComObject<ICoreWebView2Environment> {
 public:
  ChromiumEnvironment(std::shared_ptr<UiThreadQueue> queue, std::shared_ptr<ChromiumBrowser> browser)
      : queue_(std::move(queue)), browser_(std::move(browser)) {}

  HRESULT WV2_STDCALL CreateCoreWebView2Controller(
      HWND parentWindow, ICoreWebView2CreateCoreWebView2ControllerCompletedHandler* handler) override;
  HRESULT WV2_STDCALL CreateWebResourceResponse(IStream*, int, LPCWSTR, LPCWSTR,
                                                ICoreWebView2WebResourceResponse** response) override {
    if (response != nullptr) *response = nullptr;
    return E_NOTIMPL;
  }
  HRESULT WV2_STDCALL get_BrowserVersionString(LPWSTR* versionInfo) override;
  // Chromium is Debian's: no new version arrives while it runs, so the event is kept and never raised.
  HRESULT WV2_STDCALL
  add_NewBrowserVersionAvailable(ICoreWebView2NewBrowserVersionAvailableEventHandler* eventHandler,
                                 EventRegistrationToken* token) override {
    return events_.Add("NewBrowserVersionAvailable", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_NewBrowserVersionAvailable(EventRegistrationToken token) override {
    events_.Remove("NewBrowserVersionAvailable", token);
    return S_OK;
  }

 private:
  std::shared_ptr<UiThreadQueue> queue_;
  std::shared_ptr<ChromiumBrowser> browser_;
  EventHandlerList events_;
  bool controllerRequested_ = false;
};

}  // namespace velmoran::runtime::chromium
