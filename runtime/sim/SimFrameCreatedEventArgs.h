#pragma once

// The arguments of a simulated FrameCreated: the new frame.

#include <memory>
#include <utility>

#include "runtime/sim/SimFrame.h"
#include "runtime/sim/SimFrameCreatedEventArgsBase.h"

namespace velmoran::runtime::sim {

class SimFrameCreatedEventArgs final : public SimFrameCreatedEventArgsBase {
 public:
  SimFrameCreatedEventArgs(std::shared_ptr<SimRuntimeContext> context, SimVersionLimit versions,
                           webview::ComPtr<SimFrame> frame)
      : SimFrameCreatedEventArgsBase(std::move(context), std::move(versions)), frame_(std::move(frame)) {}

  HRESULT WV2_STDCALL get_Frame(ICoreWebView2Frame** frame) override {
    if (frame == nullptr) return E_POINTER;
    *frame = nullptr;
    if (const HRESULT scripted = Context().CallResult("get_Frame"); FAILED(scripted)) return scripted;
    *frame = webview::ComPtr<ICoreWebView2Frame>(frame_).Detach();
    return S_OK;
  }

 private:
  webview::ComPtr<SimFrame> frame_;
};

}  // namespace velmoran::runtime::sim
