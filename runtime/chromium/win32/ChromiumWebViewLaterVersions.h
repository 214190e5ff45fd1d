#pragma once

// The webview's interface versions ICoreWebView2_5 to ICoreWebView2_23 as far
// as this runtime does not carry them out: every method answers E_NOTIMPL
// (handing out no object), and the events are kept but never raised, as
// Chromium offers nothing behind them, so a host subscribing to every event
// of those versions does not stop at the first. ChromiumWebView derives from
// it and overrides what it does carry out.

#include "runtime/common/EventHandlerList.h"
#include "webview/abi/ComObject.h"
#include "webview/abi/WebView2Interfaces.h"

namespace velmoran::runtime::chromium {

class ChromiumWebViewLaterVersions : public webview::AtomicComObject<ICoreWebView2_23> {
 public:
  // ICoreWebView2_5
  HRESULT WV2_STDCALL
  add_ClientCertificateRequested(ICoreWebView2ClientCertificateRequestedEventHandler* eventHandler,
                                 EventRegistrationToken* token) override {
    return laterEvents_.Add("ClientCertificateRequested", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_ClientCertificateRequested(EventRegistrationToken token) override {
    laterEvents_.Remove("ClientCertificateRequested", token);
    return S_OK;
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
    return laterEvents_.Add("IsMutedChanged", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_IsMutedChanged(EventRegistrationToken token) override {
    laterEvents_.Remove("IsMutedChanged", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL get_IsMuted(BOOL*) override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL put_IsMuted(BOOL) override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL
  add_IsDocumentPlayingAudioChanged(ICoreWebView2IsDocumentPlayingAudioChangedEventHandler* eventHandler,
                                    EventRegistrationToken* token) override {
    return laterEvents_.Add("IsDocumentPlayingAudioChanged", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_IsDocumentPlayingAudioChanged(EventRegistrationToken token) override {
    laterEvents_.Remove("IsDocumentPlayingAudioChanged", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL get_IsDocumentPlayingAudio(BOOL*) override { return E_NOTIMPL; }
  // ICoreWebView2_9
  HRESULT WV2_STDCALL
  add_IsDefaultDownloadDialogOpenChanged(ICoreWebView2IsDefaultDownloadDialogOpenChangedEventHandler* handler,
                                         EventRegistrationToken* token) override {
    return laterEvents_.Add("IsDefaultDownloadDialogOpenChanged", handler, token);
  }
  HRESULT WV2_STDCALL remove_IsDefaultDownloadDialogOpenChanged(EventRegistrationToken token) override {
    laterEvents_.Remove("IsDefaultDownloadDialogOpenChanged", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL get_IsDefaultDownloadDialogOpen(BOOL*) override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL OpenDefaultDownloadDialog() override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL CloseDefaultDownloadDialog() override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL
  get_DefaultDownloadDialogCornerAlignment(COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT*) override {
    return E_NOTIMPL;
  }
  HRESULT WV2_STDCALL
  put_DefaultDownloadDialogCornerAlignment(COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT) override {
    return E_NOTIMPL;
  }
  HRESULT WV2_STDCALL get_DefaultDownloadDialogMargin(POINT*) override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL put_DefaultDownloadDialogMargin(POINT) override { return E_NOTIMPL; }
  // ICoreWebView2_10
  HRESULT WV2_STDCALL
  add_BasicAuthenticationRequested(ICoreWebView2BasicAuthenticationRequestedEventHandler* eventHandler,
                                   EventRegistrationToken* token) override {
    return laterEvents_.Add("BasicAuthenticationRequested", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_BasicAuthenticationRequested(EventRegistrationToken token) override {
    laterEvents_.Remove("BasicAuthenticationRequested", token);
    return S_OK;
  }
  // ICoreWebView2_11
  HRESULT WV2_STDCALL CallDevToolsProtocolMethodForSession(
      LPCWSTR, LPCWSTR, LPCWSTR, ICoreWebView2CallDevToolsProtocolMethodCompletedHandler*) override {
    return E_NOTIMPL;
  }
  HRESULT WV2_STDCALL add_ContextMenuRequested(ICoreWebView2ContextMenuRequestedEventHandler* eventHandler,
                                               EventRegistrationToken* token) override {
    return laterEvents_.Add("ContextMenuRequested", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_ContextMenuRequested(EventRegistrationToken token) override {
    laterEvents_.Remove("ContextMenuRequested", token);
    return S_OK;
  }
  // ICoreWebView2_12
  HRESULT WV2_STDCALL add_StatusBarTextChanged(ICoreWebView2StatusBarTextChangedEventHandler* eventHandler,
                                               EventRegistrationToken* token) override {
    return laterEvents_.Add("StatusBarTextChanged", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_StatusBarTextChanged(EventRegistrationToken token) override {
    laterEvents_.Remove("StatusBarTextChanged", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL get_StatusBarText(LPWSTR* value) override {
    if (value != nullptr) *value = nullptr;
    return E_NOTIMPL;
  }
  // ICoreWebView2_13
  HRESULT WV2_STDCALL get_Profile(ICoreWebView2Profile** value) override {
    if (value != nullptr) *value = nullptr;
    return E_NOTIMPL;
  }
  // ICoreWebView2_14
  HRESULT WV2_STDCALL
  add_ServerCertificateErrorDetected(ICoreWebView2ServerCertificateErrorDetectedEventHandler* eventHandler,
                                     EventRegistrationToken* token) override {
    return laterEvents_.Add("ServerCertificateErrorDetected", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_ServerCertificateErrorDetected(EventRegistrationToken token) override {
    laterEvents_.Remove("ServerCertificateErrorDetected", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL ClearServerCertificateErrorActions(
      ICoreWebView2ClearServerCertificateErrorActionsCompletedHandler*) override {
    return E_NOTIMPL;
  }
  // ICoreWebView2_15
  HRESULT WV2_STDCALL add_FaviconChanged(ICoreWebView2FaviconChangedEventHandler* eventHandler,
                                         EventRegistrationToken* token) override {
    return laterEvents_.Add("FaviconChanged", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_FaviconChanged(EventRegistrationToken token) override {
    laterEvents_.Remove("FaviconChanged", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL get_FaviconUri(LPWSTR* value) override {
    if (value != nullptr) *value = nullptr;
    return E_NOTIMPL;
  }
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
    return laterEvents_.Add("LaunchingExternalUriScheme", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_LaunchingExternalUriScheme(EventRegistrationToken token) override {
    laterEvents_.Remove("LaunchingExternalUriScheme", token);
    return S_OK;
  }
  // ICoreWebView2_19
  HRESULT WV2_STDCALL get_MemoryUsageTargetLevel(COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL*) override {
    return E_NOTIMPL;
  }
  HRESULT WV2_STDCALL put_MemoryUsageTargetLevel(COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL) override {
    return E_NOTIMPL;
  }
  // ICoreWebView2_20
  HRESULT WV2_STDCALL get_FrameId(UINT32*) override { return E_NOTIMPL; }
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

 protected:
  ChromiumWebViewLaterVersions() = default;
  ~ChromiumWebViewLaterVersions() override = default;

  EventHandlerList laterEvents_;
};

}  // namespace velmoran::runtime::chromium
