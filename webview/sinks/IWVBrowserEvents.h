#pragma once

// The browser control's callback face: where every browser-side sink delivers
// what the runtime called it with. One method per kind of callback, taking the
// runtime's arguments unchanged (plus the execution id for the completions
// that carry one) and answering the HRESULT the sink hands back to the runtime.
//
// Three handler interfaces serve two events each (NavigationStarting and
// FrameNavigationStarting, NavigationCompleted and FrameNavigationCompleted,
// GotFocus and LostFocus); each event has its own method here and its own sink,
// so the control can tell them apart.

#include <cstdint>
#include <string>

#include "webview/abi/WebView2Abi.h"
#include "webview/sinks/SinkTarget.h"

namespace velmoran::webview {

class IWVBrowserEvents : public SinkTarget {
 public:
  // Completions of the environment and of controller creation.
  virtual HRESULT HandleEnvironmentCompleted(HRESULT errorCode,
                                             ICoreWebView2Environment* createdEnvironment) = 0;
  virtual HRESULT HandleControllerCompleted(HRESULT errorCode,
                                            ICoreWebView2Controller* createdController) = 0;
  virtual HRESULT HandleCompositionControllerCompleted(
      HRESULT errorCode, ICoreWebView2CompositionController* createdController) = 0;

  // Events of the environment.
  virtual HRESULT HandleNewBrowserVersionAvailable(ICoreWebView2Environment* sender, IUnknown* args) = 0;
  virtual HRESULT HandleBrowserProcessExited(ICoreWebView2Environment* sender,
                                             ICoreWebView2BrowserProcessExitedEventArgs* args) = 0;
  virtual HRESULT HandleProcessInfosChanged(ICoreWebView2Environment* sender, IUnknown* args) = 0;

  // Events of the webview.
  virtual HRESULT HandleNavigationStarting(ICoreWebView2* sender,
                                           ICoreWebView2NavigationStartingEventArgs* args) = 0;
  virtual HRESULT HandleNavigationCompleted(ICoreWebView2* sender,
                                            ICoreWebView2NavigationCompletedEventArgs* args) = 0;
  virtual HRESULT HandleSourceChanged(ICoreWebView2* sender, ICoreWebView2SourceChangedEventArgs* args) = 0;
  virtual HRESULT HandleHistoryChanged(ICoreWebView2* sender, IUnknown* args) = 0;
  virtual HRESULT HandleContentLoading(ICoreWebView2* sender, ICoreWebView2ContentLoadingEventArgs* args) = 0;
  virtual HRESULT HandleDocumentTitleChanged(ICoreWebView2* sender, IUnknown* args) = 0;
  virtual HRESULT HandleNewWindowRequested(ICoreWebView2* sender,
                                           ICoreWebView2NewWindowRequestedEventArgs* args) = 0;
  virtual HRESULT HandleFrameNavigationStarting(ICoreWebView2* sender,
                                                ICoreWebView2NavigationStartingEventArgs* args) = 0;
  virtual HRESULT HandleFrameNavigationCompleted(ICoreWebView2* sender,
                                                 ICoreWebView2NavigationCompletedEventArgs* args) = 0;
  virtual HRESULT HandleWebResourceRequested(ICoreWebView2* sender,
                                             ICoreWebView2WebResourceRequestedEventArgs* args) = 0;
  virtual HRESULT HandleScriptDialogOpening(ICoreWebView2* sender,
                                            ICoreWebView2ScriptDialogOpeningEventArgs* args) = 0;
  virtual HRESULT HandlePermissionRequested(ICoreWebView2* sender,
                                            ICoreWebView2PermissionRequestedEventArgs* args) = 0;
  virtual HRESULT HandleProcessFailed(ICoreWebView2* sender, ICoreWebView2ProcessFailedEventArgs* args) = 0;
  virtual HRESULT HandleWebMessageReceived(ICoreWebView2* sender,
                                           ICoreWebView2WebMessageReceivedEventArgs* args) = 0;
  virtual HRESULT HandleContainsFullScreenElementChanged(ICoreWebView2* sender, IUnknown* args) = 0;
  virtual HRESULT HandleWindowCloseRequested(ICoreWebView2* sender, IUnknown* args) = 0;
  // A DevTools protocol event the control subscribed on request, with the
  // name and id it was subscribed under.
  virtual HRESULT HandleDevToolsProtocolEventReceived(
      ICoreWebView2* sender, ICoreWebView2DevToolsProtocolEventReceivedEventArgs* args,
      const std::u16string& eventName, std::int32_t eventID) = 0;
  virtual HRESULT HandleWebResourceResponseReceived(
      ICoreWebView2* sender, ICoreWebView2WebResourceResponseReceivedEventArgs* args) = 0;
  virtual HRESULT HandleDOMContentLoaded(ICoreWebView2* sender,
                                         ICoreWebView2DOMContentLoadedEventArgs* args) = 0;
  virtual HRESULT HandleFrameCreated(ICoreWebView2* sender, ICoreWebView2FrameCreatedEventArgs* args) = 0;
  virtual HRESULT HandleDownloadStarting(ICoreWebView2* sender,
                                         ICoreWebView2DownloadStartingEventArgs* args) = 0;
  virtual HRESULT HandleClientCertificateRequested(
      ICoreWebView2* sender, ICoreWebView2ClientCertificateRequestedEventArgs* args) = 0;
  virtual HRESULT HandleIsMutedChanged(ICoreWebView2* sender, IUnknown* args) = 0;
  virtual HRESULT HandleIsDocumentPlayingAudioChanged(ICoreWebView2* sender, IUnknown* args) = 0;
  virtual HRESULT HandleIsDefaultDownloadDialogOpenChanged(ICoreWebView2* sender, IUnknown* args) = 0;
  virtual HRESULT HandleBasicAuthenticationRequested(
      ICoreWebView2* sender, ICoreWebView2BasicAuthenticationRequestedEventArgs* args) = 0;
  virtual HRESULT HandleContextMenuRequested(ICoreWebView2* sender,
                                             ICoreWebView2ContextMenuRequestedEventArgs* args) = 0;
  virtual HRESULT HandleStatusBarTextChanged(ICoreWebView2* sender, IUnknown* args) = 0;
  virtual HRESULT HandleServerCertificateErrorDetected(
      ICoreWebView2* sender, ICoreWebView2ServerCertificateErrorDetectedEventArgs* args) = 0;
  virtual HRESULT HandleFaviconChanged(ICoreWebView2* sender, IUnknown* args) = 0;
  virtual HRESULT HandleLaunchingExternalUriScheme(
      ICoreWebView2* sender, ICoreWebView2LaunchingExternalUriSchemeEventArgs* args) = 0;
  virtual HRESULT HandleNotificationReceived(ICoreWebView2* sender,
                                             ICoreWebView2NotificationReceivedEventArgs* args) = 0;
  virtual HRESULT HandleSaveAsUIShowing(ICoreWebView2* sender,
                                        ICoreWebView2SaveAsUIShowingEventArgs* args) = 0;
  virtual HRESULT HandleSaveFileSecurityCheckStarting(
      ICoreWebView2* sender, ICoreWebView2SaveFileSecurityCheckStartingEventArgs* args) = 0;
  virtual HRESULT HandleScreenCaptureStarting(ICoreWebView2* sender,
                                              ICoreWebView2ScreenCaptureStartingEventArgs* args) = 0;

  // Events of one frame of the page, subscribed by its frame wrapper; `frameKey`
  // is the browser control's number for that wrapper. The sender is typed with
  // an interface of our own id: it is only passed on, never called.
  virtual HRESULT HandleFrameNameChanged(ICoreWebView2Frame* sender, IUnknown* args,
                                         std::uint32_t frameKey) = 0;
  virtual HRESULT HandleFrameDestroyed(ICoreWebView2Frame* sender, IUnknown* args,
                                       std::uint32_t frameKey) = 0;
  virtual HRESULT HandleFrameNavigationStarting2(ICoreWebView2Frame* sender,
                                                 ICoreWebView2NavigationStartingEventArgs* args,
                                                 std::uint32_t frameKey) = 0;
  virtual HRESULT HandleFrameContentLoading(ICoreWebView2Frame* sender,
                                            ICoreWebView2ContentLoadingEventArgs* args,
                                            std::uint32_t frameKey) = 0;
  virtual HRESULT HandleFrameNavigationCompleted2(ICoreWebView2Frame* sender,
                                                  ICoreWebView2NavigationCompletedEventArgs* args,
                                                  std::uint32_t frameKey) = 0;
  virtual HRESULT HandleFrameDOMContentLoaded(ICoreWebView2Frame* sender,
                                              ICoreWebView2DOMContentLoadedEventArgs* args,
                                              std::uint32_t frameKey) = 0;
  virtual HRESULT HandleFrameWebMessageReceived(ICoreWebView2Frame* sender,
                                                ICoreWebView2WebMessageReceivedEventArgs* args,
                                                std::uint32_t frameKey) = 0;
  virtual HRESULT HandleFramePermissionRequested(ICoreWebView2Frame* sender,
                                                 ICoreWebView2PermissionRequestedEventArgs2* args,
                                                 std::uint32_t frameKey) = 0;
  virtual HRESULT HandleFrameScreenCaptureStarting(ICoreWebView2Frame* sender,
                                                   ICoreWebView2ScreenCaptureStartingEventArgs* args,
                                                   std::uint32_t frameKey) = 0;

  // Events of one download, subscribed by its download wrapper; `downloadID` is
  // the browser control's number for the download.
  virtual HRESULT HandleBytesReceivedChanged(ICoreWebView2DownloadOperation* sender, IUnknown* args,
                                             std::int32_t downloadID) = 0;
  virtual HRESULT HandleEstimatedEndTimeChanged(ICoreWebView2DownloadOperation* sender, IUnknown* args,
                                                std::int32_t downloadID) = 0;
  virtual HRESULT HandleDownloadStateChanged(ICoreWebView2DownloadOperation* sender, IUnknown* args,
                                             std::int32_t downloadID) = 0;

  // Events of the controller.
  virtual HRESULT HandleAcceleratorKeyPressed(ICoreWebView2Controller* sender,
                                              ICoreWebView2AcceleratorKeyPressedEventArgs* args) = 0;
  virtual HRESULT HandleGotFocus(ICoreWebView2Controller* sender, IUnknown* args) = 0;
  virtual HRESULT HandleLostFocus(ICoreWebView2Controller* sender, IUnknown* args) = 0;
  virtual HRESULT HandleMoveFocusRequested(ICoreWebView2Controller* sender,
                                           ICoreWebView2MoveFocusRequestedEventArgs* args) = 0;
  virtual HRESULT HandleZoomFactorChanged(ICoreWebView2Controller* sender, IUnknown* args) = 0;
  virtual HRESULT HandleRasterizationScaleChanged(ICoreWebView2Controller* sender, IUnknown* args) = 0;

  // Events of the profile.
  virtual HRESULT HandleProfileDeleted(ICoreWebView2Profile* sender, IUnknown* args) = 0;

  // Events of the composition controller, of the context menu items the
  // application made, and of the notifications the page shows.
  virtual HRESULT HandleCursorChanged(ICoreWebView2CompositionController* sender, IUnknown* args) = 0;
  virtual HRESULT HandleNonClientRegionChanged(ICoreWebView2CompositionController* sender,
                                               ICoreWebView2NonClientRegionChangedEventArgs* args) = 0;
  virtual HRESULT HandleCustomItemSelected(ICoreWebView2ContextMenuItem* sender, IUnknown* args) = 0;
  virtual HRESULT HandleNotificationCloseRequested(ICoreWebView2Notification* sender, IUnknown* args) = 0;

  // Completions of the webview's asynchronous operations. The three with an
  // execution id get back the id the caller gave when it started the operation.
  virtual HRESULT HandleExecuteScriptCompleted(HRESULT errorCode, LPCWSTR resultObjectAsJson,
                                               std::int32_t executionId) = 0;
  virtual HRESULT HandleExecuteScriptWithResultCompleted(HRESULT errorCode,
                                                         ICoreWebView2ExecuteScriptResult* result,
                                                         std::int32_t executionId) = 0;
  virtual HRESULT HandleCallDevToolsProtocolMethodCompleted(HRESULT errorCode, LPCWSTR returnObjectAsJson,
                                                            std::int32_t executionId) = 0;
  virtual HRESULT HandleAddScriptToExecuteOnDocumentCreatedCompleted(HRESULT errorCode, LPCWSTR id) = 0;
  virtual HRESULT HandleCapturePreviewCompleted(HRESULT errorCode) = 0;
  virtual HRESULT HandleClearBrowsingDataCompleted(HRESULT errorCode) = 0;
  virtual HRESULT HandleClearServerCertificateErrorActionsCompleted(HRESULT errorCode) = 0;
  virtual HRESULT HandleGetFaviconCompleted(HRESULT errorCode, IStream* faviconStream) = 0;
  virtual HRESULT HandleGetNonDefaultPermissionSettingsCompleted(
      HRESULT errorCode, ICoreWebView2PermissionSettingCollectionView* collectionView) = 0;
  virtual HRESULT HandleGetProcessExtendedInfosCompleted(
      HRESULT errorCode, ICoreWebView2ProcessExtendedInfoCollection* value) = 0;
  virtual HRESULT HandlePrintCompleted(HRESULT errorCode, COREWEBVIEW2_PRINT_STATUS printStatus) = 0;
  virtual HRESULT HandlePrintToPdfCompleted(HRESULT errorCode, BOOL isSuccessful) = 0;
  virtual HRESULT HandlePrintToPdfStreamCompleted(HRESULT errorCode, IStream* pdfStream) = 0;
  virtual HRESULT HandleProfileAddBrowserExtensionCompleted(HRESULT errorCode,
                                                            ICoreWebView2BrowserExtension* extension) = 0;
  virtual HRESULT HandleProfileGetBrowserExtensionsCompleted(
      HRESULT errorCode, ICoreWebView2BrowserExtensionList* extensionList) = 0;
  virtual HRESULT HandleSetPermissionStateCompleted(HRESULT errorCode) = 0;
  virtual HRESULT HandleShowSaveAsUICompleted(HRESULT errorCode, COREWEBVIEW2_SAVE_AS_UI_RESULT result) = 0;
  virtual HRESULT HandleTrySuspendCompleted(HRESULT errorCode, BOOL isSuccessful) = 0;
  virtual HRESULT HandleGetCookiesCompleted(HRESULT errorCode, ICoreWebView2CookieList* cookieList) = 0;

 protected:
  IWVBrowserEvents() = default;
  ~IWVBrowserEvents() override = default;
};

}  // namespace velmoran::webview
