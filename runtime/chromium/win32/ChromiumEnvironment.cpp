#include "runtime/chromium/win32/ChromiumEnvironment.h"

#include "runtime/chromium/win32/ChromiumController.h"
#include "runtime/chromium/win32/ChromiumWebView.h"
#include "runtime/chromium/win32/TaskMemText.h"
#include "runtime/chromium/win32/Trace.h"

namespace velmoran::runtime::chromium {

using webview::ComPtr;

HRESULT ChromiumEnvironment::CreateCoreWebView2Controller(
    HWND parentWindow, ICoreWebView2CreateCoreWebView2ControllerCompletedHandler* handler) {
  if (handler == nullptr) return E_POINTER;
  if (parentWindow == nullptr || !::IsWindow(parentWindow)) return E_INVALIDARG;
  // One app window, one controller.
  if (controllerRequested_ || !browser_->Usable()) return HRESULT_FROM_WIN32(ERROR_INVALID_STATE);
  controllerRequested_ = true;
  Trace("controller requested");
  ComPtr<ChromiumEnvironment> self(this);
  ComPtr<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler> completion(handler);
  queue_->Post([self, completion, parentWindow] {
    ChromiumBrowser& browser = *self->browser_;
    if (!::IsWindow(parentWindow)) {
      completion->Invoke(E_ABORT, nullptr);
      return;
    }
    if (!browser.Usable() || !browser.Window().Attach(parentWindow, browser.WindowClass())) {
      completion->Invoke(E_FAIL, nullptr);
      return;
    }
    auto webView =
        webview::MakeComObject<ChromiumWebView>(self->browser_, ComPtr<ICoreWebView2Environment>(self));
    auto controller = webview::MakeComObject<ChromiumController>(self->browser_, parentWindow, webView);
    completion->Invoke(S_OK, controller.Get());
  });
  return S_OK;
}

HRESULT ChromiumEnvironment::get_BrowserVersionString(LPWSTR* versionInfo) {
  return HandOutText(browser_->Version(), versionInfo);
}

}  // namespace velmoran::runtime::chromium
