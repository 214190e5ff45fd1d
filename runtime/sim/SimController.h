#pragma once

// The simulated windowed controller. On creation it puts the runtime's child
// windows inside the host window, as the real runtime's look: a
// "Chrome_WidgetWin_0" with an empty title, inside it a "Chrome_WidgetWin_1",
// and inside that the "Chrome_RenderWidgetHostHWND" titled "Chrome Legacy
// Window" and an "Intermediate D3D Window". put_Bounds moves the outer window
// and is recorded, put_IsVisible shows or hides it, MoveFocus focuses the
// render window; Close (or the last release) destroys the windows and closes
// the webview.

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "platform/WindowManager.h"
#include "runtime/sim/SimControllerBase.h"
#include "runtime/sim/SimControllerSide.h"
#include "webview/abi/ComPtr.h"

namespace velmoran::runtime::sim {

class SimWebView;

class SimController final : public SimControllerBase {
 public:
  SimController(std::shared_ptr<SimRuntimeContext> context, std::shared_ptr<SimControllerSide> side,
                HWND parentWindow, const SimControllerRequest& request);
  ~SimController() override;

  HRESULT WV2_STDCALL put_Bounds(RECT bounds) override;
  HRESULT WV2_STDCALL put_IsVisible(BOOL isVisible) override;
  HRESULT WV2_STDCALL MoveFocus(COREWEBVIEW2_MOVE_FOCUS_REASON reason) override;
  HRESULT WV2_STDCALL NotifyParentWindowPositionChanged() override { return S_OK; }
  HRESULT WV2_STDCALL Close() override;
  HRESULT WV2_STDCALL get_CoreWebView2(ICoreWebView2** coreWebView2) override;

  SimWebView& WebView() { return *webView_; }
  bool Closed() const { return closed_; }
  // The browser process behind the controller has exited: the webview raises
  // ProcessFailed and dies, the runtime's windows go, and every later call but
  // Close fails. The host still has to Close it.
  void BrowserProcessFailed(int exitCode);
  // The subscriptions (on the controller and its webview) still in place when
  // Close ran; nullopt until then. A sound shutdown removes them all first.
  std::optional<std::size_t> SubscriptionsAtClose() const { return subscriptionsAtClose_; }
  // Every put_Bounds that succeeded, in order.
  const std::vector<RECT>& BoundsHistory() const { return boundsHistory_; }
  const std::vector<COREWEBVIEW2_MOVE_FOCUS_REASON>& MoveFocusReasons() const { return moveFocusReasons_; }

  platform::WindowHandle Widget0Window() const { return widget0_; }
  platform::WindowHandle Widget1Window() const { return widget1_; }
  platform::WindowHandle RenderWindow() const { return render_; }
  platform::WindowHandle D3DWindow() const { return d3d_; }

 private:
  void CreateChildWindows(platform::WindowHandle parent);
  void DestroyChildWindows();

  std::shared_ptr<SimControllerSide> side_;
  webview::ComPtr<SimWebView> webView_;
  std::vector<RECT> boundsHistory_;
  std::vector<COREWEBVIEW2_MOVE_FOCUS_REASON> moveFocusReasons_;
  platform::WindowHandle widget0_ = 0;
  platform::WindowHandle widget1_ = 0;
  platform::WindowHandle render_ = 0;
  platform::WindowHandle d3d_ = 0;
  bool closed_ = false;
  std::optional<std::size_t> subscriptionsAtClose_;
};

}  // namespace velmoran::runtime::sim
