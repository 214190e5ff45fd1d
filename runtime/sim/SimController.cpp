#include "runtime/sim/SimController.h"

#include <utility>

#include "runtime/sim/SimProcessFailedEventArgs.h"
#include "runtime/sim/SimWebView.h"

namespace velmoran::runtime::sim {

namespace {

platform::WindowHandle AsWindowHandle(HWND window) {
  return reinterpret_cast<platform::WindowHandle>(window);
}

}  // namespace

SimController::SimController(std::shared_ptr<SimRuntimeContext> context,
                             std::shared_ptr<SimControllerSide> side, HWND parentWindow,
                             const SimControllerRequest& request)
    : SimControllerBase(context, side->Config().controllerVersions), side_(std::move(side)) {
  webView_ = webview::MakeComObject<SimWebView>(std::move(context), side_, request.profileName,
                                                request.isInPrivateModeEnabled);
  // The runtime's defaults: visible, no zoom, no scaling, an empty rectangle until the host sizes it.
  values_.Write<BOOL>("IsVisible", TRUE);
  values_.Write<double>("ZoomFactor", 1.0);
  values_.Write<double>("RasterizationScale", 1.0);
  values_.Write<BOOL>("ShouldDetectMonitorScaleChanges", TRUE);
  values_.Write<BOOL>("AllowExternalDrop", TRUE);
  values_.Write<HWND>("ParentWindow", parentWindow);
  values_.Write<RECT>("Bounds", RECT{0, 0, 0, 0});
  CreateChildWindows(AsWindowHandle(parentWindow));
  side_->ControllerCreated(this);
  Context().AddController(this);
}

SimController::~SimController() {
  Context().RemoveController(this);
  side_->ControllerDestroyed(this);
  // A controller released without Close closes all the same.
  if (!closed_) {
    webView_->Close();
    DestroyChildWindows();
  }
}

void SimController::CreateChildWindows(platform::WindowHandle parent) {
  platform::WindowManager& windows = Context().Platform().windows();
  if (parent == 0 || !windows.IsWindow(parent)) return;
  auto child = [&](platform::WindowHandle within, const char16_t* className, const char16_t* title) {
    platform::WindowCreation creation;
    creation.className = className;
    creation.windowName = title;
    creation.style = platform::kWsChild | platform::kWsVisible | platform::kWsClipChildren;
    creation.parent = within;
    return windows.CreateWindowExW(creation);
  };
  widget0_ = child(parent, u"Chrome_WidgetWin_0", u"");
  widget1_ = child(widget0_, u"Chrome_WidgetWin_1", u"");
  render_ = child(widget1_, u"Chrome_RenderWidgetHostHWND", u"Chrome Legacy Window");
  d3d_ = child(widget1_, u"Intermediate D3D Window", u"");
}

void SimController::DestroyChildWindows() {
  platform::WindowManager& windows = Context().Platform().windows();
  if (widget0_ != 0 && windows.IsWindow(widget0_)) windows.DestroyWindow(widget0_);
  widget0_ = widget1_ = render_ = d3d_ = 0;
}

void SimController::BrowserProcessFailed(int exitCode) {
  if (closed_ || webView_->BrowserProcessGone()) return;
  webView_->BrowserProcessFailed(exitCode);
  // The windows were the browser process's own.
  DestroyChildWindows();
}

HRESULT SimController::put_Bounds(RECT bounds) {
  if (webView_->BrowserProcessGone()) return kBrowserProcessGone;
  const HRESULT result = values_.Put("Bounds", bounds);
  if (FAILED(result)) return result;
  boundsHistory_.push_back(bounds);
  Context().Observer().BoundsSet(bounds);
  platform::WindowManager& windows = Context().Platform().windows();
  const std::int32_t width = bounds.right - bounds.left;
  const std::int32_t height = bounds.bottom - bounds.top;
  if (widget0_ != 0) {
    windows.SetWindowPos(widget0_, 0, bounds.left, bounds.top, width, height,
                         platform::kSwpNoZOrder | platform::kSwpNoActivate);
    windows.SetWindowPos(widget1_, 0, 0, 0, width, height, platform::kSwpNoZOrder | platform::kSwpNoActivate);
    windows.SetWindowPos(render_, 0, 0, 0, width, height, platform::kSwpNoZOrder | platform::kSwpNoActivate);
  }
  return S_OK;
}

HRESULT SimController::put_IsVisible(BOOL isVisible) {
  if (webView_->BrowserProcessGone()) return kBrowserProcessGone;
  const HRESULT result = values_.Put("IsVisible", isVisible);
  if (FAILED(result)) return result;
  Context().Observer().VisibilitySet(isVisible != FALSE);
  if (widget0_ != 0) {
    Context().Platform().windows().ShowWindow(widget0_,
                                              isVisible != FALSE ? platform::kSwShow : platform::kSwHide);
  }
  return S_OK;
}

HRESULT SimController::MoveFocus(COREWEBVIEW2_MOVE_FOCUS_REASON reason) {
  if (const HRESULT scripted = Context().CallResult("MoveFocus"); FAILED(scripted)) return scripted;
  if (webView_->BrowserProcessGone()) return kBrowserProcessGone;
  moveFocusReasons_.push_back(reason);
  if (render_ != 0) Context().Platform().windows().SetFocus(render_);
  return S_OK;
}

HRESULT SimController::Close() {
  if (const HRESULT scripted = Context().CallResult("Close"); FAILED(scripted)) return scripted;
  if (closed_) return S_OK;
  closed_ = true;
  subscriptionsAtClose_ = events_.Count() + webView_->Events().Count();
  Context().Observer().ControllerClosed(*subscriptionsAtClose_);
  events_.Clear();
  webView_->Close();
  DestroyChildWindows();
  return S_OK;
}

HRESULT SimController::get_CoreWebView2(ICoreWebView2** coreWebView2) {
  if (coreWebView2 == nullptr) return E_POINTER;
  *coreWebView2 = nullptr;
  if (const HRESULT scripted = Context().CallResult("get_CoreWebView2"); FAILED(scripted)) return scripted;
  // A closed controller no longer has a webview to give.
  if (closed_) return S_OK;
  webview::ComPtr<ICoreWebView2> webView(webView_);
  *coreWebView2 = webView.Detach();
  return S_OK;
}

}  // namespace velmoran::runtime::sim
