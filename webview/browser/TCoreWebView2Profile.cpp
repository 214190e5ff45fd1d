#include "webview/browser/TCoreWebView2Profile.h"

#include "webview/browser/WrapperCalls.h"
#include "webview/loader/EventSubscription.h"
#include "webview/sinks/CoreWebView2Sinks.h"

namespace velmoran::webview {

TCoreWebView2Profile::TCoreWebView2Profile(ICoreWebView2Profile* aBaseIntf, platform::Com& aCom)
    : FCom(aCom), FVersions(aBaseIntf) {}

TCoreWebView2Profile::~TCoreWebView2Profile() {
  RemoveAllEvents();
  FVersions.Release();
}

bool TCoreWebView2Profile::AddAllBrowserEvents(IWVBrowserEvents* aBrowserComponent) {
  return Subscribe<TCoreWebView2ProfileDeletedEventHandler>(FVersions.Get<ICoreWebView2Profile8>(),
                                                            &ICoreWebView2Profile8::add_Deleted,
                                                            FProfileDeletedToken, aBrowserComponent);
}

void TCoreWebView2Profile::RemoveAllEvents() {
  if (!Initialized()) return;
  Unsubscribe(FVersions.Get<ICoreWebView2Profile8>(), &ICoreWebView2Profile8::remove_Deleted,
              FProfileDeletedToken);
}

std::u16string TCoreWebView2Profile::ProfileName() const {
  return ReadText(FCom, FVersions.Get<ICoreWebView2Profile>(), &ICoreWebView2Profile::get_ProfileName);
}

bool TCoreWebView2Profile::IsInPrivateModeEnabled() const {
  return ReadBool(FVersions.Get<ICoreWebView2Profile>(), &ICoreWebView2Profile::get_IsInPrivateModeEnabled);
}

std::u16string TCoreWebView2Profile::ProfilePath() const {
  return ReadText(FCom, FVersions.Get<ICoreWebView2Profile>(), &ICoreWebView2Profile::get_ProfilePath);
}

std::u16string TCoreWebView2Profile::DefaultDownloadFolderPath() const {
  return ReadText(FCom, FVersions.Get<ICoreWebView2Profile>(),
                  &ICoreWebView2Profile::get_DefaultDownloadFolderPath);
}

bool TCoreWebView2Profile::SetDefaultDownloadFolderPath(const std::u16string& aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Profile>(),
                       &ICoreWebView2Profile::put_DefaultDownloadFolderPath, AsWideText(aValue));
}

COREWEBVIEW2_PREFERRED_COLOR_SCHEME TCoreWebView2Profile::PreferredColorScheme() const {
  return ReadValue<COREWEBVIEW2_PREFERRED_COLOR_SCHEME>(FVersions.Get<ICoreWebView2Profile>(),
                                                        &ICoreWebView2Profile::get_PreferredColorScheme);
}

bool TCoreWebView2Profile::SetPreferredColorScheme(COREWEBVIEW2_PREFERRED_COLOR_SCHEME aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Profile>(), &ICoreWebView2Profile::put_PreferredColorScheme,
                       aValue);
}

bool TCoreWebView2Profile::ClearBrowsingData(COREWEBVIEW2_BROWSING_DATA_KINDS aDataKinds,
                                             IWVBrowserEvents* aBrowserEvents) {
  ICoreWebView2Profile2* intf = FVersions.Get<ICoreWebView2Profile2>();
  if (intf == nullptr) return false;
  return CallSucceeded(intf, &ICoreWebView2Profile2::ClearBrowsingData, aDataKinds,
                       MakeComObject<TCoreWebView2ClearBrowsingDataCompletedHandler>(aBrowserEvents).Get());
}

bool TCoreWebView2Profile::ClearBrowsingDataInTimeRange(COREWEBVIEW2_BROWSING_DATA_KINDS aDataKinds,
                                                        double aStartTime, double aEndTime,
                                                        IWVBrowserEvents* aBrowserEvents) {
  ICoreWebView2Profile2* intf = FVersions.Get<ICoreWebView2Profile2>();
  if (intf == nullptr) return false;
  return CallSucceeded(intf, &ICoreWebView2Profile2::ClearBrowsingDataInTimeRange, aDataKinds, aStartTime,
                       aEndTime,
                       MakeComObject<TCoreWebView2ClearBrowsingDataCompletedHandler>(aBrowserEvents).Get());
}

bool TCoreWebView2Profile::ClearBrowsingDataAll(IWVBrowserEvents* aBrowserEvents) {
  ICoreWebView2Profile2* intf = FVersions.Get<ICoreWebView2Profile2>();
  if (intf == nullptr) return false;
  return CallSucceeded(intf, &ICoreWebView2Profile2::ClearBrowsingDataAll,
                       MakeComObject<TCoreWebView2ClearBrowsingDataCompletedHandler>(aBrowserEvents).Get());
}

COREWEBVIEW2_TRACKING_PREVENTION_LEVEL TCoreWebView2Profile::PreferredTrackingPreventionLevel() const {
  return ReadValue<COREWEBVIEW2_TRACKING_PREVENTION_LEVEL>(
      FVersions.Get<ICoreWebView2Profile3>(), &ICoreWebView2Profile3::get_PreferredTrackingPreventionLevel);
}

bool TCoreWebView2Profile::SetPreferredTrackingPreventionLevel(
    COREWEBVIEW2_TRACKING_PREVENTION_LEVEL aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Profile3>(),
                       &ICoreWebView2Profile3::put_PreferredTrackingPreventionLevel, aValue);
}

bool TCoreWebView2Profile::SetPermissionState(COREWEBVIEW2_PERMISSION_KIND aPermissionKind,
                                              const std::u16string& aOrigin,
                                              COREWEBVIEW2_PERMISSION_STATE aState,
                                              IWVBrowserEvents* aBrowserEvents) {
  ICoreWebView2Profile4* intf = FVersions.Get<ICoreWebView2Profile4>();
  if (intf == nullptr) return false;
  return CallSucceeded(intf, &ICoreWebView2Profile4::SetPermissionState, aPermissionKind, AsWideText(aOrigin),
                       aState,
                       MakeComObject<TCoreWebView2SetPermissionStateCompletedHandler>(aBrowserEvents).Get());
}

bool TCoreWebView2Profile::GetNonDefaultPermissionSettings(IWVBrowserEvents* aBrowserEvents) {
  ICoreWebView2Profile4* intf = FVersions.Get<ICoreWebView2Profile4>();
  if (intf == nullptr) return false;
  return CallSucceeded(
      intf, &ICoreWebView2Profile4::GetNonDefaultPermissionSettings,
      MakeComObject<TCoreWebView2GetNonDefaultPermissionSettingsCompletedHandler>(aBrowserEvents).Get());
}

ComPtr<ICoreWebView2CookieManager> TCoreWebView2Profile::CookieManager() const {
  return ReadInterface<ICoreWebView2CookieManager>(FVersions.Get<ICoreWebView2Profile5>(),
                                                   &ICoreWebView2Profile5::get_CookieManager);
}

bool TCoreWebView2Profile::IsPasswordAutosaveEnabled() const {
  return ReadBool(FVersions.Get<ICoreWebView2Profile6>(),
                  &ICoreWebView2Profile6::get_IsPasswordAutosaveEnabled);
}

bool TCoreWebView2Profile::SetIsPasswordAutosaveEnabled(bool aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Profile6>(),
                       &ICoreWebView2Profile6::put_IsPasswordAutosaveEnabled, ToBOOL(aValue));
}

bool TCoreWebView2Profile::IsGeneralAutofillEnabled() const {
  return ReadBool(FVersions.Get<ICoreWebView2Profile6>(),
                  &ICoreWebView2Profile6::get_IsGeneralAutofillEnabled);
}

bool TCoreWebView2Profile::SetIsGeneralAutofillEnabled(bool aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Profile6>(),
                       &ICoreWebView2Profile6::put_IsGeneralAutofillEnabled, ToBOOL(aValue));
}

bool TCoreWebView2Profile::AddBrowserExtension(const std::u16string& aExtensionFolderPath,
                                               IWVBrowserEvents* aBrowserEvents) {
  ICoreWebView2Profile7* intf = FVersions.Get<ICoreWebView2Profile7>();
  if (intf == nullptr) return false;
  return CallSucceeded(
      intf, &ICoreWebView2Profile7::AddBrowserExtension, AsWideText(aExtensionFolderPath),
      MakeComObject<TCoreWebView2ProfileAddBrowserExtensionCompletedHandler>(aBrowserEvents).Get());
}

bool TCoreWebView2Profile::GetBrowserExtensions(IWVBrowserEvents* aBrowserEvents) {
  ICoreWebView2Profile7* intf = FVersions.Get<ICoreWebView2Profile7>();
  if (intf == nullptr) return false;
  return CallSucceeded(
      intf, &ICoreWebView2Profile7::GetBrowserExtensions,
      MakeComObject<TCoreWebView2ProfileGetBrowserExtensionsCompletedHandler>(aBrowserEvents).Get());
}

bool TCoreWebView2Profile::Delete() {
  return CallSucceeded(FVersions.Get<ICoreWebView2Profile8>(), &ICoreWebView2Profile8::Delete);
}

}  // namespace velmoran::webview
