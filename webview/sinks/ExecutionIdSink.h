#pragma once

// The sink shape of a completion that must find its way back to the call that
// started it: besides its target face it keeps the caller's execution id,
// `executionId_`, and hands it to the face after the runtime's two arguments.

#include <cstdint>
#include <string_view>

#include "webview/abi/ComObject.h"
#include "webview/sinks/SinkDispatch.h"
#include "webview/sinks/SinkLink.h"
#include "webview/sinks/SinkName.h"

namespace velmoran::webview {

template <typename Interface, auto Method, SinkName Name>
class ExecutionIdSink;

template <typename Interface, typename Face, typename Result,
          HRESULT (Face::*Method)(HRESULT, Result, std::int32_t), SinkName Name>
class ExecutionIdSink<Interface, Method, Name> final : public ComObject<Interface> {
 public:
  static constexpr std::u16string_view kCallbackName = Name.View();

  ExecutionIdSink(Face* aEvents, std::int32_t aID) : events_(aEvents), executionId_(aID) {}

  HRESULT WV2_STDCALL Invoke(HRESULT errorCode, Result result) override {
    return DispatchToTarget(events_, Name.View(),
                            [&](Face& target) { return (target.*Method)(errorCode, result, executionId_); });
  }

 private:
  SinkLink<Face> events_;
  std::int32_t executionId_;
};

}  // namespace velmoran::webview
