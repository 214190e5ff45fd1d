#pragma once

// The sink family: one sink type per runtime handler interface, each named
// after the interface (TCoreWebView2 + the name without its ICoreWebView2
// prefix) and defined by its shape, its interface and the face method it
// forwards to. The shapes are in PlainSink.h, ExecutionIdSink.h and
// DualSink.h. Where one handler interface serves two events, each event has
// a sink of its own named after the event, so its face method knows which
// one fired. The environment completion sink belongs to the loader.
//
// A sink is made with MakeComObject and handed to the runtime, which keeps it:
//   auto sink = MakeComObject<TCoreWebView2WebMessageReceivedEventHandler>(browserEvents);
//   webview->add_WebMessageReceived(sink.Get(), &token);

#include "webview/abi/WebView2Abi.h"
#include "webview/sinks/DualSink.h"
#include "webview/sinks/ExecutionIdSink.h"
#include "webview/sinks/IWVBrowserEvents.h"
#include "webview/sinks/IWVLoaderEvents.h"
#include "webview/sinks/PlainSink.h"

namespace velmoran::webview {

// Events of the webview, in the order its wrapper subscribes them.
using TCoreWebView2NavigationStartingEventHandler =
    PlainSink<ICoreWebView2NavigationStartingEventHandler, &IWVBrowserEvents::HandleNavigationStarting,
              u"NavigationStarting">;
using TCoreWebView2NavigationCompletedEventHandler =
    PlainSink<ICoreWebView2NavigationCompletedEventHandler, &IWVBrowserEvents::HandleNavigationCompleted,
              u"NavigationCompleted">;
using TCoreWebView2SourceChangedEventHandler =
    PlainSink<ICoreWebView2SourceChangedEventHandler, &IWVBrowserEvents::HandleSourceChanged,
              u"SourceChanged">;
using TCoreWebView2HistoryChangedEventHandler =
    PlainSink<ICoreWebView2HistoryChangedEventHandler, &IWVBrowserEvents::HandleHistoryChanged,
              u"HistoryChanged">;
using TCoreWebView2ContentLoadingEventHandler =
    PlainSink<ICoreWebView2ContentLoadingEventHandler, &IWVBrowserEvents::HandleContentLoading,
              u"ContentLoading">;
using TCoreWebView2DocumentTitleChangedEventHandler =
    PlainSink<ICoreWebView2DocumentTitleChangedEventHandler, &IWVBrowserEvents::HandleDocumentTitleChanged,
              u"DocumentTitleChanged">;
using TCoreWebView2NewWindowRequestedEventHandler =
    PlainSink<ICoreWebView2NewWindowRequestedEventHandler, &IWVBrowserEvents::HandleNewWindowRequested,
              u"NewWindowRequested">;
using TCoreWebView2FrameNavigationStartingEventHandler =
    PlainSink<ICoreWebView2NavigationStartingEventHandler, &IWVBrowserEvents::HandleFrameNavigationStarting,
              u"FrameNavigationStarting">;
using TCoreWebView2FrameNavigationCompletedEventHandler =
    PlainSink<ICoreWebView2NavigationCompletedEventHandler, &IWVBrowserEvents::HandleFrameNavigationCompleted,
              u"FrameNavigationCompleted">;
using TCoreWebView2WebResourceRequestedEventHandler =
    PlainSink<ICoreWebView2WebResourceRequestedEventHandler, &IWVBrowserEvents::HandleWebResourceRequested,
              u"WebResourceRequested">;
using TCoreWebView2ScriptDialogOpeningEventHandler =
    PlainSink<ICoreWebView2ScriptDialogOpeningEventHandler, &IWVBrowserEvents::HandleScriptDialogOpening,
              u"ScriptDialogOpening">;
using TCoreWebView2PermissionRequestedEventHandler =
    PlainSink<ICoreWebView2PermissionRequestedEventHandler, &IWVBrowserEvents::HandlePermissionRequested,
              u"PermissionRequested">;
using TCoreWebView2ProcessFailedEventHandler =
    PlainSink<ICoreWebView2ProcessFailedEventHandler, &IWVBrowserEvents::HandleProcessFailed,
              u"ProcessFailed">;
using TCoreWebView2WebMessageReceivedEventHandler =
    PlainSink<ICoreWebView2WebMessageReceivedEventHandler, &IWVBrowserEvents::HandleWebMessageReceived,
              u"WebMessageReceived">;
using TCoreWebView2ContainsFullScreenElementChangedEventHandler =
    PlainSink<ICoreWebView2ContainsFullScreenElementChangedEventHandler,
              &IWVBrowserEvents::HandleContainsFullScreenElementChanged, u"ContainsFullScreenElementChanged">;
using TCoreWebView2WindowCloseRequestedEventHandler =
    PlainSink<ICoreWebView2WindowCloseRequestedEventHandler, &IWVBrowserEvents::HandleWindowCloseRequested,
              u"WindowCloseRequested">;
using TCoreWebView2WebResourceResponseReceivedEventHandler =
    PlainSink<ICoreWebView2WebResourceResponseReceivedEventHandler,
              &IWVBrowserEvents::HandleWebResourceResponseReceived, u"WebResourceResponseReceived">;
using TCoreWebView2DOMContentLoadedEventHandler =
    PlainSink<ICoreWebView2DOMContentLoadedEventHandler, &IWVBrowserEvents::HandleDOMContentLoaded,
              u"DOMContentLoaded">;
using TCoreWebView2FrameCreatedEventHandler =
    PlainSink<ICoreWebView2FrameCreatedEventHandler, &IWVBrowserEvents::HandleFrameCreated, u"FrameCreated">;
using TCoreWebView2DownloadStartingEventHandler =
    PlainSink<ICoreWebView2DownloadStartingEventHandler, &IWVBrowserEvents::HandleDownloadStarting,
              u"DownloadStarting">;
using TCoreWebView2ClientCertificateRequestedEventHandler =
    PlainSink<ICoreWebView2ClientCertificateRequestedEventHandler,
              &IWVBrowserEvents::HandleClientCertificateRequested, u"ClientCertificateRequested">;
using TCoreWebView2IsMutedChangedEventHandler =
    PlainSink<ICoreWebView2IsMutedChangedEventHandler, &IWVBrowserEvents::HandleIsMutedChanged,
              u"IsMutedChanged">;
using TCoreWebView2IsDocumentPlayingAudioChangedEventHandler =
    PlainSink<ICoreWebView2IsDocumentPlayingAudioChangedEventHandler,
              &IWVBrowserEvents::HandleIsDocumentPlayingAudioChanged, u"IsDocumentPlayingAudioChanged">;
using TCoreWebView2IsDefaultDownloadDialogOpenChangedEventHandler =
    PlainSink<ICoreWebView2IsDefaultDownloadDialogOpenChangedEventHandler,
              &IWVBrowserEvents::HandleIsDefaultDownloadDialogOpenChanged,
              u"IsDefaultDownloadDialogOpenChanged">;
using TCoreWebView2BasicAuthenticationRequestedEventHandler =
    PlainSink<ICoreWebView2BasicAuthenticationRequestedEventHandler,
              &IWVBrowserEvents::HandleBasicAuthenticationRequested, u"BasicAuthenticationRequested">;
using TCoreWebView2ContextMenuRequestedEventHandler =
    PlainSink<ICoreWebView2ContextMenuRequestedEventHandler, &IWVBrowserEvents::HandleContextMenuRequested,
              u"ContextMenuRequested">;
using TCoreWebView2StatusBarTextChangedEventHandler =
    PlainSink<ICoreWebView2StatusBarTextChangedEventHandler, &IWVBrowserEvents::HandleStatusBarTextChanged,
              u"StatusBarTextChanged">;
using TCoreWebView2ServerCertificateErrorDetectedEventHandler =
    PlainSink<ICoreWebView2ServerCertificateErrorDetectedEventHandler,
              &IWVBrowserEvents::HandleServerCertificateErrorDetected, u"ServerCertificateErrorDetected">;
using TCoreWebView2FaviconChangedEventHandler =
    PlainSink<ICoreWebView2FaviconChangedEventHandler, &IWVBrowserEvents::HandleFaviconChanged,
              u"FaviconChanged">;
using TCoreWebView2LaunchingExternalUriSchemeEventHandler =
    PlainSink<ICoreWebView2LaunchingExternalUriSchemeEventHandler,
              &IWVBrowserEvents::HandleLaunchingExternalUriScheme, u"LaunchingExternalUriScheme">;
using TCoreWebView2NotificationReceivedEventHandler =
    PlainSink<ICoreWebView2NotificationReceivedEventHandler, &IWVBrowserEvents::HandleNotificationReceived,
              u"NotificationReceived">;
using TCoreWebView2SaveAsUIShowingEventHandler =
    PlainSink<ICoreWebView2SaveAsUIShowingEventHandler, &IWVBrowserEvents::HandleSaveAsUIShowing,
              u"SaveAsUIShowing">;
using TCoreWebView2SaveFileSecurityCheckStartingEventHandler =
    PlainSink<ICoreWebView2SaveFileSecurityCheckStartingEventHandler,
              &IWVBrowserEvents::HandleSaveFileSecurityCheckStarting, u"SaveFileSecurityCheckStarting">;
using TCoreWebView2ScreenCaptureStartingEventHandler =
    PlainSink<ICoreWebView2ScreenCaptureStartingEventHandler, &IWVBrowserEvents::HandleScreenCaptureStarting,
              u"ScreenCaptureStarting">;

// Events of the controller, in the order its wrapper subscribes them.
using TCoreWebView2AcceleratorKeyPressedEventHandler =
    PlainSink<ICoreWebView2AcceleratorKeyPressedEventHandler, &IWVBrowserEvents::HandleAcceleratorKeyPressed,
              u"AcceleratorKeyPressed">;
using TCoreWebView2GotFocusEventHandler =
    PlainSink<ICoreWebView2FocusChangedEventHandler, &IWVBrowserEvents::HandleGotFocus, u"GotFocus">;
using TCoreWebView2LostFocusEventHandler =
    PlainSink<ICoreWebView2FocusChangedEventHandler, &IWVBrowserEvents::HandleLostFocus, u"LostFocus">;
using TCoreWebView2MoveFocusRequestedEventHandler =
    PlainSink<ICoreWebView2MoveFocusRequestedEventHandler, &IWVBrowserEvents::HandleMoveFocusRequested,
              u"MoveFocusRequested">;
using TCoreWebView2ZoomFactorChangedEventHandler =
    PlainSink<ICoreWebView2ZoomFactorChangedEventHandler, &IWVBrowserEvents::HandleZoomFactorChanged,
              u"ZoomFactorChanged">;
using TCoreWebView2RasterizationScaleChangedEventHandler =
    PlainSink<ICoreWebView2RasterizationScaleChangedEventHandler,
              &IWVBrowserEvents::HandleRasterizationScaleChanged, u"RasterizationScaleChanged">;

// Events of the profile.
using TCoreWebView2ProfileDeletedEventHandler =
    PlainSink<ICoreWebView2ProfileDeletedEventHandler, &IWVBrowserEvents::HandleProfileDeleted,
              u"ProfileDeleted">;

// Events of the composition controller, of the context menu items the
// application made and of the page's notifications. Their interfaces are our
// own declarations: the runtime reaches these sinks only through their ids.
using TCoreWebView2CursorChangedEventHandler =
    PlainSink<ICoreWebView2CursorChangedEventHandler, &IWVBrowserEvents::HandleCursorChanged,
              u"CursorChanged">;
using TCoreWebView2NonClientRegionChangedEventHandler =
    PlainSink<ICoreWebView2NonClientRegionChangedEventHandler,
              &IWVBrowserEvents::HandleNonClientRegionChanged, u"NonClientRegionChanged">;
using TCoreWebView2CustomItemSelectedEventHandler =
    PlainSink<ICoreWebView2CustomItemSelectedEventHandler, &IWVBrowserEvents::HandleCustomItemSelected,
              u"CustomItemSelected">;
using TCoreWebView2NotificationCloseRequestedEventHandler =
    PlainSink<ICoreWebView2NotificationCloseRequestedEventHandler,
              &IWVBrowserEvents::HandleNotificationCloseRequested, u"NotificationCloseRequested">;

// Events of the environment: the loader subscribes them for the process, a browser control for itself.
using TCoreWebView2NewBrowserVersionAvailableEventHandler =
    DualSink<ICoreWebView2NewBrowserVersionAvailableEventHandler,
             &IWVBrowserEvents::HandleNewBrowserVersionAvailable,
             &IWVLoaderEvents::HandleNewBrowserVersionAvailable, u"NewBrowserVersionAvailable">;
using TCoreWebView2BrowserProcessExitedEventHandler =
    DualSink<ICoreWebView2BrowserProcessExitedEventHandler, &IWVBrowserEvents::HandleBrowserProcessExited,
             &IWVLoaderEvents::HandleBrowserProcessExited, u"BrowserProcessExited">;
using TCoreWebView2ProcessInfosChangedEventHandler =
    DualSink<ICoreWebView2ProcessInfosChangedEventHandler, &IWVBrowserEvents::HandleProcessInfosChanged,
             &IWVLoaderEvents::HandleProcessInfosChanged, u"ProcessInfosChanged">;

// Completions that carry the execution id their caller chose.
using TCoreWebView2ExecuteScriptCompletedHandler =
    ExecutionIdSink<ICoreWebView2ExecuteScriptCompletedHandler,
                    &IWVBrowserEvents::HandleExecuteScriptCompleted, u"ExecuteScriptCompleted">;
using TCoreWebView2ExecuteScriptWithResultCompletedHandler =
    ExecutionIdSink<ICoreWebView2ExecuteScriptWithResultCompletedHandler,
                    &IWVBrowserEvents::HandleExecuteScriptWithResultCompleted,
                    u"ExecuteScriptWithResultCompleted">;
using TCoreWebView2CallDevToolsProtocolMethodCompletedHandler =
    ExecutionIdSink<ICoreWebView2CallDevToolsProtocolMethodCompletedHandler,
                    &IWVBrowserEvents::HandleCallDevToolsProtocolMethodCompleted,
                    u"CallDevToolsProtocolMethodCompleted">;

// The other completions.
using TCoreWebView2AddScriptToExecuteOnDocumentCreatedCompletedHandler =
    PlainSink<ICoreWebView2AddScriptToExecuteOnDocumentCreatedCompletedHandler,
              &IWVBrowserEvents::HandleAddScriptToExecuteOnDocumentCreatedCompleted,
              u"AddScriptToExecuteOnDocumentCreatedCompleted">;
using TCoreWebView2CapturePreviewCompletedHandler =
    PlainSink<ICoreWebView2CapturePreviewCompletedHandler, &IWVBrowserEvents::HandleCapturePreviewCompleted,
              u"CapturePreviewCompleted">;
using TCoreWebView2ClearBrowsingDataCompletedHandler =
    PlainSink<ICoreWebView2ClearBrowsingDataCompletedHandler,
              &IWVBrowserEvents::HandleClearBrowsingDataCompleted, u"ClearBrowsingDataCompleted">;
using TCoreWebView2ClearServerCertificateErrorActionsCompletedHandler =
    PlainSink<ICoreWebView2ClearServerCertificateErrorActionsCompletedHandler,
              &IWVBrowserEvents::HandleClearServerCertificateErrorActionsCompleted,
              u"ClearServerCertificateErrorActionsCompleted">;
using TCoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler =
    PlainSink<ICoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler,
              &IWVBrowserEvents::HandleCompositionControllerCompleted, u"CompositionControllerCompleted">;
using TCoreWebView2CreateCoreWebView2ControllerCompletedHandler =
    PlainSink<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler,
              &IWVBrowserEvents::HandleControllerCompleted, u"ControllerCompleted">;
using TCoreWebView2GetCookiesCompletedHandler =
    PlainSink<ICoreWebView2GetCookiesCompletedHandler, &IWVBrowserEvents::HandleGetCookiesCompleted,
              u"GetCookiesCompleted">;
using TCoreWebView2GetFaviconCompletedHandler =
    PlainSink<ICoreWebView2GetFaviconCompletedHandler, &IWVBrowserEvents::HandleGetFaviconCompleted,
              u"GetFaviconCompleted">;
using TCoreWebView2GetNonDefaultPermissionSettingsCompletedHandler =
    PlainSink<ICoreWebView2GetNonDefaultPermissionSettingsCompletedHandler,
              &IWVBrowserEvents::HandleGetNonDefaultPermissionSettingsCompleted,
              u"GetNonDefaultPermissionSettingsCompleted">;
using TCoreWebView2GetProcessExtendedInfosCompletedHandler =
    PlainSink<ICoreWebView2GetProcessExtendedInfosCompletedHandler,
              &IWVBrowserEvents::HandleGetProcessExtendedInfosCompleted, u"GetProcessExtendedInfosCompleted">;
using TCoreWebView2PrintCompletedHandler =
    PlainSink<ICoreWebView2PrintCompletedHandler, &IWVBrowserEvents::HandlePrintCompleted, u"PrintCompleted">;
using TCoreWebView2PrintToPdfCompletedHandler =
    PlainSink<ICoreWebView2PrintToPdfCompletedHandler, &IWVBrowserEvents::HandlePrintToPdfCompleted,
              u"PrintToPdfCompleted">;
using TCoreWebView2PrintToPdfStreamCompletedHandler =
    PlainSink<ICoreWebView2PrintToPdfStreamCompletedHandler,
              &IWVBrowserEvents::HandlePrintToPdfStreamCompleted, u"PrintToPdfStreamCompleted">;
using TCoreWebView2ProfileAddBrowserExtensionCompletedHandler =
    PlainSink<ICoreWebView2ProfileAddBrowserExtensionCompletedHandler,
              &IWVBrowserEvents::HandleProfileAddBrowserExtensionCompleted,
              u"ProfileAddBrowserExtensionCompleted">;
using TCoreWebView2ProfileGetBrowserExtensionsCompletedHandler =
    PlainSink<ICoreWebView2ProfileGetBrowserExtensionsCompletedHandler,
              &IWVBrowserEvents::HandleProfileGetBrowserExtensionsCompleted,
              u"ProfileGetBrowserExtensionsCompleted">;
using TCoreWebView2SetPermissionStateCompletedHandler =
    PlainSink<ICoreWebView2SetPermissionStateCompletedHandler,
              &IWVBrowserEvents::HandleSetPermissionStateCompleted, u"SetPermissionStateCompleted">;
using TCoreWebView2ShowSaveAsUICompletedHandler =
    PlainSink<ICoreWebView2ShowSaveAsUICompletedHandler, &IWVBrowserEvents::HandleShowSaveAsUICompleted,
              u"ShowSaveAsUICompleted">;
using TCoreWebView2TrySuspendCompletedHandler =
    PlainSink<ICoreWebView2TrySuspendCompletedHandler, &IWVBrowserEvents::HandleTrySuspendCompleted,
              u"TrySuspendCompleted">;

}  // namespace velmoran::webview
