#pragma once

// The controller wrapper: holds ICoreWebView2Controller and its newer versions
// (up to 4), subscribes the controller's six events for the browser control,
// and offers the controller's runtime calls under the wrappers' one rule.
// Destruction removes the subscriptions and closes the controller.

#include <cstdint>
#include <string>

#include "platform/Com.h"
#include "webview/abi/WebView2Abi.h"
#include "webview/loader/InterfaceVersions.h"
#include "webview/sinks/IWVBrowserEvents.h"

namespace velmoran::webview {

class TCoreWebView2Controller {
 public:
  // Takes a reference to `aBaseIntf` (or none) and collects its newer versions.
  explicit TCoreWebView2Controller(ICoreWebView2Controller* aBaseIntf);
  // Removes the subscriptions, closes the controller, releases every interface.
  ~TCoreWebView2Controller();
  TCoreWebView2Controller(const TCoreWebView2Controller&) = delete;
  TCoreWebView2Controller& operator=(const TCoreWebView2Controller&) = delete;

  bool Initialized() const { return FVersions.Initialized(); }
  ICoreWebView2Controller* BaseIntf() const { return FVersions.Get<ICoreWebView2Controller>(); }

  // Subscribes the controller events in order, stopping at the first that
  // cannot be made; True only if all were.
  bool AddAllBrowserEvents(IWVBrowserEvents* aBrowserComponent);
  void RemoveAllEvents();

  // --- Runtime calls: get_X is X(), put_X is SetX(), a method keeps its name. ---

  // ICoreWebView2Controller
  bool IsVisible() const;
  bool SetIsVisible(bool aValue);
  RECT Bounds() const;
  bool SetBounds(RECT aValue);
  double ZoomFactor() const;
  bool SetZoomFactor(double aValue);
  bool SetBoundsAndZoomFactor(RECT aBounds, double aZoomFactor);
  bool MoveFocus(COREWEBVIEW2_MOVE_FOCUS_REASON aReason);
  HWND ParentWindow() const;
  bool SetParentWindow(HWND aValue);
  bool NotifyParentWindowPositionChanged();
  bool Close();
  ComPtr<ICoreWebView2> CoreWebView2() const;
  // ICoreWebView2Controller2
  COREWEBVIEW2_COLOR DefaultBackgroundColor() const;
  bool SetDefaultBackgroundColor(COREWEBVIEW2_COLOR aValue);
  // ICoreWebView2Controller3
  double RasterizationScale() const;
  bool SetRasterizationScale(double aValue);
  bool ShouldDetectMonitorScaleChanges() const;
  bool SetShouldDetectMonitorScaleChanges(bool aValue);
  COREWEBVIEW2_BOUNDS_MODE BoundsMode() const;
  bool SetBoundsMode(COREWEBVIEW2_BOUNDS_MODE aValue);
  // ICoreWebView2Controller4
  bool AllowExternalDrop() const;
  bool SetAllowExternalDrop(bool aValue);

 private:
  struct EventTokens {
    EventRegistrationToken FAcceleratorKeyPressedToken{};
    EventRegistrationToken FGotFocusToken{};
    EventRegistrationToken FLostFocusToken{};
    EventRegistrationToken FMoveFocusRequestedToken{};
    EventRegistrationToken FZoomFactorChangedToken{};
    EventRegistrationToken FRasterizationScaleChangedToken{};
  };

  InterfaceVersions<ICoreWebView2Controller, ICoreWebView2Controller2, ICoreWebView2Controller3,
                    ICoreWebView2Controller4>
      FVersions;
  EventTokens FTokens;
};

}  // namespace velmoran::webview
