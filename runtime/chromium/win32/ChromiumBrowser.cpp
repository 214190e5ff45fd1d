#include "runtime/chromium/win32/ChromiumBrowser.h"

#include <initializer_list>
#include <optional>
#include <utility>

#include "base/Text.h"
#include "runtime/chromium/JsonWriter.h"
#include "runtime/chromium/win32/Trace.h"
#include "runtime/chromium/win32/UnixProgram.h"
#include "webview/abi/ComResults.h"

namespace velmoran::runtime::chromium {

namespace {

// How long Chromium may take to start and connect.
constexpr DWORD kStartTimeoutMs = 60000;

std::string Params(const std::function<void(JsonWriter&)>& members) {
  JsonWriter json;
  json.BeginObject();
  members(json);
  json.EndObject();
  return json.Take();
}

bool StartsWith(std::u16string_view text, std::u16string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// One trace line for a loading report of the main frame: what happened, then its fields.
void TraceLoading(std::string_view what, std::initializer_list<std::u16string_view> fields) {
  std::string line(what);
  for (std::u16string_view field : fields) {
    line += ' ';
    line += Utf16ToUtf8(field.substr(0, 200));
  }
  Trace(line);
}

// How the browser names a renderer's end (its termination status), as the runtime's reasons.
COREWEBVIEW2_PROCESS_FAILED_REASON RendererEndReason(std::u16string_view status) {
  if (status.find(u"oom") != std::u16string_view::npos)
    return COREWEBVIEW2_PROCESS_FAILED_REASON_OUT_OF_MEMORY;
  if (status.find(u"killed") != std::u16string_view::npos)
    return COREWEBVIEW2_PROCESS_FAILED_REASON_TERMINATED;
  if (status.find(u"crash") != std::u16string_view::npos) return COREWEBVIEW2_PROCESS_FAILED_REASON_CRASHED;
  if (status.find(u"launch") != std::u16string_view::npos)
    return COREWEBVIEW2_PROCESS_FAILED_REASON_LAUNCH_FAILED;
  return COREWEBVIEW2_PROCESS_FAILED_REASON_UNEXPECTED;
}

}  // namespace

ChromiumBrowser::ChromiumBrowser(std::shared_ptr<UiThreadQueue> queue, BrowserLaunch launch)
    : queue_(std::move(queue)),
      launch_(std::move(launch)),
      session_([this](std::string text) { return transport_ && transport_->Send(std::move(text)); }),
      tracker_(*this) {
  window_.SetRepaint([this] { RepaintPage(); });
}

ChromiumBrowser::~ChromiumBrowser() {
  if (transport_) transport_->Close();
}

bool ChromiumBrowser::Start(std::function<void(HRESULT)> onReady) {
  auto listener = std::make_unique<LoopbackListener>();
  if (!listener->Listen()) return false;
  launch_.port = listener->Port();
  launch_.greeting = MakeGreeting();
  if (!StartBashScript(BrowserStartScript(launch_))) return false;
  onReady_ = std::move(onReady);
  transport_ = std::make_unique<PipeTransport>(
      queue_, std::weak_ptr<void>(shared_from_this()),
      PipeTransport::Handlers{[this] { Connected(); },
                              [this](const std::string& text) { session_.Receive(text); },
                              [this](bool everConnected) { Ended(everConnected); }});
  transport_->Start(std::move(listener), launch_.greeting, kStartTimeoutMs);
  return true;
}

void ChromiumBrowser::Finish(HRESULT result) {
  Trace("browser ready: " + std::to_string(result));
  if (!onReady_) return;
  auto onReady = std::move(onReady_);
  onReady_ = nullptr;
  ready_ = SUCCEEDED(result);
  onReady(result);
}

void ChromiumBrowser::Connected() {
  Trace("pipe connected");
  SubscribeEvents();
  session_.Call("Browser.getVersion", {}, {}, [this](const DevToolsSession::Answer& answer) {
    // "Chrome/156.0.8078.129" gives the version number alone.
    std::u16string product(TextMember(answer.result, u"product"));
    const auto slash = product.find(u'/');
    version_ = slash == std::u16string::npos ? product : product.substr(slash + 1);
  });
  session_.Call("Target.setDiscoverTargets", Params([](JsonWriter& j) { j.Key("discover").Bool(true); }));
  session_.Call("Target.getTargets", {}, {}, [this](const DevToolsSession::Answer& answer) {
    if (const codec::JsonValue* infos = answer.result.Find(u"targetInfos");
        infos != nullptr && infos->IsArray()) {
      for (const codec::JsonValue& info : infos->items()) TargetSeen(info);
    }
  });
}

void ChromiumBrowser::TargetSeen(const codec::JsonValue& info) {
  if (TextMember(info, u"type") != u"page") return;
  const std::u16string_view id = TextMember(info, u"targetId");
  if (targetId_.empty()) {
    // The app window's page is the browser's first and only page.
    targetId_ = std::u16string(id);
    session_.Call("Target.attachToTarget",
                  Params([&](JsonWriter& j) { j.Key("targetId").String(id).Key("flatten").Bool(true); }), {},
                  [this](const DevToolsSession::Answer& answer) {
                    if (!answer.Succeeded()) return Finish(E_FAIL);
                    pageSession_ = std::u16string(TextMember(answer.result, u"sessionId"));
                    PrepareThePage();
                  });
    return;
  }
  if (id != targetId_) return;
  const std::u16string_view title = TextMember(info, u"title");
  if (title != title_) {
    title_ = std::u16string(title);
    if (page_ != nullptr && ready_) page_->DocumentTitleChanged();
  }
}

void ChromiumBrowser::CallPage(std::string_view method, std::string_view paramsJson,
                               DevToolsSession::AnswerHandler onAnswer) {
  session_.Call(method, paramsJson, pageSession_, std::move(onAnswer));
}

void ChromiumBrowser::PrepareThePage() {
  CallPage("Page.enable", {});
  CallPage("Page.setLifecycleEventsEnabled", Params([](JsonWriter& j) { j.Key("enabled").Bool(true); }));
  CallPage("Network.enable", {});
  CallPage("Runtime.enable", {});
  for (const char* binding : {kPostMessageBinding, kHostKeyBinding, kHostObjectBinding})
    CallPage("Runtime.addBinding", Params([&](JsonWriter& j) { j.Key("name").String(binding); }));
  ApplyPageSettings(PageSettings{});
  // Documents are held at their request until the host has answered NavigationStarting.
  CallPage("Fetch.enable", Params([](JsonWriter& j) {
             j.Key("patterns")
                 .BeginArray()
                 .BeginObject()
                 .Key("urlPattern")
                 .String("*")
                 .Key("resourceType")
                 .String("Document")
                 .Key("requestStage")
                 .String("Request")
                 .EndObject()
                 .EndArray();
           }));
  // The app window starts on a data: address (about:blank is refused as an app); the host expects
  // about:blank.
  CallPage("Page.navigate", Params([](JsonWriter& j) { j.Key("url").String("about:blank"); }),
           [this](const DevToolsSession::Answer& answer) { Finish(answer.Succeeded() ? S_OK : E_FAIL); });
}

void ChromiumBrowser::ApplyPageSettings(const PageSettings& settings) {
  if (!settingsScriptId_.empty()) {
    CallPage("Page.removeScriptToEvaluateOnNewDocument",
             Params([&](JsonWriter& j) { j.Key("identifier").String(settingsScriptId_); }));
    settingsScriptId_.clear();
    CallPage("Runtime.evaluate",
             Params([&](JsonWriter& j) { j.Key("expression").String(PageSettingsUpdateScript(settings)); }));
  }
  CallPage("Page.addScriptToEvaluateOnNewDocument",
           Params([&](JsonWriter& j) { j.Key("source").String(PageBootstrapScript(settings)); }),
           [this](const DevToolsSession::Answer& answer) {
             settingsScriptId_ = std::u16string(TextMember(answer.result, u"identifier"));
           });
}

void ChromiumBrowser::RepaintPage() {
  if (!Usable()) return;
  // A change of the page's base background (shown only where the page itself
  // paints none) invalidates the whole view; set and cleared at once, the
  // page looks the same and Chromium draws all of it.
  CallPage("Emulation.setDefaultBackgroundColorOverride", Params([](JsonWriter& j) {
             j.Key("color")
                 .BeginObject()
                 .Key("r")
                 .Number(254)
                 .Key("g")
                 .Number(254)
                 .Key("b")
                 .Number(254)
                 .Key("a")
                 .Number(1)
                 .EndObject();
           }));
  CallPage("Emulation.setDefaultBackgroundColorOverride", "{}");
}

bool ChromiumBrowser::IsPage(const DevToolsMessage& event) const {
  return !pageSession_.empty() && event.sessionId == pageSession_;
}

bool ChromiumBrowser::IsMainFrame(const codec::JsonValue& params, std::u16string_view key) const {
  return TextMember(params, key) == targetId_;
}

void ChromiumBrowser::SubscribeEvents() {
  session_.Subscribe(u"Target.targetCreated", [this](const DevToolsMessage& event) {
    if (const codec::JsonValue* info = ObjectMember(event.body, u"targetInfo")) TargetSeen(*info);
  });
  session_.Subscribe(u"Target.targetInfoChanged", [this](const DevToolsMessage& event) {
    if (const codec::JsonValue* info = ObjectMember(event.body, u"targetInfo")) TargetSeen(*info);
  });
  session_.Subscribe(u"Page.frameStartedNavigating", [this](const DevToolsMessage& event) {
    if (!IsPage(event) || !IsMainFrame(event.body)) return;
    const std::u16string_view type = TextMember(event.body, u"navigationType");
    if (type == u"sameDocument" || type == u"historySameDocument") return;
    const std::u16string_view url = TextMember(event.body, u"url");
    TraceLoading("frame started navigating", {TextMember(event.body, u"loaderId"), type, url});
    const bool goesOn = tracker_.Started(TextMember(event.body, u"loaderId"), url);
    // HTTP documents wait in Fetch for the answer; nothing else can be held back, only stopped.
    if (!goesOn && !StartsWith(url, u"http:") && !StartsWith(url, u"https:"))
      CallPage("Page.stopLoading", {});
  });
  session_.Subscribe(u"Fetch.requestPaused", [this](const DevToolsMessage& event) {
    if (!IsPage(event)) return;
    const std::u16string requestId(TextMember(event.body, u"requestId"));
    bool goesOn = true;
    if (TextMember(event.body, u"resourceType") == u"Document" && IsMainFrame(event.body)) {
      const std::u16string_view loader = TextMember(event.body, u"networkId");
      const codec::JsonValue* request = ObjectMember(event.body, u"request");
      goesOn = event.body.Find(u"redirectedRequestId") != nullptr && request != nullptr
                   ? tracker_.Redirected(loader, TextMember(*request, u"url"))
                   : tracker_.MayProceed(loader);
    }
    if (goesOn) {
      CallPage("Fetch.continueRequest", Params([&](JsonWriter& j) { j.Key("requestId").String(requestId); }));
    } else {
      CallPage("Fetch.failRequest", Params([&](JsonWriter& j) {
                 j.Key("requestId").String(requestId).Key("errorReason").String("Aborted");
               }));
    }
  });
  session_.Subscribe(u"Network.responseReceived", [this](const DevToolsMessage& event) {
    if (!IsPage(event) || TextMember(event.body, u"type") != u"Document" || !IsMainFrame(event.body)) return;
    if (const codec::JsonValue* response = ObjectMember(event.body, u"response")) {
      tracker_.ResponseReceived(TextMember(event.body, u"loaderId"),
                                static_cast<int>(IntegerMember(*response, u"status")));
    }
  });
  session_.Subscribe(u"Network.loadingFailed", [this](const DevToolsMessage& event) {
    if (!IsPage(event) || TextMember(event.body, u"type") != u"Document") return;
    TraceLoading("document loading failed",
                 {TextMember(event.body, u"requestId"), TextMember(event.body, u"errorText")});
    // A document's request id is its loader's id.
    tracker_.LoadingFailed(TextMember(event.body, u"requestId"), TextMember(event.body, u"errorText"));
  });
  session_.Subscribe(u"Page.frameNavigated", [this](const DevToolsMessage& event) {
    const codec::JsonValue* frame = ObjectMember(event.body, u"frame");
    if (!IsPage(event) || frame == nullptr || !IsMainFrame(*frame, u"id")) return;
    const std::u16string_view unreachable = TextMember(*frame, u"unreachableUrl");
    const std::u16string_view url = TextMember(*frame, u"url");
    const bool isErrorPage = !unreachable.empty() || StartsWith(url, u"chrome-error:");
    TraceLoading("frame navigated", {TextMember(*frame, u"loaderId"), url, unreachable});
    const std::u16string shown =
        !unreachable.empty() ? std::u16string(unreachable)
                             : std::u16string(url) + std::u16string(TextMember(*frame, u"urlFragment"));
    tracker_.Committed(TextMember(*frame, u"loaderId"), shown, isErrorPage);
  });
  session_.Subscribe(u"Page.lifecycleEvent", [this](const DevToolsMessage& event) {
    if (!IsPage(event) || !IsMainFrame(event.body)) return;
    const std::u16string_view name = TextMember(event.body, u"name");
    if (name == u"DOMContentLoaded" || name == u"load")
      TraceLoading("lifecycle", {name, TextMember(event.body, u"loaderId")});
    if (name == u"DOMContentLoaded") tracker_.DomContentLoaded(TextMember(event.body, u"loaderId"));
    if (name == u"load") tracker_.Loaded(TextMember(event.body, u"loaderId"));
    // A browser-level session is not always told when the page's own <title>
    // replaces the placeholder title, so the target's info is read again once
    // the document is there.
    if (name == u"DOMContentLoaded" || name == u"load") {
      session_.Call("Target.getTargetInfo",
                    Params([this](JsonWriter& j) { j.Key("targetId").String(targetId_); }), {},
                    [this](const DevToolsSession::Answer& answer) {
                      if (const codec::JsonValue* info = ObjectMember(answer.result, u"targetInfo"))
                        TargetSeen(*info);
                    });
    }
  });
  session_.Subscribe(u"Page.frameStoppedLoading", [this](const DevToolsMessage& event) {
    if (!IsPage(event) || !IsMainFrame(event.body)) return;
    Trace("frame stopped loading");
    tracker_.StoppedLoading();
  });
  session_.Subscribe(u"Page.navigatedWithinDocument", [this](const DevToolsMessage& event) {
    if (IsPage(event) && IsMainFrame(event.body)) tracker_.SameDocument(TextMember(event.body, u"url"));
  });
  session_.Subscribe(u"Runtime.bindingCalled", [this](DevToolsMessage& event) {
    if (!IsPage(event) || page_ == nullptr || !ready_) return;
    const std::u16string_view name = TextMember(event.body, u"name");
    if (name == AsciiToUtf16(kPostMessageBinding)) {
      // Taken out of the event, not copied: a capture is megabytes.
      std::optional<std::u16string> payload = TakeTextMember(event.body, u"payload");
      // A message from one of the page's frames is that frame's, not the page's.
      if (payload && !DeliverFrameMessage(event, *payload)) page_->WebMessageReceived(std::move(*payload));
    } else if (name == AsciiToUtf16(kHostObjectBinding)) {
      page_->HostObjectCalled(TextMember(event.body, u"payload"),
                              IntegerMember(event.body, u"executionContextId"));
    } else if (name == AsciiToUtf16(kHostKeyBinding) && TextMember(event.body, u"payload") == u"F11") {
      // The page holds the keyboard; the host's own key handling gets F11 as if pressed in its window.
      const HWND host = window_.Host();
      const HWND top = host != nullptr ? ::GetAncestor(host, GA_ROOT) : nullptr;
      if (top != nullptr) {
        ::PostMessageW(top, WM_KEYDOWN, VK_F11, 0x00570001);
        ::PostMessageW(top, WM_KEYUP, VK_F11, static_cast<LPARAM>(0xC0570001u));
      }
    }
  });
  // The browser's own report, not the page session's: it tells how the renderer ended.
  session_.Subscribe(u"Target.targetCrashed", [this](const DevToolsMessage& event) {
    if (!event.sessionId.empty() || TextMember(event.body, u"targetId") != targetId_ || page_ == nullptr)
      return;
    Trace("renderer ended: " + Utf16ToUtf8(TextMember(event.body, u"status")));
    FailedProcess failure;
    failure.kind = COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_EXITED;
    failure.reason = RendererEndReason(TextMember(event.body, u"status"));
    if (const codec::JsonValue* code = event.body.Find(u"errorCode"); code != nullptr && code->IsNumber())
      failure.exitCode = static_cast<int>(IntegerMember(event.body, u"errorCode"));
    page_->ProcessFailed(failure);
  });
  SubscribeFrameAndDownloadEvents();
  session_.Subscribe(AsciiToUtf16(kBrowserExitedEvent), [this](const DevToolsMessage& event) {
    if (const codec::JsonValue* code = event.body.Find(u"exitCode"); code != nullptr && code->IsNumber())
      exitCode_ = static_cast<int>(IntegerMember(event.body, u"exitCode"));
  });
}

void ChromiumBrowser::Ended(bool everConnected) {
  Trace(everConnected ? "pipe closed" : "browser never connected");
  const bool wasReady = ready_;
  ended_ = true;
  session_.Close(u"The browser has ended.");
  if (onReady_) {
    Finish(everConnected ? E_ABORT : HRESULT_FROM_WIN32(ERROR_TIMEOUT));
    return;
  }
  if (wasReady && !closing_ && page_ != nullptr) {
    FailedProcess failure;
    failure.exitCode = exitCode_;
    page_->ProcessFailed(failure);
  }
}

void ChromiumBrowser::Close() {
  if (closing_) return;
  closing_ = true;
  page_ = nullptr;
  if (!ended_) session_.Call("Browser.close", {});
  if (transport_) transport_->Close();
}

bool ChromiumBrowser::NavigationStarting(std::uint64_t navigationId, std::u16string_view uri,
                                         bool isRedirected) {
  if (page_ == nullptr || !ready_ || hiddenNavigations_.count(navigationId) > 0) {
    hiddenNavigations_.insert(navigationId);
    return false;
  }
  return page_->NavigationStarting(navigationId, uri, isRedirected);
}
void ChromiumBrowser::SourceChanged(bool isNewDocument) {
  if (page_ != nullptr && ready_) page_->SourceChanged(isNewDocument);
}
void ChromiumBrowser::ContentLoading(std::uint64_t navigationId, bool isErrorPage) {
  if (page_ != nullptr && ready_ && hiddenNavigations_.count(navigationId) == 0)
    page_->ContentLoading(navigationId, isErrorPage);
}
void ChromiumBrowser::HistoryChanged() {
  if (page_ != nullptr && ready_) page_->HistoryChanged();
}
void ChromiumBrowser::DomContentLoaded(std::uint64_t navigationId) {
  if (page_ != nullptr && ready_ && hiddenNavigations_.count(navigationId) == 0)
    page_->DomContentLoaded(navigationId);
}
void ChromiumBrowser::NavigationCompleted(const NavigationOutcome& outcome) {
  if (hiddenNavigations_.erase(outcome.navigationId) > 0) return;
  if (page_ != nullptr && ready_) page_->NavigationCompleted(outcome);
}

}  // namespace velmoran::runtime::chromium
