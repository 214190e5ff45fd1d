#pragma once

// Generated from the runtime's interface tables, then kept by hand.
// Every method of ICoreWebView2Controller to ICoreWebView2Controller4 for the
// simulated controller: events kept under tokens, properties stored, the rest
// E_NOTIMPL until SimController gives it a behaviour.

#include <memory>
#include <utility>

#include "runtime/sim/SimEventHandlers.h"
#include "runtime/sim/SimPropertyValues.h"
#include "runtime/sim/SimRuntimeContext.h"
#include "runtime/sim/SimVersionLimit.h"
#include "webview/abi/ComObject.h"
#include "webview/abi/WebView2Ids.h"
#include "webview/abi/WebView2Interfaces.h"

namespace velmoran::runtime::sim {

class SimControllerBase : public webview::ComObject<ICoreWebView2Controller4>, protected SimCountedObject {
 public:
  SimControllerBase(std::shared_ptr<SimRuntimeContext> context, SimVersionLimit versions)
      : SimCountedObject(std::move(context)),
        versions_(std::move(versions)),
        events_(Context()),
        values_(Context()) {}

  // Answers only the versions the test offers.
  HRESULT WV2_STDCALL QueryInterface(REFIID riid, void** object) override {
    if (object != nullptr &&
        versions_.Refuses(riid, {&IID_ICoreWebView2Controller, &IID_ICoreWebView2Controller2,
                                 &IID_ICoreWebView2Controller3, &IID_ICoreWebView2Controller4})) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    return BasicComObject::QueryInterface(riid, object);
  }

  SimEventHandlers& Events() { return events_; }
  SimPropertyValues& Values() { return values_; }

  // ICoreWebView2Controller
  HRESULT WV2_STDCALL get_IsVisible(BOOL* value) override { return values_.Get("IsVisible", value); }
  HRESULT WV2_STDCALL put_IsVisible(BOOL value) override { return values_.Put("IsVisible", value); }
  HRESULT WV2_STDCALL get_Bounds(RECT* value) override { return values_.Get("Bounds", value); }
  HRESULT WV2_STDCALL put_Bounds(RECT value) override { return values_.Put("Bounds", value); }
  HRESULT WV2_STDCALL get_ZoomFactor(double* value) override { return values_.Get("ZoomFactor", value); }
  HRESULT WV2_STDCALL put_ZoomFactor(double value) override { return values_.Put("ZoomFactor", value); }
  HRESULT WV2_STDCALL add_ZoomFactorChanged(ICoreWebView2ZoomFactorChangedEventHandler* eventHandler,
                                            EventRegistrationToken* token) override {
    return events_.Add("ZoomFactorChanged", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_ZoomFactorChanged(EventRegistrationToken token) override {
    return events_.Remove("ZoomFactorChanged", token);
  }
  HRESULT WV2_STDCALL SetBoundsAndZoomFactor(RECT, double) override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL MoveFocus(COREWEBVIEW2_MOVE_FOCUS_REASON) override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL add_MoveFocusRequested(ICoreWebView2MoveFocusRequestedEventHandler* eventHandler,
                                             EventRegistrationToken* token) override {
    return events_.Add("MoveFocusRequested", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_MoveFocusRequested(EventRegistrationToken token) override {
    return events_.Remove("MoveFocusRequested", token);
  }
  HRESULT WV2_STDCALL add_GotFocus(ICoreWebView2FocusChangedEventHandler* eventHandler,
                                   EventRegistrationToken* token) override {
    return events_.Add("GotFocus", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_GotFocus(EventRegistrationToken token) override {
    return events_.Remove("GotFocus", token);
  }
  HRESULT WV2_STDCALL add_LostFocus(ICoreWebView2FocusChangedEventHandler* eventHandler,
                                    EventRegistrationToken* token) override {
    return events_.Add("LostFocus", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_LostFocus(EventRegistrationToken token) override {
    return events_.Remove("LostFocus", token);
  }
  HRESULT WV2_STDCALL add_AcceleratorKeyPressed(ICoreWebView2AcceleratorKeyPressedEventHandler* eventHandler,
                                                EventRegistrationToken* token) override {
    return events_.Add("AcceleratorKeyPressed", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_AcceleratorKeyPressed(EventRegistrationToken token) override {
    return events_.Remove("AcceleratorKeyPressed", token);
  }
  HRESULT WV2_STDCALL get_ParentWindow(HWND* value) override { return values_.Get("ParentWindow", value); }
  HRESULT WV2_STDCALL put_ParentWindow(HWND value) override { return values_.Put("ParentWindow", value); }
  HRESULT WV2_STDCALL NotifyParentWindowPositionChanged() override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL Close() override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL get_CoreWebView2(ICoreWebView2**) override { return E_NOTIMPL; }
  // ICoreWebView2Controller2
  HRESULT WV2_STDCALL get_DefaultBackgroundColor(COREWEBVIEW2_COLOR* value) override {
    return values_.Get("DefaultBackgroundColor", value);
  }
  HRESULT WV2_STDCALL put_DefaultBackgroundColor(COREWEBVIEW2_COLOR value) override {
    return values_.Put("DefaultBackgroundColor", value);
  }
  // ICoreWebView2Controller3
  HRESULT WV2_STDCALL get_RasterizationScale(double* value) override {
    return values_.Get("RasterizationScale", value);
  }
  HRESULT WV2_STDCALL put_RasterizationScale(double value) override {
    return values_.Put("RasterizationScale", value);
  }
  HRESULT WV2_STDCALL get_ShouldDetectMonitorScaleChanges(BOOL* value) override {
    return values_.Get("ShouldDetectMonitorScaleChanges", value);
  }
  HRESULT WV2_STDCALL put_ShouldDetectMonitorScaleChanges(BOOL value) override {
    return values_.Put("ShouldDetectMonitorScaleChanges", value);
  }
  HRESULT WV2_STDCALL
  add_RasterizationScaleChanged(ICoreWebView2RasterizationScaleChangedEventHandler* eventHandler,
                                EventRegistrationToken* token) override {
    return events_.Add("RasterizationScaleChanged", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_RasterizationScaleChanged(EventRegistrationToken token) override {
    return events_.Remove("RasterizationScaleChanged", token);
  }
  HRESULT WV2_STDCALL get_BoundsMode(COREWEBVIEW2_BOUNDS_MODE* value) override {
    return values_.Get("BoundsMode", value);
  }
  HRESULT WV2_STDCALL put_BoundsMode(COREWEBVIEW2_BOUNDS_MODE value) override {
    return values_.Put("BoundsMode", value);
  }
  // ICoreWebView2Controller4
  HRESULT WV2_STDCALL get_AllowExternalDrop(BOOL* value) override {
    return values_.Get("AllowExternalDrop", value);
  }
  HRESULT WV2_STDCALL put_AllowExternalDrop(BOOL value) override {
    return values_.Put("AllowExternalDrop", value);
  }

 protected:
  SimVersionLimit versions_;
  SimEventHandlers events_;
  SimPropertyValues values_;
};

}  // namespace velmoran::runtime::sim
