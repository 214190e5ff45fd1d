#pragma once

// The webview wrapper: holds ICoreWebView2 and each newer version the runtime
// offers (up to ICoreWebView2_27), subscribes the webview's 34 events for the
// browser control in a fixed order, and offers the webview's runtime calls,
// each answering False, 0, empty or none without calling the runtime when the
// version that carries it is not held.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Com.h"
#include "webview/abi/WebView2Abi.h"
#include "webview/loader/InterfaceVersions.h"
#include "webview/sinks/IWVBrowserEvents.h"

namespace velmoran::webview {

class TCoreWebView2 {
 public:
  // Takes a reference to `aBaseIntf` (none makes a wrapper that is not
  // Initialized) and collects its newer versions. `aCom` frees the texts the
  // runtime hands over; `aReRaiseExceptions` is the loader's exception policy,
  // which decides whether an error while removing the subscriptions reaches
  // the caller of RemoveAllEvents.
  TCoreWebView2(ICoreWebView2* aBaseIntf, platform::Com& aCom, bool aReRaiseExceptions = false);
  // Removes the subscriptions, then releases every interface.
  ~TCoreWebView2();
  TCoreWebView2(const TCoreWebView2&) = delete;
  TCoreWebView2& operator=(const TCoreWebView2&) = delete;

  bool Initialized() const { return FVersions.Initialized(); }
  ICoreWebView2* BaseIntf() const { return FVersions.Get<ICoreWebView2>(); }

  // Subscribes every webview event, in order, with `aBrowserComponent` as the
  // target, stopping at the first that cannot be made; True only if all were.
  bool AddAllBrowserEvents(IWVBrowserEvents* aBrowserComponent);
  // Removes every subscription made, and the DevTools protocol subscriptions;
  // every token is zero afterwards, also when a removal failed.
  void RemoveAllEvents();

  // --- Runtime calls: get_X is X(), put_X is SetX(), a method keeps its name. ---

  // ICoreWebView2
  ComPtr<ICoreWebView2Settings> Settings() const;
  std::u16string Source() const;
  bool Navigate(const std::u16string& aUri);
  bool NavigateToString(const std::u16string& aHtmlContent);
  bool AddScriptToExecuteOnDocumentCreated(const std::u16string& aJavaScript,
                                           IWVBrowserEvents* aBrowserEvents);
  bool RemoveScriptToExecuteOnDocumentCreated(const std::u16string& aId);
  bool ExecuteScript(const std::u16string& aJavaScript, IWVBrowserEvents* aBrowserEvents,
                     std::int32_t aExecutionID);
  bool CapturePreview(COREWEBVIEW2_CAPTURE_PREVIEW_IMAGE_FORMAT aImageFormat, IStream* aImageStream,
                      IWVBrowserEvents* aBrowserEvents);
  bool Reload();
  bool PostWebMessageAsJson(const std::u16string& aWebMessageAsJson);
  bool PostWebMessageAsString(const std::u16string& aWebMessageAsString);
  bool CallDevToolsProtocolMethod(const std::u16string& aMethodName, const std::u16string& aParametersAsJson,
                                  IWVBrowserEvents* aBrowserEvents, std::int32_t aExecutionID);
  std::uint32_t BrowserProcessId() const;
  bool CanGoBack() const;
  bool CanGoForward() const;
  bool GoBack();
  bool GoForward();
  bool Stop();
  std::u16string DocumentTitle() const;
  bool AddHostObjectToScript(const std::u16string& aName, VARIANT* aObject);
  bool RemoveHostObjectFromScript(const std::u16string& aName);
  bool OpenDevToolsWindow();
  bool ContainsFullScreenElement() const;
  bool AddWebResourceRequestedFilter(const std::u16string& aUri,
                                     COREWEBVIEW2_WEB_RESOURCE_CONTEXT aResourceContext);
  bool RemoveWebResourceRequestedFilter(const std::u16string& aUri,
                                        COREWEBVIEW2_WEB_RESOURCE_CONTEXT aResourceContext);
  // Raises every later protocol event `aEventName` of the page through
  // `aBrowserEvents` with `aEventID`. A second subscription to the same name
  // replaces the first, so the newest id is the one reported.
  bool SubscribeToDevToolsProtocolEvent(const std::u16string& aEventName, std::int32_t aEventID,
                                        IWVBrowserEvents* aBrowserEvents);
  bool IsSubscribedToDevToolsProtocolEvent(const std::u16string& aEventName) const;
  // ICoreWebView2_2
  bool NavigateWithWebResourceRequest(ICoreWebView2WebResourceRequest* aRequest);
  ComPtr<ICoreWebView2CookieManager> CookieManager() const;
  ComPtr<ICoreWebView2Environment> Environment() const;
  // ICoreWebView2_3
  bool TrySuspend(IWVBrowserEvents* aBrowserEvents);
  bool Resume();
  bool IsSuspended() const;
  bool SetVirtualHostNameToFolderMapping(const std::u16string& aHostName, const std::u16string& aFolderPath,
                                         COREWEBVIEW2_HOST_RESOURCE_ACCESS_KIND aAccessKind);
  bool ClearVirtualHostNameToFolderMapping(const std::u16string& aHostName);
  // ICoreWebView2_6
  bool OpenTaskManagerWindow();
  // ICoreWebView2_7
  bool PrintToPdf(const std::u16string& aResultFilePath, ICoreWebView2PrintSettings* aPrintSettings,
                  IWVBrowserEvents* aBrowserEvents);
  // ICoreWebView2_8
  bool IsMuted() const;
  bool SetIsMuted(bool aValue);
  bool IsDocumentPlayingAudio() const;
  // ICoreWebView2_9
  bool IsDefaultDownloadDialogOpen() const;
  bool OpenDefaultDownloadDialog();
  bool CloseDefaultDownloadDialog();
  COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT DefaultDownloadDialogCornerAlignment() const;
  bool SetDefaultDownloadDialogCornerAlignment(COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT aValue);
  POINT DefaultDownloadDialogMargin() const;
  bool SetDefaultDownloadDialogMargin(POINT aValue);
  // ICoreWebView2_11
  bool CallDevToolsProtocolMethodForSession(const std::u16string& aSessionId,
                                            const std::u16string& aMethodName,
                                            const std::u16string& aParametersAsJson,
                                            IWVBrowserEvents* aBrowserEvents, std::int32_t aExecutionID);
  // ICoreWebView2_12
  std::u16string StatusBarText() const;
  // ICoreWebView2_13
  ComPtr<ICoreWebView2Profile> Profile() const;
  // ICoreWebView2_14
  bool ClearServerCertificateErrorActions(IWVBrowserEvents* aBrowserEvents);
  // ICoreWebView2_15
  std::u16string FaviconUri() const;
  bool GetFavicon(COREWEBVIEW2_FAVICON_IMAGE_FORMAT aFormat, IWVBrowserEvents* aBrowserEvents);
  // ICoreWebView2_16
  bool Print(ICoreWebView2PrintSettings* aPrintSettings, IWVBrowserEvents* aBrowserEvents);
  bool ShowPrintUI(COREWEBVIEW2_PRINT_DIALOG_KIND aPrintDialogKind);
  bool PrintToPdfStream(ICoreWebView2PrintSettings* aPrintSettings, IWVBrowserEvents* aBrowserEvents);
  // ICoreWebView2_17
  bool PostSharedBufferToScript(ICoreWebView2SharedBuffer* aSharedBuffer,
                                COREWEBVIEW2_SHARED_BUFFER_ACCESS aAccess,
                                const std::u16string& aAdditionalDataAsJson);
  // ICoreWebView2_19
  COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL MemoryUsageTargetLevel() const;
  bool SetMemoryUsageTargetLevel(COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL aValue);
  // ICoreWebView2_20
  std::uint32_t FrameId() const;
  // ICoreWebView2_21
  bool ExecuteScriptWithResult(const std::u16string& aJavaScript, IWVBrowserEvents* aBrowserEvents,
                               std::int32_t aExecutionID);
  // ICoreWebView2_22
  bool AddWebResourceRequestedFilterWithRequestSourceKinds(
      const std::u16string& aUri, COREWEBVIEW2_WEB_RESOURCE_CONTEXT aResourceContext,
      COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS aRequestSourceKinds);
  bool RemoveWebResourceRequestedFilterWithRequestSourceKinds(
      const std::u16string& aUri, COREWEBVIEW2_WEB_RESOURCE_CONTEXT aResourceContext,
      COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS aRequestSourceKinds);
  // ICoreWebView2_23
  bool PostWebMessageAsJsonWithAdditionalObjects(const std::u16string& aWebMessageAsJson,
                                                 ICoreWebView2ObjectCollectionView* aAdditionalObjects);
  // ICoreWebView2_25
  bool ShowSaveAsUI(IWVBrowserEvents* aBrowserEvents);

 private:
  // One token per event, zero while not subscribed.
  struct EventTokens {
    EventRegistrationToken FNavigationStartingToken{};
    EventRegistrationToken FNavigationCompletedToken{};
    EventRegistrationToken FSourceChangedToken{};
    EventRegistrationToken FHistoryChangedToken{};
    EventRegistrationToken FContentLoadingToken{};
    EventRegistrationToken FDocumentTitleChangedToken{};
    EventRegistrationToken FNewWindowRequestedToken{};
    EventRegistrationToken FFrameNavigationStartingToken{};
    EventRegistrationToken FFrameNavigationCompletedToken{};
    EventRegistrationToken FWebResourceRequestedToken{};
    EventRegistrationToken FScriptDialogOpeningToken{};
    EventRegistrationToken FPermissionRequestedToken{};
    EventRegistrationToken FProcessFailedToken{};
    EventRegistrationToken FWebMessageReceivedToken{};
    EventRegistrationToken FContainsFullScreenElementChangedToken{};
    EventRegistrationToken FWindowCloseRequestedToken{};
    EventRegistrationToken FWebResourceResponseReceivedToken{};
    EventRegistrationToken FDOMContentLoadedToken{};
    EventRegistrationToken FFrameCreatedToken{};
    EventRegistrationToken FDownloadStartingToken{};
    EventRegistrationToken FClientCertificateRequestedToken{};
    EventRegistrationToken FIsMutedChangedToken{};
    EventRegistrationToken FIsDocumentPlayingAudioChangedToken{};
    EventRegistrationToken FIsDefaultDownloadDialogOpenChangedToken{};
    EventRegistrationToken FBasicAuthenticationRequestedToken{};
    EventRegistrationToken FContextMenuRequestedToken{};
    EventRegistrationToken FStatusBarTextChangedToken{};
    EventRegistrationToken FServerCertificateErrorDetectedToken{};
    EventRegistrationToken FFaviconChangedToken{};
    EventRegistrationToken FLaunchingExternalUriSchemeToken{};
    EventRegistrationToken FNotificationReceivedToken{};
    EventRegistrationToken FSaveAsUIShowingToken{};
    EventRegistrationToken FSaveFileSecurityCheckStartingToken{};
    EventRegistrationToken FScreenCaptureStartingToken{};
  };
  // A DevTools protocol event the control subscribed on request: the
  // runtime's receiver for it is kept, as the one that can remove the handler.
  struct DevToolsSubscription {
    std::u16string FEventName;
    EventRegistrationToken FToken{};
    ComPtr<ICoreWebView2DevToolsProtocolEventReceiver> FReceiver;
  };

  void RemoveEachEvent();
  void UnsubscribeAllDevToolsProtocolEvents();
  void UnsubscribeDevToolsProtocolEvent(const std::u16string& aEventName);

  platform::Com& FCom;
  bool FReRaiseExceptions;
  InterfaceVersions<ICoreWebView2, ICoreWebView2_2, ICoreWebView2_3, ICoreWebView2_4, ICoreWebView2_5,
                    ICoreWebView2_6, ICoreWebView2_7, ICoreWebView2_8, ICoreWebView2_9, ICoreWebView2_10,
                    ICoreWebView2_11, ICoreWebView2_12, ICoreWebView2_13, ICoreWebView2_14, ICoreWebView2_15,
                    ICoreWebView2_16, ICoreWebView2_17, ICoreWebView2_18, ICoreWebView2_19, ICoreWebView2_20,
                    ICoreWebView2_21, ICoreWebView2_22, ICoreWebView2_23, ICoreWebView2_24, ICoreWebView2_25,
                    ICoreWebView2_26, ICoreWebView2_27>
      FVersions;
  EventTokens FTokens;
  std::vector<DevToolsSubscription> FDevToolsSubscriptions;
};

}  // namespace velmoran::webview
