#pragma once

#include <memory>

#include "runtime/common/AnswerValue.h"
#include "runtime/sim/SimRuntimeContext.h"
#include "webview/abi/ComObject.h"
#include "webview/abi/WebView2Interfaces.h"

namespace velmoran::runtime::sim {

class SimProcessInfo final : public webview::ComObject<ICoreWebView2ProcessInfo>, private SimCountedObject {
 public:
  SimProcessInfo(std::shared_ptr<SimRuntimeContext> context, INT32 processId, COREWEBVIEW2_PROCESS_KIND kind)
      : SimCountedObject(std::move(context)), processId_(processId), kind_(kind) {}

  HRESULT WV2_STDCALL get_ProcessId(INT32* value) override { return AnswerValue(value, processId_); }
  HRESULT WV2_STDCALL get_Kind(COREWEBVIEW2_PROCESS_KIND* kind) override { return AnswerValue(kind, kind_); }

 private:
  INT32 processId_;
  COREWEBVIEW2_PROCESS_KIND kind_;
};

}  // namespace velmoran::runtime::sim
