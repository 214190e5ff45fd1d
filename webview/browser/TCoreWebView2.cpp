#include "webview/browser/TCoreWebView2.h"

#include "webview/browser/WrapperCalls.h"
#include "webview/loader/EventSubscription.h"
#include "webview/sinks/CoreWebView2Sinks.h"

namespace velmoran::webview {

TCoreWebView2::TCoreWebView2(ICoreWebView2* aBaseIntf, platform::Com& aCom, bool aReRaiseExceptions)
    : FCom(aCom), FReRaiseExceptions(aReRaiseExceptions), FVersions(aBaseIntf) {}

TCoreWebView2::~TCoreWebView2() {
  try {
    RemoveAllEvents();
  } catch (...) {
    // The loader asked for errors to be raised again, but none may leave a destructor.
  }
  FDevToolsSubscriptions.clear();
  FVersions.Release();
}

// Rows 1 to 34: the order is fixed; versions are collected in ascending order,
// so a runtime whose webview stops at version N gets every row up to the last
// one needing N.
bool TCoreWebView2::AddAllBrowserEvents(IWVBrowserEvents* aBrowserComponent) {
  return Subscribe<TCoreWebView2NavigationStartingEventHandler>(
             FVersions.Get<ICoreWebView2>(), &ICoreWebView2::add_NavigationStarting,
             FTokens.FNavigationStartingToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2NavigationCompletedEventHandler>(
             FVersions.Get<ICoreWebView2>(), &ICoreWebView2::add_NavigationCompleted,
             FTokens.FNavigationCompletedToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2SourceChangedEventHandler>(FVersions.Get<ICoreWebView2>(),
                                                           &ICoreWebView2::add_SourceChanged,
                                                           FTokens.FSourceChangedToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2HistoryChangedEventHandler>(
             FVersions.Get<ICoreWebView2>(), &ICoreWebView2::add_HistoryChanged, FTokens.FHistoryChangedToken,
             aBrowserComponent) &&
         Subscribe<TCoreWebView2ContentLoadingEventHandler>(
             FVersions.Get<ICoreWebView2>(), &ICoreWebView2::add_ContentLoading, FTokens.FContentLoadingToken,
             aBrowserComponent) &&
         Subscribe<TCoreWebView2DocumentTitleChangedEventHandler>(
             FVersions.Get<ICoreWebView2>(), &ICoreWebView2::add_DocumentTitleChanged,
             FTokens.FDocumentTitleChangedToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2NewWindowRequestedEventHandler>(
             FVersions.Get<ICoreWebView2>(), &ICoreWebView2::add_NewWindowRequested,
             FTokens.FNewWindowRequestedToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2FrameNavigationStartingEventHandler>(
             FVersions.Get<ICoreWebView2>(), &ICoreWebView2::add_FrameNavigationStarting,
             FTokens.FFrameNavigationStartingToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2FrameNavigationCompletedEventHandler>(
             FVersions.Get<ICoreWebView2>(), &ICoreWebView2::add_FrameNavigationCompleted,
             FTokens.FFrameNavigationCompletedToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2WebResourceRequestedEventHandler>(
             FVersions.Get<ICoreWebView2>(), &ICoreWebView2::add_WebResourceRequested,
             FTokens.FWebResourceRequestedToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2ScriptDialogOpeningEventHandler>(
             FVersions.Get<ICoreWebView2>(), &ICoreWebView2::add_ScriptDialogOpening,
             FTokens.FScriptDialogOpeningToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2PermissionRequestedEventHandler>(
             FVersions.Get<ICoreWebView2>(), &ICoreWebView2::add_PermissionRequested,
             FTokens.FPermissionRequestedToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2ProcessFailedEventHandler>(FVersions.Get<ICoreWebView2>(),
                                                           &ICoreWebView2::add_ProcessFailed,
                                                           FTokens.FProcessFailedToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2WebMessageReceivedEventHandler>(
             FVersions.Get<ICoreWebView2>(), &ICoreWebView2::add_WebMessageReceived,
             FTokens.FWebMessageReceivedToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2ContainsFullScreenElementChangedEventHandler>(
             FVersions.Get<ICoreWebView2>(), &ICoreWebView2::add_ContainsFullScreenElementChanged,
             FTokens.FContainsFullScreenElementChangedToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2WindowCloseRequestedEventHandler>(
             FVersions.Get<ICoreWebView2>(), &ICoreWebView2::add_WindowCloseRequested,
             FTokens.FWindowCloseRequestedToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2WebResourceResponseReceivedEventHandler>(
             FVersions.Get<ICoreWebView2_2>(), &ICoreWebView2_2::add_WebResourceResponseReceived,
             FTokens.FWebResourceResponseReceivedToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2DOMContentLoadedEventHandler>(
             FVersions.Get<ICoreWebView2_2>(), &ICoreWebView2_2::add_DOMContentLoaded,
             FTokens.FDOMContentLoadedToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2FrameCreatedEventHandler>(FVersions.Get<ICoreWebView2_4>(),
                                                          &ICoreWebView2_4::add_FrameCreated,
                                                          FTokens.FFrameCreatedToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2DownloadStartingEventHandler>(
             FVersions.Get<ICoreWebView2_4>(), &ICoreWebView2_4::add_DownloadStarting,
             FTokens.FDownloadStartingToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2ClientCertificateRequestedEventHandler>(
             FVersions.Get<ICoreWebView2_5>(), &ICoreWebView2_5::add_ClientCertificateRequested,
             FTokens.FClientCertificateRequestedToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2IsMutedChangedEventHandler>(
             FVersions.Get<ICoreWebView2_8>(), &ICoreWebView2_8::add_IsMutedChanged,
             FTokens.FIsMutedChangedToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2IsDocumentPlayingAudioChangedEventHandler>(
             FVersions.Get<ICoreWebView2_8>(), &ICoreWebView2_8::add_IsDocumentPlayingAudioChanged,
             FTokens.FIsDocumentPlayingAudioChangedToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2IsDefaultDownloadDialogOpenChangedEventHandler>(
             FVersions.Get<ICoreWebView2_9>(), &ICoreWebView2_9::add_IsDefaultDownloadDialogOpenChanged,
             FTokens.FIsDefaultDownloadDialogOpenChangedToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2BasicAuthenticationRequestedEventHandler>(
             FVersions.Get<ICoreWebView2_10>(), &ICoreWebView2_10::add_BasicAuthenticationRequested,
             FTokens.FBasicAuthenticationRequestedToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2ContextMenuRequestedEventHandler>(
             FVersions.Get<ICoreWebView2_11>(), &ICoreWebView2_11::add_ContextMenuRequested,
             FTokens.FContextMenuRequestedToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2StatusBarTextChangedEventHandler>(
             FVersions.Get<ICoreWebView2_12>(), &ICoreWebView2_12::add_StatusBarTextChanged,
             FTokens.FStatusBarTextChangedToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2ServerCertificateErrorDetectedEventHandler>(
             FVersions.Get<ICoreWebView2_14>(), &ICoreWebView2_14::add_ServerCertificateErrorDetected,
             FTokens.FServerCertificateErrorDetectedToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2FaviconChangedEventHandler>(
             FVersions.Get<ICoreWebView2_15>(), &ICoreWebView2_15::add_FaviconChanged,
             FTokens.FFaviconChangedToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2LaunchingExternalUriSchemeEventHandler>(
             FVersions.Get<ICoreWebView2_18>(), &ICoreWebView2_18::add_LaunchingExternalUriScheme,
             FTokens.FLaunchingExternalUriSchemeToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2NotificationReceivedEventHandler>(
             FVersions.Get<ICoreWebView2_24>(), &ICoreWebView2_24::add_NotificationReceived,
             FTokens.FNotificationReceivedToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2SaveAsUIShowingEventHandler>(
             FVersions.Get<ICoreWebView2_25>(), &ICoreWebView2_25::add_SaveAsUIShowing,
             FTokens.FSaveAsUIShowingToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2SaveFileSecurityCheckStartingEventHandler>(
             FVersions.Get<ICoreWebView2_26>(), &ICoreWebView2_26::add_SaveFileSecurityCheckStarting,
             FTokens.FSaveFileSecurityCheckStartingToken, aBrowserComponent) &&
         Subscribe<TCoreWebView2ScreenCaptureStartingEventHandler>(
             FVersions.Get<ICoreWebView2_27>(), &ICoreWebView2_27::add_ScreenCaptureStarting,
             FTokens.FScreenCaptureStartingToken, aBrowserComponent);
}

void TCoreWebView2::RemoveAllEvents() {
  if (!Initialized()) return;
  try {
    RemoveEachEvent();
    UnsubscribeAllDevToolsProtocolEvents();
  } catch (...) {
    FTokens = {};
    FDevToolsSubscriptions.clear();
    if (FReRaiseExceptions) throw;
    return;
  }
  FTokens = {};
}

void TCoreWebView2::RemoveEachEvent() {
  Unsubscribe(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::remove_NavigationStarting,
              FTokens.FNavigationStartingToken);
  Unsubscribe(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::remove_NavigationCompleted,
              FTokens.FNavigationCompletedToken);
  Unsubscribe(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::remove_SourceChanged,
              FTokens.FSourceChangedToken);
  Unsubscribe(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::remove_HistoryChanged,
              FTokens.FHistoryChangedToken);
  Unsubscribe(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::remove_ContentLoading,
              FTokens.FContentLoadingToken);
  Unsubscribe(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::remove_DocumentTitleChanged,
              FTokens.FDocumentTitleChangedToken);
  Unsubscribe(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::remove_NewWindowRequested,
              FTokens.FNewWindowRequestedToken);
  Unsubscribe(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::remove_FrameNavigationStarting,
              FTokens.FFrameNavigationStartingToken);
  Unsubscribe(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::remove_FrameNavigationCompleted,
              FTokens.FFrameNavigationCompletedToken);
  Unsubscribe(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::remove_WebResourceRequested,
              FTokens.FWebResourceRequestedToken);
  Unsubscribe(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::remove_ScriptDialogOpening,
              FTokens.FScriptDialogOpeningToken);
  Unsubscribe(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::remove_PermissionRequested,
              FTokens.FPermissionRequestedToken);
  Unsubscribe(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::remove_ProcessFailed,
              FTokens.FProcessFailedToken);
  Unsubscribe(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::remove_WebMessageReceived,
              FTokens.FWebMessageReceivedToken);
  Unsubscribe(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::remove_ContainsFullScreenElementChanged,
              FTokens.FContainsFullScreenElementChangedToken);
  Unsubscribe(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::remove_WindowCloseRequested,
              FTokens.FWindowCloseRequestedToken);
  Unsubscribe(FVersions.Get<ICoreWebView2_2>(), &ICoreWebView2_2::remove_WebResourceResponseReceived,
              FTokens.FWebResourceResponseReceivedToken);
  Unsubscribe(FVersions.Get<ICoreWebView2_2>(), &ICoreWebView2_2::remove_DOMContentLoaded,
              FTokens.FDOMContentLoadedToken);
  Unsubscribe(FVersions.Get<ICoreWebView2_4>(), &ICoreWebView2_4::remove_FrameCreated,
              FTokens.FFrameCreatedToken);
  Unsubscribe(FVersions.Get<ICoreWebView2_4>(), &ICoreWebView2_4::remove_DownloadStarting,
              FTokens.FDownloadStartingToken);
  Unsubscribe(FVersions.Get<ICoreWebView2_5>(), &ICoreWebView2_5::remove_ClientCertificateRequested,
              FTokens.FClientCertificateRequestedToken);
  Unsubscribe(FVersions.Get<ICoreWebView2_8>(), &ICoreWebView2_8::remove_IsMutedChanged,
              FTokens.FIsMutedChangedToken);
  Unsubscribe(FVersions.Get<ICoreWebView2_8>(), &ICoreWebView2_8::remove_IsDocumentPlayingAudioChanged,
              FTokens.FIsDocumentPlayingAudioChangedToken);
  Unsubscribe(FVersions.Get<ICoreWebView2_9>(), &ICoreWebView2_9::remove_IsDefaultDownloadDialogOpenChanged,
              FTokens.FIsDefaultDownloadDialogOpenChangedToken);
  Unsubscribe(FVersions.Get<ICoreWebView2_10>(), &ICoreWebView2_10::remove_BasicAuthenticationRequested,
              FTokens.FBasicAuthenticationRequestedToken);
  Unsubscribe(FVersions.Get<ICoreWebView2_11>(), &ICoreWebView2_11::remove_ContextMenuRequested,
              FTokens.FContextMenuRequestedToken);
  Unsubscribe(FVersions.Get<ICoreWebView2_12>(), &ICoreWebView2_12::remove_StatusBarTextChanged,
              FTokens.FStatusBarTextChangedToken);
  Unsubscribe(FVersions.Get<ICoreWebView2_14>(), &ICoreWebView2_14::remove_ServerCertificateErrorDetected,
              FTokens.FServerCertificateErrorDetectedToken);
  Unsubscribe(FVersions.Get<ICoreWebView2_15>(), &ICoreWebView2_15::remove_FaviconChanged,
              FTokens.FFaviconChangedToken);
  Unsubscribe(FVersions.Get<ICoreWebView2_18>(), &ICoreWebView2_18::remove_LaunchingExternalUriScheme,
              FTokens.FLaunchingExternalUriSchemeToken);
  Unsubscribe(FVersions.Get<ICoreWebView2_24>(), &ICoreWebView2_24::remove_NotificationReceived,
              FTokens.FNotificationReceivedToken);
  Unsubscribe(FVersions.Get<ICoreWebView2_25>(), &ICoreWebView2_25::remove_SaveAsUIShowing,
              FTokens.FSaveAsUIShowingToken);
  Unsubscribe(FVersions.Get<ICoreWebView2_26>(), &ICoreWebView2_26::remove_SaveFileSecurityCheckStarting,
              FTokens.FSaveFileSecurityCheckStartingToken);
  Unsubscribe(FVersions.Get<ICoreWebView2_27>(), &ICoreWebView2_27::remove_ScreenCaptureStarting,
              FTokens.FScreenCaptureStartingToken);
}

ComPtr<ICoreWebView2Settings> TCoreWebView2::Settings() const {
  return ReadInterface<ICoreWebView2Settings>(FVersions.Get<ICoreWebView2_2>(), &ICoreWebView2::get_Settings);
}

std::u16string TCoreWebView2::Source() const {
  return ReadText(FCom, FVersions.Get<ICoreWebView2>(), &ICoreWebView2::get_Source);
}

bool TCoreWebView2::Navigate(const std::u16string& aUri) {
  return CallSucceeded(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::Navigate, AsWideText(aUri));
}

bool TCoreWebView2::NavigateToString(const std::u16string& aHtmlContent) {
  return CallSucceeded(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::NavigateToString,
                       AsWideText(aHtmlContent));
}

bool TCoreWebView2::AddScriptToExecuteOnDocumentCreated(const std::u16string& aJavaScript,
                                                        IWVBrowserEvents* aBrowserEvents) {
  ICoreWebView2* intf = FVersions.Get<ICoreWebView2>();
  if (intf == nullptr) return false;
  return CallSucceeded(
      intf, &ICoreWebView2::AddScriptToExecuteOnDocumentCreated, AsWideText(aJavaScript),
      MakeComObject<TCoreWebView2AddScriptToExecuteOnDocumentCreatedCompletedHandler>(aBrowserEvents).Get());
}

bool TCoreWebView2::RemoveScriptToExecuteOnDocumentCreated(const std::u16string& aId) {
  return CallSucceeded(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::RemoveScriptToExecuteOnDocumentCreated,
                       AsWideText(aId));
}

bool TCoreWebView2::ExecuteScript(const std::u16string& aJavaScript, IWVBrowserEvents* aBrowserEvents,
                                  std::int32_t aExecutionID) {
  ICoreWebView2* intf = FVersions.Get<ICoreWebView2>();
  if (intf == nullptr) return false;
  return CallSucceeded(
      intf, &ICoreWebView2::ExecuteScript, AsWideText(aJavaScript),
      MakeComObject<TCoreWebView2ExecuteScriptCompletedHandler>(aBrowserEvents, aExecutionID).Get());
}

bool TCoreWebView2::CapturePreview(COREWEBVIEW2_CAPTURE_PREVIEW_IMAGE_FORMAT aImageFormat,
                                   IStream* aImageStream, IWVBrowserEvents* aBrowserEvents) {
  ICoreWebView2* intf = FVersions.Get<ICoreWebView2>();
  if (intf == nullptr) return false;
  return CallSucceeded(intf, &ICoreWebView2::CapturePreview, aImageFormat, aImageStream,
                       MakeComObject<TCoreWebView2CapturePreviewCompletedHandler>(aBrowserEvents).Get());
}

bool TCoreWebView2::Reload() { return CallSucceeded(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::Reload); }

bool TCoreWebView2::PostWebMessageAsJson(const std::u16string& aWebMessageAsJson) {
  return CallSucceeded(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::PostWebMessageAsJson,
                       AsWideText(aWebMessageAsJson));
}

bool TCoreWebView2::PostWebMessageAsString(const std::u16string& aWebMessageAsString) {
  return CallSucceeded(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::PostWebMessageAsString,
                       AsWideText(aWebMessageAsString));
}

bool TCoreWebView2::CallDevToolsProtocolMethod(const std::u16string& aMethodName,
                                               const std::u16string& aParametersAsJson,
                                               IWVBrowserEvents* aBrowserEvents, std::int32_t aExecutionID) {
  ICoreWebView2* intf = FVersions.Get<ICoreWebView2>();
  if (intf == nullptr) return false;
  return CallSucceeded(
      intf, &ICoreWebView2::CallDevToolsProtocolMethod, AsWideText(aMethodName),
      AsWideText(aParametersAsJson),
      MakeComObject<TCoreWebView2CallDevToolsProtocolMethodCompletedHandler>(aBrowserEvents, aExecutionID)
          .Get());
}

std::uint32_t TCoreWebView2::BrowserProcessId() const {
  return ReadValue<std::uint32_t>(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::get_BrowserProcessId);
}

bool TCoreWebView2::CanGoBack() const {
  return ReadBool(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::get_CanGoBack);
}

bool TCoreWebView2::CanGoForward() const {
  return ReadBool(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::get_CanGoForward);
}

bool TCoreWebView2::GoBack() { return CallSucceeded(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::GoBack); }

bool TCoreWebView2::GoForward() {
  return CallSucceeded(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::GoForward);
}

bool TCoreWebView2::Stop() { return CallSucceeded(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::Stop); }

std::u16string TCoreWebView2::DocumentTitle() const {
  return ReadText(FCom, FVersions.Get<ICoreWebView2>(), &ICoreWebView2::get_DocumentTitle);
}

bool TCoreWebView2::AddHostObjectToScript(const std::u16string& aName, VARIANT* aObject) {
  return CallSucceeded(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::AddHostObjectToScript,
                       AsWideText(aName), aObject);
}

bool TCoreWebView2::RemoveHostObjectFromScript(const std::u16string& aName) {
  return CallSucceeded(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::RemoveHostObjectFromScript,
                       AsWideText(aName));
}

bool TCoreWebView2::OpenDevToolsWindow() {
  return CallSucceeded(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::OpenDevToolsWindow);
}

bool TCoreWebView2::ContainsFullScreenElement() const {
  return ReadBool(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::get_ContainsFullScreenElement);
}

bool TCoreWebView2::AddWebResourceRequestedFilter(const std::u16string& aUri,
                                                  COREWEBVIEW2_WEB_RESOURCE_CONTEXT aResourceContext) {
  return CallSucceeded(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::AddWebResourceRequestedFilter,
                       AsWideText(aUri), aResourceContext);
}

bool TCoreWebView2::RemoveWebResourceRequestedFilter(const std::u16string& aUri,
                                                     COREWEBVIEW2_WEB_RESOURCE_CONTEXT aResourceContext) {
  return CallSucceeded(FVersions.Get<ICoreWebView2>(), &ICoreWebView2::RemoveWebResourceRequestedFilter,
                       AsWideText(aUri), aResourceContext);
}

bool TCoreWebView2::NavigateWithWebResourceRequest(ICoreWebView2WebResourceRequest* aRequest) {
  return CallSucceeded(FVersions.Get<ICoreWebView2_2>(), &ICoreWebView2_2::NavigateWithWebResourceRequest,
                       aRequest);
}

ComPtr<ICoreWebView2CookieManager> TCoreWebView2::CookieManager() const {
  return ReadInterface<ICoreWebView2CookieManager>(FVersions.Get<ICoreWebView2_2>(),
                                                   &ICoreWebView2_2::get_CookieManager);
}

ComPtr<ICoreWebView2Environment> TCoreWebView2::Environment() const {
  return ReadInterface<ICoreWebView2Environment>(FVersions.Get<ICoreWebView2_2>(),
                                                 &ICoreWebView2_2::get_Environment);
}

bool TCoreWebView2::TrySuspend(IWVBrowserEvents* aBrowserEvents) {
  ICoreWebView2_3* intf = FVersions.Get<ICoreWebView2_3>();
  if (intf == nullptr) return false;
  return CallSucceeded(intf, &ICoreWebView2_3::TrySuspend,
                       MakeComObject<TCoreWebView2TrySuspendCompletedHandler>(aBrowserEvents).Get());
}

bool TCoreWebView2::Resume() {
  return CallSucceeded(FVersions.Get<ICoreWebView2_3>(), &ICoreWebView2_3::Resume);
}

bool TCoreWebView2::IsSuspended() const {
  return ReadBool(FVersions.Get<ICoreWebView2_3>(), &ICoreWebView2_3::get_IsSuspended);
}

bool TCoreWebView2::SetVirtualHostNameToFolderMapping(const std::u16string& aHostName,
                                                      const std::u16string& aFolderPath,
                                                      COREWEBVIEW2_HOST_RESOURCE_ACCESS_KIND aAccessKind) {
  return CallSucceeded(FVersions.Get<ICoreWebView2_3>(), &ICoreWebView2_3::SetVirtualHostNameToFolderMapping,
                       AsWideText(aHostName), AsWideText(aFolderPath), aAccessKind);
}

bool TCoreWebView2::ClearVirtualHostNameToFolderMapping(const std::u16string& aHostName) {
  return CallSucceeded(FVersions.Get<ICoreWebView2_3>(),
                       &ICoreWebView2_3::ClearVirtualHostNameToFolderMapping, AsWideText(aHostName));
}

bool TCoreWebView2::OpenTaskManagerWindow() {
  return CallSucceeded(FVersions.Get<ICoreWebView2_6>(), &ICoreWebView2_6::OpenTaskManagerWindow);
}

bool TCoreWebView2::PrintToPdf(const std::u16string& aResultFilePath,
                               ICoreWebView2PrintSettings* aPrintSettings, IWVBrowserEvents* aBrowserEvents) {
  ICoreWebView2_7* intf = FVersions.Get<ICoreWebView2_7>();
  if (intf == nullptr) return false;
  return CallSucceeded(intf, &ICoreWebView2_7::PrintToPdf, AsWideText(aResultFilePath), aPrintSettings,
                       MakeComObject<TCoreWebView2PrintToPdfCompletedHandler>(aBrowserEvents).Get());
}

bool TCoreWebView2::IsMuted() const {
  return ReadBool(FVersions.Get<ICoreWebView2_8>(), &ICoreWebView2_8::get_IsMuted);
}

bool TCoreWebView2::SetIsMuted(bool aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2_8>(), &ICoreWebView2_8::put_IsMuted, ToBOOL(aValue));
}

bool TCoreWebView2::IsDocumentPlayingAudio() const {
  return ReadBool(FVersions.Get<ICoreWebView2_8>(), &ICoreWebView2_8::get_IsDocumentPlayingAudio);
}

bool TCoreWebView2::IsDefaultDownloadDialogOpen() const {
  return ReadBool(FVersions.Get<ICoreWebView2_9>(), &ICoreWebView2_9::get_IsDefaultDownloadDialogOpen);
}

bool TCoreWebView2::OpenDefaultDownloadDialog() {
  return CallSucceeded(FVersions.Get<ICoreWebView2_9>(), &ICoreWebView2_9::OpenDefaultDownloadDialog);
}

bool TCoreWebView2::CloseDefaultDownloadDialog() {
  return CallSucceeded(FVersions.Get<ICoreWebView2_9>(), &ICoreWebView2_9::CloseDefaultDownloadDialog);
}

COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT TCoreWebView2::DefaultDownloadDialogCornerAlignment()
    const {
  return ReadValue<COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT>(
      FVersions.Get<ICoreWebView2_9>(), &ICoreWebView2_9::get_DefaultDownloadDialogCornerAlignment);
}

bool TCoreWebView2::SetDefaultDownloadDialogCornerAlignment(
    COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2_9>(),
                       &ICoreWebView2_9::put_DefaultDownloadDialogCornerAlignment, aValue);
}

POINT TCoreWebView2::DefaultDownloadDialogMargin() const {
  return ReadValue<POINT>(FVersions.Get<ICoreWebView2_9>(),
                          &ICoreWebView2_9::get_DefaultDownloadDialogMargin);
}

bool TCoreWebView2::SetDefaultDownloadDialogMargin(POINT aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2_9>(), &ICoreWebView2_9::put_DefaultDownloadDialogMargin,
                       aValue);
}

bool TCoreWebView2::CallDevToolsProtocolMethodForSession(const std::u16string& aSessionId,
                                                         const std::u16string& aMethodName,
                                                         const std::u16string& aParametersAsJson,
                                                         IWVBrowserEvents* aBrowserEvents,
                                                         std::int32_t aExecutionID) {
  ICoreWebView2_11* intf = FVersions.Get<ICoreWebView2_11>();
  if (intf == nullptr) return false;
  return CallSucceeded(
      intf, &ICoreWebView2_11::CallDevToolsProtocolMethodForSession, AsWideText(aSessionId),
      AsWideText(aMethodName), AsWideText(aParametersAsJson),
      MakeComObject<TCoreWebView2CallDevToolsProtocolMethodCompletedHandler>(aBrowserEvents, aExecutionID)
          .Get());
}

std::u16string TCoreWebView2::StatusBarText() const {
  return ReadText(FCom, FVersions.Get<ICoreWebView2_12>(), &ICoreWebView2_12::get_StatusBarText);
}

ComPtr<ICoreWebView2Profile> TCoreWebView2::Profile() const {
  return ReadInterface<ICoreWebView2Profile>(FVersions.Get<ICoreWebView2_13>(),
                                             &ICoreWebView2_13::get_Profile);
}

bool TCoreWebView2::ClearServerCertificateErrorActions(IWVBrowserEvents* aBrowserEvents) {
  ICoreWebView2_14* intf = FVersions.Get<ICoreWebView2_14>();
  if (intf == nullptr) return false;
  return CallSucceeded(
      intf, &ICoreWebView2_14::ClearServerCertificateErrorActions,
      MakeComObject<TCoreWebView2ClearServerCertificateErrorActionsCompletedHandler>(aBrowserEvents).Get());
}

std::u16string TCoreWebView2::FaviconUri() const {
  return ReadText(FCom, FVersions.Get<ICoreWebView2_15>(), &ICoreWebView2_15::get_FaviconUri);
}

bool TCoreWebView2::GetFavicon(COREWEBVIEW2_FAVICON_IMAGE_FORMAT aFormat, IWVBrowserEvents* aBrowserEvents) {
  ICoreWebView2_15* intf = FVersions.Get<ICoreWebView2_15>();
  if (intf == nullptr) return false;
  return CallSucceeded(intf, &ICoreWebView2_15::GetFavicon, aFormat,
                       MakeComObject<TCoreWebView2GetFaviconCompletedHandler>(aBrowserEvents).Get());
}

bool TCoreWebView2::Print(ICoreWebView2PrintSettings* aPrintSettings, IWVBrowserEvents* aBrowserEvents) {
  ICoreWebView2_16* intf = FVersions.Get<ICoreWebView2_16>();
  if (intf == nullptr) return false;
  return CallSucceeded(intf, &ICoreWebView2_16::Print, aPrintSettings,
                       MakeComObject<TCoreWebView2PrintCompletedHandler>(aBrowserEvents).Get());
}

bool TCoreWebView2::ShowPrintUI(COREWEBVIEW2_PRINT_DIALOG_KIND aPrintDialogKind) {
  return CallSucceeded(FVersions.Get<ICoreWebView2_16>(), &ICoreWebView2_16::ShowPrintUI, aPrintDialogKind);
}

bool TCoreWebView2::PrintToPdfStream(ICoreWebView2PrintSettings* aPrintSettings,
                                     IWVBrowserEvents* aBrowserEvents) {
  ICoreWebView2_16* intf = FVersions.Get<ICoreWebView2_16>();
  if (intf == nullptr) return false;
  return CallSucceeded(intf, &ICoreWebView2_16::PrintToPdfStream, aPrintSettings,
                       MakeComObject<TCoreWebView2PrintToPdfStreamCompletedHandler>(aBrowserEvents).Get());
}

bool TCoreWebView2::PostSharedBufferToScript(ICoreWebView2SharedBuffer* aSharedBuffer,
                                             COREWEBVIEW2_SHARED_BUFFER_ACCESS aAccess,
                                             const std::u16string& aAdditionalDataAsJson) {
  return CallSucceeded(FVersions.Get<ICoreWebView2_17>(), &ICoreWebView2_17::PostSharedBufferToScript,
                       aSharedBuffer, aAccess, AsWideText(aAdditionalDataAsJson));
}

COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL TCoreWebView2::MemoryUsageTargetLevel() const {
  return ReadValue<COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL>(FVersions.Get<ICoreWebView2_19>(),
                                                           &ICoreWebView2_19::get_MemoryUsageTargetLevel);
}

bool TCoreWebView2::SetMemoryUsageTargetLevel(COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2_19>(), &ICoreWebView2_19::put_MemoryUsageTargetLevel,
                       aValue);
}

std::uint32_t TCoreWebView2::FrameId() const {
  return ReadValue<std::uint32_t>(FVersions.Get<ICoreWebView2_20>(), &ICoreWebView2_20::get_FrameId);
}

bool TCoreWebView2::ExecuteScriptWithResult(const std::u16string& aJavaScript,
                                            IWVBrowserEvents* aBrowserEvents, std::int32_t aExecutionID) {
  ICoreWebView2_21* intf = FVersions.Get<ICoreWebView2_21>();
  if (intf == nullptr) return false;
  return CallSucceeded(
      intf, &ICoreWebView2_21::ExecuteScriptWithResult, AsWideText(aJavaScript),
      MakeComObject<TCoreWebView2ExecuteScriptWithResultCompletedHandler>(aBrowserEvents, aExecutionID)
          .Get());
}

bool TCoreWebView2::AddWebResourceRequestedFilterWithRequestSourceKinds(
    const std::u16string& aUri, COREWEBVIEW2_WEB_RESOURCE_CONTEXT aResourceContext,
    COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS aRequestSourceKinds) {
  return CallSucceeded(FVersions.Get<ICoreWebView2_22>(),
                       &ICoreWebView2_22::AddWebResourceRequestedFilterWithRequestSourceKinds,
                       AsWideText(aUri), aResourceContext, aRequestSourceKinds);
}

bool TCoreWebView2::RemoveWebResourceRequestedFilterWithRequestSourceKinds(
    const std::u16string& aUri, COREWEBVIEW2_WEB_RESOURCE_CONTEXT aResourceContext,
    COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS aRequestSourceKinds) {
  return CallSucceeded(FVersions.Get<ICoreWebView2_22>(),
                       &ICoreWebView2_22::RemoveWebResourceRequestedFilterWithRequestSourceKinds,
                       AsWideText(aUri), aResourceContext, aRequestSourceKinds);
}

bool TCoreWebView2::PostWebMessageAsJsonWithAdditionalObjects(
    const std::u16string& aWebMessageAsJson, ICoreWebView2ObjectCollectionView* aAdditionalObjects) {
  return CallSucceeded(FVersions.Get<ICoreWebView2_23>(),
                       &ICoreWebView2_23::PostWebMessageAsJsonWithAdditionalObjects,
                       AsWideText(aWebMessageAsJson), aAdditionalObjects);
}

bool TCoreWebView2::ShowSaveAsUI(IWVBrowserEvents* aBrowserEvents) {
  ICoreWebView2_25* intf = FVersions.Get<ICoreWebView2_25>();
  if (intf == nullptr) return false;
  return CallSucceeded(intf, &ICoreWebView2_25::ShowSaveAsUI,
                       MakeComObject<TCoreWebView2ShowSaveAsUICompletedHandler>(aBrowserEvents).Get());
}

}  // namespace velmoran::webview
