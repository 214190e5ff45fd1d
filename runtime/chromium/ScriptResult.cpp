#include "runtime/chromium/ScriptResult.h"

#include "webview/abi/ComResults.h"

namespace velmoran::runtime::chromium {

ScriptResult ScriptResultFromAnswer(const DevToolsSession::Answer& answer) {
  if (!answer.Succeeded()) return {E_FAIL, u""};
  if (answer.result.Find(u"exceptionDetails") != nullptr) return {S_OK, u"null"};
  const codec::JsonValue* result = ObjectMember(answer.result, u"result");
  if (result == nullptr) return {S_OK, u"null"};
  const codec::JsonValue* value = result->Find(u"value");
  if (value == nullptr || !value->IsString()) return {S_OK, u"null"};
  return {S_OK, std::u16string(value->view())};
}

}  // namespace velmoran::runtime::chromium
