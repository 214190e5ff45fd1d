#include "webview/browser/TWVBrowserBase.h"

// The notifiers: each raises its event with the control as Sender, when the
// application assigned a handler, and does nothing otherwise.

namespace velmoran::webview {

void TWVBrowserBase::NotifyInitializationError(HRESULT aErrorCode, const std::u16string& aErrorMessage) {
  if (OnInitializationError) OnInitializationError(this, aErrorCode, aErrorMessage);
}

void TWVBrowserBase::NotifyEnvironmentCompleted() {
  if (OnEnvironmentCompleted) OnEnvironmentCompleted(this);
}

void TWVBrowserBase::NotifyControllerCompleted() {
  if (OnControllerCompleted) OnControllerCompleted(this);
}

void TWVBrowserBase::NotifyAfterCreated() {
  if (OnAfterCreated) OnAfterCreated(this);
}

void TWVBrowserBase::NotifyExecuteScriptCompleted(HRESULT aErrorCode,
                                                  const std::u16string& aResultObjectAsJson,
                                                  std::int32_t aExecutionID) {
  if (OnExecuteScriptCompleted) OnExecuteScriptCompleted(this, aErrorCode, aResultObjectAsJson, aExecutionID);
}

void TWVBrowserBase::NotifyCapturePreviewCompleted(HRESULT aErrorCode) {
  if (OnCapturePreviewCompleted) OnCapturePreviewCompleted(this, aErrorCode);
}

void TWVBrowserBase::NotifyNavigationStarting(ICoreWebView2* aWebView,
                                              ICoreWebView2NavigationStartingEventArgs* aArgs) {
  if (OnNavigationStarting) OnNavigationStarting(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyNavigationCompleted(ICoreWebView2* aWebView,
                                               ICoreWebView2NavigationCompletedEventArgs* aArgs) {
  if (OnNavigationCompleted) OnNavigationCompleted(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyFrameNavigationStarting(ICoreWebView2* aWebView,
                                                   ICoreWebView2NavigationStartingEventArgs* aArgs) {
  if (OnFrameNavigationStarting) OnFrameNavigationStarting(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyFrameNavigationCompleted(ICoreWebView2* aWebView,
                                                    ICoreWebView2NavigationCompletedEventArgs* aArgs) {
  if (OnFrameNavigationCompleted) OnFrameNavigationCompleted(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifySourceChanged(ICoreWebView2* aWebView,
                                         ICoreWebView2SourceChangedEventArgs* aArgs) {
  if (OnSourceChanged) OnSourceChanged(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyHistoryChanged(ICoreWebView2* aWebView, IUnknown* aArgs) {
  if (OnHistoryChanged) OnHistoryChanged(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyContentLoading(ICoreWebView2* aWebView,
                                          ICoreWebView2ContentLoadingEventArgs* aArgs) {
  if (OnContentLoading) OnContentLoading(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyDocumentTitleChanged(ICoreWebView2* aWebView, IUnknown* aArgs) {
  if (OnDocumentTitleChanged) OnDocumentTitleChanged(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyNewWindowRequested(ICoreWebView2* aWebView,
                                              ICoreWebView2NewWindowRequestedEventArgs* aArgs) {
  if (OnNewWindowRequested) OnNewWindowRequested(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyWebResourceRequested(ICoreWebView2* aWebView,
                                                ICoreWebView2WebResourceRequestedEventArgs* aArgs) {
  if (OnWebResourceRequested) OnWebResourceRequested(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyScriptDialogOpening(ICoreWebView2* aWebView,
                                               ICoreWebView2ScriptDialogOpeningEventArgs* aArgs) {
  if (OnScriptDialogOpening) OnScriptDialogOpening(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyPermissionRequested(ICoreWebView2* aWebView,
                                               ICoreWebView2PermissionRequestedEventArgs* aArgs) {
  if (OnPermissionRequested) OnPermissionRequested(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyProcessFailed(ICoreWebView2* aWebView,
                                         ICoreWebView2ProcessFailedEventArgs* aArgs) {
  if (OnProcessFailed) OnProcessFailed(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyWebMessageReceived(ICoreWebView2* aWebView,
                                              ICoreWebView2WebMessageReceivedEventArgs* aArgs) {
  if (OnWebMessageReceived) OnWebMessageReceived(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyContainsFullScreenElementChanged(ICoreWebView2* aWebView, IUnknown* aArgs) {
  if (OnContainsFullScreenElementChanged) OnContainsFullScreenElementChanged(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyWindowCloseRequested(ICoreWebView2* aWebView, IUnknown* aArgs) {
  if (OnWindowCloseRequested) OnWindowCloseRequested(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyDevToolsProtocolEventReceived(ICoreWebView2* aWebView, IUnknown* aArgs,
                                                         const std::u16string& aEventName,
                                                         std::int32_t aEventID) {
  if (OnDevToolsProtocolEventReceived)
    OnDevToolsProtocolEventReceived(this, aWebView, aArgs, aEventName, aEventID);
}

void TWVBrowserBase::NotifyZoomFactorChanged(ICoreWebView2Controller* aController, IUnknown* aArgs) {
  if (OnZoomFactorChanged) OnZoomFactorChanged(this, aController, aArgs);
}

void TWVBrowserBase::NotifyMoveFocusRequested(ICoreWebView2Controller* aController,
                                              ICoreWebView2MoveFocusRequestedEventArgs* aArgs) {
  if (OnMoveFocusRequested) OnMoveFocusRequested(this, aController, aArgs);
}

void TWVBrowserBase::NotifyAcceleratorKeyPressed(ICoreWebView2Controller* aController,
                                                 ICoreWebView2AcceleratorKeyPressedEventArgs* aArgs) {
  if (OnAcceleratorKeyPressed) OnAcceleratorKeyPressed(this, aController, aArgs);
}

void TWVBrowserBase::NotifyGotFocus(ICoreWebView2Controller* aController, IUnknown* aArgs) {
  if (OnGotFocus) OnGotFocus(this, aController, aArgs);
}

void TWVBrowserBase::NotifyLostFocus(ICoreWebView2Controller* aController, IUnknown* aArgs) {
  if (OnLostFocus) OnLostFocus(this, aController, aArgs);
}

void TWVBrowserBase::NotifyCompositionControllerCompleted() {
  if (OnCompositionControllerCompleted) OnCompositionControllerCompleted(this);
}

void TWVBrowserBase::NotifyCursorChanged(ICoreWebView2CompositionController* aController, IUnknown* aArgs) {
  if (OnCursorChanged) OnCursorChanged(this, aController, aArgs);
}

void TWVBrowserBase::NotifyBrowserProcessExited(ICoreWebView2Environment* aEnvironment,
                                                ICoreWebView2BrowserProcessExitedEventArgs* aArgs) {
  if (OnBrowserProcessExited) OnBrowserProcessExited(this, aEnvironment, aArgs);
}

void TWVBrowserBase::NotifyRasterizationScaleChanged(ICoreWebView2Controller* aController, IUnknown* aArgs) {
  if (OnRasterizationScaleChanged) OnRasterizationScaleChanged(this, aController, aArgs);
}

void TWVBrowserBase::NotifyWebResourceResponseReceived(
    ICoreWebView2* aWebView, ICoreWebView2WebResourceResponseReceivedEventArgs* aArgs) {
  if (OnWebResourceResponseReceived) OnWebResourceResponseReceived(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyDOMContentLoaded(ICoreWebView2* aWebView,
                                            ICoreWebView2DOMContentLoadedEventArgs* aArgs) {
  if (OnDOMContentLoaded) OnDOMContentLoaded(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyWebResourceResponseViewGetContentCompleted(HRESULT aErrorCode, IStream* aContents,
                                                                      std::int32_t aResourceID) {
  if (OnWebResourceResponseViewGetContentCompleted)
    OnWebResourceResponseViewGetContentCompleted(this, aErrorCode, aContents, aResourceID);
}

void TWVBrowserBase::NotifyGetCookiesCompleted(HRESULT aErrorCode, ICoreWebView2CookieList* aResult) {
  if (OnGetCookiesCompleted) OnGetCookiesCompleted(this, aErrorCode, aResult);
}

void TWVBrowserBase::NotifyTrySuspendCompleted(HRESULT aErrorCode, bool aIsSuccessful) {
  if (OnTrySuspendCompleted) OnTrySuspendCompleted(this, aErrorCode, aIsSuccessful);
}

void TWVBrowserBase::NotifyFrameCreated(ICoreWebView2* aWebView, ICoreWebView2FrameCreatedEventArgs* aArgs) {
  if (OnFrameCreated) OnFrameCreated(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyDownloadStarting(ICoreWebView2* aWebView,
                                            ICoreWebView2DownloadStartingEventArgs* aArgs) {
  if (OnDownloadStarting) OnDownloadStarting(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyClientCertificateRequested(
    ICoreWebView2* aWebView, ICoreWebView2ClientCertificateRequestedEventArgs* aArgs) {
  if (OnClientCertificateRequested) OnClientCertificateRequested(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyPrintToPdfCompleted(HRESULT aErrorCode, bool aIsSuccessful) {
  if (OnPrintToPdfCompleted) OnPrintToPdfCompleted(this, aErrorCode, aIsSuccessful);
}

void TWVBrowserBase::NotifyBytesReceivedChanged(IUnknown* aDownloadOperation, std::int32_t aDownloadID) {
  if (OnBytesReceivedChanged) OnBytesReceivedChanged(this, aDownloadOperation, aDownloadID);
}

void TWVBrowserBase::NotifyEstimatedEndTimeChanged(IUnknown* aDownloadOperation, std::int32_t aDownloadID) {
  if (OnEstimatedEndTimeChanged) OnEstimatedEndTimeChanged(this, aDownloadOperation, aDownloadID);
}

void TWVBrowserBase::NotifyDownloadStateChanged(IUnknown* aDownloadOperation, std::int32_t aDownloadID) {
  if (OnDownloadStateChanged) OnDownloadStateChanged(this, aDownloadOperation, aDownloadID);
}

void TWVBrowserBase::NotifyFrameNameChanged(IUnknown* aFrame, std::uint32_t aFrameID) {
  if (OnFrameNameChanged) OnFrameNameChanged(this, aFrame, aFrameID);
}

void TWVBrowserBase::NotifyFrameDestroyed(IUnknown* aFrame, std::uint32_t aFrameID) {
  if (OnFrameDestroyed) OnFrameDestroyed(this, aFrame, aFrameID);
}

void TWVBrowserBase::NotifyCallDevToolsProtocolMethodCompleted(HRESULT aErrorCode,
                                                               const std::u16string& aReturnObjectAsJson,
                                                               std::int32_t aExecutionID) {
  if (OnCallDevToolsProtocolMethodCompleted)
    OnCallDevToolsProtocolMethodCompleted(this, aErrorCode, aReturnObjectAsJson, aExecutionID);
}

void TWVBrowserBase::NotifyAddScriptToExecuteOnDocumentCreatedCompleted(HRESULT aErrorCode,
                                                                        const std::u16string& aID) {
  if (OnAddScriptToExecuteOnDocumentCreatedCompleted)
    OnAddScriptToExecuteOnDocumentCreatedCompleted(this, aErrorCode, aID);
}

void TWVBrowserBase::NotifyRetrieveHTMLCompleted(bool aResult, const std::u16string& aHTML) {
  if (OnRetrieveHTMLCompleted) OnRetrieveHTMLCompleted(this, aResult, aHTML);
}

void TWVBrowserBase::NotifyRetrieveTextCompleted(bool aResult, const std::u16string& aText) {
  if (OnRetrieveTextCompleted) OnRetrieveTextCompleted(this, aResult, aText);
}

void TWVBrowserBase::NotifyRetrieveMHTMLCompleted(bool aResult, const std::u16string& aMHTML) {
  if (OnRetrieveMHTMLCompleted) OnRetrieveMHTMLCompleted(this, aResult, aMHTML);
}

void TWVBrowserBase::NotifyClearCacheCompleted(bool aResult) {
  if (OnClearCacheCompleted) OnClearCacheCompleted(this, aResult);
}

void TWVBrowserBase::NotifyClearDataForOriginCompleted(bool aResult) {
  if (OnClearDataForOriginCompleted) OnClearDataForOriginCompleted(this, aResult);
}

void TWVBrowserBase::NotifyOfflineCompleted(bool aResult) {
  if (OnOfflineCompleted) OnOfflineCompleted(this, aResult);
}

void TWVBrowserBase::NotifyIgnoreCertificateErrorsCompleted(bool aResult) {
  if (OnIgnoreCertificateErrorsCompleted) OnIgnoreCertificateErrorsCompleted(this, aResult);
}

void TWVBrowserBase::NotifyRefreshIgnoreCacheCompleted(HRESULT aErrorCode,
                                                       const std::u16string& aResultObjectAsJson) {
  if (OnRefreshIgnoreCacheCompleted) OnRefreshIgnoreCacheCompleted(this, aErrorCode, aResultObjectAsJson);
}

void TWVBrowserBase::NotifySimulateKeyEventCompleted(bool aResult) {
  if (OnSimulateKeyEventCompleted) OnSimulateKeyEventCompleted(this, aResult);
}

void TWVBrowserBase::NotifyIsMutedChanged(ICoreWebView2* aWebView, IUnknown* aArgs) {
  if (OnIsMutedChanged) OnIsMutedChanged(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyIsDocumentPlayingAudioChanged(ICoreWebView2* aWebView, IUnknown* aArgs) {
  if (OnIsDocumentPlayingAudioChanged) OnIsDocumentPlayingAudioChanged(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyIsDefaultDownloadDialogOpenChanged(ICoreWebView2* aWebView, IUnknown* aArgs) {
  if (OnIsDefaultDownloadDialogOpenChanged) OnIsDefaultDownloadDialogOpenChanged(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyProcessInfosChanged(ICoreWebView2Environment* aEnvironment, IUnknown* aArgs) {
  if (OnProcessInfosChanged) OnProcessInfosChanged(this, aEnvironment, aArgs);
}

void TWVBrowserBase::NotifyFrameNavigationStarting2(IUnknown* aFrame,
                                                    ICoreWebView2NavigationStartingEventArgs* aArgs,
                                                    std::uint32_t aFrameID) {
  if (OnFrameNavigationStarting2) OnFrameNavigationStarting2(this, aFrame, aArgs, aFrameID);
}

void TWVBrowserBase::NotifyFrameNavigationCompleted2(IUnknown* aFrame,
                                                     ICoreWebView2NavigationCompletedEventArgs* aArgs,
                                                     std::uint32_t aFrameID) {
  if (OnFrameNavigationCompleted2) OnFrameNavigationCompleted2(this, aFrame, aArgs, aFrameID);
}

void TWVBrowserBase::NotifyFrameContentLoading(IUnknown* aFrame, ICoreWebView2ContentLoadingEventArgs* aArgs,
                                               std::uint32_t aFrameID) {
  if (OnFrameContentLoading) OnFrameContentLoading(this, aFrame, aArgs, aFrameID);
}

void TWVBrowserBase::NotifyFrameDOMContentLoaded(IUnknown* aFrame,
                                                 ICoreWebView2DOMContentLoadedEventArgs* aArgs,
                                                 std::uint32_t aFrameID) {
  if (OnFrameDOMContentLoaded) OnFrameDOMContentLoaded(this, aFrame, aArgs, aFrameID);
}

void TWVBrowserBase::NotifyFrameWebMessageReceived(IUnknown* aFrame,
                                                   ICoreWebView2WebMessageReceivedEventArgs* aArgs,
                                                   std::uint32_t aFrameID) {
  if (OnFrameWebMessageReceived) OnFrameWebMessageReceived(this, aFrame, aArgs, aFrameID);
}

void TWVBrowserBase::NotifyBasicAuthenticationRequested(
    ICoreWebView2* aWebView, ICoreWebView2BasicAuthenticationRequestedEventArgs* aArgs) {
  if (OnBasicAuthenticationRequested) OnBasicAuthenticationRequested(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyContextMenuRequested(ICoreWebView2* aWebView,
                                                ICoreWebView2ContextMenuRequestedEventArgs* aArgs) {
  if (OnContextMenuRequested) OnContextMenuRequested(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyCustomItemSelected(ICoreWebView2ContextMenuItem* aMenuItem, IUnknown* aArgs) {
  if (OnCustomItemSelected) OnCustomItemSelected(this, aMenuItem, aArgs);
}

void TWVBrowserBase::NotifyStatusBarTextChanged(ICoreWebView2* aWebView, IUnknown* aArgs) {
  if (OnStatusBarTextChanged) OnStatusBarTextChanged(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyFramePermissionRequested(IUnknown* aFrame,
                                                    ICoreWebView2PermissionRequestedEventArgs* aArgs,
                                                    std::uint32_t aFrameID) {
  if (OnFramePermissionRequested) OnFramePermissionRequested(this, aFrame, aArgs, aFrameID);
}

void TWVBrowserBase::NotifyClearBrowsingDataCompleted(HRESULT aErrorCode) {
  if (OnClearBrowsingDataCompleted) OnClearBrowsingDataCompleted(this, aErrorCode);
}

void TWVBrowserBase::NotifyServerCertificateErrorActionsCompleted(HRESULT aErrorCode) {
  if (OnServerCertificateErrorActionsCompleted) OnServerCertificateErrorActionsCompleted(this, aErrorCode);
}

void TWVBrowserBase::NotifyServerCertificateErrorDetected(
    ICoreWebView2* aWebView, ICoreWebView2ServerCertificateErrorDetectedEventArgs* aArgs) {
  if (OnServerCertificateErrorDetected) OnServerCertificateErrorDetected(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyFaviconChanged(ICoreWebView2* aWebView, IUnknown* aArgs) {
  if (OnFaviconChanged) OnFaviconChanged(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyGetFaviconCompleted(HRESULT aErrorCode, IStream* aFaviconStream) {
  if (OnGetFaviconCompleted) OnGetFaviconCompleted(this, aErrorCode, aFaviconStream);
}

void TWVBrowserBase::NotifyPrintCompleted(HRESULT aErrorCode, COREWEBVIEW2_PRINT_STATUS aPrintStatus) {
  if (OnPrintCompleted) OnPrintCompleted(this, aErrorCode, aPrintStatus);
}

void TWVBrowserBase::NotifyPrintToPdfStreamCompleted(HRESULT aErrorCode, IStream* aPdfStream) {
  if (OnPrintToPdfStreamCompleted) OnPrintToPdfStreamCompleted(this, aErrorCode, aPdfStream);
}

void TWVBrowserBase::NotifyGetCustomSchemes(std::vector<TWVCustomSchemeInfo>& aCustomSchemes) {
  if (OnGetCustomSchemes) OnGetCustomSchemes(this, aCustomSchemes);
}

void TWVBrowserBase::NotifyGetNonDefaultPermissionSettingsCompleted(
    HRESULT aErrorCode, ICoreWebView2PermissionSettingCollectionView* aCollectionView) {
  if (OnGetNonDefaultPermissionSettingsCompleted)
    OnGetNonDefaultPermissionSettingsCompleted(this, aErrorCode, aCollectionView);
}

void TWVBrowserBase::NotifySetPermissionStateCompleted(HRESULT aErrorCode) {
  if (OnSetPermissionStateCompleted) OnSetPermissionStateCompleted(this, aErrorCode);
}

void TWVBrowserBase::NotifyLaunchingExternalUriScheme(
    ICoreWebView2* aWebView, ICoreWebView2LaunchingExternalUriSchemeEventArgs* aArgs) {
  if (OnLaunchingExternalUriScheme) OnLaunchingExternalUriScheme(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyGetProcessExtendedInfosCompleted(
    HRESULT aErrorCode, ICoreWebView2ProcessExtendedInfoCollection* aValue) {
  if (OnGetProcessExtendedInfosCompleted) OnGetProcessExtendedInfosCompleted(this, aErrorCode, aValue);
}

void TWVBrowserBase::NotifyBrowserExtensionRemoveCompleted(HRESULT aErrorCode,
                                                           const std::u16string& aExtensionID) {
  if (OnBrowserExtensionRemoveCompleted) OnBrowserExtensionRemoveCompleted(this, aErrorCode, aExtensionID);
}

void TWVBrowserBase::NotifyBrowserExtensionEnableCompleted(HRESULT aErrorCode,
                                                           const std::u16string& aExtensionID) {
  if (OnBrowserExtensionEnableCompleted) OnBrowserExtensionEnableCompleted(this, aErrorCode, aExtensionID);
}

void TWVBrowserBase::NotifyProfileAddBrowserExtensionCompleted(HRESULT aErrorCode,
                                                               ICoreWebView2BrowserExtension* aExtension) {
  if (OnProfileAddBrowserExtensionCompleted)
    OnProfileAddBrowserExtensionCompleted(this, aErrorCode, aExtension);
}

void TWVBrowserBase::NotifyProfileGetBrowserExtensionsCompleted(
    HRESULT aErrorCode, ICoreWebView2BrowserExtensionList* aExtensionList) {
  if (OnProfileGetBrowserExtensionsCompleted)
    OnProfileGetBrowserExtensionsCompleted(this, aErrorCode, aExtensionList);
}

void TWVBrowserBase::NotifyProfileDeleted(ICoreWebView2Profile* aProfile, IUnknown* aArgs) {
  if (OnProfileDeleted) OnProfileDeleted(this, aProfile, aArgs);
}

void TWVBrowserBase::NotifyExecuteScriptWithResultCompleted(HRESULT aErrorCode,
                                                            ICoreWebView2ExecuteScriptResult* aResult,
                                                            std::int32_t aExecutionID) {
  if (OnExecuteScriptWithResultCompleted)
    OnExecuteScriptWithResultCompleted(this, aErrorCode, aResult, aExecutionID);
}

void TWVBrowserBase::NotifyNonClientRegionChanged(ICoreWebView2CompositionController* aController,
                                                  IUnknown* aArgs) {
  if (OnNonClientRegionChanged) OnNonClientRegionChanged(this, aController, aArgs);
}

void TWVBrowserBase::NotifyNotificationReceived(ICoreWebView2* aWebView,
                                                ICoreWebView2NotificationReceivedEventArgs* aArgs) {
  if (OnNotificationReceived) OnNotificationReceived(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyNotificationCloseRequested(IUnknown* aNotification, IUnknown* aArgs) {
  if (OnNotificationCloseRequested) OnNotificationCloseRequested(this, aNotification, aArgs);
}

void TWVBrowserBase::NotifySaveAsUIShowing(ICoreWebView2* aWebView,
                                           ICoreWebView2SaveAsUIShowingEventArgs* aArgs) {
  if (OnSaveAsUIShowing) OnSaveAsUIShowing(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyShowSaveAsUICompleted(HRESULT aErrorCode, COREWEBVIEW2_SAVE_AS_UI_RESULT aResult) {
  if (OnShowSaveAsUICompleted) OnShowSaveAsUICompleted(this, aErrorCode, aResult);
}

void TWVBrowserBase::NotifySaveFileSecurityCheckStarting(
    ICoreWebView2* aWebView, ICoreWebView2SaveFileSecurityCheckStartingEventArgs* aArgs) {
  if (OnSaveFileSecurityCheckStarting) OnSaveFileSecurityCheckStarting(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyScreenCaptureStarting(ICoreWebView2* aWebView,
                                                 ICoreWebView2ScreenCaptureStartingEventArgs* aArgs) {
  if (OnScreenCaptureStarting) OnScreenCaptureStarting(this, aWebView, aArgs);
}

void TWVBrowserBase::NotifyFrameScreenCaptureStarting(IUnknown* aFrame,
                                                      ICoreWebView2ScreenCaptureStartingEventArgs* aArgs,
                                                      std::uint32_t aFrameID) {
  if (OnFrameScreenCaptureStarting) OnFrameScreenCaptureStarting(this, aFrame, aArgs, aFrameID);
}

}  // namespace velmoran::webview
