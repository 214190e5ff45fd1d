#pragma once

// Generated from the runtime's interface tables, then kept by hand.
// The simulated controller options, ICoreWebView2ControllerOptions and 2: the
// profile name, private mode and script locale are stored values.

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

class SimControllerOptions final : public webview::ComObject<ICoreWebView2ControllerOptions2>,
                                   protected SimCountedObject {
 public:
  SimControllerOptions(std::shared_ptr<SimRuntimeContext> context, SimVersionLimit versions)
      : SimCountedObject(std::move(context)),
        versions_(std::move(versions)),
        events_(Context()),
        values_(Context()) {}

  // Answers only the versions the test offers.
  HRESULT WV2_STDCALL QueryInterface(REFIID riid, void** object) override {
    if (object != nullptr && versions_.Refuses(riid, {&IID_ICoreWebView2ControllerOptions,
                                                      &IID_ICoreWebView2ControllerOptions2})) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    return BasicComObject::QueryInterface(riid, object);
  }

  SimEventHandlers& Events() { return events_; }
  SimPropertyValues& Values() { return values_; }

  // ICoreWebView2ControllerOptions
  HRESULT WV2_STDCALL get_ProfileName(LPWSTR* value) override { return values_.Get("ProfileName", value); }
  HRESULT WV2_STDCALL put_ProfileName(LPCWSTR value) override { return values_.Put("ProfileName", value); }
  HRESULT WV2_STDCALL get_IsInPrivateModeEnabled(BOOL* value) override {
    return values_.Get("IsInPrivateModeEnabled", value);
  }
  HRESULT WV2_STDCALL put_IsInPrivateModeEnabled(BOOL value) override {
    return values_.Put("IsInPrivateModeEnabled", value);
  }
  // ICoreWebView2ControllerOptions2
  HRESULT WV2_STDCALL get_ScriptLocale(LPWSTR* value) override { return values_.Get("ScriptLocale", value); }
  HRESULT WV2_STDCALL put_ScriptLocale(LPCWSTR value) override { return values_.Put("ScriptLocale", value); }

 protected:
  SimVersionLimit versions_;
  SimEventHandlers events_;
  SimPropertyValues values_;
};

}  // namespace velmoran::runtime::sim
