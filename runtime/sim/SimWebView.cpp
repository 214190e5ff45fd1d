#include "runtime/sim/SimWebView.h"

#include <utility>

#include "codec/JsonString.h"
#include "runtime/sim/SimDownloadOperation.h"
#include "runtime/sim/SimFrame.h"
#include "runtime/sim/SimNavigationCompletedEventArgs.h"
#include "runtime/sim/SimNavigationStartingEventArgs.h"
#include "runtime/sim/SimProfile.h"
#include "runtime/sim/SimSettings.h"
#include "runtime/sim/SimWebMessageReceivedEventArgs.h"
#include "webview/abi/WideText.h"

namespace velmoran::runtime::sim {

using webview::ComPtr;
using webview::MakeComObject;

namespace {

// The settings as the runtime starts them: scripts and web messages on, among the rest.
void WriteRuntimeDefaults(SimPropertyValues& values) {
  for (const char* enabled :
       {"IsScriptEnabled", "IsWebMessageEnabled", "AreDefaultScriptDialogsEnabled", "IsStatusBarEnabled",
        "AreDevToolsEnabled", "AreDefaultContextMenusEnabled", "AreHostObjectsAllowed",
        "IsZoomControlEnabled", "IsBuiltInErrorPageEnabled", "AreBrowserAcceleratorKeysEnabled",
        "IsGeneralAutofillEnabled", "IsPinchZoomEnabled", "IsSwipeNavigationEnabled",
        "IsReputationCheckingRequired"}) {
    values.Write<BOOL>(enabled, TRUE);
  }
  values.Write<std::u16string>(
      "UserAgent", u"Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko)");
}

}  // namespace

SimWebView::SimWebView(std::shared_ptr<SimRuntimeContext> context, std::shared_ptr<SimControllerSide> side,
                       std::u16string profileName, bool isInPrivateModeEnabled)
    : SimWebViewBase(context, side->Config().webViewVersions),
      side_(std::move(side)),
      profileName_(profileName),
      isInPrivate_(isInPrivateModeEnabled) {
  settings_ = MakeComObject<SimSettings>(context, side_->Config().settingsVersions);
  WriteRuntimeDefaults(settings_->Values());
  profile_ = MakeComObject<SimProfile>(std::move(context), side_->Config().profileVersions,
                                       std::move(profileName), isInPrivateModeEnabled);
  values_.Write<std::u16string>("Source", u"about:blank");
  values_.Write<std::u16string>("DocumentTitle", u"");
}

SimWebView::~SimWebView() = default;

HRESULT SimWebView::get_Settings(ICoreWebView2Settings** settings) {
  if (settings == nullptr) return E_POINTER;
  *settings = nullptr;
  if (const HRESULT scripted = Context().CallResult("get_Settings"); FAILED(scripted)) return scripted;
  *settings = ComPtr<ICoreWebView2Settings>(settings_).Detach();
  return S_OK;
}

HRESULT SimWebView::get_Profile(ICoreWebView2Profile** value) {
  if (value == nullptr) return E_POINTER;
  *value = nullptr;
  if (const HRESULT scripted = Context().CallResult("get_Profile"); FAILED(scripted)) return scripted;
  *value = ComPtr<ICoreWebView2Profile>(profile_).Detach();
  return S_OK;
}

HRESULT SimWebView::Navigate(LPCWSTR uri) {
  if (uri == nullptr) return E_INVALIDARG;
  if (const HRESULT scripted = Context().CallResult("Navigate"); FAILED(scripted)) return scripted;
  if (browserProcessGone_) return kBrowserProcessGone;
  std::u16string target(webview::FromWideText(uri));
  navigatedUris_.push_back(target);
  Context().Observer().Navigating(target);
  StartNavigation(std::move(target));
  return S_OK;
}

HRESULT SimWebView::Reload() {
  if (const HRESULT scripted = Context().CallResult("Reload"); FAILED(scripted)) return scripted;
  if (browserProcessGone_) return kBrowserProcessGone;
  std::u16string target = values_.Read<std::u16string>("Source");
  reloadedUris_.push_back(target);
  Context().Observer().Reloading(target);
  StartNavigation(std::move(target));
  return S_OK;
}

void SimWebView::StartNavigation(std::u16string target) {
  const UINT64 navigationId = nextNavigationId_++;
  ComPtr<SimWebView> self(this);
  Context().Post([self, target = std::move(target), navigationId]() mutable {
    if (!self->Live()) return;
    auto args = MakeComObject<SimNavigationStartingEventArgs>(self->SharedContext(), target, navigationId);
    self->events_.Raise<ICoreWebView2NavigationStartingEventHandler>(
        "NavigationStarting", static_cast<ICoreWebView2*>(self.Get()),
        static_cast<ICoreWebView2NavigationStartingEventArgs*>(args.Get()));
    if (args->Cancelled()) {
      auto cancelled = MakeComObject<SimNavigationCompletedEventArgs>(
          self->SharedContext(), false, COREWEBVIEW2_WEB_ERROR_STATUS_OPERATION_CANCELED, navigationId);
      self->Context().Post([self, cancelled] {
        if (!self->Live()) return;
        self->events_.Raise<ICoreWebView2NavigationCompletedEventHandler>(
            "NavigationCompleted", static_cast<ICoreWebView2*>(self.Get()),
            static_cast<ICoreWebView2NavigationCompletedEventArgs*>(cancelled.Get()));
      });
      return;
    }
    self->values_.Write("Source", target);
    // The navigation ends on a later pump than the one that started it.
    self->Context().Post([self, navigationId] { self->CompleteNavigation(navigationId); });
  });
}

void SimWebView::CompleteNavigation(UINT64 navigationId) {
  if (!Live()) return;
  const SimControllerConfig& config = side_->Config();
  bool isSuccess = config.navigationSucceeds;
  COREWEBVIEW2_WEB_ERROR_STATUS status =
      isSuccess ? COREWEBVIEW2_WEB_ERROR_STATUS_UNKNOWN : config.navigationErrorStatus;
  if (auto failing = config.failingNavigations.find(navigationId);
      failing != config.failingNavigations.end()) {
    isSuccess = false;
    status = failing->second;
  }
  auto args =
      MakeComObject<SimNavigationCompletedEventArgs>(SharedContext(), isSuccess, status, navigationId);
  Context().Observer().NavigationCompleted(*this, isSuccess, status);
  events_.Raise<ICoreWebView2NavigationCompletedEventHandler>(
      "NavigationCompleted", static_cast<ICoreWebView2*>(this),
      static_cast<ICoreWebView2NavigationCompletedEventArgs*>(args.Get()));
}

HRESULT SimWebView::ExecuteScript(LPCWSTR javaScript, ICoreWebView2ExecuteScriptCompletedHandler* handler) {
  if (javaScript == nullptr) return E_INVALIDARG;
  if (const HRESULT scripted = Context().CallResult("ExecuteScript"); FAILED(scripted)) return scripted;
  if (browserProcessGone_) return kBrowserProcessGone;
  executedScripts_.emplace_back(webview::FromWideText(javaScript));
  Context().Observer().ScriptExecuted(executedScripts_.back());
  ComPtr<ICoreWebView2ExecuteScriptCompletedHandler> completion(handler);
  const HRESULT code = side_->Config().scriptCompletion;
  std::u16string result = side_->Config().scriptResult;
  // The runtime holds the handler until it has completed, then lets it go.
  Context().Post([completion, code, result = std::move(result)] {
    if (completion) completion->Invoke(code, webview::AsWideText(result));
  });
  return S_OK;
}

HRESULT SimWebView::PostWebMessageAsJson(LPCWSTR webMessageAsJson) {
  if (webMessageAsJson == nullptr) return E_INVALIDARG;
  if (const HRESULT scripted = Context().CallResult("PostWebMessageAsJson"); FAILED(scripted))
    return scripted;
  messagesToPage_.emplace_back(webview::FromWideText(webMessageAsJson));
  return S_OK;
}

HRESULT SimWebView::PostWebMessageAsString(LPCWSTR webMessageAsString) {
  if (webMessageAsString == nullptr) return E_INVALIDARG;
  if (const HRESULT scripted = Context().CallResult("PostWebMessageAsString"); FAILED(scripted))
    return scripted;
  messagesToPage_.push_back(codec::JsonStringLiteral(webview::FromWideText(webMessageAsString)));
  return S_OK;
}

HRESULT SimWebView::AddHostObjectToScript(LPCWSTR name, VARIANT* object) {
  if (const HRESULT scripted = Context().CallResult("AddHostObjectToScript"); FAILED(scripted))
    return scripted;
  if (browserProcessGone_) return kBrowserProcessGone;
  return hostObjects_.Add(name, object);
}

HRESULT SimWebView::RemoveHostObjectFromScript(LPCWSTR name) {
  if (const HRESULT scripted = Context().CallResult("RemoveHostObjectFromScript"); FAILED(scripted))
    return scripted;
  if (browserProcessGone_) return kBrowserProcessGone;
  return hostObjects_.Remove(name);
}

void SimWebView::CallHostObject(std::u16string name, std::u16string method,
                                std::vector<webview::AutomationValue> arguments,
                                std::function<void(const webview::DispatchCallResult&)> onResult) {
  ComPtr<SimWebView> self(this);
  // The page's call reaches the host object on a later pump of the user-interface thread, never inside
  // the call that made it.
  Context().Post([self, name = std::move(name), method = std::move(method), arguments = std::move(arguments),
                  onResult = std::move(onResult)] {
    webview::DispatchCallResult result;
    if (!self->Live()) {
      result.code = E_ABORT;
      result.message = u"The page is gone.";
    } else if (self->settings_->Values().Read<BOOL>("AreHostObjectsAllowed") == FALSE) {
      result.code = E_ACCESSDENIED;
      result.message = u"Host objects are not allowed on this page.";
    } else {
      result = self->hostObjects_.Call(name, method, arguments);
    }
    if (onResult) onResult(result);
  });
}

void SimWebView::DeliverWebMessage(std::optional<std::u16string> messageAsJson,
                                   std::optional<std::u16string> messageAsString, bool textPointsNowhere) {
  ComPtr<SimWebView> self(this);
  Context().Post([self, json = std::move(messageAsJson), text = std::move(messageAsString),
                  textPointsNowhere]() mutable {
    if (!self->Live()) return;
    if (self->settings_->Values().Read<BOOL>("IsWebMessageEnabled") == FALSE) return;
    auto args = MakeComObject<SimWebMessageReceivedEventArgs>(
        self->SharedContext(), self->values_.Read<std::u16string>("Source"), std::move(json), std::move(text),
        textPointsNowhere);
    self->events_.Raise<ICoreWebView2WebMessageReceivedEventHandler>(
        "WebMessageReceived", static_cast<ICoreWebView2*>(self.Get()),
        static_cast<ICoreWebView2WebMessageReceivedEventArgs*>(args.Get()));
  });
}

void SimWebView::Close() {
  closed_ = true;
  events_.Clear();
  for (auto& [name, receiver] : devToolsReceivers_) receiver->Clear();
  CloseFramesAndDownloads();
}

void SimWebView::FailRenderProcess(COREWEBVIEW2_PROCESS_FAILED_KIND kind,
                                   COREWEBVIEW2_PROCESS_FAILED_REASON reason, int exitCode) {
  // A renderer that only stopped answering has not exited: the runtime says so with the code of a live
  // process.
  if (kind == COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_UNRESPONSIVE) {
    reason = COREWEBVIEW2_PROCESS_FAILED_REASON_UNRESPONSIVE;
    exitCode = kStillActiveExitCode;
  }
  ComPtr<SimWebView> self(this);
  Context().Post([self, failure = SimProcessFailure{kind, reason, exitCode, u""}] {
    if (self->Live()) self->RaiseProcessFailed(failure);
  });
}

void SimWebView::BrowserProcessFailed(int exitCode) {
  if (!Live()) return;
  // The runtime names no other reason for the browser process.
  RaiseProcessFailed(SimProcessFailure{COREWEBVIEW2_PROCESS_FAILED_KIND_BROWSER_PROCESS_EXITED,
                                       COREWEBVIEW2_PROCESS_FAILED_REASON_UNEXPECTED, exitCode, u""});
  browserProcessGone_ = true;
}

void SimWebView::RaiseProcessFailed(SimProcessFailure failure) {
  Context().Observer().ProcessFailed(failure.kind, failure.exitCode);
  auto args = MakeComObject<SimProcessFailedEventArgs>(SharedContext(), std::move(failure));
  ComPtr<SimWebView> self(this);
  events_.Raise<ICoreWebView2ProcessFailedEventHandler>(
      "ProcessFailed", static_cast<ICoreWebView2*>(this),
      static_cast<ICoreWebView2ProcessFailedEventArgs*>(args.Get()));
}

}  // namespace velmoran::runtime::sim
