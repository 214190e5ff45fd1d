#include "webview/browser/TWVBrowserBase.h"

// The runtime callbacks that the control passes straight on: each raises its
// event with the runtime's arguments unchanged and answers S_OK, whether a
// handler ran or not. The callbacks with work of their own are in
// TWVBrowserBaseEvents.cpp.

namespace velmoran::webview {

// NOLINTBEGIN(bugprone-macro-parentheses): SenderType and ArgsType are type names, which parentheses break.
// Handle<Event>(sender, args): raise <Event> with the runtime's arguments and answer S_OK.
#define VELMORAN_PASS_STRAIGHT_ON(Event, SenderType, ArgsType)                \
  HRESULT TWVBrowserBase::Handle##Event(SenderType* sender, ArgsType* args) { \
    Notify##Event(sender, args);                                              \
    return S_OK;                                                              \
  }
// NOLINTEND(bugprone-macro-parentheses)

VELMORAN_PASS_STRAIGHT_ON(BrowserProcessExited, ICoreWebView2Environment,
                          ICoreWebView2BrowserProcessExitedEventArgs)
VELMORAN_PASS_STRAIGHT_ON(ProcessInfosChanged, ICoreWebView2Environment, IUnknown)
VELMORAN_PASS_STRAIGHT_ON(SourceChanged, ICoreWebView2, ICoreWebView2SourceChangedEventArgs)
VELMORAN_PASS_STRAIGHT_ON(HistoryChanged, ICoreWebView2, IUnknown)
VELMORAN_PASS_STRAIGHT_ON(ContentLoading, ICoreWebView2, ICoreWebView2ContentLoadingEventArgs)
VELMORAN_PASS_STRAIGHT_ON(DocumentTitleChanged, ICoreWebView2, IUnknown)
VELMORAN_PASS_STRAIGHT_ON(NewWindowRequested, ICoreWebView2, ICoreWebView2NewWindowRequestedEventArgs)
VELMORAN_PASS_STRAIGHT_ON(FrameNavigationStarting, ICoreWebView2, ICoreWebView2NavigationStartingEventArgs)
VELMORAN_PASS_STRAIGHT_ON(FrameNavigationCompleted, ICoreWebView2, ICoreWebView2NavigationCompletedEventArgs)
VELMORAN_PASS_STRAIGHT_ON(WebResourceRequested, ICoreWebView2, ICoreWebView2WebResourceRequestedEventArgs)
VELMORAN_PASS_STRAIGHT_ON(ScriptDialogOpening, ICoreWebView2, ICoreWebView2ScriptDialogOpeningEventArgs)
VELMORAN_PASS_STRAIGHT_ON(PermissionRequested, ICoreWebView2, ICoreWebView2PermissionRequestedEventArgs)
VELMORAN_PASS_STRAIGHT_ON(ProcessFailed, ICoreWebView2, ICoreWebView2ProcessFailedEventArgs)
VELMORAN_PASS_STRAIGHT_ON(WebMessageReceived, ICoreWebView2, ICoreWebView2WebMessageReceivedEventArgs)
VELMORAN_PASS_STRAIGHT_ON(ContainsFullScreenElementChanged, ICoreWebView2, IUnknown)
VELMORAN_PASS_STRAIGHT_ON(WindowCloseRequested, ICoreWebView2, IUnknown)
VELMORAN_PASS_STRAIGHT_ON(WebResourceResponseReceived, ICoreWebView2,
                          ICoreWebView2WebResourceResponseReceivedEventArgs)
VELMORAN_PASS_STRAIGHT_ON(DOMContentLoaded, ICoreWebView2, ICoreWebView2DOMContentLoadedEventArgs)
VELMORAN_PASS_STRAIGHT_ON(ClientCertificateRequested, ICoreWebView2,
                          ICoreWebView2ClientCertificateRequestedEventArgs)
VELMORAN_PASS_STRAIGHT_ON(IsMutedChanged, ICoreWebView2, IUnknown)
VELMORAN_PASS_STRAIGHT_ON(IsDocumentPlayingAudioChanged, ICoreWebView2, IUnknown)
VELMORAN_PASS_STRAIGHT_ON(IsDefaultDownloadDialogOpenChanged, ICoreWebView2, IUnknown)
VELMORAN_PASS_STRAIGHT_ON(BasicAuthenticationRequested, ICoreWebView2,
                          ICoreWebView2BasicAuthenticationRequestedEventArgs)
VELMORAN_PASS_STRAIGHT_ON(ContextMenuRequested, ICoreWebView2, ICoreWebView2ContextMenuRequestedEventArgs)
VELMORAN_PASS_STRAIGHT_ON(StatusBarTextChanged, ICoreWebView2, IUnknown)
VELMORAN_PASS_STRAIGHT_ON(ServerCertificateErrorDetected, ICoreWebView2,
                          ICoreWebView2ServerCertificateErrorDetectedEventArgs)
VELMORAN_PASS_STRAIGHT_ON(FaviconChanged, ICoreWebView2, IUnknown)
VELMORAN_PASS_STRAIGHT_ON(LaunchingExternalUriScheme, ICoreWebView2,
                          ICoreWebView2LaunchingExternalUriSchemeEventArgs)
VELMORAN_PASS_STRAIGHT_ON(SaveAsUIShowing, ICoreWebView2, ICoreWebView2SaveAsUIShowingEventArgs)
VELMORAN_PASS_STRAIGHT_ON(SaveFileSecurityCheckStarting, ICoreWebView2,
                          ICoreWebView2SaveFileSecurityCheckStartingEventArgs)
VELMORAN_PASS_STRAIGHT_ON(ScreenCaptureStarting, ICoreWebView2, ICoreWebView2ScreenCaptureStartingEventArgs)
VELMORAN_PASS_STRAIGHT_ON(AcceleratorKeyPressed, ICoreWebView2Controller,
                          ICoreWebView2AcceleratorKeyPressedEventArgs)
VELMORAN_PASS_STRAIGHT_ON(GotFocus, ICoreWebView2Controller, IUnknown)
VELMORAN_PASS_STRAIGHT_ON(LostFocus, ICoreWebView2Controller, IUnknown)
VELMORAN_PASS_STRAIGHT_ON(MoveFocusRequested, ICoreWebView2Controller,
                          ICoreWebView2MoveFocusRequestedEventArgs)
VELMORAN_PASS_STRAIGHT_ON(RasterizationScaleChanged, ICoreWebView2Controller, IUnknown)
VELMORAN_PASS_STRAIGHT_ON(ProfileDeleted, ICoreWebView2Profile, IUnknown)

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

#undef VELMORAN_PASS_STRAIGHT_ON

}  // namespace velmoran::webview
