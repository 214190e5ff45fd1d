#pragma once

// What ExecuteScript completes with, from Chromium's answer to the
// Runtime.evaluate of ExecuteScriptExpression: the JSON text the page made,
// "null" when the script threw (the call itself still succeeded), and a
// failure code with no text when the command could not run at all (the
// page went away, the pipe closed).

#include <string>

#include "runtime/chromium/DevToolsSession.h"
#include "webview/abi/ComTypes.h"

namespace velmoran::runtime::chromium {

struct ScriptResult {
  HRESULT errorCode = 0;
  std::u16string resultAsJson;
};

ScriptResult ScriptResultFromAnswer(const DevToolsSession::Answer& answer);

}  // namespace velmoran::runtime::chromium
