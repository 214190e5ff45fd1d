#pragma once

// The simulated runtime's answer to GetProcessExtendedInfos: each of its
// processes with the frames it serves. The simulated page has no frames the
// runtime tracks, so every process answers its frame list with E_NOTIMPL.

#include <memory>
#include <utility>
#include <vector>

#include "runtime/common/AnswerValue.h"
#include "runtime/sim/SimRuntimeContext.h"
#include "webview/abi/ComObject.h"
#include "webview/abi/ComPtr.h"
#include "webview/abi/WebView2Interfaces.h"

namespace velmoran::runtime::sim {

class SimProcessExtendedInfo final : public webview::ComObject<ICoreWebView2ProcessExtendedInfo>,
                                     private SimCountedObject {
 public:
  SimProcessExtendedInfo(std::shared_ptr<SimRuntimeContext> context,
                         webview::ComPtr<ICoreWebView2ProcessInfo> processInfo)
      : SimCountedObject(std::move(context)), processInfo_(std::move(processInfo)) {}

  HRESULT WV2_STDCALL get_ProcessInfo(ICoreWebView2ProcessInfo** processInfo) override {
    if (processInfo == nullptr) return E_POINTER;
    *processInfo = webview::ComPtr<ICoreWebView2ProcessInfo>(processInfo_).Detach();
    return S_OK;
  }
  HRESULT WV2_STDCALL get_AssociatedFrameInfos(ICoreWebView2FrameInfoCollection** frames) override {
    if (frames == nullptr) return E_POINTER;
    *frames = nullptr;
    return E_NOTIMPL;
  }

 private:
  webview::ComPtr<ICoreWebView2ProcessInfo> processInfo_;
};

class SimProcessExtendedInfoCollection final
    : public webview::ComObject<ICoreWebView2ProcessExtendedInfoCollection>,
      private SimCountedObject {
 public:
  SimProcessExtendedInfoCollection(std::shared_ptr<SimRuntimeContext> context,
                                   std::vector<webview::ComPtr<ICoreWebView2ProcessExtendedInfo>> items)
      : SimCountedObject(std::move(context)), items_(std::move(items)) {}

  HRESULT WV2_STDCALL get_Count(UINT* count) override {
    return AnswerValue(count, static_cast<UINT>(items_.size()));
  }
  HRESULT WV2_STDCALL GetValueAtIndex(UINT index, ICoreWebView2ProcessExtendedInfo** processInfo) override {
    if (processInfo == nullptr) return E_POINTER;
    *processInfo = nullptr;
    if (index >= items_.size()) return E_INVALIDARG;
    *processInfo = webview::ComPtr<ICoreWebView2ProcessExtendedInfo>(items_[index]).Detach();
    return S_OK;
  }

 private:
  std::vector<webview::ComPtr<ICoreWebView2ProcessExtendedInfo>> items_;
};

}  // namespace velmoran::runtime::sim
