#include "runtime/chromium/win32/ChromiumController.h"

#include <utility>

#include "runtime/chromium/win32/ChromiumEventArgs.h"
#include "runtime/chromium/win32/ChromiumWebView.h"

namespace velmoran::runtime::chromium {

using webview::ComPtr;

ChromiumController::ChromiumController(std::shared_ptr<ChromiumBrowser> browser, HWND parent,
                                       ComPtr<ChromiumWebView> webView)
    : browser_(std::move(browser)), webView_(std::move(webView)), parent_(parent) {}

// A controller let go without Close is closed all the same.
ChromiumController::~ChromiumController() { Close(); }

HRESULT ChromiumController::get_IsVisible(BOOL* isVisible) { return AnswerValue<BOOL>(isVisible, visible_); }

HRESULT ChromiumController::put_IsVisible(BOOL isVisible) {
  if (Closed()) return HRESULT_FROM_WIN32(ERROR_INVALID_STATE);
  visible_ = isVisible != FALSE;
  browser_->Window().SetVisible(visible_);
  return S_OK;
}

HRESULT ChromiumController::get_Bounds(RECT* bounds) { return AnswerValue(bounds, bounds_); }

HRESULT ChromiumController::put_Bounds(RECT bounds) {
  if (Closed()) return HRESULT_FROM_WIN32(ERROR_INVALID_STATE);
  bounds_ = bounds;
  browser_->Window().SetBounds(bounds_);
  return S_OK;
}

HRESULT ChromiumController::get_ZoomFactor(double* zoomFactor) {
  return AnswerValue(zoomFactor, zoomFactor_);
}

// Kept, not applied: the protocol has no whole-page zoom of the browser's own.
HRESULT ChromiumController::put_ZoomFactor(double zoomFactor) {
  if (zoomFactor <= 0) return E_INVALIDARG;
  zoomFactor_ = zoomFactor;
  return S_OK;
}

HRESULT ChromiumController::SetBoundsAndZoomFactor(RECT bounds, double zoomFactor) {
  const HRESULT zoom = put_ZoomFactor(zoomFactor);
  return FAILED(zoom) ? zoom : put_Bounds(bounds);
}

HRESULT ChromiumController::MoveFocus(COREWEBVIEW2_MOVE_FOCUS_REASON) {
  if (Closed()) return HRESULT_FROM_WIN32(ERROR_INVALID_STATE);
  browser_->Window().Focus();
  return S_OK;
}

HRESULT ChromiumController::get_ParentWindow(HWND* parentWindow) {
  return AnswerValue(parentWindow, parent_);
}

HRESULT ChromiumController::put_ParentWindow(HWND parentWindow) {
  if (Closed()) return HRESULT_FROM_WIN32(ERROR_INVALID_STATE);
  parent_ = parentWindow;
  browser_->Window().Reparent(parentWindow);
  return S_OK;
}

// The browser's window is an X11 child of the host's: only the host's client
// offset inside its top-level window can have changed.
HRESULT ChromiumController::NotifyParentWindowPositionChanged() {
  if (Closed()) return HRESULT_FROM_WIN32(ERROR_INVALID_STATE);
  browser_->Window().SetBounds(bounds_);
  return S_OK;
}

HRESULT ChromiumController::Close() {
  if (closed_) return S_OK;
  closed_ = true;
  events_.Clear();
  webView_->Close();
  browser_->Close();
  return S_OK;
}

HRESULT ChromiumController::get_CoreWebView2(ICoreWebView2** coreWebView2) {
  if (coreWebView2 == nullptr) return E_POINTER;
  *coreWebView2 = nullptr;
  if (Closed()) return HRESULT_FROM_WIN32(ERROR_INVALID_STATE);
  *coreWebView2 = ComPtr<ICoreWebView2>(webView_).Detach();
  return S_OK;
}

HRESULT ChromiumController::get_DefaultBackgroundColor(COREWEBVIEW2_COLOR* value) {
  return AnswerValue(value, background_);
}

HRESULT ChromiumController::put_DefaultBackgroundColor(COREWEBVIEW2_COLOR value) {
  background_ = value;
  return S_OK;
}

}  // namespace velmoran::runtime::chromium
