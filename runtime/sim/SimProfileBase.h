#pragma once

// Generated from the runtime's interface tables, then kept by hand.
// Every method of ICoreWebView2Profile to ICoreWebView2Profile8 for the
// simulated profile: the Deleted event kept under tokens, properties stored,
// the asynchronous operations E_NOTIMPL.

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

class SimProfileBase : public webview::ComObject<ICoreWebView2Profile8>, protected SimCountedObject {
 public:
  SimProfileBase(std::shared_ptr<SimRuntimeContext> context, SimVersionLimit versions)
      : SimCountedObject(std::move(context)),
        versions_(std::move(versions)),
        events_(Context()),
        values_(Context()) {}

  // Answers only the versions the test offers.
  HRESULT WV2_STDCALL QueryInterface(REFIID riid, void** object) override {
    if (object != nullptr &&
        versions_.Refuses(riid,
                          {&IID_ICoreWebView2Profile, &IID_ICoreWebView2Profile2, &IID_ICoreWebView2Profile3,
                           &IID_ICoreWebView2Profile4, &IID_ICoreWebView2Profile5, &IID_ICoreWebView2Profile6,
                           &IID_ICoreWebView2Profile7, &IID_ICoreWebView2Profile8})) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    return BasicComObject::QueryInterface(riid, object);
  }

  SimEventHandlers& Events() { return events_; }
  SimPropertyValues& Values() { return values_; }

  // ICoreWebView2Profile
  HRESULT WV2_STDCALL get_ProfileName(LPWSTR* value) override { return values_.Get("ProfileName", value); }
  HRESULT WV2_STDCALL get_IsInPrivateModeEnabled(BOOL* value) override {
    return values_.Get("IsInPrivateModeEnabled", value);
  }
  HRESULT WV2_STDCALL get_ProfilePath(LPWSTR* value) override { return values_.Get("ProfilePath", value); }
  HRESULT WV2_STDCALL get_DefaultDownloadFolderPath(LPWSTR* value) override {
    return values_.Get("DefaultDownloadFolderPath", value);
  }
  HRESULT WV2_STDCALL put_DefaultDownloadFolderPath(LPCWSTR value) override {
    return values_.Put("DefaultDownloadFolderPath", value);
  }
  HRESULT WV2_STDCALL get_PreferredColorScheme(COREWEBVIEW2_PREFERRED_COLOR_SCHEME* value) override {
    return values_.Get("PreferredColorScheme", value);
  }
  HRESULT WV2_STDCALL put_PreferredColorScheme(COREWEBVIEW2_PREFERRED_COLOR_SCHEME value) override {
    return values_.Put("PreferredColorScheme", value);
  }
  // ICoreWebView2Profile2
  HRESULT WV2_STDCALL ClearBrowsingData(COREWEBVIEW2_BROWSING_DATA_KINDS,
                                        ICoreWebView2ClearBrowsingDataCompletedHandler*) override {
    return E_NOTIMPL;
  }
  HRESULT WV2_STDCALL ClearBrowsingDataInTimeRange(COREWEBVIEW2_BROWSING_DATA_KINDS, double, double,
                                                   ICoreWebView2ClearBrowsingDataCompletedHandler*) override {
    return E_NOTIMPL;
  }
  HRESULT WV2_STDCALL ClearBrowsingDataAll(ICoreWebView2ClearBrowsingDataCompletedHandler*) override {
    return E_NOTIMPL;
  }
  // ICoreWebView2Profile3
  HRESULT WV2_STDCALL
  get_PreferredTrackingPreventionLevel(COREWEBVIEW2_TRACKING_PREVENTION_LEVEL* value) override {
    return values_.Get("PreferredTrackingPreventionLevel", value);
  }
  HRESULT WV2_STDCALL
  put_PreferredTrackingPreventionLevel(COREWEBVIEW2_TRACKING_PREVENTION_LEVEL value) override {
    return values_.Put("PreferredTrackingPreventionLevel", value);
  }
  // ICoreWebView2Profile4
  HRESULT WV2_STDCALL SetPermissionState(COREWEBVIEW2_PERMISSION_KIND, LPCWSTR, COREWEBVIEW2_PERMISSION_STATE,
                                         ICoreWebView2SetPermissionStateCompletedHandler*) override {
    return E_NOTIMPL;
  }
  HRESULT WV2_STDCALL
  GetNonDefaultPermissionSettings(ICoreWebView2GetNonDefaultPermissionSettingsCompletedHandler*) override {
    return E_NOTIMPL;
  }
  // ICoreWebView2Profile5
  HRESULT WV2_STDCALL get_CookieManager(ICoreWebView2CookieManager**) override { return E_NOTIMPL; }
  // ICoreWebView2Profile6
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
  // ICoreWebView2Profile7
  HRESULT WV2_STDCALL AddBrowserExtension(LPCWSTR,
                                          ICoreWebView2ProfileAddBrowserExtensionCompletedHandler*) override {
    return E_NOTIMPL;
  }
  HRESULT WV2_STDCALL
  GetBrowserExtensions(ICoreWebView2ProfileGetBrowserExtensionsCompletedHandler*) override {
    return E_NOTIMPL;
  }
  // ICoreWebView2Profile8
  HRESULT WV2_STDCALL Delete() override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL add_Deleted(ICoreWebView2ProfileDeletedEventHandler* eventHandler,
                                  EventRegistrationToken* token) override {
    return events_.Add("Deleted", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_Deleted(EventRegistrationToken token) override {
    return events_.Remove("Deleted", token);
  }

 protected:
  SimVersionLimit versions_;
  SimEventHandlers events_;
  SimPropertyValues values_;
};

}  // namespace velmoran::runtime::sim
