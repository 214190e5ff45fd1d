#include <algorithm>
#include <utility>

#include "runtime/sim/SimDevToolsProtocol.h"
#include "runtime/sim/SimWebView.h"
#include "webview/abi/WideText.h"

// The simulated webview's DevTools protocol, its filters by request source
// kind and what the host hands the page beyond plain messages. Nothing is
// answered inside the call: method answers and protocol events come on a
// later pump, as the runtime's do.

namespace velmoran::runtime::sim {

using webview::ComPtr;

HRESULT SimWebView::CallDevToolsProtocolMethod(
    LPCWSTR methodName, LPCWSTR parametersAsJson,
    ICoreWebView2CallDevToolsProtocolMethodCompletedHandler* handler) {
  if (methodName == nullptr || parametersAsJson == nullptr) return E_INVALIDARG;
  if (const HRESULT scripted = Context().CallResult("CallDevToolsProtocolMethod"); FAILED(scripted))
    return scripted;
  if (browserProcessGone_) return kBrowserProcessGone;
  const std::u16string method(webview::FromWideText(methodName));
  devToolsCalls_.push_back({method, std::u16string(webview::FromWideText(parametersAsJson))});
  DevToolsAnswer answer{S_OK, u"{}"};
  if (const auto chosen = devToolsAnswers_.find(method); chosen != devToolsAnswers_.end())
    answer = chosen->second;
  ComPtr<ICoreWebView2CallDevToolsProtocolMethodCompletedHandler> completion(handler);
  Context().Post([completion, answer = std::move(answer)] {
    if (completion) completion->Invoke(answer.errorCode, webview::AsWideText(answer.resultAsJson));
  });
  return S_OK;
}

void SimWebView::AnswerDevToolsMethod(std::u16string method, HRESULT errorCode, std::u16string resultAsJson) {
  devToolsAnswers_[std::move(method)] = DevToolsAnswer{errorCode, std::move(resultAsJson)};
}

HRESULT SimWebView::GetDevToolsProtocolEventReceiver(LPCWSTR eventName,
                                                     ICoreWebView2DevToolsProtocolEventReceiver** receiver) {
  if (receiver == nullptr) return E_POINTER;
  *receiver = nullptr;
  if (eventName == nullptr || *eventName == 0) return E_INVALIDARG;
  if (const HRESULT scripted = Context().CallResult("GetDevToolsProtocolEventReceiver"); FAILED(scripted))
    return scripted;
  if (browserProcessGone_) return kBrowserProcessGone;
  const std::u16string name(webview::FromWideText(eventName));
  ComPtr<SimDevToolsProtocolEventReceiver>& kept = devToolsReceivers_[name];
  if (!kept) kept = webview::MakeComObject<SimDevToolsProtocolEventReceiver>(SharedContext(), name);
  *receiver = ComPtr<ICoreWebView2DevToolsProtocolEventReceiver>(kept).Detach();
  return S_OK;
}

void SimWebView::RaiseDevToolsProtocolEvent(std::u16string eventName, std::u16string parameterObjectAsJson,
                                            std::u16string sessionId) {
  ComPtr<SimWebView> self(this);
  Context().Post([self, eventName = std::move(eventName), json = std::move(parameterObjectAsJson),
                  session = std::move(sessionId)] {
    if (!self->Live()) return;
    const auto found = self->devToolsReceivers_.find(eventName);
    if (found == self->devToolsReceivers_.end()) return;
    ComPtr<SimDevToolsProtocolEventReceivedEventArgs> args =
        webview::MakeComObject<SimDevToolsProtocolEventReceivedEventArgs>(self->SharedContext(), json,
                                                                          session);
    ComPtr<SimDevToolsProtocolEventReceiver> receiver = found->second;
    receiver->Raise(self.Get(), args.Get());
  });
}

std::size_t SimWebView::DevToolsEventHandlerCount(const std::u16string& eventName) const {
  const auto found = devToolsReceivers_.find(eventName);
  return found == devToolsReceivers_.end() ? 0 : found->second->HandlerCount();
}

HRESULT SimWebView::AddWebResourceRequestedFilterWithRequestSourceKinds(
    LPCWSTR uri, COREWEBVIEW2_WEB_RESOURCE_CONTEXT resourceContext,
    COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS requestSourceKinds) {
  if (uri == nullptr) return E_INVALIDARG;
  if (const HRESULT scripted = Context().CallResult("AddWebResourceRequestedFilterWithRequestSourceKinds");
      FAILED(scripted))
    return scripted;
  if (browserProcessGone_) return kBrowserProcessGone;
  requestFilters_.push_back(
      {std::u16string(webview::FromWideText(uri)), resourceContext, requestSourceKinds});
  return S_OK;
}

// Only a filter added with the same three values can be removed, as in the runtime.
HRESULT SimWebView::RemoveWebResourceRequestedFilterWithRequestSourceKinds(
    LPCWSTR uri, COREWEBVIEW2_WEB_RESOURCE_CONTEXT resourceContext,
    COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS requestSourceKinds) {
  if (uri == nullptr) return E_INVALIDARG;
  if (browserProcessGone_) return kBrowserProcessGone;
  const RequestFilter filter{std::u16string(webview::FromWideText(uri)), resourceContext, requestSourceKinds};
  const auto found = std::find(requestFilters_.begin(), requestFilters_.end(), filter);
  if (found == requestFilters_.end()) return E_INVALIDARG;
  requestFilters_.erase(found);
  return S_OK;
}

HRESULT SimWebView::PostWebMessageAsJsonWithAdditionalObjects(
    LPCWSTR webMessageAsJson, ICoreWebView2ObjectCollectionView* additionalObjects) {
  const HRESULT posted = PostWebMessageAsJson(webMessageAsJson);
  if (SUCCEEDED(posted)) messagesWithObjects_.push_back(additionalObjects != nullptr);
  return posted;
}

HRESULT SimWebView::PostSharedBufferToScript(ICoreWebView2SharedBuffer* sharedBuffer,
                                             COREWEBVIEW2_SHARED_BUFFER_ACCESS access,
                                             LPCWSTR additionalDataAsJson) {
  if (sharedBuffer == nullptr) return E_INVALIDARG;
  if (const HRESULT scripted = Context().CallResult("PostSharedBufferToScript"); FAILED(scripted))
    return scripted;
  if (browserProcessGone_) return kBrowserProcessGone;
  sharedBufferPosts_.push_back({sharedBuffer, access,
                                additionalDataAsJson == nullptr
                                    ? std::u16string()
                                    : std::u16string(webview::FromWideText(additionalDataAsJson))});
  return S_OK;
}

}  // namespace velmoran::runtime::sim
