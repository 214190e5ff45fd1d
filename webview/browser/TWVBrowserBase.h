#pragma once

// The browser control: the component through which the shell owns its one
// embedded browser. It turns a native parent window and the loader's shared
// environment into a live browser (CreateBrowser, then the runtime's
// controller completion), holds the runtime's objects in their wrappers,
// receives every runtime callback through its IWVBrowserEvents face and
// raises it as a component event, and carries out the application's requests
// on the live browser. Every operation does nothing and answers False (0,
// empty, none) until the browser is Initialized.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"
#include "webview/abi/Automation.h"
#include "webview/abi/WebView2Abi.h"
#include "webview/browser/BrowserEventTypes.h"
#include "webview/browser/RuntimeWindowHook.h"
#include "webview/browser/TComponent.h"
#include "webview/browser/TWV2EditingCommand.h"
#include "webview/sinks/IWVBrowserEvents.h"

namespace velmoran::webview {

class TCoreWebView2;
class TCoreWebView2CompositionController;
class TCoreWebView2ContextMenuItem;
class TCoreWebView2Controller;
class TCoreWebView2DownloadOperation;
class TCoreWebView2Frame;
class TCoreWebView2Environment;
class TCoreWebView2Notification;
class TCoreWebView2PrintSettings;
class TCoreWebView2Profile;
class TCoreWebView2Settings;

// Execution ids of the control's own composite operations: their completions
// go to the operation's own event, never to the general one.
inline constexpr std::int32_t kRetrieveHTMLExecutionID = 10000;
inline constexpr std::int32_t kRetrieveTextExecutionID = 10001;

class TWVBrowserBase : public TComponent, public IWVBrowserEvents {
 public:
  explicit TWVBrowserBase(platform::Platform& platform);
  ~TWVBrowserBase() override;

  // --- Creation ---

  // Creates the browser inside `aHandle` with the shared loader's environment
  // (when aUseDefaultEnvironment is true). True when the request was started.
  bool CreateBrowser(platform::WindowHandle aHandle, bool aUseDefaultEnvironment = true);
  bool CreateBrowser(platform::WindowHandle aHandle, ICoreWebView2Environment* aEnvironment);
  // CreateBrowser inside the system's message-only parent: a browser nobody sees.
  bool CreateInvisibleBrowser(bool aUseDefaultEnvironment = true);
  bool CreateInvisibleBrowser(ICoreWebView2Environment* aEnvironment);
  // CreateBrowser with a composition controller: the host draws the browser
  // and feeds it input itself (SendMouseInput and the like below). Fails with
  // an initialization error when the environment cannot make one.
  bool CreateWindowlessBrowser(platform::WindowHandle aHandle, bool aUseDefaultEnvironment = true);
  bool CreateWindowlessBrowser(platform::WindowHandle aHandle, ICoreWebView2Environment* aEnvironment);
  bool UseCompositionController() const { return FUseCompositionController; }
  // True when environment, webview, settings and controller are all there (and,
  // in a windowless browser, the composition controller).
  bool Initialized() const;
  // Lets go of the browser, as destruction does: the runtime's windows get
  // their procedures back, the webview and controller remove their
  // subscriptions, the controller is closed and every wrapper released. The
  // control is empty again, so CreateBrowser can make a new browser; the
  // settings (DefaultURL among them) and the handlers stay.
  void CloseBrowser();

  const std::u16string& DefaultURL() const { return FDefaultURL; }
  void SetDefaultURL(std::u16string aURL) { FDefaultURL = std::move(aURL); }
  const std::u16string& ProfileName() const { return FProfileName; }
  void SetProfileName(std::u16string aName) { FProfileName = std::move(aName); }
  bool IsInPrivateModeEnabled() const { return FIsInPrivateModeEnabled; }
  void SetIsInPrivateModeEnabled(bool aEnabled) { FIsInPrivateModeEnabled = aEnabled; }
  const std::u16string& ScriptLocale() const { return FScriptLocale; }
  void SetScriptLocale(std::u16string aLocale) { FScriptLocale = std::move(aLocale); }
  // Stored only: they would shape an environment the control made for itself.
  std::u16string TargetCompatibleBrowserVersion;
  bool AllowSingleSignOnUsingOSPrimaryAccount = false;

  platform::WindowHandle WindowParentHandle() const { return FWindowParentHandle; }
  bool UseDefaultEnvironment() const { return FUseDefaultEnvironment; }
  // The loader's device scale factor; 1 without a loader.
  virtual float ScreenScale() const;

  // --- Operations the shell uses ---

  // Hands the script to the runtime; exactly one completion follows a True.
  bool ExecuteScript(std::u16string_view aJavaScript, std::int32_t aExecutionID = 0);
  bool Navigate(std::u16string_view aURI);
  // True from a NavigationStarting until the next NavigationCompleted.
  bool IsNavigating() const { return FIsNavigating; }

  // --- The live browser (see TWVBrowserBaseOperations.cpp for the list) ---

  platform::Rect Bounds() const;
  bool SetBounds(const platform::Rect& aBounds);
  bool IsVisible() const;
  bool SetIsVisible(bool aVisible);
  platform::WindowHandle ParentWindow() const;
  bool SetParentWindow(platform::WindowHandle aHandle);
  bool SetFocus();
  bool FocusNext();
  bool FocusPrevious();
  bool NotifyParentWindowPositionChanged();
  double ZoomFactor() const;
  bool SetZoomFactor(double aZoomFactor);
  bool SetBoundsAndZoomFactor(const platform::Rect& aBounds, double aZoomFactor);
  bool IncZoomStep();
  bool DecZoomStep();
  bool ResetZoom();
  std::int32_t ZoomStep() const { return FZoomStep; }

  std::u16string Source() const;
  std::u16string DocumentTitle() const;
  std::uint32_t BrowserProcessID() const;
  bool CanGoBack() const;
  bool CanGoForward() const;
  bool ContainsFullScreenElement() const;
  bool GoBack();
  bool GoForward();
  bool Refresh();
  bool Stop();
  bool NavigateToString(std::u16string_view aHTMLContent);
  bool PostWebMessageAsJson(std::u16string_view aWebMessageAsJson);
  bool PostWebMessageAsString(std::u16string_view aWebMessageAsString);
  bool AddScriptToExecuteOnDocumentCreated(std::u16string_view aJavaScript);
  bool RemoveScriptToExecuteOnDocumentCreated(std::u16string_view aID);
  bool CapturePreview(COREWEBVIEW2_CAPTURE_PREVIEW_IMAGE_FORMAT aImageFormat, IStream* aImageStream);
  bool CallDevToolsProtocolMethod(std::u16string_view aMethodName, std::u16string_view aParametersAsJson,
                                  std::int32_t aExecutionID = 0);
  bool OpenDevToolsWindow();
  bool AddWebResourceRequestedFilter(std::u16string_view aURI, COREWEBVIEW2_WEB_RESOURCE_CONTEXT aContext);
  bool RemoveWebResourceRequestedFilter(std::u16string_view aURI, COREWEBVIEW2_WEB_RESOURCE_CONTEXT aContext);
  // Cookies of the webview's profile (TWVBrowserBaseCookies.cpp). GetCookies
  // answers through OnGetCookiesCompleted; an empty URI asks for them all.
  bool GetCookies(std::u16string_view aURI = {});
  ComPtr<ICoreWebView2Cookie> CreateCookie(std::u16string_view aName, std::u16string_view aValue,
                                           std::u16string_view aDomain, std::u16string_view aPath);
  ComPtr<ICoreWebView2Cookie> CopyCookie(ICoreWebView2Cookie* aCookie);
  bool AddOrUpdateCookie(ICoreWebView2Cookie* aCookie);
  bool DeleteCookie(ICoreWebView2Cookie* aCookie);
  bool DeleteCookies(std::u16string_view aName, std::u16string_view aURI);
  bool DeleteCookiesWithDomainAndPath(std::u16string_view aName, std::u16string_view aDomain,
                                      std::u16string_view aPath);
  bool DeleteAllCookies();
  bool RetrieveHTML();
  // aTextContent picks textContent (all text) over innerText (the rendered text).
  bool RetrieveText(bool aTextContent = false);
  bool TrySuspend();
  bool Resume();
  bool IsSuspended() const;
  bool IsMuted() const;
  bool SetIsMuted(bool aMuted);
  bool ToggleMuteState();
  bool IsDocumentPlayingAudio() const;
  bool OpenTaskManagerWindow();
  bool ExecuteScriptWithResult(std::u16string_view aJavaScript, std::int32_t aExecutionID = 0);
  std::u16string StatusBarText() const;

  bool Print();
  bool ShowPrintUI(COREWEBVIEW2_PRINT_DIALOG_KIND aPrintDialogKind);
  bool PrintToPdf(std::u16string_view aResultFilePath);
  bool PrintToPdfStream();
  bool ShowSaveAsUI();
  bool GetFavicon(COREWEBVIEW2_FAVICON_IMAGE_FORMAT aFormat);
  bool ClearServerCertificateErrorActions();
  bool OpenDefaultDownloadDialog();
  bool CloseDefaultDownloadDialog();
  bool SetVirtualHostNameToFolderMapping(std::u16string_view aHostName, std::u16string_view aFolderPath,
                                         COREWEBVIEW2_HOST_RESOURCE_ACCESS_KIND aAccessKind);
  bool ClearVirtualHostNameToFolderMapping(std::u16string_view aHostName);
  // The object is passed to the runtime as it is: an IDispatch in the VARIANT (VT_DISPATCH) is what a
  // page can call (see TableHostObject).
  bool AddHostObjectToScript(std::u16string_view aName, VARIANT* aObject);
  bool AddHostObjectToScript(std::u16string_view aName, IDispatch* aObject);
  bool RemoveHostObjectFromScript(std::u16string_view aName);
  bool NavigateWithWebResourceRequest(ICoreWebView2WebResourceRequest* aRequest);
  bool CallDevToolsProtocolMethodForSession(std::u16string_view aSessionID, std::u16string_view aMethodName,
                                            std::u16string_view aParametersAsJson,
                                            std::int32_t aExecutionID = 0);
  // Composite operations over the DevTools protocol; each answers through its own event.
  bool RetrieveMHTML();
  bool ClearCache();
  bool ClearDataForOrigin(std::u16string_view aOrigin, std::u16string_view aStorageTypes = u"all");
  bool Offline(bool aOffline);
  bool IgnoreCertificateErrors(bool aIgnore);
  bool RefreshIgnoreCache() { return KeyboardShortcutRefreshIgnoreCache(); }

  // DevTools protocol events, editing commands, requests by source kind,
  // messages and buffers handed to the page, the runtime's processes.
  // Every later protocol event `aEventName` of the page is raised as
  // OnDevToolsProtocolEventReceived with `aEventID`.
  bool SubscribeToDevToolsProtocolEvent(std::u16string_view aEventName, std::int32_t aEventID = 0);
  // Runs one of the page editor's commands as the browser's keyboard shortcuts
  // do; the answer arrives as OnSimulateKeyEventCompleted.
  bool SimulateEditingCommand(TWV2EditingCommand aCommand);
  bool AddWebResourceRequestedFilterWithRequestSourceKinds(
      std::u16string_view aURI, COREWEBVIEW2_WEB_RESOURCE_CONTEXT aContext,
      COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS aRequestSourceKinds);
  bool RemoveWebResourceRequestedFilterWithRequestSourceKinds(
      std::u16string_view aURI, COREWEBVIEW2_WEB_RESOURCE_CONTEXT aContext,
      COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS aRequestSourceKinds);
  bool PostWebMessageAsJsonWithAdditionalObjects(std::u16string_view aWebMessageAsJson,
                                                 ICoreWebView2ObjectCollectionView* aAdditionalObjects);
  // The answer arrives as OnGetProcessExtendedInfosCompleted.
  bool GetProcessExtendedInfos();
  // The buffer's interface is known by name only: it is handed out, and taken
  // back by PostSharedBufferToScript, as the IUnknown it starts with.
  bool CreateSharedBuffer(std::uint64_t aSize, ComPtr<IUnknown>& aSharedBuffer);
  bool PostSharedBufferToScript(IUnknown* aSharedBuffer, COREWEBVIEW2_SHARED_BUFFER_ACCESS aAccess,
                                std::u16string_view aAdditionalDataAsJson);

  // Profile.
  bool ClearBrowsingData(COREWEBVIEW2_BROWSING_DATA_KINDS aDataKinds);
  bool ClearBrowsingDataInTimeRange(COREWEBVIEW2_BROWSING_DATA_KINDS aDataKinds, double aStartTime,
                                    double aEndTime);
  bool ClearBrowsingDataAll();
  bool SetPermissionState(COREWEBVIEW2_PERMISSION_KIND aPermissionKind, std::u16string_view aOrigin,
                          COREWEBVIEW2_PERMISSION_STATE aState);
  bool GetNonDefaultPermissionSettings();
  bool AddBrowserExtension(std::u16string_view aExtensionFolderPath);
  bool GetBrowserExtensions();
  bool DeleteProfile();

  // Settings of the webview.
  bool ScriptEnabled() const;
  bool SetScriptEnabled(bool aEnabled);
  bool WebMessageEnabled() const;
  bool SetWebMessageEnabled(bool aEnabled);
  bool DefaultScriptDialogsEnabled() const;
  bool SetDefaultScriptDialogsEnabled(bool aEnabled);
  bool StatusBarEnabled() const;
  bool SetStatusBarEnabled(bool aEnabled);
  bool DevToolsEnabled() const;
  bool SetDevToolsEnabled(bool aEnabled);
  bool DefaultContextMenusEnabled() const;
  bool SetDefaultContextMenusEnabled(bool aEnabled);
  bool AllowHostObjects() const;
  bool SetAllowHostObjects(bool aAllowed);
  bool ZoomControlEnabled() const;
  bool SetZoomControlEnabled(bool aEnabled);
  bool BuiltInErrorPageEnabled() const;
  bool SetBuiltInErrorPageEnabled(bool aEnabled);

  // Properties of the controller, webview, profile and settings the runtime
  // added in later versions (TWVBrowserBaseProperties.cpp). Each answers its
  // default, and each setter False, until the browser is Initialized and the
  // runtime offers the version that carries it. The profile's two autofill
  // switches carry the Profile prefix: the settings have their own of the same name.
  COREWEBVIEW2_COLOR DefaultBackgroundColor() const;
  bool SetDefaultBackgroundColor(COREWEBVIEW2_COLOR aColor);
  COREWEBVIEW2_BOUNDS_MODE BoundsMode() const;
  bool SetBoundsMode(COREWEBVIEW2_BOUNDS_MODE aBoundsMode);
  double RasterizationScale() const;
  bool SetRasterizationScale(double aScale);
  bool ShouldDetectMonitorScaleChanges() const;
  bool SetShouldDetectMonitorScaleChanges(bool aDetect);
  bool AllowExternalDrop() const;
  bool SetAllowExternalDrop(bool aAllowed);

  std::u16string FaviconUri() const;
  COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL MemoryUsageTargetLevel() const;
  bool SetMemoryUsageTargetLevel(COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL aLevel);
  std::uint32_t FrameId() const;
  COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT DefaultDownloadDialogCornerAlignment() const;
  bool SetDefaultDownloadDialogCornerAlignment(
      COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT aAlignment);
  POINT DefaultDownloadDialogMargin() const;
  bool SetDefaultDownloadDialogMargin(POINT aMargin);
  bool IsDefaultDownloadDialogOpen() const;

  std::u16string DefaultDownloadFolderPath() const;
  bool SetDefaultDownloadFolderPath(std::u16string_view aPath);
  COREWEBVIEW2_PREFERRED_COLOR_SCHEME PreferredColorScheme() const;
  bool SetPreferredColorScheme(COREWEBVIEW2_PREFERRED_COLOR_SCHEME aScheme);
  std::u16string ProfilePath() const;
  COREWEBVIEW2_TRACKING_PREVENTION_LEVEL PreferredTrackingPreventionLevel() const;
  bool SetPreferredTrackingPreventionLevel(COREWEBVIEW2_TRACKING_PREVENTION_LEVEL aLevel);
  bool ProfileIsGeneralAutofillEnabled() const;
  bool SetProfileIsGeneralAutofillEnabled(bool aEnabled);
  bool ProfileIsPasswordAutosaveEnabled() const;
  bool SetProfileIsPasswordAutosaveEnabled(bool aEnabled);

  std::u16string UserAgent() const;
  bool SetUserAgent(std::u16string_view aUserAgent);
  bool AreBrowserAcceleratorKeysEnabled() const;
  bool SetAreBrowserAcceleratorKeysEnabled(bool aEnabled);
  bool IsGeneralAutofillEnabled() const;
  bool SetIsGeneralAutofillEnabled(bool aEnabled);
  bool IsPasswordAutosaveEnabled() const;
  bool SetIsPasswordAutosaveEnabled(bool aEnabled);
  bool IsPinchZoomEnabled() const;
  bool SetIsPinchZoomEnabled(bool aEnabled);
  bool IsSwipeNavigationEnabled() const;
  bool SetIsSwipeNavigationEnabled(bool aEnabled);
  COREWEBVIEW2_PDF_TOOLBAR_ITEMS HiddenPdfToolbarItems() const;
  bool SetHiddenPdfToolbarItems(COREWEBVIEW2_PDF_TOOLBAR_ITEMS aItems);
  bool IsReputationCheckingRequired() const;
  bool SetIsReputationCheckingRequired(bool aRequired);
  bool IsNonClientRegionSupportEnabled() const;
  bool SetIsNonClientRegionSupportEnabled(bool aEnabled);

  // --- The windowless browser's composition controller ---
  // Each answers False (0, none) in a windowed browser, and when the runtime
  // does not offer the composition controller's version that carries it.

  bool SendMouseInput(COREWEBVIEW2_MOUSE_EVENT_KIND aEventKind,
                      COREWEBVIEW2_MOUSE_EVENT_VIRTUAL_KEYS aVirtualKeys, std::uint32_t aMouseData,
                      POINT aPoint);
  // aPointerInfo is the environment's object (CreateCoreWebView2PointerInfo), passed through.
  bool SendPointerInput(COREWEBVIEW2_POINTER_EVENT_KIND aEventKind, ICoreWebView2PointerInfo* aPointerInfo);
  HCURSOR Cursor() const;
  std::uint32_t SystemCursorId() const;
  ComPtr<IUnknown> RootVisualTarget() const;
  bool SetRootVisualTarget(IUnknown* aTarget);
  ComPtr<IUnknown> AutomationProvider() const;
  // aEffect goes in as the effects the source allows and comes back as the one the page chose.
  bool DragEnter(IDataObject* aDataObject, std::uint32_t aKeyState, POINT aPoint, std::uint32_t& aEffect);
  bool DragLeave();
  bool DragOver(std::uint32_t aKeyState, POINT aPoint, std::uint32_t& aEffect);
  bool Drop(IDataObject* aDataObject, std::uint32_t aKeyState, POINT aPoint, std::uint32_t& aEffect);
  // NOWHERE when the point is in none of the page's regions, or nothing answers.
  COREWEBVIEW2_NON_CLIENT_REGION_KIND GetNonClientRegionAtPoint(POINT aPoint) const;
  // The rectangles of the page's region of `aKind`; none when nothing answers.
  ComPtr<ICoreWebView2RegionRectCollectionView> QueryNonClientRegion(
      COREWEBVIEW2_NON_CLIENT_REGION_KIND aKind) const;

  // --- Custom context menu items ---

  // An item for the page's context menu, made by the environment; the control
  // subscribes its CustomItemSelected, so choosing it raises OnCustomItemSelected,
  // until the browser is closed.
  bool CreateContextMenuItem(std::u16string_view aLabel, IStream* aIconStream,
                             COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND aKind,
                             ComPtr<ICoreWebView2ContextMenuItem>& aMenuItem);

  // --- Runtime child windows ---

  platform::WindowHandle Widget0CompHWND() const { return FCompWindows[kWidget0].FHandle; }
  platform::WindowHandle Widget1CompHWND() const { return FCompWindows[kWidget1].FHandle; }
  platform::WindowHandle RenderCompHWND() const { return FCompWindows[kRender].FHandle; }
  platform::WindowHandle D3DWindowCompHWND() const { return FCompWindows[kD3DWindow].FHandle; }

  // --- Events, in declaration order ---

  TOnInitializationErrorEvent OnInitializationError;
  TNotifyEvent OnEnvironmentCompleted;
  TNotifyEvent OnControllerCompleted;
  TNotifyEvent OnAfterCreated;
  TOnExecuteScriptCompletedEvent OnExecuteScriptCompleted;
  TOnResultCodeCompletedEvent OnCapturePreviewCompleted;
  TOnNavigationStartingEvent OnNavigationStarting;
  TOnNavigationCompletedEvent OnNavigationCompleted;
  TOnNavigationStartingEvent OnFrameNavigationStarting;
  TOnNavigationCompletedEvent OnFrameNavigationCompleted;
  TWVRuntimeEvent<ICoreWebView2, ICoreWebView2SourceChangedEventArgs> OnSourceChanged;
  TOnWebViewNotifyEvent OnHistoryChanged;
  TWVRuntimeEvent<ICoreWebView2, ICoreWebView2ContentLoadingEventArgs> OnContentLoading;
  TOnWebViewNotifyEvent OnDocumentTitleChanged;
  TWVRuntimeEvent<ICoreWebView2, ICoreWebView2NewWindowRequestedEventArgs> OnNewWindowRequested;
  TWVRuntimeEvent<ICoreWebView2, ICoreWebView2WebResourceRequestedEventArgs> OnWebResourceRequested;
  TWVRuntimeEvent<ICoreWebView2, ICoreWebView2ScriptDialogOpeningEventArgs> OnScriptDialogOpening;
  TWVRuntimeEvent<ICoreWebView2, ICoreWebView2PermissionRequestedEventArgs> OnPermissionRequested;
  TWVRuntimeEvent<ICoreWebView2, ICoreWebView2ProcessFailedEventArgs> OnProcessFailed;
  TOnWebMessageReceivedEvent OnWebMessageReceived;
  TOnWebViewNotifyEvent OnContainsFullScreenElementChanged;
  TOnWebViewNotifyEvent OnWindowCloseRequested;
  std::function<void(TWVBrowserBase* Sender, ICoreWebView2* aWebView, IUnknown* aArgs,
                     const std::u16string& aEventName, std::int32_t aEventID)>
      OnDevToolsProtocolEventReceived;
  TOnControllerNotifyEvent OnZoomFactorChanged;
  TWVRuntimeEvent<ICoreWebView2Controller, ICoreWebView2MoveFocusRequestedEventArgs> OnMoveFocusRequested;
  TWVRuntimeEvent<ICoreWebView2Controller, ICoreWebView2AcceleratorKeyPressedEventArgs>
      OnAcceleratorKeyPressed;
  TOnControllerNotifyEvent OnGotFocus;
  TOnControllerNotifyEvent OnLostFocus;
  TOnCompositionControllerNotifyEvent OnCursorChanged;
  TWVRuntimeEvent<ICoreWebView2Environment, ICoreWebView2BrowserProcessExitedEventArgs>
      OnBrowserProcessExited;
  TOnControllerNotifyEvent OnRasterizationScaleChanged;
  TWVRuntimeEvent<ICoreWebView2, ICoreWebView2WebResourceResponseReceivedEventArgs>
      OnWebResourceResponseReceived;
  TWVRuntimeEvent<ICoreWebView2, ICoreWebView2DOMContentLoadedEventArgs> OnDOMContentLoaded;
  TOnWebResourceResponseViewGetContentCompletedEvent OnWebResourceResponseViewGetContentCompleted;
  TOnGetCookiesCompletedEvent OnGetCookiesCompleted;
  TOnBooleanCompletedEvent OnTrySuspendCompleted;
  TWVRuntimeEvent<ICoreWebView2, ICoreWebView2FrameCreatedEventArgs> OnFrameCreated;
  TWVRuntimeEvent<ICoreWebView2, ICoreWebView2DownloadStartingEventArgs> OnDownloadStarting;
  TWVRuntimeEvent<ICoreWebView2, ICoreWebView2ClientCertificateRequestedEventArgs>
      OnClientCertificateRequested;
  TOnBooleanCompletedEvent OnPrintToPdfCompleted;
  TOnDownloadEvent OnBytesReceivedChanged;
  TOnDownloadEvent OnEstimatedEndTimeChanged;
  TOnDownloadEvent OnDownloadStateChanged;
  TOnFrameEvent OnFrameNameChanged;
  TOnFrameEvent OnFrameDestroyed;
  TNotifyEvent OnCompositionControllerCompleted;
  TOnCallDevToolsProtocolMethodCompletedEvent OnCallDevToolsProtocolMethodCompleted;
  TOnAddScriptToExecuteOnDocumentCreatedCompletedEvent OnAddScriptToExecuteOnDocumentCreatedCompleted;
  TOnCompMsgEvent OnWidget0CompMsg;
  TOnCompMsgEvent OnWidget1CompMsg;
  TOnCompMsgEvent OnRenderCompMsg;
  TOnCompMsgEvent OnD3DWindowCompMsg;
  TOnPrintCompletedEvent OnPrintCompleted;
  TOnRetrieveTextCompletedEvent OnRetrieveHTMLCompleted;
  TOnRetrieveTextCompletedEvent OnRetrieveTextCompleted;
  TOnRetrieveTextCompletedEvent OnRetrieveMHTMLCompleted;
  TOnBooleanResultEvent OnClearCacheCompleted;
  TOnBooleanResultEvent OnClearDataForOriginCompleted;
  TOnBooleanResultEvent OnOfflineCompleted;
  TOnBooleanResultEvent OnIgnoreCertificateErrorsCompleted;
  TOnRefreshIgnoreCacheCompletedEvent OnRefreshIgnoreCacheCompleted;
  TOnBooleanResultEvent OnSimulateKeyEventCompleted;
  TOnWebViewNotifyEvent OnIsMutedChanged;
  TOnWebViewNotifyEvent OnIsDocumentPlayingAudioChanged;
  TOnWebViewNotifyEvent OnIsDefaultDownloadDialogOpenChanged;
  TOnEnvironmentNotifyEvent OnProcessInfosChanged;
  TWVFrameEvent<ICoreWebView2NavigationStartingEventArgs> OnFrameNavigationStarting2;
  TWVFrameEvent<ICoreWebView2NavigationCompletedEventArgs> OnFrameNavigationCompleted2;
  TWVFrameEvent<ICoreWebView2ContentLoadingEventArgs> OnFrameContentLoading;
  TWVFrameEvent<ICoreWebView2DOMContentLoadedEventArgs> OnFrameDOMContentLoaded;
  TWVFrameEvent<ICoreWebView2WebMessageReceivedEventArgs> OnFrameWebMessageReceived;
  TWVRuntimeEvent<ICoreWebView2, ICoreWebView2BasicAuthenticationRequestedEventArgs>
      OnBasicAuthenticationRequested;
  TWVRuntimeEvent<ICoreWebView2, ICoreWebView2ContextMenuRequestedEventArgs> OnContextMenuRequested;
  TWVRuntimeEvent<ICoreWebView2ContextMenuItem, IUnknown> OnCustomItemSelected;
  TOnWebViewNotifyEvent OnStatusBarTextChanged;
  TWVFrameEvent<ICoreWebView2PermissionRequestedEventArgs> OnFramePermissionRequested;
  TOnResultCodeCompletedEvent OnClearBrowsingDataCompleted;
  TOnResultCodeCompletedEvent OnServerCertificateErrorActionsCompleted;
  TWVRuntimeEvent<ICoreWebView2, ICoreWebView2ServerCertificateErrorDetectedEventArgs>
      OnServerCertificateErrorDetected;
  TOnWebViewNotifyEvent OnFaviconChanged;
  TOnStreamCompletedEvent OnGetFaviconCompleted;
  TOnStreamCompletedEvent OnPrintToPdfStreamCompleted;
  TOnGetCustomSchemesEvent OnGetCustomSchemes;
  TWVObjectCompletedEvent<ICoreWebView2PermissionSettingCollectionView>
      OnGetNonDefaultPermissionSettingsCompleted;
  TOnResultCodeCompletedEvent OnSetPermissionStateCompleted;
  TWVRuntimeEvent<ICoreWebView2, ICoreWebView2LaunchingExternalUriSchemeEventArgs>
      OnLaunchingExternalUriScheme;
  TWVObjectCompletedEvent<ICoreWebView2ProcessExtendedInfoCollection> OnGetProcessExtendedInfosCompleted;
  TOnBrowserExtensionCompletedEvent OnBrowserExtensionRemoveCompleted;
  TOnBrowserExtensionCompletedEvent OnBrowserExtensionEnableCompleted;
  TWVObjectCompletedEvent<ICoreWebView2BrowserExtension> OnProfileAddBrowserExtensionCompleted;
  TWVObjectCompletedEvent<ICoreWebView2BrowserExtensionList> OnProfileGetBrowserExtensionsCompleted;
  TWVRuntimeEvent<ICoreWebView2Profile, IUnknown> OnProfileDeleted;
  TOnExecuteScriptWithResultCompletedEvent OnExecuteScriptWithResultCompleted;
  TOnCompositionControllerNotifyEvent OnNonClientRegionChanged;
  TWVRuntimeEvent<ICoreWebView2, ICoreWebView2NotificationReceivedEventArgs> OnNotificationReceived;
  TWVRuntimeEvent<IUnknown, IUnknown> OnNotificationCloseRequested;
  TWVRuntimeEvent<ICoreWebView2, ICoreWebView2SaveAsUIShowingEventArgs> OnSaveAsUIShowing;
  TOnShowSaveAsUICompletedEvent OnShowSaveAsUICompleted;
  TWVRuntimeEvent<ICoreWebView2, ICoreWebView2SaveFileSecurityCheckStartingEventArgs>
      OnSaveFileSecurityCheckStarting;
  TWVRuntimeEvent<ICoreWebView2, ICoreWebView2ScreenCaptureStartingEventArgs> OnScreenCaptureStarting;
  TWVFrameEvent<ICoreWebView2ScreenCaptureStartingEventArgs> OnFrameScreenCaptureStarting;

  // Not one of the runtime's events: an application handler threw while the
  // runtime was calling back. The exception was stopped before it could reach
  // the runtime; this tells the application what it was.
  TOnHandlerExceptionEvent OnHandlerException;

  // --- IWVBrowserEvents: the runtime's callbacks, through the sinks ---

  HRESULT HandleEnvironmentCompleted(HRESULT errorCode,
                                     ICoreWebView2Environment* createdEnvironment) override;
  HRESULT HandleControllerCompleted(HRESULT errorCode, ICoreWebView2Controller* createdController) override;
  HRESULT HandleCompositionControllerCompleted(
      HRESULT errorCode, ICoreWebView2CompositionController* createdController) override;
  HRESULT HandleNewBrowserVersionAvailable(ICoreWebView2Environment* sender, IUnknown* args) override;
  HRESULT HandleBrowserProcessExited(ICoreWebView2Environment* sender,
                                     ICoreWebView2BrowserProcessExitedEventArgs* args) override;
  HRESULT HandleProcessInfosChanged(ICoreWebView2Environment* sender, IUnknown* args) override;
  HRESULT HandleNavigationStarting(ICoreWebView2* sender,
                                   ICoreWebView2NavigationStartingEventArgs* args) override;
  HRESULT HandleNavigationCompleted(ICoreWebView2* sender,
                                    ICoreWebView2NavigationCompletedEventArgs* args) override;
  HRESULT HandleSourceChanged(ICoreWebView2* sender, ICoreWebView2SourceChangedEventArgs* args) override;
  HRESULT HandleHistoryChanged(ICoreWebView2* sender, IUnknown* args) override;
  HRESULT HandleContentLoading(ICoreWebView2* sender, ICoreWebView2ContentLoadingEventArgs* args) override;
  HRESULT HandleDocumentTitleChanged(ICoreWebView2* sender, IUnknown* args) override;
  HRESULT HandleNewWindowRequested(ICoreWebView2* sender,
                                   ICoreWebView2NewWindowRequestedEventArgs* args) override;
  HRESULT HandleFrameNavigationStarting(ICoreWebView2* sender,
                                        ICoreWebView2NavigationStartingEventArgs* args) override;
  HRESULT HandleFrameNavigationCompleted(ICoreWebView2* sender,
                                         ICoreWebView2NavigationCompletedEventArgs* args) override;
  HRESULT HandleWebResourceRequested(ICoreWebView2* sender,
                                     ICoreWebView2WebResourceRequestedEventArgs* args) override;
  HRESULT HandleScriptDialogOpening(ICoreWebView2* sender,
                                    ICoreWebView2ScriptDialogOpeningEventArgs* args) override;
  HRESULT HandlePermissionRequested(ICoreWebView2* sender,
                                    ICoreWebView2PermissionRequestedEventArgs* args) override;
  HRESULT HandleProcessFailed(ICoreWebView2* sender, ICoreWebView2ProcessFailedEventArgs* args) override;
  HRESULT HandleWebMessageReceived(ICoreWebView2* sender,
                                   ICoreWebView2WebMessageReceivedEventArgs* args) override;
  HRESULT HandleContainsFullScreenElementChanged(ICoreWebView2* sender, IUnknown* args) override;
  HRESULT HandleWindowCloseRequested(ICoreWebView2* sender, IUnknown* args) override;
  HRESULT HandleDevToolsProtocolEventReceived(ICoreWebView2* sender,
                                              ICoreWebView2DevToolsProtocolEventReceivedEventArgs* args,
                                              const std::u16string& eventName, std::int32_t eventID) override;
  HRESULT HandleWebResourceResponseReceived(ICoreWebView2* sender,
                                            ICoreWebView2WebResourceResponseReceivedEventArgs* args) override;
  HRESULT HandleDOMContentLoaded(ICoreWebView2* sender,
                                 ICoreWebView2DOMContentLoadedEventArgs* args) override;
  HRESULT HandleFrameCreated(ICoreWebView2* sender, ICoreWebView2FrameCreatedEventArgs* args) override;
  HRESULT HandleDownloadStarting(ICoreWebView2* sender,
                                 ICoreWebView2DownloadStartingEventArgs* args) override;
  // Frames and downloads (TWVBrowserBaseFrames.cpp).
  HRESULT HandleFrameNameChanged(ICoreWebView2Frame* sender, IUnknown* args, std::uint32_t frameKey) override;
  HRESULT HandleFrameDestroyed(ICoreWebView2Frame* sender, IUnknown* args, std::uint32_t frameKey) override;
  HRESULT HandleFrameNavigationStarting2(ICoreWebView2Frame* sender,
                                         ICoreWebView2NavigationStartingEventArgs* args,
                                         std::uint32_t frameKey) override;
  HRESULT HandleFrameContentLoading(ICoreWebView2Frame* sender, ICoreWebView2ContentLoadingEventArgs* args,
                                    std::uint32_t frameKey) override;
  HRESULT HandleFrameNavigationCompleted2(ICoreWebView2Frame* sender,
                                          ICoreWebView2NavigationCompletedEventArgs* args,
                                          std::uint32_t frameKey) override;
  HRESULT HandleFrameDOMContentLoaded(ICoreWebView2Frame* sender,
                                      ICoreWebView2DOMContentLoadedEventArgs* args,
                                      std::uint32_t frameKey) override;
  HRESULT HandleFrameWebMessageReceived(ICoreWebView2Frame* sender,
                                        ICoreWebView2WebMessageReceivedEventArgs* args,
                                        std::uint32_t frameKey) override;
  HRESULT HandleFramePermissionRequested(ICoreWebView2Frame* sender,
                                         ICoreWebView2PermissionRequestedEventArgs2* args,
                                         std::uint32_t frameKey) override;
  HRESULT HandleFrameScreenCaptureStarting(ICoreWebView2Frame* sender,
                                           ICoreWebView2ScreenCaptureStartingEventArgs* args,
                                           std::uint32_t frameKey) override;
  HRESULT HandleBytesReceivedChanged(ICoreWebView2DownloadOperation* sender, IUnknown* args,
                                     std::int32_t downloadID) override;
  HRESULT HandleEstimatedEndTimeChanged(ICoreWebView2DownloadOperation* sender, IUnknown* args,
                                        std::int32_t downloadID) override;
  HRESULT HandleDownloadStateChanged(ICoreWebView2DownloadOperation* sender, IUnknown* args,
                                     std::int32_t downloadID) override;
  HRESULT HandleClientCertificateRequested(ICoreWebView2* sender,
                                           ICoreWebView2ClientCertificateRequestedEventArgs* args) override;
  HRESULT HandleIsMutedChanged(ICoreWebView2* sender, IUnknown* args) override;
  HRESULT HandleIsDocumentPlayingAudioChanged(ICoreWebView2* sender, IUnknown* args) override;
  HRESULT HandleIsDefaultDownloadDialogOpenChanged(ICoreWebView2* sender, IUnknown* args) override;
  HRESULT HandleBasicAuthenticationRequested(
      ICoreWebView2* sender, ICoreWebView2BasicAuthenticationRequestedEventArgs* args) override;
  HRESULT HandleContextMenuRequested(ICoreWebView2* sender,
                                     ICoreWebView2ContextMenuRequestedEventArgs* args) override;
  HRESULT HandleStatusBarTextChanged(ICoreWebView2* sender, IUnknown* args) override;
  HRESULT HandleServerCertificateErrorDetected(
      ICoreWebView2* sender, ICoreWebView2ServerCertificateErrorDetectedEventArgs* args) override;
  HRESULT HandleFaviconChanged(ICoreWebView2* sender, IUnknown* args) override;
  HRESULT HandleLaunchingExternalUriScheme(ICoreWebView2* sender,
                                           ICoreWebView2LaunchingExternalUriSchemeEventArgs* args) override;
  HRESULT HandleNotificationReceived(ICoreWebView2* sender,
                                     ICoreWebView2NotificationReceivedEventArgs* args) override;
  HRESULT HandleSaveAsUIShowing(ICoreWebView2* sender, ICoreWebView2SaveAsUIShowingEventArgs* args) override;
  HRESULT HandleSaveFileSecurityCheckStarting(
      ICoreWebView2* sender, ICoreWebView2SaveFileSecurityCheckStartingEventArgs* args) override;
  HRESULT HandleScreenCaptureStarting(ICoreWebView2* sender,
                                      ICoreWebView2ScreenCaptureStartingEventArgs* args) override;
  HRESULT HandleAcceleratorKeyPressed(ICoreWebView2Controller* sender,
                                      ICoreWebView2AcceleratorKeyPressedEventArgs* args) override;
  HRESULT HandleGotFocus(ICoreWebView2Controller* sender, IUnknown* args) override;
  HRESULT HandleLostFocus(ICoreWebView2Controller* sender, IUnknown* args) override;
  HRESULT HandleMoveFocusRequested(ICoreWebView2Controller* sender,
                                   ICoreWebView2MoveFocusRequestedEventArgs* args) override;
  HRESULT HandleZoomFactorChanged(ICoreWebView2Controller* sender, IUnknown* args) override;
  HRESULT HandleRasterizationScaleChanged(ICoreWebView2Controller* sender, IUnknown* args) override;
  HRESULT HandleProfileDeleted(ICoreWebView2Profile* sender, IUnknown* args) override;
  HRESULT HandleCursorChanged(ICoreWebView2CompositionController* sender, IUnknown* args) override;
  HRESULT HandleNonClientRegionChanged(ICoreWebView2CompositionController* sender,
                                       ICoreWebView2NonClientRegionChangedEventArgs* args) override;
  HRESULT HandleCustomItemSelected(ICoreWebView2ContextMenuItem* sender, IUnknown* args) override;
  HRESULT HandleNotificationCloseRequested(ICoreWebView2Notification* sender, IUnknown* args) override;
  HRESULT HandleExecuteScriptCompleted(HRESULT errorCode, LPCWSTR resultObjectAsJson,
                                       std::int32_t executionId) override;
  HRESULT HandleExecuteScriptWithResultCompleted(HRESULT errorCode, ICoreWebView2ExecuteScriptResult* result,
                                                 std::int32_t executionId) override;
  HRESULT HandleCallDevToolsProtocolMethodCompleted(HRESULT errorCode, LPCWSTR returnObjectAsJson,
                                                    std::int32_t executionId) override;
  HRESULT HandleAddScriptToExecuteOnDocumentCreatedCompleted(HRESULT errorCode, LPCWSTR id) override;
  HRESULT HandleCapturePreviewCompleted(HRESULT errorCode) override;
  HRESULT HandleClearBrowsingDataCompleted(HRESULT errorCode) override;
  HRESULT HandleClearServerCertificateErrorActionsCompleted(HRESULT errorCode) override;
  HRESULT HandleGetFaviconCompleted(HRESULT errorCode, IStream* faviconStream) override;
  HRESULT HandleGetNonDefaultPermissionSettingsCompleted(
      HRESULT errorCode, ICoreWebView2PermissionSettingCollectionView* collectionView) override;
  HRESULT HandleGetProcessExtendedInfosCompleted(HRESULT errorCode,
                                                 ICoreWebView2ProcessExtendedInfoCollection* value) override;
  HRESULT HandlePrintCompleted(HRESULT errorCode, COREWEBVIEW2_PRINT_STATUS printStatus) override;
  HRESULT HandlePrintToPdfCompleted(HRESULT errorCode, BOOL isSuccessful) override;
  HRESULT HandlePrintToPdfStreamCompleted(HRESULT errorCode, IStream* pdfStream) override;
  HRESULT HandleProfileAddBrowserExtensionCompleted(HRESULT errorCode,
                                                    ICoreWebView2BrowserExtension* extension) override;
  HRESULT HandleProfileGetBrowserExtensionsCompleted(
      HRESULT errorCode, ICoreWebView2BrowserExtensionList* extensionList) override;
  HRESULT HandleSetPermissionStateCompleted(HRESULT errorCode) override;
  HRESULT HandleShowSaveAsUICompleted(HRESULT errorCode, COREWEBVIEW2_SAVE_AS_UI_RESULT result) override;
  HRESULT HandleTrySuspendCompleted(HRESULT errorCode, BOOL isSuccessful) override;
  HRESULT HandleGetCookiesCompleted(HRESULT errorCode, ICoreWebView2CookieList* cookieList) override;

  void HandleCallbackException(std::u16string_view callbackName, std::u16string_view description) override;

 protected:
  platform::Platform& Platform() const { return FPlatform; }

  // The controller request with the current environment wrapper.
  bool StartControllerCreation();
  // CreateBrowser's and CreateWindowlessBrowser's common part, once the mode is set.
  bool StartBrowserCreation(platform::WindowHandle aHandle, ICoreWebView2Environment* aEnvironment);
  // Finds the runtime's windows inside the host and keeps the hooks current.
  void UpdateCompWindows();

  // --- Notifiers: each raises its event when a handler is assigned ---

  virtual void NotifyInitializationError(HRESULT aErrorCode, const std::u16string& aErrorMessage);
  virtual void NotifyEnvironmentCompleted();
  virtual void NotifyControllerCompleted();
  virtual void NotifyAfterCreated();
  virtual void NotifyExecuteScriptCompleted(HRESULT aErrorCode, const std::u16string& aResultObjectAsJson,
                                            std::int32_t aExecutionID);
  virtual void NotifyCapturePreviewCompleted(HRESULT aErrorCode);
  virtual void NotifyNavigationStarting(ICoreWebView2* aWebView,
                                        ICoreWebView2NavigationStartingEventArgs* aArgs);
  virtual void NotifyNavigationCompleted(ICoreWebView2* aWebView,
                                         ICoreWebView2NavigationCompletedEventArgs* aArgs);
  virtual void NotifyFrameNavigationStarting(ICoreWebView2* aWebView,
                                             ICoreWebView2NavigationStartingEventArgs* aArgs);
  virtual void NotifyFrameNavigationCompleted(ICoreWebView2* aWebView,
                                              ICoreWebView2NavigationCompletedEventArgs* aArgs);
  virtual void NotifySourceChanged(ICoreWebView2* aWebView, ICoreWebView2SourceChangedEventArgs* aArgs);
  virtual void NotifyHistoryChanged(ICoreWebView2* aWebView, IUnknown* aArgs);
  virtual void NotifyContentLoading(ICoreWebView2* aWebView, ICoreWebView2ContentLoadingEventArgs* aArgs);
  virtual void NotifyDocumentTitleChanged(ICoreWebView2* aWebView, IUnknown* aArgs);
  virtual void NotifyNewWindowRequested(ICoreWebView2* aWebView,
                                        ICoreWebView2NewWindowRequestedEventArgs* aArgs);
  virtual void NotifyWebResourceRequested(ICoreWebView2* aWebView,
                                          ICoreWebView2WebResourceRequestedEventArgs* aArgs);
  virtual void NotifyScriptDialogOpening(ICoreWebView2* aWebView,
                                         ICoreWebView2ScriptDialogOpeningEventArgs* aArgs);
  virtual void NotifyPermissionRequested(ICoreWebView2* aWebView,
                                         ICoreWebView2PermissionRequestedEventArgs* aArgs);
  virtual void NotifyProcessFailed(ICoreWebView2* aWebView, ICoreWebView2ProcessFailedEventArgs* aArgs);
  virtual void NotifyWebMessageReceived(ICoreWebView2* aWebView,
                                        ICoreWebView2WebMessageReceivedEventArgs* aArgs);
  virtual void NotifyContainsFullScreenElementChanged(ICoreWebView2* aWebView, IUnknown* aArgs);
  virtual void NotifyWindowCloseRequested(ICoreWebView2* aWebView, IUnknown* aArgs);
  virtual void NotifyDevToolsProtocolEventReceived(ICoreWebView2* aWebView, IUnknown* aArgs,
                                                   const std::u16string& aEventName, std::int32_t aEventID);
  virtual void NotifyZoomFactorChanged(ICoreWebView2Controller* aController, IUnknown* aArgs);
  virtual void NotifyMoveFocusRequested(ICoreWebView2Controller* aController,
                                        ICoreWebView2MoveFocusRequestedEventArgs* aArgs);
  virtual void NotifyAcceleratorKeyPressed(ICoreWebView2Controller* aController,
                                           ICoreWebView2AcceleratorKeyPressedEventArgs* aArgs);
  virtual void NotifyGotFocus(ICoreWebView2Controller* aController, IUnknown* aArgs);
  virtual void NotifyLostFocus(ICoreWebView2Controller* aController, IUnknown* aArgs);
  virtual void NotifyCompositionControllerCompleted();
  virtual void NotifyCursorChanged(ICoreWebView2CompositionController* aController, IUnknown* aArgs);
  virtual void NotifyBrowserProcessExited(ICoreWebView2Environment* aEnvironment,
                                          ICoreWebView2BrowserProcessExitedEventArgs* aArgs);
  virtual void NotifyRasterizationScaleChanged(ICoreWebView2Controller* aController, IUnknown* aArgs);
  virtual void NotifyWebResourceResponseReceived(ICoreWebView2* aWebView,
                                                 ICoreWebView2WebResourceResponseReceivedEventArgs* aArgs);
  virtual void NotifyDOMContentLoaded(ICoreWebView2* aWebView, ICoreWebView2DOMContentLoadedEventArgs* aArgs);
  virtual void NotifyWebResourceResponseViewGetContentCompleted(HRESULT aErrorCode, IStream* aContents,
                                                                std::int32_t aResourceID);
  virtual void NotifyGetCookiesCompleted(HRESULT aErrorCode, ICoreWebView2CookieList* aResult);
  virtual void NotifyTrySuspendCompleted(HRESULT aErrorCode, bool aIsSuccessful);
  virtual void NotifyFrameCreated(ICoreWebView2* aWebView, ICoreWebView2FrameCreatedEventArgs* aArgs);
  virtual void NotifyDownloadStarting(ICoreWebView2* aWebView, ICoreWebView2DownloadStartingEventArgs* aArgs);
  virtual void NotifyClientCertificateRequested(ICoreWebView2* aWebView,
                                                ICoreWebView2ClientCertificateRequestedEventArgs* aArgs);
  virtual void NotifyPrintToPdfCompleted(HRESULT aErrorCode, bool aIsSuccessful);
  virtual void NotifyBytesReceivedChanged(IUnknown* aDownloadOperation, std::int32_t aDownloadID);
  virtual void NotifyEstimatedEndTimeChanged(IUnknown* aDownloadOperation, std::int32_t aDownloadID);
  virtual void NotifyDownloadStateChanged(IUnknown* aDownloadOperation, std::int32_t aDownloadID);
  virtual void NotifyFrameNameChanged(IUnknown* aFrame, std::uint32_t aFrameID);
  virtual void NotifyFrameDestroyed(IUnknown* aFrame, std::uint32_t aFrameID);
  virtual void NotifyCallDevToolsProtocolMethodCompleted(HRESULT aErrorCode,
                                                         const std::u16string& aReturnObjectAsJson,
                                                         std::int32_t aExecutionID);
  virtual void NotifyAddScriptToExecuteOnDocumentCreatedCompleted(HRESULT aErrorCode,
                                                                  const std::u16string& aID);
  virtual void NotifyRetrieveHTMLCompleted(bool aResult, const std::u16string& aHTML);
  virtual void NotifyRetrieveTextCompleted(bool aResult, const std::u16string& aText);
  virtual void NotifyRetrieveMHTMLCompleted(bool aResult, const std::u16string& aMHTML);
  virtual void NotifyClearCacheCompleted(bool aResult);
  virtual void NotifyClearDataForOriginCompleted(bool aResult);
  virtual void NotifyOfflineCompleted(bool aResult);
  virtual void NotifyIgnoreCertificateErrorsCompleted(bool aResult);
  virtual void NotifyRefreshIgnoreCacheCompleted(HRESULT aErrorCode,
                                                 const std::u16string& aResultObjectAsJson);
  virtual void NotifySimulateKeyEventCompleted(bool aResult);
  virtual void NotifyIsMutedChanged(ICoreWebView2* aWebView, IUnknown* aArgs);
  virtual void NotifyIsDocumentPlayingAudioChanged(ICoreWebView2* aWebView, IUnknown* aArgs);
  virtual void NotifyIsDefaultDownloadDialogOpenChanged(ICoreWebView2* aWebView, IUnknown* aArgs);
  virtual void NotifyProcessInfosChanged(ICoreWebView2Environment* aEnvironment, IUnknown* aArgs);
  virtual void NotifyFrameNavigationStarting2(IUnknown* aFrame,
                                              ICoreWebView2NavigationStartingEventArgs* aArgs,
                                              std::uint32_t aFrameID);
  virtual void NotifyFrameNavigationCompleted2(IUnknown* aFrame,
                                               ICoreWebView2NavigationCompletedEventArgs* aArgs,
                                               std::uint32_t aFrameID);
  virtual void NotifyFrameContentLoading(IUnknown* aFrame, ICoreWebView2ContentLoadingEventArgs* aArgs,
                                         std::uint32_t aFrameID);
  virtual void NotifyFrameDOMContentLoaded(IUnknown* aFrame, ICoreWebView2DOMContentLoadedEventArgs* aArgs,
                                           std::uint32_t aFrameID);
  virtual void NotifyFrameWebMessageReceived(IUnknown* aFrame,
                                             ICoreWebView2WebMessageReceivedEventArgs* aArgs,
                                             std::uint32_t aFrameID);
  virtual void NotifyBasicAuthenticationRequested(ICoreWebView2* aWebView,
                                                  ICoreWebView2BasicAuthenticationRequestedEventArgs* aArgs);
  virtual void NotifyContextMenuRequested(ICoreWebView2* aWebView,
                                          ICoreWebView2ContextMenuRequestedEventArgs* aArgs);
  virtual void NotifyCustomItemSelected(ICoreWebView2ContextMenuItem* aMenuItem, IUnknown* aArgs);
  virtual void NotifyStatusBarTextChanged(ICoreWebView2* aWebView, IUnknown* aArgs);
  virtual void NotifyFramePermissionRequested(IUnknown* aFrame,
                                              ICoreWebView2PermissionRequestedEventArgs* aArgs,
                                              std::uint32_t aFrameID);
  virtual void NotifyClearBrowsingDataCompleted(HRESULT aErrorCode);
  virtual void NotifyServerCertificateErrorActionsCompleted(HRESULT aErrorCode);
  virtual void NotifyServerCertificateErrorDetected(
      ICoreWebView2* aWebView, ICoreWebView2ServerCertificateErrorDetectedEventArgs* aArgs);
  virtual void NotifyFaviconChanged(ICoreWebView2* aWebView, IUnknown* aArgs);
  virtual void NotifyGetFaviconCompleted(HRESULT aErrorCode, IStream* aFaviconStream);
  virtual void NotifyPrintCompleted(HRESULT aErrorCode, COREWEBVIEW2_PRINT_STATUS aPrintStatus);
  virtual void NotifyPrintToPdfStreamCompleted(HRESULT aErrorCode, IStream* aPdfStream);
  virtual void NotifyGetCustomSchemes(std::vector<TWVCustomSchemeInfo>& aCustomSchemes);
  virtual void NotifyGetNonDefaultPermissionSettingsCompleted(
      HRESULT aErrorCode, ICoreWebView2PermissionSettingCollectionView* aCollectionView);
  virtual void NotifySetPermissionStateCompleted(HRESULT aErrorCode);
  virtual void NotifyLaunchingExternalUriScheme(ICoreWebView2* aWebView,
                                                ICoreWebView2LaunchingExternalUriSchemeEventArgs* aArgs);
  virtual void NotifyGetProcessExtendedInfosCompleted(HRESULT aErrorCode,
                                                      ICoreWebView2ProcessExtendedInfoCollection* aValue);
  virtual void NotifyBrowserExtensionRemoveCompleted(HRESULT aErrorCode, const std::u16string& aExtensionID);
  virtual void NotifyBrowserExtensionEnableCompleted(HRESULT aErrorCode, const std::u16string& aExtensionID);
  virtual void NotifyProfileAddBrowserExtensionCompleted(HRESULT aErrorCode,
                                                         ICoreWebView2BrowserExtension* aExtension);
  virtual void NotifyProfileGetBrowserExtensionsCompleted(HRESULT aErrorCode,
                                                          ICoreWebView2BrowserExtensionList* aExtensionList);
  virtual void NotifyProfileDeleted(ICoreWebView2Profile* aProfile, IUnknown* aArgs);
  virtual void NotifyExecuteScriptWithResultCompleted(HRESULT aErrorCode,
                                                      ICoreWebView2ExecuteScriptResult* aResult,
                                                      std::int32_t aExecutionID);
  virtual void NotifyNonClientRegionChanged(ICoreWebView2CompositionController* aController, IUnknown* aArgs);
  virtual void NotifyNotificationReceived(ICoreWebView2* aWebView,
                                          ICoreWebView2NotificationReceivedEventArgs* aArgs);
  virtual void NotifyNotificationCloseRequested(IUnknown* aNotification, IUnknown* aArgs);
  virtual void NotifySaveAsUIShowing(ICoreWebView2* aWebView, ICoreWebView2SaveAsUIShowingEventArgs* aArgs);
  virtual void NotifyShowSaveAsUICompleted(HRESULT aErrorCode, COREWEBVIEW2_SAVE_AS_UI_RESULT aResult);
  virtual void NotifySaveFileSecurityCheckStarting(
      ICoreWebView2* aWebView, ICoreWebView2SaveFileSecurityCheckStartingEventArgs* aArgs);
  virtual void NotifyScreenCaptureStarting(ICoreWebView2* aWebView,
                                           ICoreWebView2ScreenCaptureStartingEventArgs* aArgs);
  virtual void NotifyFrameScreenCaptureStarting(IUnknown* aFrame,
                                                ICoreWebView2ScreenCaptureStartingEventArgs* aArgs,
                                                std::uint32_t aFrameID);

 public:
  // Moving and sizing the form that holds the browser: the page's own
  // window.moveTo and the like; TWVBrowser knows the form.
  virtual void MoveFormTo(std::int32_t x, std::int32_t y) = 0;
  virtual void MoveFormBy(std::int32_t x, std::int32_t y) = 0;
  virtual void ResizeFormWidthTo(std::int32_t x) = 0;
  virtual void ResizeFormHeightTo(std::int32_t y) = 0;
  virtual void SetFormLeftTo(std::int32_t x) = 0;
  virtual void SetFormTopTo(std::int32_t y) = 0;

  // A key event dispatched into the page through the DevTools protocol
  // ("Input.dispatchKeyEvent"); the answer arrives as OnSimulateKeyEventCompleted.
  virtual bool SimulateKeyEvent(std::u16string_view aType, std::int32_t aModifiers,
                                std::int32_t aWindowsVirtualKeyCode, std::int32_t aNativeVirtualKeyCode);
  // The page's find box, as Ctrl+F would open it.
  virtual bool KeyboardShortcutSearch();
  // Reloads the page bypassing the cache; the answer arrives as OnRefreshIgnoreCacheCompleted.
  virtual bool KeyboardShortcutRefreshIgnoreCache();

 protected:
  // Window procedures of the four hooked runtime windows (their stubs call these).
  std::intptr_t Widget0CompWndProc(platform::WindowHandle aWindow, std::uint32_t aMsg, std::uintptr_t aWParam,
                                   std::intptr_t aLParam);
  std::intptr_t Widget1CompWndProc(platform::WindowHandle aWindow, std::uint32_t aMsg, std::uintptr_t aWParam,
                                   std::intptr_t aLParam);
  std::intptr_t RenderCompWndProc(platform::WindowHandle aWindow, std::uint32_t aMsg, std::uintptr_t aWParam,
                                  std::intptr_t aLParam);
  std::intptr_t D3DWindowCompWndProc(platform::WindowHandle aWindow, std::uint32_t aMsg,
                                     std::uintptr_t aWParam, std::intptr_t aLParam);

 private:
  friend class RuntimeWindowHook;

  enum TCompWindowKind : std::size_t { kWidget0, kWidget1, kRender, kD3DWindow, kCompWindowKinds };
  // One of the runtime's windows inside the host: its handle, and while it is
  // hooked the procedure it had before. The stub is made once and kept.
  struct TCompWindow {
    // A previous procedure may itself be 0 (the system's default handling), so hooking is its own flag.
    bool FHooked = false;
    platform::WindowProcRef FOldWndPrc = 0;
    std::unique_ptr<RuntimeWindowHook> FStub;
    platform::WindowHandle FHandle = 0;
  };

  bool WebViewReady() const;
  // The composition controller wrapper when the browser is Initialized and windowless; none otherwise.
  TCoreWebView2CompositionController* CompositionController() const;
  // Takes the created composition controller and, through the controller it
  // also is, goes on as the controller completion does.
  void TakeCompositionController(ICoreWebView2CompositionController* aCreatedController);
  void ReleaseCustomMenuItemsAndNotifications();
  void RaiseInitializationError(HRESULT aErrorCode, const std::u16string& aErrorMessage);
  void ReplaceCompWindow(TCompWindowKind aKind, platform::WindowHandle aFound);
  void RestoreCompWindow(TCompWindowKind aKind);
  const TOnCompMsgEvent& CompMsgHandler(TCompWindowKind aKind) const;
  std::intptr_t CompWndProc(TCompWindowKind aKind, platform::WindowHandle aWindow, std::uint32_t aMsg,
                            std::uintptr_t aWParam, std::intptr_t aLParam);
  void RestoreAllCompWindows();
  bool ApplyZoomStep(std::int32_t aStep);
  // The print settings the environment made, or none: the runtime's defaults then apply.
  ICoreWebView2PrintSettings* PrintSettingsIntf() const;

  platform::Platform& FPlatform;

  // Creation state, in the order they are released at teardown (see the destructor).
  std::unique_ptr<TCoreWebView2PrintSettings> FCoreWebView2PrintSettings;
  std::unique_ptr<TCoreWebView2Settings> FCoreWebView2Settings;
  std::unique_ptr<TCoreWebView2Environment> FCoreWebView2Environment;
  std::unique_ptr<TCoreWebView2Controller> FCoreWebView2Controller;
  std::unique_ptr<TCoreWebView2CompositionController> FCoreWebView2CompositionController;
  std::unique_ptr<TCoreWebView2> FCoreWebView2;
  std::unique_ptr<TCoreWebView2Profile> FCoreWebView2Profile;
  platform::WindowHandle FWindowParentHandle = 0;
  bool FUseDefaultEnvironment = false;
  bool FUseCompositionController = false;
  std::u16string FDefaultURL;
  std::u16string FProfileName;
  bool FIsInPrivateModeEnabled = false;
  std::u16string FScriptLocale;

  bool FIsNavigating = false;
  std::int32_t FZoomStep = -1;
  std::array<TCompWindow, kCompWindowKinds> FCompWindows{};
  // The context menu items the application made and the notifications the
  // page shows, each with its subscription, released when the browser closes.
  std::vector<std::unique_ptr<TCoreWebView2ContextMenuItem>> FCustomMenuItems;
  std::vector<std::unique_ptr<TCoreWebView2Notification>> FNotifications;

  // The frames of the page and the running downloads, each wrapped with its
  // subscriptions (TWVBrowserBaseFrames.cpp). A frame goes when the runtime
  // says it is destroyed, a download when it has ended; all of them go first
  // when the browser is let go of.
  void AdoptFrame(ICoreWebView2FrameCreatedEventArgs* aArgs);
  void AdoptDownload(ICoreWebView2DownloadStartingEventArgs* aArgs);
  TCoreWebView2Frame* FindFrame(std::uint32_t aFrameKey) const;
  std::uint32_t FrameIDOf(std::uint32_t aFrameKey) const;
  void ReleaseFrame(std::uint32_t aFrameKey);
  void ReleaseDownload(std::int32_t aDownloadID);
  void ReleaseFramesAndDownloads();
  std::vector<std::unique_ptr<TCoreWebView2Frame>> FFrames;
  std::vector<std::unique_ptr<TCoreWebView2DownloadOperation>> FDownloads;
  std::uint32_t FNextFrameKey = 1;
  std::int32_t FNextDownloadID = 1;

  // Completion sinks the control keeps for its whole life.
  ComPtr<ICoreWebView2ClearBrowsingDataCompletedHandler> FClearBrowsingDataCompletedHandler;
  ComPtr<ICoreWebView2SetPermissionStateCompletedHandler> FSetPermissionStateCompletedHandler;
  ComPtr<ICoreWebView2GetNonDefaultPermissionSettingsCompletedHandler>
      FGetNonDefaultPermissionSettingsCompletedHandler;
  ComPtr<ICoreWebView2ProfileAddBrowserExtensionCompletedHandler> FProfileAddBrowserExtensionCompletedHandler;
  ComPtr<ICoreWebView2ProfileGetBrowserExtensionsCompletedHandler>
      FProfileGetBrowserExtensionsCompletedHandler;
};

}  // namespace velmoran::webview
