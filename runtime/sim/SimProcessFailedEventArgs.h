#pragma once

// The arguments of a simulated ProcessFailed: which process failed, why, its
// exit code and the runtime's description of it. The runtime names no frames
// and no failing module here.

#include <memory>
#include <string>
#include <utility>

#include "runtime/common/AnswerValue.h"
#include "runtime/sim/SimRuntimeContext.h"
#include "webview/abi/CoTaskMemText.h"
#include "webview/abi/ComObject.h"
#include "webview/abi/WebView2Interfaces.h"

namespace velmoran::runtime::sim {

// What the objects of a browser process that has exited answer every call
// (ERROR_INVALID_STATE as a result code), as the runtime's closed objects do.
inline constexpr HRESULT kBrowserProcessGone = static_cast<HRESULT>(0x8007139Fu);

// The exit code the runtime reports for a renderer that has not exited, only stopped answering
// (STILL_ACTIVE).
inline constexpr int kStillActiveExitCode = 259;

struct SimProcessFailure {
  COREWEBVIEW2_PROCESS_FAILED_KIND kind = COREWEBVIEW2_PROCESS_FAILED_KIND_BROWSER_PROCESS_EXITED;
  COREWEBVIEW2_PROCESS_FAILED_REASON reason = COREWEBVIEW2_PROCESS_FAILED_REASON_UNEXPECTED;
  int exitCode = 0;
  std::u16string processDescription;
};

class SimProcessFailedEventArgs final : public webview::ComObject<ICoreWebView2ProcessFailedEventArgs3>,
                                        private SimCountedObject {
 public:
  SimProcessFailedEventArgs(std::shared_ptr<SimRuntimeContext> context, SimProcessFailure failure)
      : SimCountedObject(std::move(context)), failure_(std::move(failure)) {}

  HRESULT WV2_STDCALL get_ProcessFailedKind(COREWEBVIEW2_PROCESS_FAILED_KIND* value) override {
    return AnswerValue(value, failure_.kind);
  }
  HRESULT WV2_STDCALL get_Reason(COREWEBVIEW2_PROCESS_FAILED_REASON* reason) override {
    return AnswerValue(reason, failure_.reason);
  }
  HRESULT WV2_STDCALL get_ExitCode(int* exitCode) override {
    return AnswerValue(exitCode, failure_.exitCode);
  }
  HRESULT WV2_STDCALL get_ProcessDescription(LPWSTR* processDescription) override {
    return Text(failure_.processDescription, processDescription);
  }
  HRESULT WV2_STDCALL get_FrameInfosForFailedProcess(ICoreWebView2FrameInfoCollection** frames) override {
    if (frames != nullptr) *frames = nullptr;
    return E_NOTIMPL;
  }
  HRESULT WV2_STDCALL get_FailureSourceModulePath(LPWSTR* value) override { return Text(u"", value); }

 private:
  HRESULT Text(const std::u16string& text, LPWSTR* value) {
    if (value == nullptr) return E_POINTER;
    *value = webview::CoTaskMemDup(Context().Com(), text);
    return *value == nullptr ? E_OUTOFMEMORY : S_OK;
  }

  SimProcessFailure failure_;
};

}  // namespace velmoran::runtime::sim
