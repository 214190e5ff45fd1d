#pragma once

// The simulated webview. Navigate (and Reload, to the current address) raises
// NavigationStarting on the next pump of the message queue and
// NavigationCompleted on a later one, ending as the test chose; ExecuteScript
// completes later with the chosen code and result;
// the page (Page()) posts web messages, delivered later as
// WebMessageReceived while web messages are enabled in the settings.
// Nothing is ever delivered inside the call that caused it. Its processes can
// fail: the renderer (the page is gone until it is loaded again) or the
// browser process (the webview is dead for good: it raises nothing more and
// refuses every call, as the runtime's closed webview does).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "runtime/sim/SimControllerSide.h"
#include "runtime/sim/SimDevToolsProtocol.h"
#include "runtime/sim/SimProcessFailedEventArgs.h"
#include "runtime/sim/SimWebViewBase.h"
#include "runtime/sim/SimWebViewPage.h"
#include "webview/abi/ComPtr.h"
#include "webview/abi/HostObjectRegistry.h"

namespace velmoran::runtime::sim {

class SimNotification;
class SimSettings;
class SimProfile;
class SimFrame;
class SimDownloadOperation;
struct SimDownloadConfig;

class SimWebView final : public SimWebViewBase {
 public:
  SimWebView(std::shared_ptr<SimRuntimeContext> context, std::shared_ptr<SimControllerSide> side,
             std::u16string profileName, bool isInPrivateModeEnabled);
  ~SimWebView() override;

  HRESULT WV2_STDCALL get_Settings(ICoreWebView2Settings** settings) override;
  HRESULT WV2_STDCALL Navigate(LPCWSTR uri) override;
  HRESULT WV2_STDCALL Reload() override;
  HRESULT WV2_STDCALL ExecuteScript(LPCWSTR javaScript,
                                    ICoreWebView2ExecuteScriptCompletedHandler* handler) override;
  HRESULT WV2_STDCALL PostWebMessageAsJson(LPCWSTR webMessageAsJson) override;
  HRESULT WV2_STDCALL PostWebMessageAsString(LPCWSTR webMessageAsString) override;
  HRESULT WV2_STDCALL get_Profile(ICoreWebView2Profile** value) override;
  // The cookie manager of the webview's profile (SimCookieStore.h).
  HRESULT WV2_STDCALL get_CookieManager(ICoreWebView2CookieManager** cookieManager) override;
  // Host objects: what the page may call on the host by name (Page().CallHostObject).
  HRESULT WV2_STDCALL AddHostObjectToScript(LPCWSTR name, VARIANT* object) override;
  HRESULT WV2_STDCALL RemoveHostObjectFromScript(LPCWSTR name) override;
  const webview::HostObjectRegistry& HostObjects() const { return hostObjects_; }
  // DevTools protocol, filters by request source kind, messages with objects,
  // shared buffers (SimWebViewDevTools.cpp).
  HRESULT WV2_STDCALL
  CallDevToolsProtocolMethod(LPCWSTR methodName, LPCWSTR parametersAsJson,
                             ICoreWebView2CallDevToolsProtocolMethodCompletedHandler* handler) override;
  HRESULT WV2_STDCALL GetDevToolsProtocolEventReceiver(
      LPCWSTR eventName, ICoreWebView2DevToolsProtocolEventReceiver** receiver) override;
  HRESULT WV2_STDCALL AddWebResourceRequestedFilterWithRequestSourceKinds(
      LPCWSTR uri, COREWEBVIEW2_WEB_RESOURCE_CONTEXT resourceContext,
      COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS requestSourceKinds) override;
  HRESULT WV2_STDCALL RemoveWebResourceRequestedFilterWithRequestSourceKinds(
      LPCWSTR uri, COREWEBVIEW2_WEB_RESOURCE_CONTEXT resourceContext,
      COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS requestSourceKinds) override;
  HRESULT WV2_STDCALL PostWebMessageAsJsonWithAdditionalObjects(
      LPCWSTR webMessageAsJson, ICoreWebView2ObjectCollectionView* additionalObjects) override;
  HRESULT WV2_STDCALL PostSharedBufferToScript(ICoreWebView2SharedBuffer* sharedBuffer,
                                               COREWEBVIEW2_SHARED_BUFFER_ACCESS access,
                                               LPCWSTR additionalDataAsJson) override;

  // A DevTools method the host called, and what the runtime answers it with
  // (on a later pump): S_OK and "{}" unless AnswerDevToolsMethod chose otherwise.
  struct DevToolsCall {
    std::u16string method;
    std::u16string parametersAsJson;
  };
  const std::vector<DevToolsCall>& DevToolsCalls() const { return devToolsCalls_; }
  void AnswerDevToolsMethod(std::u16string method, HRESULT errorCode, std::u16string resultAsJson);
  // The page raises the protocol event `eventName` on the next pump: every
  // handler on that name's receiver gets it, with its parameters and session.
  void RaiseDevToolsProtocolEvent(std::u16string eventName, std::u16string parameterObjectAsJson,
                                  std::u16string sessionId = {});
  // Handlers subscribed on the receiver of `eventName`.
  std::size_t DevToolsEventHandlerCount(const std::u16string& eventName) const;
  struct RequestFilter {
    std::u16string uri;
    COREWEBVIEW2_WEB_RESOURCE_CONTEXT context;
    COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS sourceKinds;
    bool operator==(const RequestFilter&) const = default;
  };
  const std::vector<RequestFilter>& RequestFilters() const { return requestFilters_; }
  // For each message posted with PostWebMessageAsJsonWithAdditionalObjects: whether objects came with it.
  const std::vector<bool>& MessagesWithObjects() const { return messagesWithObjects_; }
  struct SharedBufferPost {
    ICoreWebView2SharedBuffer* buffer;
    COREWEBVIEW2_SHARED_BUFFER_ACCESS access;
    std::u16string additionalDataAsJson;
  };
  const std::vector<SharedBufferPost>& SharedBufferPosts() const { return sharedBufferPosts_; }

  // The page inside the webview, as a test drives it.
  SimWebViewPage Page() { return SimWebViewPage(*this); }

  // What the host asked of the webview.
  const std::vector<std::u16string>& ExecutedScripts() const { return executedScripts_; }
  const std::vector<std::u16string>& NavigatedUris() const { return navigatedUris_; }
  // The address each Reload went back to, in order.
  const std::vector<std::u16string>& ReloadedUris() const { return reloadedUris_; }
  // Messages the host posted to the page, each in its JSON form.
  const std::vector<std::u16string>& MessagesToPage() const { return messagesToPage_; }
  SimSettings& Settings() { return *settings_; }

  // Frames and downloads of the page (SimWebViewFrames.cpp). A frame the page
  // adds is announced with FrameCreated on the next pump; a download it starts
  // with DownloadStarting, after which it runs unless a handler cancelled it.
  webview::ComPtr<SimFrame> AddFrame(std::u16string name);
  webview::ComPtr<SimDownloadOperation> StartDownload(const SimDownloadConfig& config);
  const std::vector<webview::ComPtr<SimFrame>>& Frames() const { return frames_; }
  const std::vector<webview::ComPtr<SimDownloadOperation>>& Downloads() const { return downloads_; }

  // The controller closed: the webview drops every subscription and raises no more events.
  void Close();
  bool Closed() const { return closed_; }

  // The page's renderer exits (or stops answering) on the next pump: ProcessFailed
  // with `kind` (a renderer kind), `reason` and `exitCode`, as the runtime reports it.
  void FailRenderProcess(COREWEBVIEW2_PROCESS_FAILED_KIND kind, COREWEBVIEW2_PROCESS_FAILED_REASON reason,
                         int exitCode);
  // The browser process has exited, now: ProcessFailed with BROWSER_PROCESS_EXITED,
  // then the webview is dead. Its handlers stay until the host removes them.
  void BrowserProcessFailed(int exitCode);
  bool BrowserProcessGone() const { return browserProcessGone_; }

  // Notifications the page at `senderOrigin` shows (SimWebViewNotifications.cpp):
  // NotificationReceived follows on the next pump, carrying the notification
  // answered here. The page closes it with CloseNotification: its CloseRequested
  // follows on the next pump.
  webview::ComPtr<SimNotification> ShowNotification(std::u16string senderOrigin, std::u16string title,
                                                    std::u16string body);
  void CloseNotification(SimNotification& notification);

 private:
  friend class SimWebViewPage;
  // A message without a JSON form is one whose text cannot be read.
  void DeliverWebMessage(std::optional<std::u16string> messageAsJson,
                         std::optional<std::u16string> messageAsString, bool textPointsNowhere = false);
  void StartNavigation(std::u16string target);
  void CompleteNavigation(UINT64 navigationId);
  void RaiseProcessFailed(SimProcessFailure failure);
  void CloseFramesAndDownloads();
  void CallHostObject(std::u16string name, std::u16string method,
                      std::vector<webview::AutomationValue> arguments,
                      std::function<void(const webview::DispatchCallResult&)> onResult);
  // Neither closed nor dead: events may still be raised.
  bool Live() const { return !closed_ && !browserProcessGone_; }

  std::shared_ptr<SimControllerSide> side_;
  webview::ComPtr<SimSettings> settings_;
  webview::ComPtr<SimProfile> profile_;
  std::u16string profileName_;
  bool isInPrivate_ = false;
  std::vector<std::u16string> executedScripts_;
  std::vector<std::u16string> navigatedUris_;
  std::vector<std::u16string> reloadedUris_;
  std::vector<std::u16string> messagesToPage_;
  webview::HostObjectRegistry hostObjects_;
  std::vector<DevToolsCall> devToolsCalls_;
  struct DevToolsAnswer {
    HRESULT errorCode;
    std::u16string resultAsJson;
  };
  std::map<std::u16string, DevToolsAnswer> devToolsAnswers_;
  std::map<std::u16string, webview::ComPtr<SimDevToolsProtocolEventReceiver>> devToolsReceivers_;
  std::vector<RequestFilter> requestFilters_;
  std::vector<bool> messagesWithObjects_;
  std::vector<SharedBufferPost> sharedBufferPosts_;
  UINT64 nextNavigationId_ = 1;
  std::vector<webview::ComPtr<SimFrame>> frames_;
  std::vector<webview::ComPtr<SimDownloadOperation>> downloads_;
  // The top document is frame 1.
  UINT32 nextFrameId_ = 2;
  bool closed_ = false;
  bool browserProcessGone_ = false;
};

}  // namespace velmoran::runtime::sim
