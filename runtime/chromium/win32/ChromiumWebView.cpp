#include "runtime/chromium/win32/ChromiumWebView.h"

#include <utility>

#include "base/Text.h"
#include "platform/win32/WideText.h"
#include "runtime/chromium/JsonWriter.h"
#include "runtime/chromium/ScriptResult.h"
#include "runtime/chromium/win32/ChromiumDownload.h"
#include "runtime/chromium/win32/ChromiumEventArgs.h"
#include "runtime/chromium/win32/ChromiumFrame.h"
#include "runtime/chromium/win32/ChromiumSettings.h"
#include "runtime/chromium/win32/Trace.h"
#include "webview/abi/WebView2Ids.h"

namespace velmoran::runtime::chromium {

using webview::ComPtr;

namespace {

// The failure of an operation on a webview whose controller closed or whose browser ended.
const HRESULT kNotUsable = HRESULT_FROM_WIN32(ERROR_INVALID_STATE);

std::string OneMember(std::string_view name, std::u16string_view value) {
  JsonWriter json;
  json.BeginObject().Key(name).String(value).EndObject();
  return json.Take();
}

// A data: address that holds `html`, every byte outside the unreserved set percent-encoded.
std::u16string HtmlDataAddress(std::u16string_view html) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string address = "data:text/html;charset=utf-8,";
  for (unsigned char c : Utf16ToUtf8(html)) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
        c == '.' || c == '~') {
      address += static_cast<char>(c);
    } else {
      address += '%';
      address += kHex[c >> 4];
      address += kHex[c & 0xF];
    }
  }
  return Utf8ToUtf16(address);
}

}  // namespace

ChromiumWebView::ChromiumWebView(std::shared_ptr<ChromiumBrowser> browser,
                                 ComPtr<ICoreWebView2Environment> environment)
    : browser_(std::move(browser)), environment_(std::move(environment)) {
  settings_ = webview::MakeComObject<ChromiumSettings>(browser_);
  browser_->SetPageEvents(this);
  browser_->SetFrameEvents(this);
}

ChromiumWebView::~ChromiumWebView() { Close(); }

void ChromiumWebView::Close() {
  if (closed_) return;
  closed_ = true;
  events_.Clear();
  hostObjects_.Clear();
  laterEvents_.Clear();
  for (auto& [name, receiver] : devToolsReceivers_) receiver->Detach();
  devToolsReceivers_.clear();
  browser_->SetPageEvents(nullptr);
  browser_->SetFrameEvents(nullptr);
  CloseFramesAndDownloads();
}

void ChromiumWebView::Evaluate(const std::string& expression) {
  JsonWriter params;
  params.BeginObject().Key("expression").String(expression).EndObject();
  browser_->CallPage("Runtime.evaluate", params.Text());
}

HRESULT ChromiumWebView::get_Settings(ICoreWebView2Settings** settings) {
  if (settings == nullptr) return E_POINTER;
  *settings = ComPtr<ICoreWebView2Settings>(settings_).Detach();
  return S_OK;
}

HRESULT ChromiumWebView::get_Source(LPWSTR* uri) { return HandOutText(browser_->Source(), uri); }

HRESULT ChromiumWebView::Navigate(LPCWSTR uri) {
  if (uri == nullptr) return E_INVALIDARG;
  if (!Usable()) return kNotUsable;
  Trace("navigate " + Utf16ToUtf8(ReadText(uri)));
  // Its events follow from what Chromium reports, the cancellable NavigationStarting first.
  browser_->CallPage("Page.navigate", OneMember("url", ReadText(uri)));
  return S_OK;
}

HRESULT ChromiumWebView::NavigateToString(LPCWSTR htmlContent) {
  if (htmlContent == nullptr) return E_INVALIDARG;
  const std::u16string address = HtmlDataAddress(ReadText(htmlContent));
  return Navigate(platform::win32::AsWide(address));
}

HRESULT ChromiumWebView::AddScriptToExecuteOnDocumentCreated(
    LPCWSTR javaScript, ICoreWebView2AddScriptToExecuteOnDocumentCreatedCompletedHandler* handler) {
  if (javaScript == nullptr) return E_INVALIDARG;
  if (!Usable()) return kNotUsable;
  ComPtr<ICoreWebView2AddScriptToExecuteOnDocumentCreatedCompletedHandler> completion(handler);
  browser_->CallPage("Page.addScriptToEvaluateOnNewDocument", OneMember("source", ReadText(javaScript)),
                     [completion](const DevToolsSession::Answer& answer) {
                       if (!completion) return;
                       const std::u16string id(TextMember(answer.result, u"identifier"));
                       completion->Invoke(answer.Succeeded() ? S_OK : E_FAIL, platform::win32::AsWide(id));
                     });
  return S_OK;
}

HRESULT ChromiumWebView::RemoveScriptToExecuteOnDocumentCreated(LPCWSTR id) {
  if (id == nullptr) return E_INVALIDARG;
  if (!Usable()) return kNotUsable;
  browser_->CallPage("Page.removeScriptToEvaluateOnNewDocument", OneMember("identifier", ReadText(id)));
  return S_OK;
}

HRESULT ChromiumWebView::ExecuteScript(LPCWSTR javaScript,
                                       ICoreWebView2ExecuteScriptCompletedHandler* handler) {
  if (javaScript == nullptr) return E_INVALIDARG;
  if (!Usable()) return kNotUsable;
  JsonWriter params;
  params.BeginObject()
      .Key("expression")
      .String(ExecuteScriptExpression(ReadText(javaScript)))
      .Key("returnByValue")
      .Bool(true)
      .EndObject();
  // Held until its one answer, which the session gives even when the pipe closes first.
  ComPtr<ICoreWebView2ExecuteScriptCompletedHandler> completion(handler);
  browser_->CallPage("Runtime.evaluate", params.Text(), [completion](const DevToolsSession::Answer& answer) {
    if (!completion) return;
    const ScriptResult result = ScriptResultFromAnswer(answer);
    completion->Invoke(result.errorCode, platform::win32::AsWide(result.resultAsJson));
  });
  return S_OK;
}

HRESULT ChromiumWebView::Reload() {
  if (!Usable()) return kNotUsable;
  browser_->CallPage("Page.reload", "{}");
  return S_OK;
}

HRESULT ChromiumWebView::PostWebMessageAsJson(LPCWSTR webMessageAsJson) {
  if (webMessageAsJson == nullptr) return E_INVALIDARG;
  if (!Usable()) return kNotUsable;
  if (!settings_->WebMessagesEnabled()) return E_INVALIDARG;
  const std::u16string_view json = ReadText(webMessageAsJson);
  if (!codec::ParseJson(json)) return E_INVALIDARG;
  Evaluate(DeliverMessageExpression(Utf16ToUtf8(json)));
  return S_OK;
}

HRESULT ChromiumWebView::PostWebMessageAsString(LPCWSTR webMessageAsString) {
  if (webMessageAsString == nullptr) return E_INVALIDARG;
  if (!Usable()) return kNotUsable;
  if (!settings_->WebMessagesEnabled()) return E_INVALIDARG;
  Evaluate(DeliverMessageExpression(JsonQuoted(ReadText(webMessageAsString))));
  return S_OK;
}

HRESULT ChromiumWebView::CallDevToolsProtocolMethod(
    LPCWSTR methodName, LPCWSTR parametersAsJson,
    ICoreWebView2CallDevToolsProtocolMethodCompletedHandler* handler) {
  if (methodName == nullptr || parametersAsJson == nullptr) return E_INVALIDARG;
  if (!Usable()) return kNotUsable;
  const std::u16string_view parameters = ReadText(parametersAsJson);
  std::optional<codec::JsonValue> parsed = codec::ParseJson(parameters);
  if (!parsed || !parsed->IsObject()) return E_INVALIDARG;
  ComPtr<ICoreWebView2CallDevToolsProtocolMethodCompletedHandler> completion(handler);
  browser_->CallPage(Utf16ToUtf8(ReadText(methodName)), Utf16ToUtf8(parameters),
                     [completion](const DevToolsSession::Answer& answer) {
                       if (!completion) return;
                       JsonWriter result;
                       result.Value(answer.result);
                       const std::u16string text = answer.Succeeded() ? Utf8ToUtf16(result.Text()) : u"{}";
                       completion->Invoke(answer.Succeeded() ? S_OK : E_FAIL, platform::win32::AsWide(text));
                     });
  return S_OK;
}

HRESULT ChromiumWebView::PostWebMessageAsJsonWithAdditionalObjects(
    LPCWSTR webMessageAsJson, ICoreWebView2ObjectCollectionView* additionalObjects) {
  if (additionalObjects != nullptr) {
    // Only a collection that answers our id can say it is empty; any other
    // carries objects this runtime has no way to hand to the page.
    ComPtr<ICoreWebView2ObjectCollectionView> view;
    UINT32 count = 1;
    if (FAILED(additionalObjects->QueryInterface(IID_ICoreWebView2ObjectCollectionView, view.PutVoid())) ||
        !view || FAILED(view->get_Count(&count)) || count != 0)
      return E_NOTIMPL;
  }
  return PostWebMessageAsJson(webMessageAsJson);
}

// Straight onto the protocol: the receiver subscribes to the event of that
// name on the page's session, whatever its domain.
HRESULT ChromiumWebView::GetDevToolsProtocolEventReceiver(
    LPCWSTR eventName, ICoreWebView2DevToolsProtocolEventReceiver** receiver) {
  if (receiver == nullptr) return E_POINTER;
  *receiver = nullptr;
  if (eventName == nullptr || *eventName == 0) return E_INVALIDARG;
  if (!Usable()) return kNotUsable;
  const std::u16string name(ReadText(eventName));
  ComPtr<ChromiumDevToolsProtocolEventReceiver>& kept = devToolsReceivers_[name];
  if (!kept)
    kept = webview::MakeComObject<ChromiumDevToolsProtocolEventReceiver>(
        browser_, static_cast<ICoreWebView2*>(this), name);
  *receiver = ComPtr<ICoreWebView2DevToolsProtocolEventReceiver>(kept).Detach();
  return S_OK;
}

HRESULT ChromiumWebView::GoBack() {
  if (!Usable()) return kNotUsable;
  Evaluate("history.back()");
  return S_OK;
}

HRESULT ChromiumWebView::GoForward() {
  if (!Usable()) return kNotUsable;
  Evaluate("history.forward()");
  return S_OK;
}

HRESULT ChromiumWebView::Stop() {
  if (!Usable()) return kNotUsable;
  browser_->CallPage("Page.stopLoading", "{}");
  return S_OK;
}

HRESULT ChromiumWebView::get_DocumentTitle(LPWSTR* title) { return HandOutText(browser_->Title(), title); }

HRESULT ChromiumWebView::get_ContainsFullScreenElement(BOOL* containsFullScreenElement) {
  return AnswerValue<BOOL>(containsFullScreenElement, FALSE);
}

HRESULT ChromiumWebView::get_Environment(ICoreWebView2Environment** environment) {
  if (environment == nullptr) return E_POINTER;
  *environment = ComPtr<ICoreWebView2Environment>(environment_).Detach();
  return S_OK;
}

bool ChromiumWebView::NavigationStarting(std::uint64_t navigationId, std::u16string_view uri,
                                         bool isRedirected) {
  auto args = webview::MakeComObject<NavigationStartingArgs>(std::u16string(uri), isRedirected, navigationId);
  events_.Raise<ICoreWebView2NavigationStartingEventHandler>(
      "NavigationStarting", static_cast<ICoreWebView2*>(this),
      static_cast<ICoreWebView2NavigationStartingEventArgs*>(args.Get()));
  return args->Cancelled();
}

void ChromiumWebView::SourceChanged(bool isNewDocument) {
  auto args = webview::MakeComObject<SourceChangedArgs>(isNewDocument);
  events_.Raise<ICoreWebView2SourceChangedEventHandler>(
      "SourceChanged", static_cast<ICoreWebView2*>(this),
      static_cast<ICoreWebView2SourceChangedEventArgs*>(args.Get()));
}

void ChromiumWebView::ContentLoading(std::uint64_t navigationId, bool isErrorPage) {
  auto args = webview::MakeComObject<ContentLoadingArgs>(isErrorPage, navigationId);
  events_.Raise<ICoreWebView2ContentLoadingEventHandler>(
      "ContentLoading", static_cast<ICoreWebView2*>(this),
      static_cast<ICoreWebView2ContentLoadingEventArgs*>(args.Get()));
}

void ChromiumWebView::HistoryChanged() {
  events_.Raise<ICoreWebView2HistoryChangedEventHandler>("HistoryChanged", static_cast<ICoreWebView2*>(this),
                                                         static_cast<IUnknown*>(nullptr));
}

void ChromiumWebView::DomContentLoaded(std::uint64_t navigationId) {
  auto args = webview::MakeComObject<DomContentLoadedArgs>(navigationId);
  events_.Raise<ICoreWebView2DOMContentLoadedEventHandler>(
      "DOMContentLoaded", static_cast<ICoreWebView2*>(this),
      static_cast<ICoreWebView2DOMContentLoadedEventArgs*>(args.Get()));
}

void ChromiumWebView::NavigationCompleted(const NavigationOutcome& outcome) {
  Trace("navigation completed " + std::to_string(outcome.navigationId) +
        (outcome.isSuccess ? " success" : " failure") + " status " + std::to_string(outcome.webErrorStatus) +
        " http " + std::to_string(outcome.httpStatusCode) + " " + Utf16ToUtf8(browser_->Source()));
  auto args = webview::MakeComObject<NavigationCompletedArgs>(outcome.isSuccess, outcome.webErrorStatus,
                                                              outcome.navigationId, outcome.httpStatusCode);
  events_.Raise<ICoreWebView2NavigationCompletedEventHandler>(
      "NavigationCompleted", static_cast<ICoreWebView2*>(this),
      static_cast<ICoreWebView2NavigationCompletedEventArgs*>(args.Get()));
}

void ChromiumWebView::DocumentTitleChanged() {
  events_.Raise<ICoreWebView2DocumentTitleChangedEventHandler>(
      "DocumentTitleChanged", static_cast<ICoreWebView2*>(this), static_cast<IUnknown*>(nullptr));
}

void ChromiumWebView::WebMessageReceived(std::u16string messageAsJson) {
  if (!settings_->WebMessagesEnabled()) return;
  auto args = webview::MakeComObject<WebMessageReceivedArgs>(browser_->Source(), std::move(messageAsJson));
  events_.Raise<ICoreWebView2WebMessageReceivedEventHandler>(
      "WebMessageReceived", static_cast<ICoreWebView2*>(this),
      static_cast<ICoreWebView2WebMessageReceivedEventArgs*>(args.Get()));
}

void ChromiumWebView::ProcessFailed(const FailedProcess& failure) {
  auto args = webview::MakeComObject<ProcessFailedArgs>(failure);
  events_.Raise<ICoreWebView2ProcessFailedEventHandler>(
      "ProcessFailed", static_cast<ICoreWebView2*>(this),
      static_cast<ICoreWebView2ProcessFailedEventArgs*>(args.Get()));
}

}  // namespace velmoran::runtime::chromium
