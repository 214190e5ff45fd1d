#pragma once

#include <memory>

#include "runtime/common/AnswerValue.h"
#include "runtime/sim/SimRuntimeContext.h"
#include "webview/abi/ComObject.h"
#include "webview/abi/WebView2Interfaces.h"

namespace velmoran::runtime::sim {

class SimBrowserProcessExitedEventArgs final
    : public webview::ComObject<ICoreWebView2BrowserProcessExitedEventArgs>,
      private SimCountedObject {
 public:
  SimBrowserProcessExitedEventArgs(std::shared_ptr<SimRuntimeContext> context,
                                   COREWEBVIEW2_BROWSER_PROCESS_EXIT_KIND kind, UINT32 processId)
      : SimCountedObject(std::move(context)), kind_(kind), processId_(processId) {}

  HRESULT WV2_STDCALL get_BrowserProcessExitKind(COREWEBVIEW2_BROWSER_PROCESS_EXIT_KIND* value) override {
    return AnswerValue(value, kind_);
  }
  HRESULT WV2_STDCALL get_BrowserProcessId(UINT32* value) override { return AnswerValue(value, processId_); }

 private:
  COREWEBVIEW2_BROWSER_PROCESS_EXIT_KIND kind_;
  UINT32 processId_;
};

}  // namespace velmoran::runtime::sim
