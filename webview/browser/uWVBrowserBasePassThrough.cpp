#include "webview/browser/uWVBrowserBase.h"

// The runtime callbacks that the control passes straight on: each raises its
// event with the runtime's arguments unchanged and answers S_OK, whether a
// handler ran or not. The callbacks with work of their own are in
// uWVBrowserBaseEvents.cpp.

namespace velmoran::webview {

HRESULT TWVBrowserBase::HandleBrowserProcessExited(ICoreWebView2Environment* sender,
                                                   ICoreWebView2BrowserProcessExitedEventArgs* args) {
  NotifyBrowserProcessExited(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleProcessInfosChanged(ICoreWebView2Environment* sender, IUnknown* args) {
  NotifyProcessInfosChanged(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleSourceChanged(ICoreWebView2* sender,
                                            ICoreWebView2SourceChangedEventArgs* args) {
  NotifySourceChanged(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleHistoryChanged(ICoreWebView2* sender, IUnknown* args) {
  NotifyHistoryChanged(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleContentLoading(ICoreWebView2* sender,
                                             ICoreWebView2ContentLoadingEventArgs* args) {
  NotifyContentLoading(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleDocumentTitleChanged(ICoreWebView2* sender, IUnknown* args) {
  NotifyDocumentTitleChanged(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleNewWindowRequested(ICoreWebView2* sender,
                                                 ICoreWebView2NewWindowRequestedEventArgs* args) {
  NotifyNewWindowRequested(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleFrameNavigationStarting(ICoreWebView2* sender,
                                                      ICoreWebView2NavigationStartingEventArgs* args) {
  NotifyFrameNavigationStarting(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleFrameNavigationCompleted(ICoreWebView2* sender,
                                                       ICoreWebView2NavigationCompletedEventArgs* args) {
  NotifyFrameNavigationCompleted(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleWebResourceRequested(ICoreWebView2* sender,
                                                   ICoreWebView2WebResourceRequestedEventArgs* args) {
  NotifyWebResourceRequested(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleScriptDialogOpening(ICoreWebView2* sender,
                                                  ICoreWebView2ScriptDialogOpeningEventArgs* args) {
  NotifyScriptDialogOpening(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandlePermissionRequested(ICoreWebView2* sender,
                                                  ICoreWebView2PermissionRequestedEventArgs* args) {
  NotifyPermissionRequested(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleProcessFailed(ICoreWebView2* sender,
                                            ICoreWebView2ProcessFailedEventArgs* args) {
  NotifyProcessFailed(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleWebMessageReceived(ICoreWebView2* sender,
                                                 ICoreWebView2WebMessageReceivedEventArgs* args) {
  NotifyWebMessageReceived(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleContainsFullScreenElementChanged(ICoreWebView2* sender, IUnknown* args) {
  NotifyContainsFullScreenElementChanged(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleWindowCloseRequested(ICoreWebView2* sender, IUnknown* args) {
  NotifyWindowCloseRequested(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleWebResourceResponseReceived(
    ICoreWebView2* sender, ICoreWebView2WebResourceResponseReceivedEventArgs* args) {
  NotifyWebResourceResponseReceived(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleDOMContentLoaded(ICoreWebView2* sender,
                                               ICoreWebView2DOMContentLoadedEventArgs* args) {
  NotifyDOMContentLoaded(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleFrameCreated(ICoreWebView2* sender, ICoreWebView2FrameCreatedEventArgs* args) {
  NotifyFrameCreated(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleDownloadStarting(ICoreWebView2* sender,
                                               ICoreWebView2DownloadStartingEventArgs* args) {
  NotifyDownloadStarting(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleClientCertificateRequested(
    ICoreWebView2* sender, ICoreWebView2ClientCertificateRequestedEventArgs* args) {
  NotifyClientCertificateRequested(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleIsMutedChanged(ICoreWebView2* sender, IUnknown* args) {
  NotifyIsMutedChanged(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleIsDocumentPlayingAudioChanged(ICoreWebView2* sender, IUnknown* args) {
  NotifyIsDocumentPlayingAudioChanged(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleIsDefaultDownloadDialogOpenChanged(ICoreWebView2* sender, IUnknown* args) {
  NotifyIsDefaultDownloadDialogOpenChanged(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleBasicAuthenticationRequested(
    ICoreWebView2* sender, ICoreWebView2BasicAuthenticationRequestedEventArgs* args) {
  NotifyBasicAuthenticationRequested(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleContextMenuRequested(ICoreWebView2* sender,
                                                   ICoreWebView2ContextMenuRequestedEventArgs* args) {
  NotifyContextMenuRequested(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleStatusBarTextChanged(ICoreWebView2* sender, IUnknown* args) {
  NotifyStatusBarTextChanged(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleServerCertificateErrorDetected(
    ICoreWebView2* sender, ICoreWebView2ServerCertificateErrorDetectedEventArgs* args) {
  NotifyServerCertificateErrorDetected(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleFaviconChanged(ICoreWebView2* sender, IUnknown* args) {
  NotifyFaviconChanged(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleLaunchingExternalUriScheme(
    ICoreWebView2* sender, ICoreWebView2LaunchingExternalUriSchemeEventArgs* args) {
  NotifyLaunchingExternalUriScheme(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleNotificationReceived(ICoreWebView2* sender,
                                                   ICoreWebView2NotificationReceivedEventArgs* args) {
  NotifyNotificationReceived(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleSaveAsUIShowing(ICoreWebView2* sender,
                                              ICoreWebView2SaveAsUIShowingEventArgs* args) {
  NotifySaveAsUIShowing(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleSaveFileSecurityCheckStarting(
    ICoreWebView2* sender, ICoreWebView2SaveFileSecurityCheckStartingEventArgs* args) {
  NotifySaveFileSecurityCheckStarting(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleScreenCaptureStarting(ICoreWebView2* sender,
                                                    ICoreWebView2ScreenCaptureStartingEventArgs* args) {
  NotifyScreenCaptureStarting(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleAcceleratorKeyPressed(ICoreWebView2Controller* sender,
                                                    ICoreWebView2AcceleratorKeyPressedEventArgs* args) {
  NotifyAcceleratorKeyPressed(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleGotFocus(ICoreWebView2Controller* sender, IUnknown* args) {
  NotifyGotFocus(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleLostFocus(ICoreWebView2Controller* sender, IUnknown* args) {
  NotifyLostFocus(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleMoveFocusRequested(ICoreWebView2Controller* sender,
                                                 ICoreWebView2MoveFocusRequestedEventArgs* args) {
  NotifyMoveFocusRequested(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleRasterizationScaleChanged(ICoreWebView2Controller* sender, IUnknown* args) {
  NotifyRasterizationScaleChanged(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleProfileDeleted(ICoreWebView2Profile* sender, IUnknown* args) {
  NotifyProfileDeleted(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleExecuteScriptWithResultCompleted(HRESULT errorCode,
                                                               ICoreWebView2ExecuteScriptResult* result,
                                                               std::int32_t executionId) {
  NotifyExecuteScriptWithResultCompleted(errorCode, result, executionId);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleCapturePreviewCompleted(HRESULT errorCode) {
  NotifyCapturePreviewCompleted(errorCode);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleClearBrowsingDataCompleted(HRESULT errorCode) {
  NotifyClearBrowsingDataCompleted(errorCode);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleClearServerCertificateErrorActionsCompleted(HRESULT errorCode) {
  NotifyServerCertificateErrorActionsCompleted(errorCode);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleGetFaviconCompleted(HRESULT errorCode, IStream* faviconStream) {
  NotifyGetFaviconCompleted(errorCode, faviconStream);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleGetNonDefaultPermissionSettingsCompleted(
    HRESULT errorCode, ICoreWebView2PermissionSettingCollectionView* collectionView) {
  NotifyGetNonDefaultPermissionSettingsCompleted(errorCode, collectionView);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleGetProcessExtendedInfosCompleted(
    HRESULT errorCode, ICoreWebView2ProcessExtendedInfoCollection* value) {
  NotifyGetProcessExtendedInfosCompleted(errorCode, value);
  return S_OK;
}

HRESULT TWVBrowserBase::HandlePrintCompleted(HRESULT errorCode, COREWEBVIEW2_PRINT_STATUS printStatus) {
  NotifyPrintCompleted(errorCode, printStatus);
  return S_OK;
}

HRESULT TWVBrowserBase::HandlePrintToPdfStreamCompleted(HRESULT errorCode, IStream* pdfStream) {
  NotifyPrintToPdfStreamCompleted(errorCode, pdfStream);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleProfileAddBrowserExtensionCompleted(HRESULT errorCode,
                                                                  ICoreWebView2BrowserExtension* extension) {
  NotifyProfileAddBrowserExtensionCompleted(errorCode, extension);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleProfileGetBrowserExtensionsCompleted(
    HRESULT errorCode, ICoreWebView2BrowserExtensionList* extensionList) {
  NotifyProfileGetBrowserExtensionsCompleted(errorCode, extensionList);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleSetPermissionStateCompleted(HRESULT errorCode) {
  NotifySetPermissionStateCompleted(errorCode);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleShowSaveAsUICompleted(HRESULT errorCode,
                                                    COREWEBVIEW2_SAVE_AS_UI_RESULT result) {
  NotifyShowSaveAsUICompleted(errorCode, result);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleGetCookiesCompleted(HRESULT errorCode, ICoreWebView2CookieList* cookieList) {
  NotifyGetCookiesCompleted(errorCode, cookieList);
  return S_OK;
}

}  // namespace velmoran::webview
