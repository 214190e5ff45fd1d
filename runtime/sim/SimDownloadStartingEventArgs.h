#pragma once

// The arguments of a simulated DownloadStarting: the download, and what the
// host may decide about it (Cancel, ResultFilePath, Handled), read back by the
// webview once the handlers have run.

#include <memory>
#include <string>
#include <utility>

#include "runtime/sim/SimDownloadOperation.h"
#include "runtime/sim/SimDownloadStartingEventArgsBase.h"

namespace velmoran::runtime::sim {

class SimDownloadStartingEventArgs final : public SimDownloadStartingEventArgsBase {
 public:
  SimDownloadStartingEventArgs(std::shared_ptr<SimRuntimeContext> context, SimVersionLimit versions,
                               webview::ComPtr<SimDownloadOperation> operation, std::u16string resultFilePath)
      : SimDownloadStartingEventArgsBase(std::move(context), std::move(versions)),
        operation_(std::move(operation)) {
    values_.Write<BOOL>("Cancel", FALSE);
    values_.Write<BOOL>("Handled", FALSE);
    values_.Write("ResultFilePath", std::move(resultFilePath));
  }

  HRESULT WV2_STDCALL get_DownloadOperation(ICoreWebView2DownloadOperation** value) override {
    if (value == nullptr) return E_POINTER;
    *value = nullptr;
    if (const HRESULT scripted = Context().CallResult("get_DownloadOperation"); FAILED(scripted))
      return scripted;
    *value = webview::ComPtr<ICoreWebView2DownloadOperation>(operation_).Detach();
    return S_OK;
  }

  bool Cancelled() const { return values_.Read<BOOL>("Cancel") != FALSE; }
  std::u16string ChosenResultFilePath() const { return values_.Read<std::u16string>("ResultFilePath"); }

 private:
  webview::ComPtr<SimDownloadOperation> operation_;
};

}  // namespace velmoran::runtime::sim
