#include "webview/browser/TCoreWebView2.h"
#include "webview/browser/TCoreWebView2Controller.h"
#include "webview/browser/TCoreWebView2PrintSettings.h"
#include "webview/browser/TCoreWebView2Profile.h"
#include "webview/browser/TCoreWebView2Settings.h"
#include "webview/browser/TWVBrowserBase.h"
#include "webview/browser/WindowHandleCast.h"
#include "webview/browser/ZoomSteps.h"
#include "webview/sinks/CoreWebView2Sinks.h"

// The family of operations on the live browser. One rule for all of them:
// until the control is Initialized nothing is called and the answer is False,
// 0, an empty text or none; after that the wrapper makes the one runtime call
// (itself answering False when the interface version carrying it is missing)
// and its answer is passed on.

namespace velmoran::webview {

using platform::Rect;
using platform::WindowHandle;

namespace {

RECT ToRECT(const Rect& rect) { return RECT{rect.left, rect.top, rect.right, rect.bottom}; }
// RECT's LONG is 32 bits wide on every Windows build, but a distinct type from std::int32_t there.
Rect FromRECT(const RECT& rect) {
  return Rect{static_cast<std::int32_t>(rect.left), static_cast<std::int32_t>(rect.top),
              static_cast<std::int32_t>(rect.right), static_cast<std::int32_t>(rect.bottom)};
}

}  // namespace

// --- Controller ---

Rect TWVBrowserBase::Bounds() const {
  return Initialized() ? FromRECT(FCoreWebView2Controller->Bounds()) : Rect{};
}

bool TWVBrowserBase::SetBounds(const Rect& aBounds) {
  return Initialized() && FCoreWebView2Controller->SetBounds(ToRECT(aBounds));
}

bool TWVBrowserBase::IsVisible() const { return Initialized() && FCoreWebView2Controller->IsVisible(); }

bool TWVBrowserBase::SetIsVisible(bool aVisible) {
  return Initialized() && FCoreWebView2Controller->SetIsVisible(aVisible);
}

WindowHandle TWVBrowserBase::ParentWindow() const {
  return Initialized() ? FromHWND(FCoreWebView2Controller->ParentWindow()) : 0;
}

bool TWVBrowserBase::SetParentWindow(WindowHandle aHandle) {
  return Initialized() && FCoreWebView2Controller->SetParentWindow(ToHWND(aHandle));
}

bool TWVBrowserBase::SetFocus() {
  return Initialized() && FCoreWebView2Controller->MoveFocus(COREWEBVIEW2_MOVE_FOCUS_REASON_PROGRAMMATIC);
}

bool TWVBrowserBase::FocusNext() {
  return Initialized() && FCoreWebView2Controller->MoveFocus(COREWEBVIEW2_MOVE_FOCUS_REASON_NEXT);
}

bool TWVBrowserBase::FocusPrevious() {
  return Initialized() && FCoreWebView2Controller->MoveFocus(COREWEBVIEW2_MOVE_FOCUS_REASON_PREVIOUS);
}

bool TWVBrowserBase::NotifyParentWindowPositionChanged() {
  return Initialized() && FCoreWebView2Controller->NotifyParentWindowPositionChanged();
}

double TWVBrowserBase::ZoomFactor() const {
  return Initialized() ? FCoreWebView2Controller->ZoomFactor() : 0.0;
}

bool TWVBrowserBase::SetZoomFactor(double aZoomFactor) {
  return Initialized() && FCoreWebView2Controller->SetZoomFactor(aZoomFactor);
}

bool TWVBrowserBase::SetBoundsAndZoomFactor(const Rect& aBounds, double aZoomFactor) {
  return Initialized() && FCoreWebView2Controller->SetBoundsAndZoomFactor(ToRECT(aBounds), aZoomFactor);
}

bool TWVBrowserBase::ApplyZoomStep(std::int32_t aStep) {
  if (!Initialized() || aStep < 0 || aStep >= kZoomStepCount) return false;
  if (!SetZoomFactor(kZoomSteps[aStep])) return false;
  // Kept at once: the runtime's ZoomFactorChanged may come later, or not at all for an unchanged factor.
  FZoomStep = aStep;
  return true;
}

bool TWVBrowserBase::IncZoomStep() {
  const std::int32_t current = FZoomStep < 0 ? NearestZoomStep(ZoomFactor()) : FZoomStep;
  return ApplyZoomStep(current + 1);
}

bool TWVBrowserBase::DecZoomStep() {
  const std::int32_t current = FZoomStep < 0 ? NearestZoomStep(ZoomFactor()) : FZoomStep;
  return ApplyZoomStep(current - 1);
}

bool TWVBrowserBase::ResetZoom() { return ApplyZoomStep(kDefaultZoomStep); }

// --- Webview ---

std::u16string TWVBrowserBase::Source() const {
  return Initialized() ? FCoreWebView2->Source() : std::u16string();
}

std::u16string TWVBrowserBase::DocumentTitle() const {
  return Initialized() ? FCoreWebView2->DocumentTitle() : std::u16string();
}

std::uint32_t TWVBrowserBase::BrowserProcessID() const {
  return Initialized() ? FCoreWebView2->BrowserProcessId() : 0;
}

bool TWVBrowserBase::CanGoBack() const { return Initialized() && FCoreWebView2->CanGoBack(); }
bool TWVBrowserBase::CanGoForward() const { return Initialized() && FCoreWebView2->CanGoForward(); }
bool TWVBrowserBase::ContainsFullScreenElement() const {
  return Initialized() && FCoreWebView2->ContainsFullScreenElement();
}
bool TWVBrowserBase::GoBack() { return Initialized() && FCoreWebView2->GoBack(); }
bool TWVBrowserBase::GoForward() { return Initialized() && FCoreWebView2->GoForward(); }
bool TWVBrowserBase::Refresh() { return Initialized() && FCoreWebView2->Reload(); }
bool TWVBrowserBase::Stop() { return Initialized() && FCoreWebView2->Stop(); }

bool TWVBrowserBase::NavigateToString(std::u16string_view aHTMLContent) {
  return Initialized() && FCoreWebView2->NavigateToString(std::u16string(aHTMLContent));
}

bool TWVBrowserBase::PostWebMessageAsJson(std::u16string_view aWebMessageAsJson) {
  return Initialized() && FCoreWebView2->PostWebMessageAsJson(std::u16string(aWebMessageAsJson));
}

bool TWVBrowserBase::PostWebMessageAsString(std::u16string_view aWebMessageAsString) {
  return Initialized() && FCoreWebView2->PostWebMessageAsString(std::u16string(aWebMessageAsString));
}

bool TWVBrowserBase::AddScriptToExecuteOnDocumentCreated(std::u16string_view aJavaScript) {
  return Initialized() &&
         FCoreWebView2->AddScriptToExecuteOnDocumentCreated(std::u16string(aJavaScript), this);
}

bool TWVBrowserBase::RemoveScriptToExecuteOnDocumentCreated(std::u16string_view aID) {
  return Initialized() && FCoreWebView2->RemoveScriptToExecuteOnDocumentCreated(std::u16string(aID));
}

bool TWVBrowserBase::CapturePreview(COREWEBVIEW2_CAPTURE_PREVIEW_IMAGE_FORMAT aImageFormat,
                                    IStream* aImageStream) {
  return Initialized() && FCoreWebView2->CapturePreview(aImageFormat, aImageStream, this);
}

bool TWVBrowserBase::CallDevToolsProtocolMethod(std::u16string_view aMethodName,
                                                std::u16string_view aParametersAsJson,
                                                std::int32_t aExecutionID) {
  return Initialized() &&
         FCoreWebView2->CallDevToolsProtocolMethod(std::u16string(aMethodName),
                                                   std::u16string(aParametersAsJson), this, aExecutionID);
}

bool TWVBrowserBase::OpenDevToolsWindow() { return Initialized() && FCoreWebView2->OpenDevToolsWindow(); }

bool TWVBrowserBase::AddWebResourceRequestedFilter(std::u16string_view aURI,
                                                   COREWEBVIEW2_WEB_RESOURCE_CONTEXT aContext) {
  return Initialized() && FCoreWebView2->AddWebResourceRequestedFilter(std::u16string(aURI), aContext);
}

bool TWVBrowserBase::RemoveWebResourceRequestedFilter(std::u16string_view aURI,
                                                      COREWEBVIEW2_WEB_RESOURCE_CONTEXT aContext) {
  return Initialized() && FCoreWebView2->RemoveWebResourceRequestedFilter(std::u16string(aURI), aContext);
}

bool TWVBrowserBase::TrySuspend() { return Initialized() && FCoreWebView2->TrySuspend(this); }
bool TWVBrowserBase::Resume() { return Initialized() && FCoreWebView2->Resume(); }
bool TWVBrowserBase::IsSuspended() const { return Initialized() && FCoreWebView2->IsSuspended(); }
bool TWVBrowserBase::IsMuted() const { return Initialized() && FCoreWebView2->IsMuted(); }
bool TWVBrowserBase::SetIsMuted(bool aMuted) { return Initialized() && FCoreWebView2->SetIsMuted(aMuted); }
bool TWVBrowserBase::ToggleMuteState() {
  return Initialized() && FCoreWebView2->SetIsMuted(!FCoreWebView2->IsMuted());
}
bool TWVBrowserBase::IsDocumentPlayingAudio() const {
  return Initialized() && FCoreWebView2->IsDocumentPlayingAudio();
}
bool TWVBrowserBase::OpenTaskManagerWindow() {
  return Initialized() && FCoreWebView2->OpenTaskManagerWindow();
}

bool TWVBrowserBase::ExecuteScriptWithResult(std::u16string_view aJavaScript, std::int32_t aExecutionID) {
  if (!Initialized() || aJavaScript.empty()) return false;
  return FCoreWebView2->ExecuteScriptWithResult(std::u16string(aJavaScript), this, aExecutionID);
}

std::u16string TWVBrowserBase::StatusBarText() const {
  return Initialized() ? FCoreWebView2->StatusBarText() : std::u16string();
}

ICoreWebView2PrintSettings* TWVBrowserBase::PrintSettingsIntf() const {
  return FCoreWebView2PrintSettings ? FCoreWebView2PrintSettings->BaseIntf() : nullptr;
}

bool TWVBrowserBase::Print() { return Initialized() && FCoreWebView2->Print(PrintSettingsIntf(), this); }

bool TWVBrowserBase::ShowPrintUI(COREWEBVIEW2_PRINT_DIALOG_KIND aPrintDialogKind) {
  return Initialized() && FCoreWebView2->ShowPrintUI(aPrintDialogKind);
}

bool TWVBrowserBase::PrintToPdf(std::u16string_view aResultFilePath) {
  return Initialized() &&
         FCoreWebView2->PrintToPdf(std::u16string(aResultFilePath), PrintSettingsIntf(), this);
}

bool TWVBrowserBase::PrintToPdfStream() {
  return Initialized() && FCoreWebView2->PrintToPdfStream(PrintSettingsIntf(), this);
}

bool TWVBrowserBase::ShowSaveAsUI() { return Initialized() && FCoreWebView2->ShowSaveAsUI(this); }

bool TWVBrowserBase::GetFavicon(COREWEBVIEW2_FAVICON_IMAGE_FORMAT aFormat) {
  return Initialized() && FCoreWebView2->GetFavicon(aFormat, this);
}

bool TWVBrowserBase::ClearServerCertificateErrorActions() {
  return Initialized() && FCoreWebView2->ClearServerCertificateErrorActions(this);
}

bool TWVBrowserBase::OpenDefaultDownloadDialog() {
  return Initialized() && FCoreWebView2->OpenDefaultDownloadDialog();
}

bool TWVBrowserBase::CloseDefaultDownloadDialog() {
  return Initialized() && FCoreWebView2->CloseDefaultDownloadDialog();
}

bool TWVBrowserBase::SetVirtualHostNameToFolderMapping(std::u16string_view aHostName,
                                                       std::u16string_view aFolderPath,
                                                       COREWEBVIEW2_HOST_RESOURCE_ACCESS_KIND aAccessKind) {
  return Initialized() && FCoreWebView2->SetVirtualHostNameToFolderMapping(
                              std::u16string(aHostName), std::u16string(aFolderPath), aAccessKind);
}

bool TWVBrowserBase::ClearVirtualHostNameToFolderMapping(std::u16string_view aHostName) {
  return Initialized() && FCoreWebView2->ClearVirtualHostNameToFolderMapping(std::u16string(aHostName));
}

bool TWVBrowserBase::RemoveHostObjectFromScript(std::u16string_view aName) {
  return Initialized() && FCoreWebView2->RemoveHostObjectFromScript(std::u16string(aName));
}

bool TWVBrowserBase::NavigateWithWebResourceRequest(ICoreWebView2WebResourceRequest* aRequest) {
  return Initialized() && aRequest != nullptr && FCoreWebView2->NavigateWithWebResourceRequest(aRequest);
}

bool TWVBrowserBase::CallDevToolsProtocolMethodForSession(std::u16string_view aSessionID,
                                                          std::u16string_view aMethodName,
                                                          std::u16string_view aParametersAsJson,
                                                          std::int32_t aExecutionID) {
  return Initialized() && FCoreWebView2->CallDevToolsProtocolMethodForSession(
                              std::u16string(aSessionID), std::u16string(aMethodName),
                              std::u16string(aParametersAsJson), this, aExecutionID);
}

// --- Profile ---

bool TWVBrowserBase::ClearBrowsingData(COREWEBVIEW2_BROWSING_DATA_KINDS aDataKinds) {
  return Initialized() && FCoreWebView2Profile && FCoreWebView2Profile->ClearBrowsingData(aDataKinds, this);
}

bool TWVBrowserBase::ClearBrowsingDataInTimeRange(COREWEBVIEW2_BROWSING_DATA_KINDS aDataKinds,
                                                  double aStartTime, double aEndTime) {
  return Initialized() && FCoreWebView2Profile &&
         FCoreWebView2Profile->ClearBrowsingDataInTimeRange(aDataKinds, aStartTime, aEndTime, this);
}

bool TWVBrowserBase::ClearBrowsingDataAll() {
  return Initialized() && FCoreWebView2Profile && FCoreWebView2Profile->ClearBrowsingDataAll(this);
}

bool TWVBrowserBase::SetPermissionState(COREWEBVIEW2_PERMISSION_KIND aPermissionKind,
                                        std::u16string_view aOrigin, COREWEBVIEW2_PERMISSION_STATE aState) {
  return Initialized() && FCoreWebView2Profile &&
         FCoreWebView2Profile->SetPermissionState(aPermissionKind, std::u16string(aOrigin), aState, this);
}

bool TWVBrowserBase::GetNonDefaultPermissionSettings() {
  return Initialized() && FCoreWebView2Profile && FCoreWebView2Profile->GetNonDefaultPermissionSettings(this);
}

bool TWVBrowserBase::AddBrowserExtension(std::u16string_view aExtensionFolderPath) {
  return Initialized() && FCoreWebView2Profile &&
         FCoreWebView2Profile->AddBrowserExtension(std::u16string(aExtensionFolderPath), this);
}

bool TWVBrowserBase::GetBrowserExtensions() {
  return Initialized() && FCoreWebView2Profile && FCoreWebView2Profile->GetBrowserExtensions(this);
}

bool TWVBrowserBase::DeleteProfile() {
  return Initialized() && FCoreWebView2Profile && FCoreWebView2Profile->Delete();
}

// --- Settings ---

bool TWVBrowserBase::ScriptEnabled() const {
  return Initialized() && FCoreWebView2Settings->IsScriptEnabled();
}
bool TWVBrowserBase::SetScriptEnabled(bool aEnabled) {
  return Initialized() && FCoreWebView2Settings->SetIsScriptEnabled(aEnabled);
}
bool TWVBrowserBase::WebMessageEnabled() const {
  return Initialized() && FCoreWebView2Settings->IsWebMessageEnabled();
}
bool TWVBrowserBase::SetWebMessageEnabled(bool aEnabled) {
  return Initialized() && FCoreWebView2Settings->SetIsWebMessageEnabled(aEnabled);
}
bool TWVBrowserBase::DefaultScriptDialogsEnabled() const {
  return Initialized() && FCoreWebView2Settings->AreDefaultScriptDialogsEnabled();
}
bool TWVBrowserBase::SetDefaultScriptDialogsEnabled(bool aEnabled) {
  return Initialized() && FCoreWebView2Settings->SetAreDefaultScriptDialogsEnabled(aEnabled);
}
bool TWVBrowserBase::StatusBarEnabled() const {
  return Initialized() && FCoreWebView2Settings->IsStatusBarEnabled();
}
bool TWVBrowserBase::SetStatusBarEnabled(bool aEnabled) {
  return Initialized() && FCoreWebView2Settings->SetIsStatusBarEnabled(aEnabled);
}
bool TWVBrowserBase::DevToolsEnabled() const {
  return Initialized() && FCoreWebView2Settings->AreDevToolsEnabled();
}
bool TWVBrowserBase::SetDevToolsEnabled(bool aEnabled) {
  return Initialized() && FCoreWebView2Settings->SetAreDevToolsEnabled(aEnabled);
}
bool TWVBrowserBase::DefaultContextMenusEnabled() const {
  return Initialized() && FCoreWebView2Settings->AreDefaultContextMenusEnabled();
}
bool TWVBrowserBase::SetDefaultContextMenusEnabled(bool aEnabled) {
  return Initialized() && FCoreWebView2Settings->SetAreDefaultContextMenusEnabled(aEnabled);
}
bool TWVBrowserBase::AllowHostObjects() const {
  return Initialized() && FCoreWebView2Settings->AreHostObjectsAllowed();
}
bool TWVBrowserBase::SetAllowHostObjects(bool aAllowed) {
  return Initialized() && FCoreWebView2Settings->SetAreHostObjectsAllowed(aAllowed);
}
bool TWVBrowserBase::ZoomControlEnabled() const {
  return Initialized() && FCoreWebView2Settings->IsZoomControlEnabled();
}
bool TWVBrowserBase::SetZoomControlEnabled(bool aEnabled) {
  return Initialized() && FCoreWebView2Settings->SetIsZoomControlEnabled(aEnabled);
}
bool TWVBrowserBase::BuiltInErrorPageEnabled() const {
  return Initialized() && FCoreWebView2Settings->IsBuiltInErrorPageEnabled();
}
bool TWVBrowserBase::SetBuiltInErrorPageEnabled(bool aEnabled) {
  return Initialized() && FCoreWebView2Settings->SetIsBuiltInErrorPageEnabled(aEnabled);
}

}  // namespace velmoran::webview
