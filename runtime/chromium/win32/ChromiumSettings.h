#pragma once

// The webview's settings. Scripts are switched through Chromium's emulation
// of disabled script execution (the host's own ExecuteScript still runs, as
// it does in the published runtime); dev tools keys, context menus and zoom
// gestures are held back in the page; web messages are dropped by the
// webview; the rest is kept and reported but changes nothing.

#include <memory>

#include "runtime/chromium/PageScripts.h"
#include "runtime/chromium/win32/ChromiumBrowser.h"
#include "webview/abi/ComObject.h"
#include "webview/abi/WebView2Interfaces.h"

namespace velmoran::runtime::chromium {

class ChromiumSettings final : public webview::AtomicComObject<ICoreWebView2Settings> {
 public:
  explicit ChromiumSettings(std::shared_ptr<ChromiumBrowser> browser) : browser_(std::move(browser)) {}

  bool WebMessagesEnabled() const { return webMessages_; }
  bool HostObjectsAllowed() const { return hostObjects_; }

  HRESULT WV2_STDCALL get_IsScriptEnabled(BOOL* value) override { return Get(scripts_, value); }
  HRESULT WV2_STDCALL put_IsScriptEnabled(BOOL value) override;
  HRESULT WV2_STDCALL get_IsWebMessageEnabled(BOOL* value) override { return Get(webMessages_, value); }
  HRESULT WV2_STDCALL put_IsWebMessageEnabled(BOOL value) override { return Put(webMessages_, value); }
  HRESULT WV2_STDCALL get_AreDefaultScriptDialogsEnabled(BOOL* value) override {
    return Get(dialogs_, value);
  }
  HRESULT WV2_STDCALL put_AreDefaultScriptDialogsEnabled(BOOL value) override { return Put(dialogs_, value); }
  HRESULT WV2_STDCALL get_IsStatusBarEnabled(BOOL* value) override { return Get(statusBar_, value); }
  HRESULT WV2_STDCALL put_IsStatusBarEnabled(BOOL value) override { return Put(statusBar_, value); }
  HRESULT WV2_STDCALL get_AreDevToolsEnabled(BOOL* value) override {
    return Get(page_.areDevToolsEnabled, value);
  }
  HRESULT WV2_STDCALL put_AreDevToolsEnabled(BOOL value) override {
    return PutPage(page_.areDevToolsEnabled, value);
  }
  HRESULT WV2_STDCALL get_AreDefaultContextMenusEnabled(BOOL* value) override {
    return Get(page_.areDefaultContextMenusEnabled, value);
  }
  HRESULT WV2_STDCALL put_AreDefaultContextMenusEnabled(BOOL value) override {
    return PutPage(page_.areDefaultContextMenusEnabled, value);
  }
  HRESULT WV2_STDCALL get_AreHostObjectsAllowed(BOOL* value) override { return Get(hostObjects_, value); }
  HRESULT WV2_STDCALL put_AreHostObjectsAllowed(BOOL value) override { return Put(hostObjects_, value); }
  HRESULT WV2_STDCALL get_IsZoomControlEnabled(BOOL* value) override {
    return Get(page_.isZoomControlEnabled, value);
  }
  HRESULT WV2_STDCALL put_IsZoomControlEnabled(BOOL value) override {
    return PutPage(page_.isZoomControlEnabled, value);
  }
  HRESULT WV2_STDCALL get_IsBuiltInErrorPageEnabled(BOOL* value) override { return Get(errorPage_, value); }
  HRESULT WV2_STDCALL put_IsBuiltInErrorPageEnabled(BOOL value) override { return Put(errorPage_, value); }

 private:
  static HRESULT Get(bool setting, BOOL* value) {
    if (value == nullptr) return E_POINTER;
    *value = setting ? TRUE : FALSE;
    return S_OK;
  }
  static HRESULT Put(bool& setting, BOOL value) {
    setting = value != FALSE;
    return S_OK;
  }
  HRESULT PutPage(bool& setting, BOOL value);

  std::shared_ptr<ChromiumBrowser> browser_;
  PageSettings page_;
  bool scripts_ = true;
  bool webMessages_ = true;
  bool dialogs_ = true;
  bool statusBar_ = true;
  bool hostObjects_ = true;
  bool errorPage_ = true;
};

}  // namespace velmoran::runtime::chromium
