#pragma once

// One running Chromium and its one page, as the environment, controller and
// webview objects share them: the pipe, the protocol session, the page's
// target session, the navigation events, and the embedded window. Used on
// the user-interface thread only; the COM objects hold it by shared_ptr and
// the last of them to go ends the browser (the pipe closes, Chromium quits).

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "runtime/chromium/BrowserCommandLine.h"
#include "runtime/chromium/DevToolsSession.h"
#include "runtime/chromium/FrameTracker.h"
#include "runtime/chromium/HostObjectScripts.h"
#include "runtime/chromium/NavigationTracker.h"
#include "runtime/chromium/PageScripts.h"
#include "runtime/chromium/win32/EmbeddedWindow.h"
#include "runtime/chromium/win32/PageFrameEvents.h"
#include "runtime/chromium/win32/PipeTransport.h"
#include "runtime/win32/UiThreadQueue.h"
#include "webview/abi/WebView2Enums.h"

namespace velmoran::runtime::chromium {

// A process of the browser that ended: which, why, and its exit code when
// Chromium told it.
struct FailedProcess {
  COREWEBVIEW2_PROCESS_FAILED_KIND kind = COREWEBVIEW2_PROCESS_FAILED_KIND_BROWSER_PROCESS_EXITED;
  COREWEBVIEW2_PROCESS_FAILED_REASON reason = COREWEBVIEW2_PROCESS_FAILED_REASON_UNEXPECTED;
  std::optional<int> exitCode;
};

// What the page does, for the webview object to raise as its events.
// The navigation events are the tracker's, passed on as they come.
class PageEvents : public NavigationObserver {
 public:
  virtual void DocumentTitleChanged() = 0;
  virtual void WebMessageReceived(std::u16string messageAsJson) = 0;
  // The page called a host object's method (the binding's JSON payload) from the script context
  // `contextId`, the one its answer must go to.
  virtual void HostObjectCalled(std::u16string_view payload, std::int64_t contextId) = 0;
  virtual void ProcessFailed(const FailedProcess& failure) = 0;

 protected:
  ~PageEvents() = default;
};

class ChromiumBrowser final : public std::enable_shared_from_this<ChromiumBrowser>,
                              private NavigationObserver,
                              private FrameObserver {
 public:
  ChromiumBrowser(std::shared_ptr<UiThreadQueue> queue, BrowserLaunch launch);
  ~ChromiumBrowser();
  ChromiumBrowser(const ChromiumBrowser&) = delete;
  ChromiumBrowser& operator=(const ChromiumBrowser&) = delete;

  // Starts Chromium; `onReady` runs later on the user-interface thread, once,
  // with S_OK when the page is ready for a controller or a failure code.
  // False when nothing could be started.
  bool Start(std::function<void(HRESULT)> onReady);

  // A command to the page's target session.
  void CallPage(std::string_view method, std::string_view paramsJson,
                DevToolsSession::AnswerHandler onAnswer = {});
  bool Usable() const { return ready_ && !ended_; }

  // The webview receiving the page's events, or none.
  void SetPageEvents(PageEvents* events) { page_ = events; }

  const std::u16string& Source() const { return tracker_.Source(); }
  const std::u16string& Title() const { return title_; }
  const std::u16string& Version() const { return version_; }
  const std::string& WindowClass() const { return launch_.windowClass; }
  EmbeddedWindow& Window() { return window_; }

  void ApplyPageSettings(const PageSettings& settings);

  // Makes Chromium draw the whole page again, as it stands.
  void RepaintPage();

  // The host is done with the browser: it is asked to close, and its end is no failure.
  void Close();

  // Protocol events of the page on request: every later event `method` of the
  // page reaches `handler` with its parameter object, until unsubscribed. Its
  // domain is enabled first when the page has not enabled it already.
  using PageEventHandler = std::function<void(const codec::JsonValue& params)>;
  std::uint64_t SubscribePageEvent(const std::u16string& method, PageEventHandler handler);
  void UnsubscribePageEvent(std::uint64_t subscription);
  // Frames and downloads (ChromiumBrowserFrames.cpp): the webview receiving
  // their events, or none; the frames as Chromium reported them; a command to
  // the browser itself (downloads are the browser's, not the page's).
  void SetFrameEvents(PageFrameEvents* events) { frameEvents_ = events; }
  const FrameTracker& Frames() const { return frameTracker_; }
  void CallBrowser(std::string_view method, std::string_view paramsJson,
                   DevToolsSession::AnswerHandler onAnswer = {});
  // Where Chromium puts a download while it runs (named by its guid), and
  // where a finished one goes unless the host chose: Windows paths.
  const std::u16string& DownloadStagingFolder() const { return launch_.downloadStagingFolder; }
  const std::u16string& DownloadFolder() const { return launch_.downloadFolder; }

 private:
  bool NavigationStarting(std::uint64_t navigationId, std::u16string_view uri, bool isRedirected) override;
  void SourceChanged(bool isNewDocument) override;
  void ContentLoading(std::uint64_t navigationId, bool isErrorPage) override;
  void HistoryChanged() override;
  void DomContentLoaded(std::uint64_t navigationId) override;
  void NavigationCompleted(const NavigationOutcome& outcome) override;

  void FrameCreated(std::uint32_t frameId, std::u16string_view name) override;
  void FrameNameChanged(std::uint32_t frameId, std::u16string_view name) override;
  void FrameNavigationStarting(std::uint32_t frameId, std::uint64_t navigationId,
                               std::u16string_view uri) override;
  void FrameContentLoading(std::uint32_t frameId, std::uint64_t navigationId, bool isErrorPage) override;
  void FrameDomContentLoaded(std::uint32_t frameId, std::uint64_t navigationId) override;
  void FrameNavigationCompleted(std::uint32_t frameId, std::uint64_t navigationId, bool isSuccess,
                                COREWEBVIEW2_WEB_ERROR_STATUS webErrorStatus) override;
  void FrameDestroyed(std::uint32_t frameId) override;
  void SubscribeFrameAndDownloadEvents();
  // A page message from one of the followed frames' scripts: true when it went to that frame.
  bool DeliverFrameMessage(const DevToolsMessage& event, std::u16string& payload);

  void Connected();
  void Ended(bool everConnected);
  void SubscribeEvents();
  void TargetSeen(const codec::JsonValue& targetInfo);
  void PrepareThePage();
  void Finish(HRESULT result);
  bool IsPage(const DevToolsMessage& event) const;
  bool IsMainFrame(const codec::JsonValue& params, std::u16string_view key = u"frameId") const;

  std::shared_ptr<UiThreadQueue> queue_;
  BrowserLaunch launch_;
  std::unique_ptr<PipeTransport> transport_;
  DevToolsSession session_;
  NavigationTracker tracker_;
  FrameTracker frameTracker_{static_cast<FrameObserver&>(*this)};
  PageFrameEvents* frameEvents_ = nullptr;
  EmbeddedWindow window_;
  std::function<void(HRESULT)> onReady_;
  PageEvents* page_ = nullptr;
  std::u16string targetId_;  // the page's target, which is also its main frame's id
  std::u16string pageSession_;
  std::u16string title_;
  std::u16string version_;
  std::u16string settingsScriptId_;
  // Navigations that began before the host had a webview (the runtime's own
  // about:blank among them): the host never heard them start, so it hears
  // nothing else of them either, however late Chromium reports them.
  std::set<std::uint64_t> hiddenNavigations_;
  // Chromium's exit status, as the start script reports it once Chromium has ended.
  std::optional<int> exitCode_;
  struct PageEventSubscription {
    std::uint64_t id;
    std::u16string method;
    PageEventHandler handler;
  };
  void DeliverPageEvent(const DevToolsMessage& event);
  std::vector<PageEventSubscription> pageEventSubscriptions_;
  std::uint64_t nextPageEventSubscription_ = 1;
  // Event names the session already hands to DeliverPageEvent.
  std::set<std::u16string> routedPageEvents_;
  // Domains the page has enabled: its own set-up's, and those enabled on request.
  std::set<std::u16string> enabledDomains_{u"Fetch", u"Network", u"Page", u"Runtime", u"Target"};
  bool ready_ = false;
  bool ended_ = false;
  bool closing_ = false;
};

}  // namespace velmoran::runtime::chromium
