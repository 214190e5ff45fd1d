#pragma once

// The arguments of a simulated NavigationCompleted: success, or the web error
// status the navigation failed with, and the navigation's id.

#include <memory>
#include <utility>

#include "runtime/common/AnswerValue.h"
#include "runtime/sim/SimRuntimeContext.h"
#include "webview/abi/ComObject.h"
#include "webview/abi/WebView2Interfaces.h"

namespace velmoran::runtime::sim {

class SimNavigationCompletedEventArgs final
    : public webview::ComObject<ICoreWebView2NavigationCompletedEventArgs>,
      private SimCountedObject {
 public:
  SimNavigationCompletedEventArgs(std::shared_ptr<SimRuntimeContext> context, bool isSuccess,
                                  COREWEBVIEW2_WEB_ERROR_STATUS webErrorStatus, UINT64 navigationId)
      : SimCountedObject(std::move(context)),
        isSuccess_(isSuccess ? TRUE : FALSE),
        webErrorStatus_(webErrorStatus),
        navigationId_(navigationId) {}

  HRESULT WV2_STDCALL get_IsSuccess(BOOL* value) override { return AnswerValue(value, isSuccess_); }
  HRESULT WV2_STDCALL get_WebErrorStatus(COREWEBVIEW2_WEB_ERROR_STATUS* value) override {
    return AnswerValue(value, webErrorStatus_);
  }
  HRESULT WV2_STDCALL get_NavigationId(UINT64* value) override { return AnswerValue(value, navigationId_); }

 private:
  BOOL isSuccess_;
  COREWEBVIEW2_WEB_ERROR_STATUS webErrorStatus_;
  UINT64 navigationId_;
};

}  // namespace velmoran::runtime::sim
