#pragma once

// The settings wrapper: holds ICoreWebView2Settings and its newer versions (up
// to 9) and offers every setting as a getter and a setter under the wrappers'
// one rule. Destruction only releases the interfaces.

#include <cstdint>
#include <string>

#include "platform/Com.h"
#include "webview/abi/WebView2Abi.h"
#include "webview/loader/InterfaceVersions.h"

namespace velmoran::webview {

class TCoreWebView2Settings {
 public:
  // Takes a reference to `aBaseIntf` (or none) and collects its newer versions.
  TCoreWebView2Settings(ICoreWebView2Settings* aBaseIntf, platform::Com& aCom);
  TCoreWebView2Settings(const TCoreWebView2Settings&) = delete;
  TCoreWebView2Settings& operator=(const TCoreWebView2Settings&) = delete;

  bool Initialized() const { return FVersions.Initialized(); }
  ICoreWebView2Settings* BaseIntf() const { return FVersions.Get<ICoreWebView2Settings>(); }

  // --- Runtime calls: get_X is X(), put_X is SetX(), a method keeps its name. ---

  // ICoreWebView2Settings
  bool IsScriptEnabled() const;
  bool SetIsScriptEnabled(bool aValue);
  bool IsWebMessageEnabled() const;
  bool SetIsWebMessageEnabled(bool aValue);
  bool AreDefaultScriptDialogsEnabled() const;
  bool SetAreDefaultScriptDialogsEnabled(bool aValue);
  bool IsStatusBarEnabled() const;
  bool SetIsStatusBarEnabled(bool aValue);
  bool AreDevToolsEnabled() const;
  bool SetAreDevToolsEnabled(bool aValue);
  bool AreDefaultContextMenusEnabled() const;
  bool SetAreDefaultContextMenusEnabled(bool aValue);
  bool AreHostObjectsAllowed() const;
  bool SetAreHostObjectsAllowed(bool aValue);
  bool IsZoomControlEnabled() const;
  bool SetIsZoomControlEnabled(bool aValue);
  bool IsBuiltInErrorPageEnabled() const;
  bool SetIsBuiltInErrorPageEnabled(bool aValue);
  // ICoreWebView2Settings2
  std::u16string UserAgent() const;
  bool SetUserAgent(const std::u16string& aValue);
  // ICoreWebView2Settings3
  bool AreBrowserAcceleratorKeysEnabled() const;
  bool SetAreBrowserAcceleratorKeysEnabled(bool aValue);
  // ICoreWebView2Settings4
  bool IsPasswordAutosaveEnabled() const;
  bool SetIsPasswordAutosaveEnabled(bool aValue);
  bool IsGeneralAutofillEnabled() const;
  bool SetIsGeneralAutofillEnabled(bool aValue);
  // ICoreWebView2Settings5
  bool IsPinchZoomEnabled() const;
  bool SetIsPinchZoomEnabled(bool aValue);
  // ICoreWebView2Settings6
  bool IsSwipeNavigationEnabled() const;
  bool SetIsSwipeNavigationEnabled(bool aValue);
  // ICoreWebView2Settings7
  COREWEBVIEW2_PDF_TOOLBAR_ITEMS HiddenPdfToolbarItems() const;
  bool SetHiddenPdfToolbarItems(COREWEBVIEW2_PDF_TOOLBAR_ITEMS aValue);
  // ICoreWebView2Settings8
  bool IsReputationCheckingRequired() const;
  bool SetIsReputationCheckingRequired(bool aValue);
  // ICoreWebView2Settings9
  bool IsNonClientRegionSupportEnabled() const;
  bool SetIsNonClientRegionSupportEnabled(bool aValue);

 private:
  platform::Com& FCom;
  InterfaceVersions<ICoreWebView2Settings, ICoreWebView2Settings2, ICoreWebView2Settings3,
                    ICoreWebView2Settings4, ICoreWebView2Settings5, ICoreWebView2Settings6,
                    ICoreWebView2Settings7, ICoreWebView2Settings8, ICoreWebView2Settings9>
      FVersions;
};

}  // namespace velmoran::webview
