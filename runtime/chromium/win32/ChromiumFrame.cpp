#include "runtime/chromium/win32/ChromiumFrame.h"

#include <optional>
#include <utility>

#include "base/Text.h"
#include "codec/Json.h"
#include "platform/win32/WideText.h"
#include "runtime/chromium/JsonWriter.h"
#include "runtime/chromium/PageScripts.h"
#include "runtime/chromium/ScriptResult.h"
#include "runtime/chromium/win32/TaskMemText.h"
#include "runtime/common/AnswerValue.h"

namespace velmoran::runtime::chromium {

using webview::ComPtr;

ChromiumFrame::ChromiumFrame(std::shared_ptr<ChromiumBrowser> browser, std::uint32_t frameId,
                             std::u16string name)
    : browser_(std::move(browser)), frameId_(frameId), name_(std::move(name)) {}

HRESULT ChromiumFrame::get_Name(LPWSTR* name) { return HandOutText(name_, name); }

HRESULT ChromiumFrame::IsDestroyed(BOOL* destroyed) {
  return AnswerValue<BOOL>(destroyed, destroyed_ ? TRUE : FALSE);
}

HRESULT ChromiumFrame::get_FrameId(UINT32* id) { return AnswerValue<UINT32>(id, frameId_); }

bool ChromiumFrame::Evaluate(const std::string& expression, bool returnByValue,
                             DevToolsSession::AnswerHandler onAnswer) {
  const std::optional<std::int64_t> context = browser_->Frames().ScriptContext(frameId_);
  if (!context) return false;
  JsonWriter params;
  params.BeginObject().Key("expression").String(expression).Key("contextId").Number(*context);
  if (returnByValue) params.Key("returnByValue").Bool(true);
  params.EndObject();
  browser_->CallPage("Runtime.evaluate", params.Text(), std::move(onAnswer));
  return true;
}

HRESULT ChromiumFrame::ExecuteScript(LPCWSTR javaScript,
                                     ICoreWebView2ExecuteScriptCompletedHandler* handler) {
  if (javaScript == nullptr) return E_INVALIDARG;
  if (destroyed_ || !browser_->Usable()) return HRESULT_FROM_WIN32(ERROR_INVALID_STATE);
  ComPtr<ICoreWebView2ExecuteScriptCompletedHandler> completion(handler);
  const bool sent =
      Evaluate(ExecuteScriptExpression(ReadText(javaScript)), true,
               [completion](const DevToolsSession::Answer& answer) {
                 if (!completion) return;
                 const ScriptResult result = ScriptResultFromAnswer(answer);
                 completion->Invoke(result.errorCode, platform::win32::AsWide(result.resultAsJson));
               });
  // Between two documents the frame has no script context to run in.
  return sent ? S_OK : HRESULT_FROM_WIN32(ERROR_INVALID_STATE);
}

HRESULT ChromiumFrame::PostWebMessageAsJson(LPCWSTR webMessageAsJson) {
  if (webMessageAsJson == nullptr) return E_INVALIDARG;
  if (destroyed_ || !browser_->Usable()) return HRESULT_FROM_WIN32(ERROR_INVALID_STATE);
  const std::u16string_view json = ReadText(webMessageAsJson);
  if (!codec::ParseJson(json)) return E_INVALIDARG;
  return Evaluate(DeliverMessageExpression(Utf16ToUtf8(json)), false, {})
             ? S_OK
             : HRESULT_FROM_WIN32(ERROR_INVALID_STATE);
}

HRESULT ChromiumFrame::PostWebMessageAsString(LPCWSTR webMessageAsString) {
  if (webMessageAsString == nullptr) return E_INVALIDARG;
  if (destroyed_ || !browser_->Usable()) return HRESULT_FROM_WIN32(ERROR_INVALID_STATE);
  return Evaluate(DeliverMessageExpression(JsonQuoted(ReadText(webMessageAsString))), false, {})
             ? S_OK
             : HRESULT_FROM_WIN32(ERROR_INVALID_STATE);
}

}  // namespace velmoran::runtime::chromium
