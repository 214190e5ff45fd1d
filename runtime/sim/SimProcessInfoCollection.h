#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "runtime/common/AnswerValue.h"
#include "runtime/sim/SimRuntimeContext.h"
#include "webview/abi/ComObject.h"
#include "webview/abi/ComPtr.h"
#include "webview/abi/WebView2Interfaces.h"

namespace velmoran::runtime::sim {

class SimProcessInfoCollection final : public webview::ComObject<ICoreWebView2ProcessInfoCollection>,
                                       private SimCountedObject {
 public:
  SimProcessInfoCollection(std::shared_ptr<SimRuntimeContext> context,
                           std::vector<webview::ComPtr<ICoreWebView2ProcessInfo>> items)
      : SimCountedObject(std::move(context)), items_(std::move(items)) {}

  HRESULT WV2_STDCALL get_Count(UINT32* value) override {
    return AnswerValue(value, static_cast<UINT32>(items_.size()));
  }
  HRESULT WV2_STDCALL GetValueAtIndex(UINT32 index, ICoreWebView2ProcessInfo** value) override {
    if (value == nullptr) return E_POINTER;
    *value = nullptr;
    if (index >= items_.size()) return E_INVALIDARG;
    *value = webview::ComPtr<ICoreWebView2ProcessInfo>(items_[index]).Detach();
    return S_OK;
  }

 private:
  std::vector<webview::ComPtr<ICoreWebView2ProcessInfo>> items_;
};

}  // namespace velmoran::runtime::sim
