#pragma once

// Generated from the runtime's interface tables, then kept by hand.
// The simulated webview settings, ICoreWebView2Settings to 9: every setting is
// a stored value; the runtime's defaults are set by whoever creates it.

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

class SimSettings final : public webview::ComObject<ICoreWebView2Settings9>, protected SimCountedObject {
 public:
  SimSettings(std::shared_ptr<SimRuntimeContext> context, SimVersionLimit versions)
      : SimCountedObject(std::move(context)),
        versions_(std::move(versions)),
        events_(Context()),
        values_(Context()) {}

  // Answers only the versions the test offers.
  HRESULT WV2_STDCALL QueryInterface(REFIID riid, void** object) override {
    if (object != nullptr &&
        versions_.Refuses(
            riid, {&IID_ICoreWebView2Settings, &IID_ICoreWebView2Settings2, &IID_ICoreWebView2Settings3,
                   &IID_ICoreWebView2Settings4, &IID_ICoreWebView2Settings5, &IID_ICoreWebView2Settings6,
                   &IID_ICoreWebView2Settings7, &IID_ICoreWebView2Settings8, &IID_ICoreWebView2Settings9})) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    return BasicComObject::QueryInterface(riid, object);
  }

  SimEventHandlers& Events() { return events_; }
  SimPropertyValues& Values() { return values_; }

  // ICoreWebView2Settings
  HRESULT WV2_STDCALL get_IsScriptEnabled(BOOL* value) override {
    return values_.Get("IsScriptEnabled", value);
  }
  HRESULT WV2_STDCALL put_IsScriptEnabled(BOOL value) override {
    return values_.Put("IsScriptEnabled", value);
  }
  HRESULT WV2_STDCALL get_IsWebMessageEnabled(BOOL* value) override {
    return values_.Get("IsWebMessageEnabled", value);
  }
  HRESULT WV2_STDCALL put_IsWebMessageEnabled(BOOL value) override {
    return values_.Put("IsWebMessageEnabled", value);
  }
  HRESULT WV2_STDCALL get_AreDefaultScriptDialogsEnabled(BOOL* value) override {
    return values_.Get("AreDefaultScriptDialogsEnabled", value);
  }
  HRESULT WV2_STDCALL put_AreDefaultScriptDialogsEnabled(BOOL value) override {
    return values_.Put("AreDefaultScriptDialogsEnabled", value);
  }
  HRESULT WV2_STDCALL get_IsStatusBarEnabled(BOOL* value) override {
    return values_.Get("IsStatusBarEnabled", value);
  }
  HRESULT WV2_STDCALL put_IsStatusBarEnabled(BOOL value) override {
    return values_.Put("IsStatusBarEnabled", value);
  }
  HRESULT WV2_STDCALL get_AreDevToolsEnabled(BOOL* value) override {
    return values_.Get("AreDevToolsEnabled", value);
  }
  HRESULT WV2_STDCALL put_AreDevToolsEnabled(BOOL value) override {
    return values_.Put("AreDevToolsEnabled", value);
  }
  HRESULT WV2_STDCALL get_AreDefaultContextMenusEnabled(BOOL* value) override {
    return values_.Get("AreDefaultContextMenusEnabled", value);
  }
  HRESULT WV2_STDCALL put_AreDefaultContextMenusEnabled(BOOL value) override {
    return values_.Put("AreDefaultContextMenusEnabled", value);
  }
  HRESULT WV2_STDCALL get_AreHostObjectsAllowed(BOOL* value) override {
    return values_.Get("AreHostObjectsAllowed", value);
  }
  HRESULT WV2_STDCALL put_AreHostObjectsAllowed(BOOL value) override {
    return values_.Put("AreHostObjectsAllowed", value);
  }
  HRESULT WV2_STDCALL get_IsZoomControlEnabled(BOOL* value) override {
    return values_.Get("IsZoomControlEnabled", value);
  }
  HRESULT WV2_STDCALL put_IsZoomControlEnabled(BOOL value) override {
    return values_.Put("IsZoomControlEnabled", value);
  }
  HRESULT WV2_STDCALL get_IsBuiltInErrorPageEnabled(BOOL* value) override {
    return values_.Get("IsBuiltInErrorPageEnabled", value);
  }
  HRESULT WV2_STDCALL put_IsBuiltInErrorPageEnabled(BOOL value) override {
    return values_.Put("IsBuiltInErrorPageEnabled", value);
  }
  // ICoreWebView2Settings2
  HRESULT WV2_STDCALL get_UserAgent(LPWSTR* value) override { return values_.Get("UserAgent", value); }
  HRESULT WV2_STDCALL put_UserAgent(LPCWSTR value) override { return values_.Put("UserAgent", value); }
  // ICoreWebView2Settings3
  HRESULT WV2_STDCALL get_AreBrowserAcceleratorKeysEnabled(BOOL* value) override {
    return values_.Get("AreBrowserAcceleratorKeysEnabled", value);
  }
  HRESULT WV2_STDCALL put_AreBrowserAcceleratorKeysEnabled(BOOL value) override {
    return values_.Put("AreBrowserAcceleratorKeysEnabled", value);
  }
  // ICoreWebView2Settings4
  HRESULT WV2_STDCALL get_IsPasswordAutosaveEnabled(BOOL* value) override {
    return values_.Get("IsPasswordAutosaveEnabled", value);
  }
  HRESULT WV2_STDCALL put_IsPasswordAutosaveEnabled(BOOL value) override {
    return values_.Put("IsPasswordAutosaveEnabled", value);
  }
  HRESULT WV2_STDCALL get_IsGeneralAutofillEnabled(BOOL* value) override {
    return values_.Get("IsGeneralAutofillEnabled", value);
  }
  HRESULT WV2_STDCALL put_IsGeneralAutofillEnabled(BOOL value) override {
    return values_.Put("IsGeneralAutofillEnabled", value);
  }
  // ICoreWebView2Settings5
  HRESULT WV2_STDCALL get_IsPinchZoomEnabled(BOOL* value) override {
    return values_.Get("IsPinchZoomEnabled", value);
  }
  HRESULT WV2_STDCALL put_IsPinchZoomEnabled(BOOL value) override {
    return values_.Put("IsPinchZoomEnabled", value);
  }
  // ICoreWebView2Settings6
  HRESULT WV2_STDCALL get_IsSwipeNavigationEnabled(BOOL* value) override {
    return values_.Get("IsSwipeNavigationEnabled", value);
  }
  HRESULT WV2_STDCALL put_IsSwipeNavigationEnabled(BOOL value) override {
    return values_.Put("IsSwipeNavigationEnabled", value);
  }
  // ICoreWebView2Settings7
  HRESULT WV2_STDCALL get_HiddenPdfToolbarItems(COREWEBVIEW2_PDF_TOOLBAR_ITEMS* value) override {
    return values_.Get("HiddenPdfToolbarItems", value);
  }
  HRESULT WV2_STDCALL put_HiddenPdfToolbarItems(COREWEBVIEW2_PDF_TOOLBAR_ITEMS value) override {
    return values_.Put("HiddenPdfToolbarItems", value);
  }
  // ICoreWebView2Settings8
  HRESULT WV2_STDCALL get_IsReputationCheckingRequired(BOOL* value) override {
    return values_.Get("IsReputationCheckingRequired", value);
  }
  HRESULT WV2_STDCALL put_IsReputationCheckingRequired(BOOL value) override {
    return values_.Put("IsReputationCheckingRequired", value);
  }
  // ICoreWebView2Settings9
  HRESULT WV2_STDCALL get_IsNonClientRegionSupportEnabled(BOOL* value) override {
    return values_.Get("IsNonClientRegionSupportEnabled", value);
  }
  HRESULT WV2_STDCALL put_IsNonClientRegionSupportEnabled(BOOL value) override {
    return values_.Put("IsNonClientRegionSupportEnabled", value);
  }

 protected:
  SimVersionLimit versions_;
  SimEventHandlers events_;
  SimPropertyValues values_;
};

}  // namespace velmoran::runtime::sim
