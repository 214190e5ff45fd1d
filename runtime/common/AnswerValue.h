#pragma once

// A getter that answers a value its object holds: E_POINTER for a null
// out-pointer, as the runtime answers, otherwise the value and S_OK.

#include "webview/abi/ComResults.h"
#include "webview/abi/ComTypes.h"

namespace velmoran::runtime {

template <typename T>
HRESULT AnswerValue(T* out, T value) {
  if (out == nullptr) return E_POINTER;
  *out = value;
  return S_OK;
}

}  // namespace velmoran::runtime
