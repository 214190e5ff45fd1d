#include "webview/browser/TCoreWebView2Controller.h"

#include "webview/browser/WrapperCalls.h"
#include "webview/loader/EventSubscription.h"
#include "webview/sinks/CoreWebView2Sinks.h"

namespace velmoran::webview {

TCoreWebView2Controller::TCoreWebView2Controller(ICoreWebView2Controller* aBaseIntf) : FVersions(aBaseIntf) {}

TCoreWebView2Controller::~TCoreWebView2Controller() {
  RemoveAllEvents();
  Close();
  FVersions.Release();
}

// Rows C1 to C6, in this fixed order.
bool TCoreWebView2Controller::AddAllBrowserEvents(IWVBrowserEvents* aBrowserComponent) {
  return Subscribe<TCoreWebView2AcceleratorKeyPressedEventHandler>(
             FVersions.Get<ICoreWebView2Controller>(), &ICoreWebView2Controller::add_AcceleratorKeyPressed,
             FTokens.FAcceleratorKeyPressedToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2GotFocusEventHandler>(FVersions.Get<ICoreWebView2Controller>(),
                                                      &ICoreWebView2Controller::add_GotFocus,
                                                      FTokens.FGotFocusToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2LostFocusEventHandler>(FVersions.Get<ICoreWebView2Controller>(),
                                                       &ICoreWebView2Controller::add_LostFocus,
                                                       FTokens.FLostFocusToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2MoveFocusRequestedEventHandler>(
             FVersions.Get<ICoreWebView2Controller>(), &ICoreWebView2Controller::add_MoveFocusRequested,
             FTokens.FMoveFocusRequestedToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2ZoomFactorChangedEventHandler>(
             FVersions.Get<ICoreWebView2Controller>(), &ICoreWebView2Controller::add_ZoomFactorChanged,
             FTokens.FZoomFactorChangedToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2RasterizationScaleChangedEventHandler>(
             FVersions.Get<ICoreWebView2Controller3>(),
             &ICoreWebView2Controller3::add_RasterizationScaleChanged,
             FTokens.FRasterizationScaleChangedToken, aBrowserComponent);
}

void TCoreWebView2Controller::RemoveAllEvents() {
  if (!Initialized()) return;
  Unsubscribe(FVersions.Get<ICoreWebView2Controller>(),
              &ICoreWebView2Controller::remove_AcceleratorKeyPressed, FTokens.FAcceleratorKeyPressedToken);
  Unsubscribe(FVersions.Get<ICoreWebView2Controller>(), &ICoreWebView2Controller::remove_GotFocus,
              FTokens.FGotFocusToken);
  Unsubscribe(FVersions.Get<ICoreWebView2Controller>(), &ICoreWebView2Controller::remove_LostFocus,
              FTokens.FLostFocusToken);
  Unsubscribe(FVersions.Get<ICoreWebView2Controller>(), &ICoreWebView2Controller::remove_MoveFocusRequested,
              FTokens.FMoveFocusRequestedToken);
  Unsubscribe(FVersions.Get<ICoreWebView2Controller>(), &ICoreWebView2Controller::remove_ZoomFactorChanged,
              FTokens.FZoomFactorChangedToken);
  Unsubscribe(FVersions.Get<ICoreWebView2Controller3>(),
              &ICoreWebView2Controller3::remove_RasterizationScaleChanged,
              FTokens.FRasterizationScaleChangedToken);
}

bool TCoreWebView2Controller::IsVisible() const {
  return ReadBool(FVersions.Get<ICoreWebView2Controller>(), &ICoreWebView2Controller::get_IsVisible);
}

bool TCoreWebView2Controller::SetIsVisible(bool aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Controller>(), &ICoreWebView2Controller::put_IsVisible,
                       ToBOOL(aValue));
}

RECT TCoreWebView2Controller::Bounds() const {
  return ReadValue<RECT>(FVersions.Get<ICoreWebView2Controller>(), &ICoreWebView2Controller::get_Bounds);
}

bool TCoreWebView2Controller::SetBounds(RECT aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Controller>(), &ICoreWebView2Controller::put_Bounds,
                       aValue);
}

double TCoreWebView2Controller::ZoomFactor() const {
  return ReadValue<double>(FVersions.Get<ICoreWebView2Controller>(),
                           &ICoreWebView2Controller::get_ZoomFactor);
}

bool TCoreWebView2Controller::SetZoomFactor(double aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Controller>(), &ICoreWebView2Controller::put_ZoomFactor,
                       aValue);
}

bool TCoreWebView2Controller::SetBoundsAndZoomFactor(RECT aBounds, double aZoomFactor) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Controller>(),
                       &ICoreWebView2Controller::SetBoundsAndZoomFactor, aBounds, aZoomFactor);
}

bool TCoreWebView2Controller::MoveFocus(COREWEBVIEW2_MOVE_FOCUS_REASON aReason) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Controller>(), &ICoreWebView2Controller::MoveFocus,
                       aReason);
}

HWND TCoreWebView2Controller::ParentWindow() const {
  return ReadValue<HWND>(FVersions.Get<ICoreWebView2Controller>(),
                         &ICoreWebView2Controller::get_ParentWindow);
}

bool TCoreWebView2Controller::SetParentWindow(HWND aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Controller>(), &ICoreWebView2Controller::put_ParentWindow,
                       aValue);
}

bool TCoreWebView2Controller::NotifyParentWindowPositionChanged() {
  return CallSucceeded(FVersions.Get<ICoreWebView2Controller>(),
                       &ICoreWebView2Controller::NotifyParentWindowPositionChanged);
}

bool TCoreWebView2Controller::Close() {
  return CallSucceeded(FVersions.Get<ICoreWebView2Controller>(), &ICoreWebView2Controller::Close);
}

ComPtr<ICoreWebView2> TCoreWebView2Controller::CoreWebView2() const {
  return ReadInterface<ICoreWebView2>(FVersions.Get<ICoreWebView2Controller2>(),
                                      &ICoreWebView2Controller::get_CoreWebView2);
}

COREWEBVIEW2_COLOR TCoreWebView2Controller::DefaultBackgroundColor() const {
  return ReadValue<COREWEBVIEW2_COLOR>(FVersions.Get<ICoreWebView2Controller2>(),
                                       &ICoreWebView2Controller2::get_DefaultBackgroundColor);
}

bool TCoreWebView2Controller::SetDefaultBackgroundColor(COREWEBVIEW2_COLOR aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Controller2>(),
                       &ICoreWebView2Controller2::put_DefaultBackgroundColor, aValue);
}

double TCoreWebView2Controller::RasterizationScale() const {
  return ReadValue<double>(FVersions.Get<ICoreWebView2Controller3>(),
                           &ICoreWebView2Controller3::get_RasterizationScale);
}

bool TCoreWebView2Controller::SetRasterizationScale(double aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Controller3>(),
                       &ICoreWebView2Controller3::put_RasterizationScale, aValue);
}

bool TCoreWebView2Controller::ShouldDetectMonitorScaleChanges() const {
  return ReadBool(FVersions.Get<ICoreWebView2Controller3>(),
                  &ICoreWebView2Controller3::get_ShouldDetectMonitorScaleChanges);
}

bool TCoreWebView2Controller::SetShouldDetectMonitorScaleChanges(bool aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Controller3>(),
                       &ICoreWebView2Controller3::put_ShouldDetectMonitorScaleChanges, ToBOOL(aValue));
}

COREWEBVIEW2_BOUNDS_MODE TCoreWebView2Controller::BoundsMode() const {
  return ReadValue<COREWEBVIEW2_BOUNDS_MODE>(FVersions.Get<ICoreWebView2Controller3>(),
                                             &ICoreWebView2Controller3::get_BoundsMode);
}

bool TCoreWebView2Controller::SetBoundsMode(COREWEBVIEW2_BOUNDS_MODE aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Controller3>(), &ICoreWebView2Controller3::put_BoundsMode,
                       aValue);
}

bool TCoreWebView2Controller::AllowExternalDrop() const {
  return ReadBool(FVersions.Get<ICoreWebView2Controller4>(),
                  &ICoreWebView2Controller4::get_AllowExternalDrop);
}

bool TCoreWebView2Controller::SetAllowExternalDrop(bool aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Controller4>(),
                       &ICoreWebView2Controller4::put_AllowExternalDrop, ToBOOL(aValue));
}

}  // namespace velmoran::webview
