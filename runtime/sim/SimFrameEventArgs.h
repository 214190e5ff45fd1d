#pragma once

// Arguments of the simulated frame events that the webview's own simulation
// has no object for: ContentLoading and DOMContentLoaded, each telling the
// navigation it belongs to.

#include <memory>
#include <utility>

#include "runtime/common/AnswerValue.h"
#include "runtime/sim/SimRuntimeContext.h"
#include "webview/abi/ComObject.h"
#include "webview/abi/WebView2Interfaces.h"

namespace velmoran::runtime::sim {

class SimContentLoadingEventArgs final : public webview::ComObject<ICoreWebView2ContentLoadingEventArgs>,
                                         private SimCountedObject {
 public:
  SimContentLoadingEventArgs(std::shared_ptr<SimRuntimeContext> context, bool isErrorPage,
                             UINT64 navigationId)
      : SimCountedObject(std::move(context)),
        isErrorPage_(isErrorPage ? TRUE : FALSE),
        navigationId_(navigationId) {}

  HRESULT WV2_STDCALL get_IsErrorPage(BOOL* value) override { return AnswerValue(value, isErrorPage_); }
  HRESULT WV2_STDCALL get_NavigationId(UINT64* value) override { return AnswerValue(value, navigationId_); }

 private:
  BOOL isErrorPage_;
  UINT64 navigationId_;
};

class SimDOMContentLoadedEventArgs final : public webview::ComObject<ICoreWebView2DOMContentLoadedEventArgs>,
                                           private SimCountedObject {
 public:
  SimDOMContentLoadedEventArgs(std::shared_ptr<SimRuntimeContext> context, UINT64 navigationId)
      : SimCountedObject(std::move(context)), navigationId_(navigationId) {}

  HRESULT WV2_STDCALL get_NavigationId(UINT64* value) override { return AnswerValue(value, navigationId_); }

 private:
  UINT64 navigationId_;
};

}  // namespace velmoran::runtime::sim
