#pragma once

// The controller: the embedded browser window inside the host's window, its
// bounds, visibility and focus, and the webview it shows. Closing it closes
// the browser; nothing is raised afterwards.

#include <memory>

#include "runtime/chromium/win32/ChromiumBrowser.h"
#include "runtime/common/EventHandlerList.h"
#include "webview/abi/ComObject.h"
#include "webview/abi/WebView2Interfaces.h"
#include "webview/abi/WebView2Structs.h"

namespace velmoran::runtime::chromium {

class ChromiumWebView;

class ChromiumController final : public webview::AtomicComObject<ICoreWebView2Controller2> {
 public:
  ChromiumController(std::shared_ptr<ChromiumBrowser> browser, HWND parent,
                     webview::ComPtr<ChromiumWebView> webView);
  ~ChromiumController() override;

  // ICoreWebView2Controller
  HRESULT WV2_STDCALL get_IsVisible(BOOL* isVisible) override;
  HRESULT WV2_STDCALL put_IsVisible(BOOL isVisible) override;
  HRESULT WV2_STDCALL get_Bounds(RECT* bounds) override;
  HRESULT WV2_STDCALL put_Bounds(RECT bounds) override;
  HRESULT WV2_STDCALL get_ZoomFactor(double* zoomFactor) override;
  HRESULT WV2_STDCALL put_ZoomFactor(double zoomFactor) override;
  HRESULT WV2_STDCALL add_ZoomFactorChanged(ICoreWebView2ZoomFactorChangedEventHandler* eventHandler,
                                            EventRegistrationToken* token) override {
    return events_.Add("ZoomFactorChanged", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_ZoomFactorChanged(EventRegistrationToken token) override {
    events_.Remove("ZoomFactorChanged", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL SetBoundsAndZoomFactor(RECT bounds, double zoomFactor) override;
  HRESULT WV2_STDCALL MoveFocus(COREWEBVIEW2_MOVE_FOCUS_REASON reason) override;
  HRESULT WV2_STDCALL add_MoveFocusRequested(ICoreWebView2MoveFocusRequestedEventHandler* eventHandler,
                                             EventRegistrationToken* token) override {
    return events_.Add("MoveFocusRequested", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_MoveFocusRequested(EventRegistrationToken token) override {
    events_.Remove("MoveFocusRequested", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL add_GotFocus(ICoreWebView2FocusChangedEventHandler* eventHandler,
                                   EventRegistrationToken* token) override {
    return events_.Add("GotFocus", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_GotFocus(EventRegistrationToken token) override {
    events_.Remove("GotFocus", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL add_LostFocus(ICoreWebView2FocusChangedEventHandler* eventHandler,
                                    EventRegistrationToken* token) override {
    return events_.Add("LostFocus", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_LostFocus(EventRegistrationToken token) override {
    events_.Remove("LostFocus", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL add_AcceleratorKeyPressed(ICoreWebView2AcceleratorKeyPressedEventHandler* eventHandler,
                                                EventRegistrationToken* token) override {
    return events_.Add("AcceleratorKeyPressed", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_AcceleratorKeyPressed(EventRegistrationToken token) override {
    events_.Remove("AcceleratorKeyPressed", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL get_ParentWindow(HWND* parentWindow) override;
  HRESULT WV2_STDCALL put_ParentWindow(HWND parentWindow) override;
  HRESULT WV2_STDCALL NotifyParentWindowPositionChanged() override;
  HRESULT WV2_STDCALL Close() override;
  HRESULT WV2_STDCALL get_CoreWebView2(ICoreWebView2** coreWebView2) override;
  // ICoreWebView2Controller2
  HRESULT WV2_STDCALL get_DefaultBackgroundColor(COREWEBVIEW2_COLOR* value) override;
  HRESULT WV2_STDCALL put_DefaultBackgroundColor(COREWEBVIEW2_COLOR value) override;

 private:
  bool Closed() const { return closed_; }

  std::shared_ptr<ChromiumBrowser> browser_;
  webview::ComPtr<ChromiumWebView> webView_;
  EventHandlerList events_;
  HWND parent_;
  RECT bounds_{0, 0, 0, 0};
  bool visible_ = true;
  double zoomFactor_ = 1.0;
  COREWEBVIEW2_COLOR background_{255, 255, 255, 255};
  bool closed_ = false;
};

}  // namespace velmoran::runtime::chromium
