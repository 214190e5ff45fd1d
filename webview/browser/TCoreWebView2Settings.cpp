#include "webview/browser/TCoreWebView2Settings.h"

#include "webview/browser/WrapperCalls.h"

namespace velmoran::webview {

TCoreWebView2Settings::TCoreWebView2Settings(ICoreWebView2Settings* aBaseIntf, platform::Com& aCom)
    : FCom(aCom), FVersions(aBaseIntf) {}

bool TCoreWebView2Settings::IsScriptEnabled() const {
  return ReadBool(FVersions.Get<ICoreWebView2Settings>(), &ICoreWebView2Settings::get_IsScriptEnabled);
}

bool TCoreWebView2Settings::SetIsScriptEnabled(bool aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Settings>(), &ICoreWebView2Settings::put_IsScriptEnabled,
                       ToBOOL(aValue));
}

bool TCoreWebView2Settings::IsWebMessageEnabled() const {
  return ReadBool(FVersions.Get<ICoreWebView2Settings>(), &ICoreWebView2Settings::get_IsWebMessageEnabled);
}

bool TCoreWebView2Settings::SetIsWebMessageEnabled(bool aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Settings>(),
                       &ICoreWebView2Settings::put_IsWebMessageEnabled, ToBOOL(aValue));
}

bool TCoreWebView2Settings::AreDefaultScriptDialogsEnabled() const {
  return ReadBool(FVersions.Get<ICoreWebView2Settings>(),
                  &ICoreWebView2Settings::get_AreDefaultScriptDialogsEnabled);
}

bool TCoreWebView2Settings::SetAreDefaultScriptDialogsEnabled(bool aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Settings>(),
                       &ICoreWebView2Settings::put_AreDefaultScriptDialogsEnabled, ToBOOL(aValue));
}

bool TCoreWebView2Settings::IsStatusBarEnabled() const {
  return ReadBool(FVersions.Get<ICoreWebView2Settings>(), &ICoreWebView2Settings::get_IsStatusBarEnabled);
}

bool TCoreWebView2Settings::SetIsStatusBarEnabled(bool aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Settings>(), &ICoreWebView2Settings::put_IsStatusBarEnabled,
                       ToBOOL(aValue));
}

bool TCoreWebView2Settings::AreDevToolsEnabled() const {
  return ReadBool(FVersions.Get<ICoreWebView2Settings>(), &ICoreWebView2Settings::get_AreDevToolsEnabled);
}

bool TCoreWebView2Settings::SetAreDevToolsEnabled(bool aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Settings>(), &ICoreWebView2Settings::put_AreDevToolsEnabled,
                       ToBOOL(aValue));
}

bool TCoreWebView2Settings::AreDefaultContextMenusEnabled() const {
  return ReadBool(FVersions.Get<ICoreWebView2Settings>(),
                  &ICoreWebView2Settings::get_AreDefaultContextMenusEnabled);
}

bool TCoreWebView2Settings::SetAreDefaultContextMenusEnabled(bool aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Settings>(),
                       &ICoreWebView2Settings::put_AreDefaultContextMenusEnabled, ToBOOL(aValue));
}

bool TCoreWebView2Settings::AreHostObjectsAllowed() const {
  return ReadBool(FVersions.Get<ICoreWebView2Settings>(), &ICoreWebView2Settings::get_AreHostObjectsAllowed);
}

bool TCoreWebView2Settings::SetAreHostObjectsAllowed(bool aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Settings>(),
                       &ICoreWebView2Settings::put_AreHostObjectsAllowed, ToBOOL(aValue));
}

bool TCoreWebView2Settings::IsZoomControlEnabled() const {
  return ReadBool(FVersions.Get<ICoreWebView2Settings>(), &ICoreWebView2Settings::get_IsZoomControlEnabled);
}

bool TCoreWebView2Settings::SetIsZoomControlEnabled(bool aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Settings>(),
                       &ICoreWebView2Settings::put_IsZoomControlEnabled, ToBOOL(aValue));
}

bool TCoreWebView2Settings::IsBuiltInErrorPageEnabled() const {
  return ReadBool(FVersions.Get<ICoreWebView2Settings>(),
                  &ICoreWebView2Settings::get_IsBuiltInErrorPageEnabled);
}

bool TCoreWebView2Settings::SetIsBuiltInErrorPageEnabled(bool aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Settings>(),
                       &ICoreWebView2Settings::put_IsBuiltInErrorPageEnabled, ToBOOL(aValue));
}

std::u16string TCoreWebView2Settings::UserAgent() const {
  return ReadText(FCom, FVersions.Get<ICoreWebView2Settings2>(), &ICoreWebView2Settings2::get_UserAgent);
}

bool TCoreWebView2Settings::SetUserAgent(const std::u16string& aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Settings2>(), &ICoreWebView2Settings2::put_UserAgent,
                       AsWideText(aValue));
}

bool TCoreWebView2Settings::AreBrowserAcceleratorKeysEnabled() const {
  return ReadBool(FVersions.Get<ICoreWebView2Settings3>(),
                  &ICoreWebView2Settings3::get_AreBrowserAcceleratorKeysEnabled);
}

bool TCoreWebView2Settings::SetAreBrowserAcceleratorKeysEnabled(bool aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Settings3>(),
                       &ICoreWebView2Settings3::put_AreBrowserAcceleratorKeysEnabled, ToBOOL(aValue));
}

bool TCoreWebView2Settings::IsPasswordAutosaveEnabled() const {
  return ReadBool(FVersions.Get<ICoreWebView2Settings4>(),
                  &ICoreWebView2Settings4::get_IsPasswordAutosaveEnabled);
}

bool TCoreWebView2Settings::SetIsPasswordAutosaveEnabled(bool aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Settings4>(),
                       &ICoreWebView2Settings4::put_IsPasswordAutosaveEnabled, ToBOOL(aValue));
}

bool TCoreWebView2Settings::IsGeneralAutofillEnabled() const {
  return ReadBool(FVersions.Get<ICoreWebView2Settings4>(),
                  &ICoreWebView2Settings4::get_IsGeneralAutofillEnabled);
}

bool TCoreWebView2Settings::SetIsGeneralAutofillEnabled(bool aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Settings4>(),
                       &ICoreWebView2Settings4::put_IsGeneralAutofillEnabled, ToBOOL(aValue));
}

bool TCoreWebView2Settings::IsPinchZoomEnabled() const {
  return ReadBool(FVersions.Get<ICoreWebView2Settings5>(), &ICoreWebView2Settings5::get_IsPinchZoomEnabled);
}

bool TCoreWebView2Settings::SetIsPinchZoomEnabled(bool aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Settings5>(),
                       &ICoreWebView2Settings5::put_IsPinchZoomEnabled, ToBOOL(aValue));
}

bool TCoreWebView2Settings::IsSwipeNavigationEnabled() const {
  return ReadBool(FVersions.Get<ICoreWebView2Settings6>(),
                  &ICoreWebView2Settings6::get_IsSwipeNavigationEnabled);
}

bool TCoreWebView2Settings::SetIsSwipeNavigationEnabled(bool aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Settings6>(),
                       &ICoreWebView2Settings6::put_IsSwipeNavigationEnabled, ToBOOL(aValue));
}

COREWEBVIEW2_PDF_TOOLBAR_ITEMS TCoreWebView2Settings::HiddenPdfToolbarItems() const {
  return ReadValue<COREWEBVIEW2_PDF_TOOLBAR_ITEMS>(FVersions.Get<ICoreWebView2Settings7>(),
                                                   &ICoreWebView2Settings7::get_HiddenPdfToolbarItems);
}

bool TCoreWebView2Settings::SetHiddenPdfToolbarItems(COREWEBVIEW2_PDF_TOOLBAR_ITEMS aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Settings7>(),
                       &ICoreWebView2Settings7::put_HiddenPdfToolbarItems, aValue);
}

bool TCoreWebView2Settings::IsReputationCheckingRequired() const {
  return ReadBool(FVersions.Get<ICoreWebView2Settings8>(),
                  &ICoreWebView2Settings8::get_IsReputationCheckingRequired);
}

bool TCoreWebView2Settings::SetIsReputationCheckingRequired(bool aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Settings8>(),
                       &ICoreWebView2Settings8::put_IsReputationCheckingRequired, ToBOOL(aValue));
}

bool TCoreWebView2Settings::IsNonClientRegionSupportEnabled() const {
  return ReadBool(FVersions.Get<ICoreWebView2Settings9>(),
                  &ICoreWebView2Settings9::get_IsNonClientRegionSupportEnabled);
}

bool TCoreWebView2Settings::SetIsNonClientRegionSupportEnabled(bool aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Settings9>(),
                       &ICoreWebView2Settings9::put_IsNonClientRegionSupportEnabled, ToBOOL(aValue));
}

}  // namespace velmoran::webview
