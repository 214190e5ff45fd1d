#pragma once

// Generated from the runtime's interface tables, then kept by hand.
// Every method of ICoreWebView2 to ICoreWebView2_27 for the simulated webview:
// the events are kept under tokens, simple properties are stored, the rest
// answers E_NOTIMPL until SimWebView gives it a behaviour.

#include <memory>
#include <utility>

#include "runtime/sim/SimEventHandlers.h"
#include "runtime/sim/SimPropertyValues.h"
#include "runtime/sim/SimRuntimeContext.h"
#include "runtime/sim/SimVersionLimit.h"
#include "webview/abi/ComObject.h"
#include "webview/abi/WebView2Ids.h"
#include "webview/abi/WebView2Interfaces.h"

namespace velmoran::runtime::sim {

class SimWebViewBase : public webview::ComObject<ICoreWebView2_27>, protected SimCountedObject {
 public:
  SimWebViewBase(std::shared_ptr<SimRuntimeContext> context, SimVersionLimit versions)
      : SimCountedObject(std::move(context)),
        versions_(std::move(versions)),
        events_(Context()),
        values_(Context()) {}

  // Answers only the versions the test offers.
  HRESULT WV2_STDCALL QueryInterface(REFIID riid, void** object) override {
    if (object != nullptr &&
        versions_.Refuses(
            riid, {&IID_ICoreWebView2,    &IID_ICoreWebView2_2,  &IID_ICoreWebView2_3,  &IID_ICoreWebView2_4,
                   &IID_ICoreWebView2_5,  &IID_ICoreWebView2_6,  &IID_ICoreWebView2_7,  &IID_ICoreWebView2_8,
                   &IID_ICoreWebView2_9,  &IID_ICoreWebView2_10, &IID_ICoreWebView2_11, &IID_ICoreWebView2_12,
                   &IID_ICoreWebView2_13, &IID_ICoreWebView2_14, &IID_ICoreWebView2_15, &IID_ICoreWebView2_16,
                   &IID_ICoreWebView2_17, &IID_ICoreWebView2_18, &IID_ICoreWebView2_19, &IID_ICoreWebView2_20,
                   &IID_ICoreWebView2_21, &IID_ICoreWebView2_22, &IID_ICoreWebView2_23, &IID_ICoreWebView2_24,
                   &IID_ICoreWebView2_25, &IID_ICoreWebView2_26, &IID_ICoreWebView2_27})) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    return BasicComObject::QueryInterface(riid, object);
  }

  SimEventHandlers& Events() { return events_; }
  SimPropertyValues& Values() { return values_; }

  // ICoreWebView2
  HRESULT WV2_STDCALL get_Settings(ICoreWebView2Settings**) override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL get_Source(LPWSTR* value) override { return values_.Get("Source", value); }
  HRESULT WV2_STDCALL Navigate(LPCWSTR) override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL NavigateToString(LPCWSTR) override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL add_NavigationStarting(ICoreWebView2NavigationStartingEventHandler* eventHandler,
                                             EventRegistrationToken* token) override {
    return events_.Add("NavigationStarting", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_NavigationStarting(EventRegistrationToken token) override {
    return events_.Remove("NavigationStarting", token);
  }
  HRESULT WV2_STDCALL add_ContentLoading(ICoreWebView2ContentLoadingEventHandler* eventHandler,
                                         EventRegistrationToken* token) override {
    return events_.Add("ContentLoading", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_ContentLoading(EventRegistrationToken token) override {
    return events_.Remove("ContentLoading", token);
  }
  HRESULT WV2_STDCALL add_SourceChanged(ICoreWebView2SourceChangedEventHandler* eventHandler,
                                        EventRegistrationToken* token) override {
    return events_.Add("SourceChanged", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_SourceChanged(EventRegistrationToken token) override {
    return events_.Remove("SourceChanged", token);
  }
  HRESULT WV2_STDCALL add_HistoryChanged(ICoreWebView2HistoryChangedEventHandler* eventHandler,
                                         EventRegistrationToken* token) override {
    return events_.Add("HistoryChanged", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_HistoryChanged(EventRegistrationToken token) override {
    return events_.Remove("HistoryChanged", token);
  }
  HRESULT WV2_STDCALL add_NavigationCompleted(ICoreWebView2NavigationCompletedEventHandler* eventHandler,
                                              EventRegistrationToken* token) override {
    return events_.Add("NavigationCompleted", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_NavigationCompleted(EventRegistrationToken token) override {
    return events_.Remove("NavigationCompleted", token);
  }
  HRESULT WV2_STDCALL add_FrameNavigationStarting(ICoreWebView2NavigationStartingEventHandler* eventHandler,
                                                  EventRegistrationToken* token) override {
    return events_.Add("FrameNavigationStarting", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_FrameNavigationStarting(EventRegistrationToken token) override {
    return events_.Remove("FrameNavigationStarting", token);
  }
  HRESULT WV2_STDCALL add_FrameNavigationCompleted(ICoreWebView2NavigationCompletedEventHandler* eventHandler,
                                                   EventRegistrationToken* token) override {
    return events_.Add("FrameNavigationCompleted", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_FrameNavigationCompleted(EventRegistrationToken token) override {
    return events_.Remove("FrameNavigationCompleted", token);
  }
  HRESULT WV2_STDCALL add_ScriptDialogOpening(ICoreWebView2ScriptDialogOpeningEventHandler* eventHandler,
                                              EventRegistrationToken* token) override {
    return events_.Add("ScriptDialogOpening", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_ScriptDialogOpening(EventRegistrationToken token) override {
    return events_.Remove("ScriptDialogOpening", token);
  }
  HRESULT WV2_STDCALL add_PermissionRequested(ICoreWebView2PermissionRequestedEventHandler* eventHandler,
                                              EventRegistrationToken* token) override {
    return events_.Add("PermissionRequested", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_PermissionRequested(EventRegistrationToken token) override {
    return events_.Remove("PermissionRequested", token);
  }
  HRESULT WV2_STDCALL add_ProcessFailed(ICoreWebView2ProcessFailedEventHandler* eventHandler,
                                        EventRegistrationToken* token) override {
    return events_.Add("ProcessFailed", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_ProcessFailed(EventRegistrationToken token) override {
    return events_.Remove("ProcessFailed", token);
  }
  HRESULT WV2_STDCALL AddScriptToExecuteOnDocumentCreated(
      LPCWSTR, ICoreWebView2AddScriptToExecuteOnDocumentCreatedCompletedHandler*) override {
    return E_NOTIMPL;
  }
  HRESULT WV2_STDCALL RemoveScriptToExecuteOnDocumentCreated(LPCWSTR) override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL ExecuteScript(LPCWSTR, ICoreWebView2ExecuteScriptCompletedHandler*) override {
    return E_NOTIMPL;
  }
  HRESULT WV2_STDCALL CapturePreview(COREWEBVIEW2_CAPTURE_PREVIEW_IMAGE_FORMAT, IStream*,
                                     ICoreWebView2CapturePreviewCompletedHandler*) override {
    return E_NOTIMPL;
  }
  HRESULT WV2_STDCALL Reload() override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL PostWebMessageAsJson(LPCWSTR) override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL PostWebMessageAsString(LPCWSTR) override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL add_WebMessageReceived(ICoreWebView2WebMessageReceivedEventHandler* handler,
                                             EventRegistrationToken* token) override {
    return events_.Add("WebMessageReceived", handler, token);
  }
  HRESULT WV2_STDCALL remove_WebMessageReceived(EventRegistrationToken token) override {
    return events_.Remove("WebMessageReceived", token);
  }
  HRESULT WV2_STDCALL CallDevToolsProtocolMethod(
      LPCWSTR, LPCWSTR, ICoreWebView2CallDevToolsProtocolMethodCompletedHandler*) override {
    return E_NOTIMPL;
  }
  HRESULT WV2_STDCALL get_BrowserProcessId(UINT32* value) override {
    return values_.Get("BrowserProcessId", value);
  }
  HRESULT WV2_STDCALL get_CanGoBack(BOOL* value) override { return values_.Get("CanGoBack", value); }
  HRESULT WV2_STDCALL get_CanGoForward(BOOL* value) override { return values_.Get("CanGoForward", value); }
  HRESULT WV2_STDCALL GoBack() override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL GoForward() override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL
  GetDevToolsProtocolEventReceiver(LPCWSTR, ICoreWebView2DevToolsProtocolEventReceiver**) override {
    return E_NOTIMPL;
  }
  HRESULT WV2_STDCALL Stop() override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL add_NewWindowRequested(ICoreWebView2NewWindowRequestedEventHandler* eventHandler,
                                             EventRegistrationToken* token) override {
    return events_.Add("NewWindowRequested", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_NewWindowRequested(EventRegistrationToken token) override {
    return events_.Remove("NewWindowRequested", token);
  }
  HRESULT WV2_STDCALL add_DocumentTitleChanged(ICoreWebView2DocumentTitleChangedEventHandler* eventHandler,
                                               EventRegistrationToken* token) override {
    return events_.Add("DocumentTitleChanged", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_DocumentTitleChanged(EventRegistrationToken token) override {
    return events_.Remove("DocumentTitleChanged", token);
  }
  HRESULT WV2_STDCALL get_DocumentTitle(LPWSTR* value) override {
    return values_.Get("DocumentTitle", value);
  }
  HRESULT WV2_STDCALL AddHostObjectToScript(LPCWSTR, VARIANT*) override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL RemoveHostObjectFromScript(LPCWSTR) override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL OpenDevToolsWindow() override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL add_ContainsFullScreenElementChanged(
      ICoreWebView2ContainsFullScreenElementChangedEventHandler* eventHandler,
      EventRegistrationToken* token) override {
    return events_.Add("ContainsFullScreenElementChanged", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_ContainsFullScreenElementChanged(EventRegistrationToken token) override {
    return events_.Remove("ContainsFullScreenElementChanged", token);
  }
  HRESULT WV2_STDCALL get_ContainsFullScreenElement(BOOL* value) override {
    return values_.Get("ContainsFullScreenElement", value);
  }
  HRESULT WV2_STDCALL add_WebResourceRequested(ICoreWebView2WebResourceRequestedEventHandler* eventHandler,
                                               EventRegistrationToken* token) override {
    return events_.Add("WebResourceRequested", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_WebResourceRequested(EventRegistrationToken token) override {
    return events_.Remove("WebResourceRequested", token);
  }
  HRESULT WV2_STDCALL AddWebResourceRequestedFilter(LPCWSTR, COREWEBVIEW2_WEB_RESOURCE_CONTEXT) override {
    return E_NOTIMPL;
  }
  HRESULT WV2_STDCALL RemoveWebResourceRequestedFilter(LPCWSTR, COREWEBVIEW2_WEB_RESOURCE_CONTEXT) override {
    return E_NOTIMPL;
  }
  HRESULT WV2_STDCALL add_WindowCloseRequested(ICoreWebView2WindowCloseRequestedEventHandler* eventHandler,
                                               EventRegistrationToken* token) override {
    return events_.Add("WindowCloseRequested", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_WindowCloseRequested(EventRegistrationToken token) override {
    return events_.Remove("WindowCloseRequested", token);
  }
  // ICoreWebView2_2
  HRESULT WV2_STDCALL
  add_WebResourceResponseReceived(ICoreWebView2WebResourceResponseReceivedEventHandler* eventHandler,
                                  EventRegistrationToken* token) override {
    return events_.Add("WebResourceResponseReceived", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_WebResourceResponseReceived(EventRegistrationToken token) override {
    return events_.Remove("WebResourceResponseReceived", token);
  }
  HRESULT WV2_STDCALL NavigateWithWebResourceRequest(ICoreWebView2WebResourceRequest*) override {
    return E_NOTIMPL;
  }
  HRESULT WV2_STDCALL add_DOMContentLoaded(ICoreWebView2DOMContentLoadedEventHandler* eventHandler,
                                           EventRegistrationToken* token) override {
    return events_.Add("DOMContentLoaded", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_DOMContentLoaded(EventRegistrationToken token) override {
    return events_.Remove("DOMContentLoaded", token);
  }
  HRESULT WV2_STDCALL get_CookieManager(ICoreWebView2CookieManager**) override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL get_Environment(ICoreWebView2Environment**) override { return E_NOTIMPL; }
  // ICoreWebView2_3
  HRESULT WV2_STDCALL TrySuspend(ICoreWebView2TrySuspendCompletedHandler*) override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL Resume() override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL get_IsSuspended(BOOL* value) override { return values_.Get("IsSuspended", value); }
  HRESULT WV2_STDCALL SetVirtualHostNameToFolderMapping(LPCWSTR, LPCWSTR,
                                                        COREWEBVIEW2_HOST_RESOURCE_ACCESS_KIND) override {
    return E_NOTIMPL;
  }
  HRESULT WV2_STDCALL ClearVirtualHostNameToFolderMapping(LPCWSTR) override { return E_NOTIMPL; }
  // ICoreWebView2_4
  HRESULT WV2_STDCALL add_FrameCreated(ICoreWebView2FrameCreatedEventHandler* eventHandler,
                                       EventRegistrationToken* token) override {
    return events_.Add("FrameCreated", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_FrameCreated(EventRegistrationToken token) override {
    return events_.Remove("FrameCreated", token);
  }
  HRESULT WV2_STDCALL add_DownloadStarting(ICoreWebView2DownloadStartingEventHandler* eventHandler,
                                           EventRegistrationToken* token) override {
    return events_.Add("DownloadStarting", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_DownloadStarting(EventRegistrationToken token) override {
    return events_.Remove("DownloadStarting", token);
  }
  // ICoreWebView2_5
  HRESULT WV2_STDCALL
  add_ClientCertificateRequested(ICoreWebView2ClientCertificateRequestedEventHandler* eventHandler,
                                 EventRegistrationToken* token) override {
    return events_.Add("ClientCertificateRequested", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_ClientCertificateRequested(EventRegistrationToken token) override {
    return events_.Remove("ClientCertificateRequested", token);
  }
  // ICoreWebView2_6
  HRESULT WV2_STDCALL OpenTaskManagerWindow() override { return E_NOTIMPL; }
  // ICoreWebView2_7
  HRESULT WV2_STDCALL PrintToPdf(LPCWSTR, ICoreWebView2PrintSettings*,
                                 ICoreWebView2PrintToPdfCompletedHandler*) override {
    return E_NOTIMPL;
  }
  // ICoreWebView2_8
  HRESULT WV2_STDCALL add_IsMutedChanged(ICoreWebView2IsMutedChangedEventHandler* eventHandler,
                                         EventRegistrationToken* token) override {
    return events_.Add("IsMutedChanged", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_IsMutedChanged(EventRegistrationToken token) override {
    return events_.Remove("IsMutedChanged", token);
  }
  HRESULT WV2_STDCALL get_IsMuted(BOOL* value) override { return values_.Get("IsMuted", value); }
  HRESULT WV2_STDCALL put_IsMuted(BOOL value) override { return values_.Put("IsMuted", value); }
  HRESULT WV2_STDCALL
  add_IsDocumentPlayingAudioChanged(ICoreWebView2IsDocumentPlayingAudioChangedEventHandler* eventHandler,
                                    EventRegistrationToken* token) override {
    return events_.Add("IsDocumentPlayingAudioChanged", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_IsDocumentPlayingAudioChanged(EventRegistrationToken token) override {
    return events_.Remove("IsDocumentPlayingAudioChanged", token);
  }
  HRESULT WV2_STDCALL get_IsDocumentPlayingAudio(BOOL* value) override {
    return values_.Get("IsDocumentPlayingAudio", value);
  }
  // ICoreWebView2_9
  HRESULT WV2_STDCALL
  add_IsDefaultDownloadDialogOpenChanged(ICoreWebView2IsDefaultDownloadDialogOpenChangedEventHandler* handler,
                                         EventRegistrationToken* token) override {
    return events_.Add("IsDefaultDownloadDialogOpenChanged", handler, token);
  }
  HRESULT WV2_STDCALL remove_IsDefaultDownloadDialogOpenChanged(EventRegistrationToken token) override {
    return events_.Remove("IsDefaultDownloadDialogOpenChanged", token);
  }
  HRESULT WV2_STDCALL get_IsDefaultDownloadDialogOpen(BOOL* value) override {
    return values_.Get("IsDefaultDownloadDialogOpen", value);
  }
  HRESULT WV2_STDCALL OpenDefaultDownloadDialog() override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL CloseDefaultDownloadDialog() override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL get_DefaultDownloadDialogCornerAlignment(
      COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT* value) override {
    return values_.Get("DefaultDownloadDialogCornerAlignment", value);
  }
  HRESULT WV2_STDCALL put_DefaultDownloadDialogCornerAlignment(
      COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT value) override {
    return values_.Put("DefaultDownloadDialogCornerAlignment", value);
  }
  HRESULT WV2_STDCALL get_DefaultDownloadDialogMargin(POINT* value) override {
    return values_.Get("DefaultDownloadDialogMargin", value);
  }
  HRESULT WV2_STDCALL put_DefaultDownloadDialogMargin(POINT value) override {
    return values_.Put("DefaultDownloadDialogMargin", value);
  }
  // ICoreWebView2_10
  HRESULT WV2_STDCALL
  add_BasicAuthenticationRequested(ICoreWebView2BasicAuthenticationRequestedEventHandler* eventHandler,
                                   EventRegistrationToken* token) override {
    return events_.Add("BasicAuthenticationRequested", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_BasicAuthenticationRequested(EventRegistrationToken token) override {
    return events_.Remove("BasicAuthenticationRequested", token);
  }
  // ICoreWebView2_11
  HRESULT WV2_STDCALL CallDevToolsProtocolMethodForSession(
      LPCWSTR, LPCWSTR, LPCWSTR, ICoreWebView2CallDevToolsProtocolMethodCompletedHandler*) override {
    return E_NOTIMPL;
  }
  HRESULT WV2_STDCALL add_ContextMenuRequested(ICoreWebView2ContextMenuRequestedEventHandler* eventHandler,
                                               EventRegistrationToken* token) override {
    return events_.Add("ContextMenuRequested", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_ContextMenuRequested(EventRegistrationToken token) override {
    return events_.Remove("ContextMenuRequested", token);
  }
  // ICoreWebView2_12
  HRESULT WV2_STDCALL add_StatusBarTextChanged(ICoreWebView2StatusBarTextChangedEventHandler* eventHandler,
                                               EventRegistrationToken* token) override {
    return events_.Add("StatusBarTextChanged", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_StatusBarTextChanged(EventRegistrationToken token) override {
    return events_.Remove("StatusBarTextChanged", token);
  }
  HRESULT WV2_STDCALL get_StatusBarText(LPWSTR* value) override {
    return values_.Get("StatusBarText", value);
  }
  // ICoreWebView2_13
  HRESULT WV2_STDCALL get_Profile(ICoreWebView2Profile**) override { return E_NOTIMPL; }
  // ICoreWebView2_14
  HRESULT WV2_STDCALL
  add_ServerCertificateErrorDetected(ICoreWebView2ServerCertificateErrorDetectedEventHandler* eventHandler,
                                     EventRegistrationToken* token) override {
    return events_.Add("ServerCertificateErrorDetected", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_ServerCertificateErrorDetected(EventRegistrationToken token) override {
    return events_.Remove("ServerCertificateErrorDetected", token);
  }
  HRESULT WV2_STDCALL ClearServerCertificateErrorActions(
      ICoreWebView2ClearServerCertificateErrorActionsCompletedHandler*) override {
    return E_NOTIMPL;
  }
  // ICoreWebView2_15
  HRESULT WV2_STDCALL add_FaviconChanged(ICoreWebView2FaviconChangedEventHandler* eventHandler,
                                         EventRegistrationToken* token) override {
    return events_.Add("FaviconChanged", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_FaviconChanged(EventRegistrationToken token) override {
    return events_.Remove("FaviconChanged", token);
  }
  HRESULT WV2_STDCALL get_FaviconUri(LPWSTR* value) override { return values_.Get("FaviconUri", value); }
  HRESULT WV2_STDCALL GetFavicon(COREWEBVIEW2_FAVICON_IMAGE_FORMAT,
                                 ICoreWebView2GetFaviconCompletedHandler*) override {
    return E_NOTIMPL;
  }
  // ICoreWebView2_16
  HRESULT WV2_STDCALL Print(ICoreWebView2PrintSettings*, ICoreWebView2PrintCompletedHandler*) override {
    return E_NOTIMPL;
  }
  HRESULT WV2_STDCALL ShowPrintUI(COREWEBVIEW2_PRINT_DIALOG_KIND) override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL PrintToPdfStream(ICoreWebView2PrintSettings*,
                                       ICoreWebView2PrintToPdfStreamCompletedHandler*) override {
    return E_NOTIMPL;
  }
  // ICoreWebView2_17
  HRESULT WV2_STDCALL PostSharedBufferToScript(ICoreWebView2SharedBuffer*, COREWEBVIEW2_SHARED_BUFFER_ACCESS,
                                               LPCWSTR) override {
    return E_NOTIMPL;
  }
  // ICoreWebView2_18
  HRESULT WV2_STDCALL
  add_LaunchingExternalUriScheme(ICoreWebView2LaunchingExternalUriSchemeEventHandler* eventHandler,
                                 EventRegistrationToken* token) override {
    return events_.Add("LaunchingExternalUriScheme", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_LaunchingExternalUriScheme(EventRegistrationToken token) override {
    return events_.Remove("LaunchingExternalUriScheme", token);
  }
  // ICoreWebView2_19
  HRESULT WV2_STDCALL get_MemoryUsageTargetLevel(COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL* value) override {
    return values_.Get("MemoryUsageTargetLevel", value);
  }
  HRESULT WV2_STDCALL put_MemoryUsageTargetLevel(COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL value) override {
    return values_.Put("MemoryUsageTargetLevel", value);
  }
  // ICoreWebView2_20
  HRESULT WV2_STDCALL get_FrameId(UINT32* value) override { return values_.Get("FrameId", value); }
  // ICoreWebView2_21
  HRESULT WV2_STDCALL
  ExecuteScriptWithResult(LPCWSTR, ICoreWebView2ExecuteScriptWithResultCompletedHandler*) override {
    return E_NOTIMPL;
  }
  // ICoreWebView2_22
  HRESULT WV2_STDCALL AddWebResourceRequestedFilterWithRequestSourceKinds(
      LPCWSTR, COREWEBVIEW2_WEB_RESOURCE_CONTEXT, COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS) override {
    return E_NOTIMPL;
  }
  HRESULT WV2_STDCALL RemoveWebResourceRequestedFilterWithRequestSourceKinds(
      LPCWSTR, COREWEBVIEW2_WEB_RESOURCE_CONTEXT, COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS) override {
    return E_NOTIMPL;
  }
  // ICoreWebView2_23
  HRESULT WV2_STDCALL PostWebMessageAsJsonWithAdditionalObjects(LPCWSTR,
                                                                ICoreWebView2ObjectCollectionView*) override {
    return E_NOTIMPL;
  }
  // ICoreWebView2_24
  HRESULT WV2_STDCALL add_NotificationReceived(ICoreWebView2NotificationReceivedEventHandler* eventHandler,
                                               EventRegistrationToken* token) override {
    return events_.Add("NotificationReceived", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_NotificationReceived(EventRegistrationToken token) override {
    return events_.Remove("NotificationReceived", token);
  }
  // ICoreWebView2_25
  HRESULT WV2_STDCALL add_SaveAsUIShowing(ICoreWebView2SaveAsUIShowingEventHandler* eventHandler,
                                          EventRegistrationToken* token) override {
    return events_.Add("SaveAsUIShowing", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_SaveAsUIShowing(EventRegistrationToken token) override {
    return events_.Remove("SaveAsUIShowing", token);
  }
  HRESULT WV2_STDCALL ShowSaveAsUI(ICoreWebView2ShowSaveAsUICompletedHandler*) override { return E_NOTIMPL; }
  // ICoreWebView2_26
  HRESULT WV2_STDCALL
  add_SaveFileSecurityCheckStarting(ICoreWebView2SaveFileSecurityCheckStartingEventHandler* eventHandler,
                                    EventRegistrationToken* token) override {
    return events_.Add("SaveFileSecurityCheckStarting", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_SaveFileSecurityCheckStarting(EventRegistrationToken token) override {
    return events_.Remove("SaveFileSecurityCheckStarting", token);
  }
  // ICoreWebView2_27
  HRESULT WV2_STDCALL add_ScreenCaptureStarting(ICoreWebView2ScreenCaptureStartingEventHandler* eventHandler,
                                                EventRegistrationToken* token) override {
    return events_.Add("ScreenCaptureStarting", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_ScreenCaptureStarting(EventRegistrationToken token) override {
    return events_.Remove("ScreenCaptureStarting", token);
  }

 protected:
  SimVersionLimit versions_;
  SimEventHandlers events_;
  SimPropertyValues values_;
};

}  // namespace velmoran::runtime::sim
