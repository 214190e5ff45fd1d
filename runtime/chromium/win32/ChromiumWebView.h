#pragma once

// The webview: the page in the embedded Chromium, through the published
// ICoreWebView2 up to ICoreWebView2_23: versions 1 to 4 here (frames and
// downloads in ChromiumWebViewFrames.cpp), what of the later versions is not
// done here in ChromiumWebViewLaterVersions. Its events come from the browser's
// protocol session (PageEvents) and are raised from the user-interface
// thread's message dispatch; its operations become protocol commands.
// What it does not offer answers E_NOTIMPL. Host objects are called from the
// page through a binding (ChromiumHostObjects.cpp).

#include <map>
#include <memory>
#include <string>

#include "runtime/chromium/win32/ChromiumBrowser.h"
#include "runtime/chromium/win32/ChromiumDevToolsProtocolEventReceiver.h"
#include "runtime/chromium/win32/ChromiumWebViewLaterVersions.h"
#include "runtime/chromium/win32/PageFrameEvents.h"
#include "runtime/common/EventHandlerList.h"
#include "webview/abi/ComObject.h"
#include "webview/abi/HostObjectRegistry.h"
#include "webview/abi/WebView2Interfaces.h"

namespace velmoran::runtime::chromium {

class ChromiumSettings;
class ChromiumFrame;
class ChromiumDownloadOperation;

class ChromiumWebView final : public ChromiumWebViewLaterVersions, public PageEvents, public PageFrameEvents {
 public:
  ChromiumWebView(std::shared_ptr<ChromiumBrowser> browser,
                  webview::ComPtr<ICoreWebView2Environment> environment);
  ~ChromiumWebView() override;

  // The controller closed: no more events, every operation refused.
  void Close();

  // ICoreWebView2
  HRESULT WV2_STDCALL get_Settings(ICoreWebView2Settings** settings) override;
  HRESULT WV2_STDCALL get_Source(LPWSTR* uri) override;
  HRESULT WV2_STDCALL Navigate(LPCWSTR uri) override;
  HRESULT WV2_STDCALL NavigateToString(LPCWSTR htmlContent) override;
  HRESULT WV2_STDCALL add_NavigationStarting(ICoreWebView2NavigationStartingEventHandler* eventHandler,
                                             EventRegistrationToken* token) override {
    return events_.Add("NavigationStarting", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_NavigationStarting(EventRegistrationToken token) override {
    events_.Remove("NavigationStarting", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL add_ContentLoading(ICoreWebView2ContentLoadingEventHandler* eventHandler,
                                         EventRegistrationToken* token) override {
    return events_.Add("ContentLoading", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_ContentLoading(EventRegistrationToken token) override {
    events_.Remove("ContentLoading", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL add_SourceChanged(ICoreWebView2SourceChangedEventHandler* eventHandler,
                                        EventRegistrationToken* token) override {
    return events_.Add("SourceChanged", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_SourceChanged(EventRegistrationToken token) override {
    events_.Remove("SourceChanged", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL add_HistoryChanged(ICoreWebView2HistoryChangedEventHandler* eventHandler,
                                         EventRegistrationToken* token) override {
    return events_.Add("HistoryChanged", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_HistoryChanged(EventRegistrationToken token) override {
    events_.Remove("HistoryChanged", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL add_NavigationCompleted(ICoreWebView2NavigationCompletedEventHandler* eventHandler,
                                              EventRegistrationToken* token) override {
    return events_.Add("NavigationCompleted", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_NavigationCompleted(EventRegistrationToken token) override {
    events_.Remove("NavigationCompleted", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL add_FrameNavigationStarting(ICoreWebView2NavigationStartingEventHandler* eventHandler,
                                                  EventRegistrationToken* token) override {
    return events_.Add("FrameNavigationStarting", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_FrameNavigationStarting(EventRegistrationToken token) override {
    events_.Remove("FrameNavigationStarting", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL add_FrameNavigationCompleted(ICoreWebView2NavigationCompletedEventHandler* eventHandler,
                                                   EventRegistrationToken* token) override {
    return events_.Add("FrameNavigationCompleted", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_FrameNavigationCompleted(EventRegistrationToken token) override {
    events_.Remove("FrameNavigationCompleted", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL add_ScriptDialogOpening(ICoreWebView2ScriptDialogOpeningEventHandler* eventHandler,
                                              EventRegistrationToken* token) override {
    return events_.Add("ScriptDialogOpening", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_ScriptDialogOpening(EventRegistrationToken token) override {
    events_.Remove("ScriptDialogOpening", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL add_PermissionRequested(ICoreWebView2PermissionRequestedEventHandler* eventHandler,
                                              EventRegistrationToken* token) override {
    return events_.Add("PermissionRequested", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_PermissionRequested(EventRegistrationToken token) override {
    events_.Remove("PermissionRequested", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL add_ProcessFailed(ICoreWebView2ProcessFailedEventHandler* eventHandler,
                                        EventRegistrationToken* token) override {
    return events_.Add("ProcessFailed", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_ProcessFailed(EventRegistrationToken token) override {
    events_.Remove("ProcessFailed", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL AddScriptToExecuteOnDocumentCreated(
      LPCWSTR javaScript, ICoreWebView2AddScriptToExecuteOnDocumentCreatedCompletedHandler* handler) override;
  HRESULT WV2_STDCALL RemoveScriptToExecuteOnDocumentCreated(LPCWSTR id) override;
  HRESULT WV2_STDCALL ExecuteScript(LPCWSTR javaScript,
                                    ICoreWebView2ExecuteScriptCompletedHandler* handler) override;
  HRESULT WV2_STDCALL CapturePreview(COREWEBVIEW2_CAPTURE_PREVIEW_IMAGE_FORMAT, IStream*,
                                     ICoreWebView2CapturePreviewCompletedHandler*) override {
    return E_NOTIMPL;
  }
  HRESULT WV2_STDCALL Reload() override;
  HRESULT WV2_STDCALL PostWebMessageAsJson(LPCWSTR webMessageAsJson) override;
  HRESULT WV2_STDCALL PostWebMessageAsString(LPCWSTR webMessageAsString) override;
  HRESULT WV2_STDCALL add_WebMessageReceived(ICoreWebView2WebMessageReceivedEventHandler* eventHandler,
                                             EventRegistrationToken* token) override {
    return events_.Add("WebMessageReceived", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_WebMessageReceived(EventRegistrationToken token) override {
    events_.Remove("WebMessageReceived", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL
  CallDevToolsProtocolMethod(LPCWSTR methodName, LPCWSTR parametersAsJson,
                             ICoreWebView2CallDevToolsProtocolMethodCompletedHandler* handler) override;
  HRESULT WV2_STDCALL get_BrowserProcessId(UINT32*) override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL get_CanGoBack(BOOL*) override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL get_CanGoForward(BOOL*) override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL GoBack() override;
  HRESULT WV2_STDCALL GoForward() override;
  HRESULT WV2_STDCALL GetDevToolsProtocolEventReceiver(
      LPCWSTR eventName, ICoreWebView2DevToolsProtocolEventReceiver** receiver) override;
  HRESULT WV2_STDCALL Stop() override;
  HRESULT WV2_STDCALL add_NewWindowRequested(ICoreWebView2NewWindowRequestedEventHandler* eventHandler,
                                             EventRegistrationToken* token) override {
    return events_.Add("NewWindowRequested", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_NewWindowRequested(EventRegistrationToken token) override {
    events_.Remove("NewWindowRequested", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL add_DocumentTitleChanged(ICoreWebView2DocumentTitleChangedEventHandler* eventHandler,
                                               EventRegistrationToken* token) override {
    return events_.Add("DocumentTitleChanged", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_DocumentTitleChanged(EventRegistrationToken token) override {
    events_.Remove("DocumentTitleChanged", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL get_DocumentTitle(LPWSTR* title) override;
  HRESULT WV2_STDCALL AddHostObjectToScript(LPCWSTR name, VARIANT* object) override;
  HRESULT WV2_STDCALL RemoveHostObjectFromScript(LPCWSTR name) override;
  HRESULT WV2_STDCALL OpenDevToolsWindow() override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL add_ContainsFullScreenElementChanged(
      ICoreWebView2ContainsFullScreenElementChangedEventHandler* eventHandler,
      EventRegistrationToken* token) override {
    return events_.Add("ContainsFullScreenElementChanged", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_ContainsFullScreenElementChanged(EventRegistrationToken token) override {
    events_.Remove("ContainsFullScreenElementChanged", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL get_ContainsFullScreenElement(BOOL* containsFullScreenElement) override;
  HRESULT WV2_STDCALL add_WebResourceRequested(ICoreWebView2WebResourceRequestedEventHandler* eventHandler,
                                               EventRegistrationToken* token) override {
    return events_.Add("WebResourceRequested", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_WebResourceRequested(EventRegistrationToken token) override {
    events_.Remove("WebResourceRequested", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL AddWebResourceRequestedFilter(const LPCWSTR,
                                                    const COREWEBVIEW2_WEB_RESOURCE_CONTEXT) override {
    return E_NOTIMPL;
  }
  HRESULT WV2_STDCALL RemoveWebResourceRequestedFilter(const LPCWSTR,
                                                       const COREWEBVIEW2_WEB_RESOURCE_CONTEXT) override {
    return E_NOTIMPL;
  }
  HRESULT WV2_STDCALL add_WindowCloseRequested(ICoreWebView2WindowCloseRequestedEventHandler* eventHandler,
                                               EventRegistrationToken* token) override {
    return events_.Add("WindowCloseRequested", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_WindowCloseRequested(EventRegistrationToken token) override {
    events_.Remove("WindowCloseRequested", token);
    return S_OK;
  }
  // ICoreWebView2_2
  HRESULT WV2_STDCALL
  add_WebResourceResponseReceived(ICoreWebView2WebResourceResponseReceivedEventHandler* eventHandler,
                                  EventRegistrationToken* token) override {
    return events_.Add("WebResourceResponseReceived", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_WebResourceResponseReceived(EventRegistrationToken token) override {
    events_.Remove("WebResourceResponseReceived", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL NavigateWithWebResourceRequest(ICoreWebView2WebResourceRequest*) override {
    return E_NOTIMPL;
  }
  HRESULT WV2_STDCALL add_DOMContentLoaded(ICoreWebView2DOMContentLoadedEventHandler* eventHandler,
                                           EventRegistrationToken* token) override {
    return events_.Add("DOMContentLoaded", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_DOMContentLoaded(EventRegistrationToken token) override {
    events_.Remove("DOMContentLoaded", token);
    return S_OK;
  }
  // The profile's cookies through Chromium's protocol (ChromiumCookies.cpp).
  HRESULT WV2_STDCALL get_CookieManager(ICoreWebView2CookieManager** cookieManager) override;
  HRESULT WV2_STDCALL get_Environment(ICoreWebView2Environment** environment) override;
  // ICoreWebView2_23: the message goes to the page as PostWebMessageAsJson
  // sends it; objects beside it cannot be handed to Chromium's page.
  HRESULT WV2_STDCALL PostWebMessageAsJsonWithAdditionalObjects(
      LPCWSTR webMessageAsJson, ICoreWebView2ObjectCollectionView* additionalObjects) override;

  // ICoreWebView2_3: Chromium here has no suspension and no host name mapping.
  HRESULT WV2_STDCALL TrySuspend(ICoreWebView2TrySuspendCompletedHandler*) override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL Resume() override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL get_IsSuspended(BOOL* isSuspended) override;
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
    events_.Remove("FrameCreated", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL add_DownloadStarting(ICoreWebView2DownloadStartingEventHandler* eventHandler,
                                           EventRegistrationToken* token) override {
    return events_.Add("DownloadStarting", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_DownloadStarting(EventRegistrationToken token) override {
    events_.Remove("DownloadStarting", token);
    return S_OK;
  }

  // PageFrameEvents (ChromiumWebViewFrames.cpp)
  void FrameCreated(std::uint32_t frameId, std::u16string_view name) override;
  void FrameNameChanged(std::uint32_t frameId, std::u16string_view name) override;
  void FrameNavigationStarting(std::uint32_t frameId, std::uint64_t navigationId,
                               std::u16string_view uri) override;
  void FrameContentLoading(std::uint32_t frameId, std::uint64_t navigationId, bool isErrorPage) override;
  void FrameDomContentLoaded(std::uint32_t frameId, std::uint64_t navigationId) override;
  void FrameNavigationCompleted(std::uint32_t frameId, std::uint64_t navigationId, bool isSuccess,
                                COREWEBVIEW2_WEB_ERROR_STATUS webErrorStatus) override;
  void FrameDestroyed(std::uint32_t frameId) override;
  void FrameWebMessageReceived(std::uint32_t frameId, std::u16string messageAsJson) override;
  void DownloadWillBegin(std::u16string_view guid, std::u16string_view url,
                         std::u16string_view suggestedFilename) override;
  void DownloadProgress(std::u16string_view guid, std::u16string_view state, double receivedBytes,
                        double totalBytes) override;

  // PageEvents
  bool NavigationStarting(std::uint64_t navigationId, std::u16string_view uri, bool isRedirected) override;
  void SourceChanged(bool isNewDocument) override;
  void ContentLoading(std::uint64_t navigationId, bool isErrorPage) override;
  void HistoryChanged() override;
  void DomContentLoaded(std::uint64_t navigationId) override;
  void NavigationCompleted(const NavigationOutcome& outcome) override;
  void DocumentTitleChanged() override;
  void WebMessageReceived(std::u16string messageAsJson) override;
  void HostObjectCalled(std::u16string_view payload, std::int64_t contextId) override;
  void ProcessFailed(const FailedProcess& failure) override;

 private:
  bool Usable() const { return !closed_ && browser_->Usable(); }
  void Evaluate(const std::string& expression);

  std::shared_ptr<ChromiumBrowser> browser_;
  // The cookie managers' commands, one at a time (ChromiumCookies.cpp).
  std::shared_ptr<class CookieCommands> cookieCommands_;
  webview::ComPtr<ICoreWebView2Environment> environment_;
  webview::ComPtr<ChromiumSettings> settings_;
  EventHandlerList events_;
  webview::HostObjectRegistry hostObjects_;
  // One receiver per protocol event name, handed out again for the same name.
  std::map<std::u16string, webview::ComPtr<ChromiumDevToolsProtocolEventReceiver>> devToolsReceivers_;
  bool closed_ = false;
  // The page's frames and running downloads, by the frame's number and the download's guid.
  webview::ComPtr<ChromiumFrame> FindFrame(std::uint32_t frameId) const;
  void CloseFramesAndDownloads();
  std::map<std::uint32_t, webview::ComPtr<ChromiumFrame>> frames_;
  std::map<std::u16string, webview::ComPtr<ChromiumDownloadOperation>, std::less<>> downloads_;
};

}  // namespace velmoran::runtime::chromium
