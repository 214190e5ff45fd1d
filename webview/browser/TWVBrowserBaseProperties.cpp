#include "webview/browser/TCoreWebView2.h"
#include "webview/browser/TCoreWebView2Controller.h"
#include "webview/browser/TCoreWebView2Profile.h"
#include "webview/browser/TCoreWebView2Settings.h"
#include "webview/browser/TWVBrowserBase.h"

// The runtime's later properties, one per getter and setter of the wrappers the
// control holds. They follow the operations' rule: before the browser is
// Initialized nothing is asked and the answer is the property's default (a
// setter's False); after that the wrapper asks the runtime, itself answering
// the default when the interface version carrying the property is missing.
// The profile may be absent even then (a runtime without it), so it is
// checked on its own.

namespace velmoran::webview {

// --- Controller ---

COREWEBVIEW2_COLOR TWVBrowserBase::DefaultBackgroundColor() const {
  return Initialized() ? FCoreWebView2Controller->DefaultBackgroundColor() : COREWEBVIEW2_COLOR{};
}
bool TWVBrowserBase::SetDefaultBackgroundColor(COREWEBVIEW2_COLOR aColor) {
  return Initialized() && FCoreWebView2Controller->SetDefaultBackgroundColor(aColor);
}
COREWEBVIEW2_BOUNDS_MODE TWVBrowserBase::BoundsMode() const {
  return Initialized() ? FCoreWebView2Controller->BoundsMode() : COREWEBVIEW2_BOUNDS_MODE{};
}
bool TWVBrowserBase::SetBoundsMode(COREWEBVIEW2_BOUNDS_MODE aBoundsMode) {
  return Initialized() && FCoreWebView2Controller->SetBoundsMode(aBoundsMode);
}
double TWVBrowserBase::RasterizationScale() const {
  return Initialized() ? FCoreWebView2Controller->RasterizationScale() : 0.0;
}
bool TWVBrowserBase::SetRasterizationScale(double aScale) {
  return Initialized() && FCoreWebView2Controller->SetRasterizationScale(aScale);
}
bool TWVBrowserBase::ShouldDetectMonitorScaleChanges() const {
  return Initialized() && FCoreWebView2Controller->ShouldDetectMonitorScaleChanges();
}
bool TWVBrowserBase::SetShouldDetectMonitorScaleChanges(bool aDetect) {
  return Initialized() && FCoreWebView2Controller->SetShouldDetectMonitorScaleChanges(aDetect);
}
bool TWVBrowserBase::AllowExternalDrop() const {
  return Initialized() && FCoreWebView2Controller->AllowExternalDrop();
}
bool TWVBrowserBase::SetAllowExternalDrop(bool aAllowed) {
  return Initialized() && FCoreWebView2Controller->SetAllowExternalDrop(aAllowed);
}

// --- Webview ---

std::u16string TWVBrowserBase::FaviconUri() const {
  return Initialized() ? FCoreWebView2->FaviconUri() : std::u16string();
}
COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL TWVBrowserBase::MemoryUsageTargetLevel() const {
  return Initialized() ? FCoreWebView2->MemoryUsageTargetLevel() : COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL{};
}
bool TWVBrowserBase::SetMemoryUsageTargetLevel(COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL aLevel) {
  return Initialized() && FCoreWebView2->SetMemoryUsageTargetLevel(aLevel);
}
std::uint32_t TWVBrowserBase::FrameId() const { return Initialized() ? FCoreWebView2->FrameId() : 0u; }
COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT TWVBrowserBase::DefaultDownloadDialogCornerAlignment()
    const {
  return Initialized() ? FCoreWebView2->DefaultDownloadDialogCornerAlignment()
                       : COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT{};
}
bool TWVBrowserBase::SetDefaultDownloadDialogCornerAlignment(
    COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT aAlignment) {
  return Initialized() && FCoreWebView2->SetDefaultDownloadDialogCornerAlignment(aAlignment);
}
POINT TWVBrowserBase::DefaultDownloadDialogMargin() const {
  return Initialized() ? FCoreWebView2->DefaultDownloadDialogMargin() : POINT{};
}
bool TWVBrowserBase::SetDefaultDownloadDialogMargin(POINT aMargin) {
  return Initialized() && FCoreWebView2->SetDefaultDownloadDialogMargin(aMargin);
}
bool TWVBrowserBase::IsDefaultDownloadDialogOpen() const {
  return Initialized() && FCoreWebView2->IsDefaultDownloadDialogOpen();
}

// --- Profile ---

std::u16string TWVBrowserBase::DefaultDownloadFolderPath() const {
  return (Initialized() && FCoreWebView2Profile) ? FCoreWebView2Profile->DefaultDownloadFolderPath()
                                                 : std::u16string();
}
bool TWVBrowserBase::SetDefaultDownloadFolderPath(std::u16string_view aPath) {
  return (Initialized() && FCoreWebView2Profile) &&
         FCoreWebView2Profile->SetDefaultDownloadFolderPath(std::u16string(aPath));
}
COREWEBVIEW2_PREFERRED_COLOR_SCHEME TWVBrowserBase::PreferredColorScheme() const {
  return (Initialized() && FCoreWebView2Profile) ? FCoreWebView2Profile->PreferredColorScheme()
                                                 : COREWEBVIEW2_PREFERRED_COLOR_SCHEME{};
}
bool TWVBrowserBase::SetPreferredColorScheme(COREWEBVIEW2_PREFERRED_COLOR_SCHEME aScheme) {
  return (Initialized() && FCoreWebView2Profile) && FCoreWebView2Profile->SetPreferredColorScheme(aScheme);
}
std::u16string TWVBrowserBase::ProfilePath() const {
  return (Initialized() && FCoreWebView2Profile) ? FCoreWebView2Profile->ProfilePath() : std::u16string();
}
COREWEBVIEW2_TRACKING_PREVENTION_LEVEL TWVBrowserBase::PreferredTrackingPreventionLevel() const {
  return (Initialized() && FCoreWebView2Profile) ? FCoreWebView2Profile->PreferredTrackingPreventionLevel()
                                                 : COREWEBVIEW2_TRACKING_PREVENTION_LEVEL{};
}
bool TWVBrowserBase::SetPreferredTrackingPreventionLevel(COREWEBVIEW2_TRACKING_PREVENTION_LEVEL aLevel) {
  return (Initialized() && FCoreWebView2Profile) &&
         FCoreWebView2Profile->SetPreferredTrackingPreventionLevel(aLevel);
}
bool TWVBrowserBase::ProfileIsGeneralAutofillEnabled() const {
  return (Initialized() && FCoreWebView2Profile) && FCoreWebView2Profile->IsGeneralAutofillEnabled();
}
bool TWVBrowserBase::SetProfileIsGeneralAutofillEnabled(bool aEnabled) {
  return (Initialized() && FCoreWebView2Profile) &&
         FCoreWebView2Profile->SetIsGeneralAutofillEnabled(aEnabled);
}
bool TWVBrowserBase::ProfileIsPasswordAutosaveEnabled() const {
  return (Initialized() && FCoreWebView2Profile) && FCoreWebView2Profile->IsPasswordAutosaveEnabled();
}
bool TWVBrowserBase::SetProfileIsPasswordAutosaveEnabled(bool aEnabled) {
  return (Initialized() && FCoreWebView2Profile) &&
         FCoreWebView2Profile->SetIsPasswordAutosaveEnabled(aEnabled);
}

// --- Settings ---

std::u16string TWVBrowserBase::UserAgent() const {
  return Initialized() ? FCoreWebView2Settings->UserAgent() : std::u16string();
}
bool TWVBrowserBase::SetUserAgent(std::u16string_view aUserAgent) {
  return Initialized() && FCoreWebView2Settings->SetUserAgent(std::u16string(aUserAgent));
}
bool TWVBrowserBase::AreBrowserAcceleratorKeysEnabled() const {
  return Initialized() && FCoreWebView2Settings->AreBrowserAcceleratorKeysEnabled();
}
bool TWVBrowserBase::SetAreBrowserAcceleratorKeysEnabled(bool aEnabled) {
  return Initialized() && FCoreWebView2Settings->SetAreBrowserAcceleratorKeysEnabled(aEnabled);
}
bool TWVBrowserBase::IsGeneralAutofillEnabled() const {
  return Initialized() && FCoreWebView2Settings->IsGeneralAutofillEnabled();
}
bool TWVBrowserBase::SetIsGeneralAutofillEnabled(bool aEnabled) {
  return Initialized() && FCoreWebView2Settings->SetIsGeneralAutofillEnabled(aEnabled);
}
bool TWVBrowserBase::IsPasswordAutosaveEnabled() const {
  return Initialized() && FCoreWebView2Settings->IsPasswordAutosaveEnabled();
}
bool TWVBrowserBase::SetIsPasswordAutosaveEnabled(bool aEnabled) {
  return Initialized() && FCoreWebView2Settings->SetIsPasswordAutosaveEnabled(aEnabled);
}
bool TWVBrowserBase::IsPinchZoomEnabled() const {
  return Initialized() && FCoreWebView2Settings->IsPinchZoomEnabled();
}
bool TWVBrowserBase::SetIsPinchZoomEnabled(bool aEnabled) {
  return Initialized() && FCoreWebView2Settings->SetIsPinchZoomEnabled(aEnabled);
}
bool TWVBrowserBase::IsSwipeNavigationEnabled() const {
  return Initialized() && FCoreWebView2Settings->IsSwipeNavigationEnabled();
}
bool TWVBrowserBase::SetIsSwipeNavigationEnabled(bool aEnabled) {
  return Initialized() && FCoreWebView2Settings->SetIsSwipeNavigationEnabled(aEnabled);
}
COREWEBVIEW2_PDF_TOOLBAR_ITEMS TWVBrowserBase::HiddenPdfToolbarItems() const {
  return Initialized() ? FCoreWebView2Settings->HiddenPdfToolbarItems() : COREWEBVIEW2_PDF_TOOLBAR_ITEMS{};
}
bool TWVBrowserBase::SetHiddenPdfToolbarItems(COREWEBVIEW2_PDF_TOOLBAR_ITEMS aItems) {
  return Initialized() && FCoreWebView2Settings->SetHiddenPdfToolbarItems(aItems);
}
bool TWVBrowserBase::IsReputationCheckingRequired() const {
  return Initialized() && FCoreWebView2Settings->IsReputationCheckingRequired();
}
bool TWVBrowserBase::SetIsReputationCheckingRequired(bool aRequired) {
  return Initialized() && FCoreWebView2Settings->SetIsReputationCheckingRequired(aRequired);
}
bool TWVBrowserBase::IsNonClientRegionSupportEnabled() const {
  return Initialized() && FCoreWebView2Settings->IsNonClientRegionSupportEnabled();
}
bool TWVBrowserBase::SetIsNonClientRegionSupportEnabled(bool aEnabled) {
  return Initialized() && FCoreWebView2Settings->SetIsNonClientRegionSupportEnabled(aEnabled);
}

}  // namespace velmoran::webview
