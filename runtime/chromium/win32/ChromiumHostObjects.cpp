// The webview's host objects: kept by name, called when the page's proxy
// reports a call through its binding, on the user-interface thread, and the
// page's promise settled with what the method gave.

#include <cstdint>
#include <string>

#include "base/Text.h"
#include "runtime/chromium/HostObjectScripts.h"
#include "runtime/chromium/JsonWriter.h"
#include "runtime/chromium/win32/ChromiumSettings.h"
#include "runtime/chromium/win32/ChromiumWebView.h"
#include "runtime/chromium/win32/TaskMemText.h"
#include "runtime/chromium/win32/Trace.h"

namespace velmoran::runtime::chromium {

HRESULT ChromiumWebView::AddHostObjectToScript(LPCWSTR name, VARIANT* object) {
  if (name == nullptr || object == nullptr) return E_INVALIDARG;
  if (!Usable()) return HRESULT_FROM_WIN32(ERROR_INVALID_STATE);
  const HRESULT added = hostObjects_.Add(name, object);
  Trace("host object " + Utf16ToUtf8(ReadText(name)) + (SUCCEEDED(added) ? " added" : " refused"));
  return added;
}

HRESULT ChromiumWebView::RemoveHostObjectFromScript(LPCWSTR name) {
  if (name == nullptr) return E_INVALIDARG;
  if (!Usable()) return HRESULT_FROM_WIN32(ERROR_INVALID_STATE);
  return hostObjects_.Remove(name);
}

void ChromiumWebView::HostObjectCalled(std::u16string_view payload, std::int64_t contextId) {
  std::string why;
  const std::optional<HostObjectRequest> request = ParseHostObjectRequest(payload, why);
  if (!request) {
    // Only a page that calls the binding itself gets here: it has no promise to settle.
    Trace("host object call refused: " + why);
    return;
  }
  webview::DispatchCallResult result;
  if (!settings_->HostObjectsAllowed()) {
    result.code = E_ACCESSDENIED;
    result.message = u"Host objects are not allowed on this page.";
  } else if (!request->refusal.empty()) {
    result.code = DISP_E_TYPEMISMATCH;
    result.message = request->refusal;
  } else {
    result = hostObjects_.Call(request->name, request->method, request->arguments);
  }
  Trace("host object call " + Utf16ToUtf8(request->name) + "." + Utf16ToUtf8(request->method) +
        (SUCCEEDED(result.code) ? " answered" : " failed: " + Utf16ToUtf8(result.message)));
  // The method may have closed the webview.
  if (!Usable()) return;
  // Only the document that called gets the answer: the ids of its calls start again in the next one,
  // and once it is gone Chromium refuses the evaluation.
  JsonWriter params;
  params.BeginObject()
      .Key("expression")
      .String(HostObjectAnswerExpression(request->id, result))
      .Key("contextId")
      .Number(contextId)
      .EndObject();
  browser_->CallPage("Runtime.evaluate", params.Text());
}

}  // namespace velmoran::runtime::chromium
