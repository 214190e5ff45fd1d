#include "runtime/sim/SimFrame.h"

#include <utility>

#include "codec/JsonString.h"
#include "runtime/common/AnswerValue.h"
#include "runtime/sim/SimFrameEventArgs.h"
#include "runtime/sim/SimNavigationCompletedEventArgs.h"
#include "runtime/sim/SimNavigationStartingEventArgs.h"
#include "runtime/sim/SimWebMessageReceivedEventArgs.h"
#include "webview/abi/WideText.h"

namespace velmoran::runtime::sim {

using webview::ComPtr;
using webview::MakeComObject;

SimFrame::SimFrame(std::shared_ptr<SimRuntimeContext> context, SimVersionLimit versions, std::u16string name,
                   UINT32 frameId)
    : SimFrameBase(std::move(context), std::move(versions)), frameId_(frameId) {
  values_.Write("Name", std::move(name));
  values_.Write<UINT32>("FrameId", frameId);
  values_.Write<std::u16string>("Source", u"about:blank");
}

HRESULT SimFrame::IsDestroyed(BOOL* destroyed) { return AnswerValue(destroyed, destroyed_ ? TRUE : FALSE); }

HRESULT SimFrame::ExecuteScript(LPCWSTR javaScript, ICoreWebView2ExecuteScriptCompletedHandler* handler) {
  if (javaScript == nullptr) return E_INVALIDARG;
  if (const HRESULT scripted = Context().CallResult("Frame.ExecuteScript"); FAILED(scripted)) return scripted;
  if (destroyed_) return E_FAIL;
  executedScripts_.emplace_back(webview::FromWideText(javaScript));
  ComPtr<ICoreWebView2ExecuteScriptCompletedHandler> completion(handler);
  Context().Post([completion, code = scriptCompletion, result = scriptResult] {
    if (completion) completion->Invoke(code, webview::AsWideText(result));
  });
  return S_OK;
}

HRESULT SimFrame::PostWebMessageAsJson(LPCWSTR webMessageAsJson) {
  if (webMessageAsJson == nullptr) return E_INVALIDARG;
  if (destroyed_) return E_FAIL;
  messagesToFrame_.emplace_back(webview::FromWideText(webMessageAsJson));
  return S_OK;
}

HRESULT SimFrame::PostWebMessageAsString(LPCWSTR webMessageAsString) {
  if (webMessageAsString == nullptr) return E_INVALIDARG;
  if (destroyed_) return E_FAIL;
  messagesToFrame_.push_back(codec::JsonStringLiteral(webview::FromWideText(webMessageAsString)));
  return S_OK;
}

void SimFrame::Rename(std::u16string name) {
  ComPtr<SimFrame> self(this);
  Context().Post([self, name = std::move(name)]() mutable {
    if (self->destroyed_) return;
    self->values_.Write("Name", std::move(name));
    self->events_.Raise<ICoreWebView2FrameNameChangedEventHandler>(
        "NameChanged", static_cast<ICoreWebView2Frame*>(self.Get()), static_cast<IUnknown*>(nullptr));
  });
}

void SimFrame::Navigate(std::u16string uri, bool isSuccess) {
  const UINT64 navigationId = nextNavigationId_++;
  ComPtr<SimFrame> self(this);
  Context().Post([self, uri = std::move(uri), navigationId, isSuccess] {
    if (self->destroyed_) return;
    auto args = MakeComObject<SimNavigationStartingEventArgs>(self->SharedContext(), uri, navigationId);
    self->events_.Raise<ICoreWebView2FrameNavigationStartingEventHandler>(
        "NavigationStarting", static_cast<ICoreWebView2Frame*>(self.Get()),
        static_cast<ICoreWebView2NavigationStartingEventArgs*>(args.Get()));
    if (args->Cancelled()) return;
    self->values_.Write("Source", uri);
    self->Context().Post(
        [self, navigationId, isSuccess] { self->CompleteNavigation(navigationId, isSuccess); });
  });
}

void SimFrame::CompleteNavigation(UINT64 navigationId, bool isSuccess) {
  if (destroyed_) return;
  auto* sender = static_cast<ICoreWebView2Frame*>(this);
  auto loading = MakeComObject<SimContentLoadingEventArgs>(SharedContext(), !isSuccess, navigationId);
  events_.Raise<ICoreWebView2FrameContentLoadingEventHandler>(
      "ContentLoading", sender, static_cast<ICoreWebView2ContentLoadingEventArgs*>(loading.Get()));
  if (isSuccess) {
    auto loaded = MakeComObject<SimDOMContentLoadedEventArgs>(SharedContext(), navigationId);
    events_.Raise<ICoreWebView2FrameDOMContentLoadedEventHandler>(
        "DOMContentLoaded", sender, static_cast<ICoreWebView2DOMContentLoadedEventArgs*>(loaded.Get()));
  }
  auto completed = MakeComObject<SimNavigationCompletedEventArgs>(
      SharedContext(), isSuccess,
      isSuccess ? COREWEBVIEW2_WEB_ERROR_STATUS_UNKNOWN : COREWEBVIEW2_WEB_ERROR_STATUS_CONNECTION_ABORTED,
      navigationId);
  events_.Raise<ICoreWebView2FrameNavigationCompletedEventHandler>(
      "NavigationCompleted", sender,
      static_cast<ICoreWebView2NavigationCompletedEventArgs*>(completed.Get()));
}

void SimFrame::PostMessageToHost(std::u16string messageAsJson) {
  ComPtr<SimFrame> self(this);
  Context().Post([self, json = std::move(messageAsJson)]() mutable {
    if (self->destroyed_) return;
    auto args = MakeComObject<SimWebMessageReceivedEventArgs>(
        self->SharedContext(), self->values_.Read<std::u16string>("Source"), std::move(json), std::nullopt);
    self->events_.Raise<ICoreWebView2FrameWebMessageReceivedEventHandler>(
        "WebMessageReceived", static_cast<ICoreWebView2Frame*>(self.Get()),
        static_cast<ICoreWebView2WebMessageReceivedEventArgs*>(args.Get()));
  });
}

void SimFrame::Remove() {
  ComPtr<SimFrame> self(this);
  Context().Post([self] {
    if (self->destroyed_) return;
    self->destroyed_ = true;
    self->events_.Raise<ICoreWebView2FrameDestroyedEventHandler>(
        "Destroyed", static_cast<ICoreWebView2Frame*>(self.Get()), static_cast<IUnknown*>(nullptr));
  });
}

void SimFrame::Close() {
  if (!subscriptionsAtClose_) subscriptionsAtClose_ = events_.Count();
  destroyed_ = true;
  events_.Clear();
}

}  // namespace velmoran::runtime::sim
