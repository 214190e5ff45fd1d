#pragma once

// The profile wrapper: holds ICoreWebView2Profile and its newer versions (up
// to 8), subscribes the profile's one event (Deleted, on version 8) for the
// browser control, and offers the profile's runtime calls under the
// wrappers' one rule.

#include <cstdint>
#include <string>

#include "platform/Com.h"
#include "webview/abi/WebView2Abi.h"
#include "webview/loader/InterfaceVersions.h"
#include "webview/sinks/IWVBrowserEvents.h"

namespace velmoran::webview {

class TCoreWebView2Profile {
 public:
  // Takes a reference to `aBaseIntf` (or none) and collects its newer versions.
  TCoreWebView2Profile(ICoreWebView2Profile* aBaseIntf, platform::Com& aCom);
  // Removes the subscription, then releases every interface.
  ~TCoreWebView2Profile();
  TCoreWebView2Profile(const TCoreWebView2Profile&) = delete;
  TCoreWebView2Profile& operator=(const TCoreWebView2Profile&) = delete;

  bool Initialized() const { return FVersions.Initialized(); }
  ICoreWebView2Profile* BaseIntf() const { return FVersions.Get<ICoreWebView2Profile>(); }

  bool AddAllBrowserEvents(IWVBrowserEvents* aBrowserComponent);
  void RemoveAllEvents();

  // --- Runtime calls: get_X is X(), put_X is SetX(), a method keeps its name. ---

  // ICoreWebView2Profile
  std::u16string ProfileName() const;
  bool IsInPrivateModeEnabled() const;
  std::u16string ProfilePath() const;
  std::u16string DefaultDownloadFolderPath() const;
  bool SetDefaultDownloadFolderPath(const std::u16string& aValue);
  COREWEBVIEW2_PREFERRED_COLOR_SCHEME PreferredColorScheme() const;
  bool SetPreferredColorScheme(COREWEBVIEW2_PREFERRED_COLOR_SCHEME aValue);
  // ICoreWebView2Profile2
  bool ClearBrowsingData(COREWEBVIEW2_BROWSING_DATA_KINDS aDataKinds, IWVBrowserEvents* aBrowserEvents);
  bool ClearBrowsingDataInTimeRange(COREWEBVIEW2_BROWSING_DATA_KINDS aDataKinds, double aStartTime,
                                    double aEndTime, IWVBrowserEvents* aBrowserEvents);
  bool ClearBrowsingDataAll(IWVBrowserEvents* aBrowserEvents);
  // ICoreWebView2Profile3
  COREWEBVIEW2_TRACKING_PREVENTION_LEVEL PreferredTrackingPreventionLevel() const;
  bool SetPreferredTrackingPreventionLevel(COREWEBVIEW2_TRACKING_PREVENTION_LEVEL aValue);
  // ICoreWebView2Profile4
  bool SetPermissionState(COREWEBVIEW2_PERMISSION_KIND aPermissionKind, const std::u16string& aOrigin,
                          COREWEBVIEW2_PERMISSION_STATE aState, IWVBrowserEvents* aBrowserEvents);
  bool GetNonDefaultPermissionSettings(IWVBrowserEvents* aBrowserEvents);
  // ICoreWebView2Profile5
  ComPtr<ICoreWebView2CookieManager> CookieManager() const;
  // ICoreWebView2Profile6
  bool IsPasswordAutosaveEnabled() const;
  bool SetIsPasswordAutosaveEnabled(bool aValue);
  bool IsGeneralAutofillEnabled() const;
  bool SetIsGeneralAutofillEnabled(bool aValue);
  // ICoreWebView2Profile7
  bool AddBrowserExtension(const std::u16string& aExtensionFolderPath, IWVBrowserEvents* aBrowserEvents);
  bool GetBrowserExtensions(IWVBrowserEvents* aBrowserEvents);
  // ICoreWebView2Profile8
  bool Delete();

 private:
  platform::Com& FCom;
  InterfaceVersions<ICoreWebView2Profile, ICoreWebView2Profile2, ICoreWebView2Profile3, ICoreWebView2Profile4,
                    ICoreWebView2Profile5, ICoreWebView2Profile6, ICoreWebView2Profile7,
                    ICoreWebView2Profile8>
      FVersions;
  EventRegistrationToken FProfileDeletedToken{};
};

}  // namespace velmoran::webview
